#include "app/dialogs/dlg_add_items.h"

#include <commdlg.h>

#include "res/resource.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {

namespace {

// Room for long paths; the dialog reports a longer one as an error.
constexpr DWORD kPathBufferChars = 32768;

}  // namespace

CDlgAddItems::CDlgAddItems(HWND parent) : CMyDialog(IDD_ADD_ITEMS, parent) {}

bool CDlgAddItems::DoDataExchange(bool save) {
    if (save) {
        m_WebSite = ItemText(IDC_WEB_SITE);
        m_FilePath = ItemText(IDC_FILE_PATH);
        m_DisplayName = ItemText(IDC_DISPLAY_NAME);
    } else {
        SetItemText(IDC_WEB_SITE, m_WebSite);
        SetItemText(IDC_FILE_PATH, m_FilePath);
        SetItemText(IDC_DISPLAY_NAME, m_DisplayName);
    }
    return true;
}

bool CDlgAddItems::OnInitDialog() {
    CMyDialog::OnInitDialog();
    const bool web_site = m_WebSiteMode != 0;
    EnableItem(IDC_WEB_SITE, web_site);
    EnableItem(IDC_FILE_PATH, !web_site);
    EnableItem(IDC_BROWSE, !web_site);
    return true;
}

bool CDlgAddItems::OnCommand(int id, int code, HWND control) {
    if (id == IDC_BROWSE && code == BN_CLICKED) {
        OnBrowse();
        return true;
    }
    return CMyDialog::OnCommand(id, code, control);
}

void CDlgAddItems::OnBrowse() {
    // What was typed so far stays: the fields are refreshed from the members below.
    UpdateData(true);

    std::wstring path(kPathBufferChars, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = Hwnd();
    request.lpstrFilter = L"all files (*.*)\0*.*\0";
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = kPathBufferChars;
    // Only this flag, so the dialog keeps its read-only check box.
    request.Flags = OFN_OVERWRITEPROMPT;
    if (!GetOpenFileNameW(&request)) {
        if (const DWORD error = CommDlgExtendedError(); error != 0) {
            ui::Trace(L"GetOpenFileNameW failed: 0x%04lX\n", error);
        }
        return;
    }
    path.resize(path.find(L'\0'));
    m_FilePath = ui::Narrow(path);
    UpdateData(false);
}

}  // namespace zarkit
