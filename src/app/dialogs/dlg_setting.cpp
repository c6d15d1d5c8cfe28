#include "app/dialogs/dlg_setting.h"

#include <string>

#include "core/dialog_input.h"
#include "res/resource.h"
#include <commctrl.h>

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
    {IDC_SORT_BY_NAME, &Settings::Sort_ByName},
};

std::string KeyName(const HotKey& key) {
    const std::string text = FormatHotKey(key);
    return text.empty() ? std::string("no hot key") : text;
}

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
    // A key without Ctrl or Alt would take a key from every program: the control adds
    // Ctrl to one typed bare or with Shift alone (with the Win box, that is the default's
    // chord).
    SendDlgItemMessageW(Hwnd(), IDC_HOT_KEY, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                        MAKELPARAM(HOTKEYF_CONTROL, 0));
    const HotKey stored = HotKeyFromSetting(m_Settings.Hot_Key);
    m_ShownHotKey = HotKeyControlWord(stored).value_or(0);
    m_ShownWin = m_ShownHotKey != 0 && (stored.modifiers & kModWin) != 0;
    ShowHotKey(m_ShownHotKey, m_ShownWin);
    ShowPlacement();
    return true;
}

void CDlgSetting::ShowPlacement() {
    m_ScreenChoices = ScreenChoices(m_Monitors, m_Settings.Dock_Screen);
    m_ShownPlacement =
        CurrentChoice(m_Monitors, m_ScreenChoices, m_Settings.Dock_Screen, m_Settings.Dock_Side);
    std::vector<std::string> screens;
    for (const ScreenChoice& choice : m_ScreenChoices) {
        screens.push_back(choice.text);
    }
    SetListEntries(IDC_DOCK_SCREEN, screens, static_cast<int>(m_ShownPlacement.screen));
    const std::string sides[] = {"Left", "Right"};
    SetListEntries(IDC_DOCK_SIDE, sides, m_ShownPlacement.side == DockSide::kRight ? 1 : 0);
    ShowInnerEdgeNote();
}

PlacementChoice CDlgSetting::ChosenPlacement() const {
    const int screen = SelectedEntry(IDC_DOCK_SCREEN);
    return PlacementChoice{screen < 0 ? m_ShownPlacement.screen : static_cast<std::size_t>(screen),
                           SelectedEntry(IDC_DOCK_SIDE) == 1 ? DockSide::kRight : DockSide::kLeft};
}

void CDlgSetting::ShowInnerEdgeNote() {
    ShowItem(IDC_INNER_EDGE_NOTE,
             ChoiceIsInnerEdge(m_Monitors, m_ScreenChoices, ChosenPlacement()));
}

bool CDlgSetting::OnCommand(int id, int code, HWND control) {
    if ((id == IDC_DOCK_SCREEN || id == IDC_DOCK_SIDE) && code == CBN_SELCHANGE) {
        ShowInnerEdgeNote();
        return true;
    }
    return CMyDialog::OnCommand(id, code, control);
}

std::uint16_t CDlgSetting::HotKeyWord() const {
    return LOWORD(SendDlgItemMessageW(Hwnd(), IDC_HOT_KEY, HKM_GETHOTKEY, 0, 0));
}

void CDlgSetting::ShowHotKey(std::uint16_t word, bool win) {
    SendDlgItemMessageW(Hwnd(), IDC_HOT_KEY, HKM_SETHOTKEY, word, 0);
    SetChecked(IDC_HOT_KEY_WIN, win);
}

bool CDlgSetting::ReadHotKey(std::string& text) {
    const std::uint16_t word = HotKeyWord();
    const bool win = IsChecked(IDC_HOT_KEY_WIN);
    if (word == m_ShownHotKey && (win == m_ShownWin || word == 0)) {
        text = m_Settings.Hot_Key;
        return true;
    }
    const HotKey key = HotKeyFromControlWord(word, win);
    std::string refusal;
    switch (CheckChosenHotKey(key)) {
        case HotKeyProblem::kNone:
            if (m_TryHotKey && !m_TryHotKey(key)) {
                refusal = "The hot key " + KeyName(key) +
                          " is already in use by another program. " + "Zarkit keeps " +
                          KeyName(HotKeyFromSetting(m_Settings.Hot_Key)) + ".";
            }
            break;
        case HotKeyProblem::kAltGrChord:
            refusal =
                "Ctrl+Alt keys are also AltGr, which types characters on many keyboards. "
                "Choose another key, or tick \"+ Win\" (for example Ctrl+Win+Z).";
            break;
        default:
            refusal =
                "Zarkit cannot use this key as its hot key. Choose a letter, a digit, a "
                "function key or a navigation key, with Ctrl, Alt or Win.";
            break;
    }
    if (!refusal.empty()) {
        ShowWarning(refusal);
        ShowHotKey(m_ShownHotKey, m_ShownWin);
        SetFocus(Item(IDC_HOT_KEY));
        return false;
    }
    text = FormatHotKey(key);
    return true;
}

// The hot key is read last: once it is registered, nothing may stop the dialog from
// taking it.
void CDlgSetting::OnOK() {
    std::string hot_key;
    if (!UpdateData(true) || !ReadHotKey(hot_key)) {
        return;
    }
    for (const FlagBox& box : kFlagBoxes) {
        m_Settings.*box.flag = IsChecked(box.id);
    }
    m_Settings.Show_TickCount = static_cast<int>(m_ShowDelay);
    m_Settings.Hot_Key = hot_key;
    if (const PlacementChoice chosen = ChosenPlacement(); chosen != m_ShownPlacement) {
        m_Settings.Dock_Screen = m_ScreenChoices[chosen.screen].setting;
        m_Settings.Dock_Side = chosen.side;
    }
    EndDialog(IDOK);
}

}  // namespace zarkit
