#pragma once

#include <string>

#include "app/dialogs/my_dialog.h"

namespace zarkit {

// Asks for one new item: a web site address or a file system path, and an optional
// display name. Construct, SetWebSiteMode (1 web site, 0 path), DoModal; after IDOK
// read m_DisplayName and, by the mode, m_WebSite or m_FilePath. Every field may be
// empty and is handed back untrimmed; the dialog checks nothing. The other mode's
// fields are disabled.
class CDlgAddItems : public CMyDialog {
public:
    explicit CDlgAddItems(HWND parent = nullptr);

    void SetWebSiteMode(int web_site_mode) { m_WebSiteMode = web_site_mode; }

    std::string m_WebSite;
    std::string m_FilePath;
    int m_WebSiteMode = 1;
    std::string m_DisplayName;

protected:
    bool DoDataExchange(bool save) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void OnBrowse();
};

}  // namespace zarkit
