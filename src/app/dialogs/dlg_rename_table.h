#pragma once

#include <string>
#include <utility>

#include "app/dialogs/my_dialog.h"

namespace zarkit {

// Asks for a table's new name. Construct, SetOldName with the table's current name,
// DoModal; after IDOK m_NewName holds the new-name field as typed, which may be empty.
// The field starts empty; the dialog checks nothing.
class CDlgReNameTable : public CMyDialog {
public:
    explicit CDlgReNameTable(HWND parent = nullptr);

    void SetOldName(std::string name) { m_OldName = std::move(name); }

    std::string m_NewName;
    std::string m_OldName;

protected:
    bool DoDataExchange(bool save) override;
    bool OnInitDialog() override;
};

}  // namespace zarkit
