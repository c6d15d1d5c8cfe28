#include "app/dialogs/dlg_about.h"

#include <string>

#include "core/product.h"
#include "res/resource.h"

namespace zarkit {

CDlgAbout::CDlgAbout(HWND parent) : CMyDialog(IDD_ABOUT, parent) {}

// A link's text is its target: both come from the product's one address each, whatever
// the template says.
bool CDlgAbout::DoDataExchange(bool save) {
    if (!save && m_HomePageLink.Hwnd() == nullptr) {
        SetItemText(IDC_HOME_PAGE_LINK, product::kHomePage);
        SetItemText(IDC_SUPPORT_LINK, product::kSupportEmail);
        m_HomePageLink.Attach(Item(IDC_HOME_PAGE_LINK));
        m_SupportLink.Attach(Item(IDC_SUPPORT_LINK));
    }
    return true;
}

bool CDlgAbout::OnInitDialog() {
    CMyDialog::OnInitDialog();
    SetItemText(IDC_VERSION, std::string("VELMOR Zarkit Version ") + product::kVersion);
    return true;
}

}  // namespace zarkit
