#pragma once

#include "app/dialogs/my_dialog.h"
#include "app/hyperlink.h"

namespace zarkit {

// The program's name and version, its maker's home page and support mailbox as live
// links, and the maker's notice. Construct, DoModal; it changes nothing.
class CDlgAbout : public CMyDialog {
public:
    explicit CDlgAbout(HWND parent = nullptr);

    CHyperLink m_HomePageLink;
    CHyperLink m_SupportLink;

protected:
    bool DoDataExchange(bool save) override;
    bool OnInitDialog() override;
};

}  // namespace zarkit
