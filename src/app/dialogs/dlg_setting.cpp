#include "app/dialogs/dlg_setting.h"

#include <string>

#include "core/dialog_input.h"
#include "res/resource.h"

namespace zarkit {

namespace {

struct FlagBox {
    int id;
    bool Settings::*flag;
};

constexpr FlagBox kFlagBoxes[] = {
    {IDC_START_ON_WINDOW, &Settings::Start_OnWindow},
    {IDC_SHOW_TIP_ON_START, &Settings::Show_TipOnStart},
    {IDC_ANIMATE_ON_START, &Settings::Animate_WindowOnStart},
    {IDC_SEL_TABLE_MOUSE_ON, &Settings::SelTable_MouseOn},
};

}  // namespace

CDlgSetting::CDlgSetting(HWND parent) : CMyDialog(IDD_SETTINGS, parent) {}

bool CDlgSetting::DoDataExchange(bool save) {
    if (!save) {
        SetItemText(IDC_SHOW_DELAY, std::to_string(m_ShowDelay));
        return true;
    }
    const DelayInput delay = ReadDelayText(ItemText(IDC_SHOW_DELAY));
    if (delay.problem != InputProblem::kNone) {
        ShowWarning(ProblemMessage(delay.problem));
        FocusItem(IDC_SHOW_DELAY);
        return false;
    }
    m_ShowDelay = delay.value;
    return true;
}

bool CDlgSetting::OnInitDialog() {
    // Shown as the unsigned number it is read back as.
    m_ShowDelay = static_cast<std::uint32_t>(m_Settings.Show_TickCount);
    CMyDialog::OnInitDialog();
    for (const FlagBox& box : kFlagBoxes) {
        SetChecked(box.id, m_Settings.*box.flag);
    }
    return true;
}

void CDlgSetting::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    for (const FlagBox& box : kFlagBoxes) {
        m_Settings.*box.flag = IsChecked(box.id);
    }
    m_Settings.Show_TickCount = static_cast<int>(m_ShowDelay);
    EndDialog(IDOK);
}

}  // namespace zarkit
