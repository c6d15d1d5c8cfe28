#include "app/dialogs/dlg_rename_table.h"

#include "res/resource.h"

namespace zarkit {

CDlgReNameTable::CDlgReNameTable(HWND parent) : CMyDialog(IDD_RENAME_TABLE, parent) {}

bool CDlgReNameTable::DoDataExchange(bool save) {
    if (save) {
        m_NewName = ItemText(IDC_NEW_NAME);
    } else {
        SetItemText(IDC_NEW_NAME, m_NewName);
    }
    return true;
}

bool CDlgReNameTable::OnInitDialog() {
    CMyDialog::OnInitDialog();
    SetItemText(IDC_OLD_NAME, m_OldName);
    return true;
}

}  // namespace zarkit
