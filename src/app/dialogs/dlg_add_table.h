#pragma once

#include <string>

#include "app/dialogs/my_dialog.h"

namespace zarkit {

// Asks for the name of a new table. Construct, DoModal; after IDOK m_TableName
// holds the name exactly as typed (blanks included), never empty: OK with an empty
// field warns and keeps the dialog open.
class CDlgAddTable : public CMyDialog {
public:
    explicit CDlgAddTable(HWND parent = nullptr);

    std::string m_TableName;

protected:
    bool DoDataExchange(bool save) override;
    void OnOK() override;
};

}  // namespace zarkit
