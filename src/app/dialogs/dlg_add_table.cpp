#include "app/dialogs/dlg_add_table.h"

#include "core/dialog_input.h"
#include "res/resource.h"

namespace zarkit {

CDlgAddTable::CDlgAddTable(HWND parent) : CMyDialog(IDD_ADD_TABLE, parent) {}

bool CDlgAddTable::DoDataExchange(bool save) {
    if (save) {
        m_TableName = ItemText(IDC_TABLE_NAME);
    } else {
        SetItemText(IDC_TABLE_NAME, m_TableName);
    }
    return true;
}

void CDlgAddTable::OnOK() {
    UpdateData(true);
    const InputProblem problem = CheckNewTableName(m_TableName);
    if (problem != InputProblem::kNone) {
        ShowWarning(ProblemMessage(problem));
        return;
    }
    EndDialog(IDOK);
}

}  // namespace zarkit
