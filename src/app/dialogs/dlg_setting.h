#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/dialogs/my_dialog.h"
#include "core/drawer_placement.h"
#include "core/hot_key.h"
#include "core/placement_choices.h"
#include "core/settings.h"

namespace zarkit {

// Edits the settings. The caller copies the program's settings into m_Settings
// and calls DoModal. On IDOK m_Settings holds the user's choice, and the caller
// applies it, in this order: keep it as the program's settings, give the tab strip
// SelTable_MouseOn (SetHoverSelect), write it to the store (WriteSettings), and bring
// the Run value in line (UpdateRunKey). IDCANCEL leaves m_Settings as it was given,
// and the caller does nothing.
//
// OK refuses a delay that is not a number, negative or above kMaxShowTickCount with
// a message, puts the focus on the field and keeps the dialog open. The hot key is the
// control's key, with Win when its box is ticked (the control has no Win key). A new
// Ctrl+Alt chord is refused with its reason. A hot key that was changed is handed to
// m_TryHotKey, which registers it: when it cannot (another program holds the key), the
// dialog says so, shows the old key again and stays open, and the old key stays
// registered.
//
// The placement row offers the screens of m_Monitors and the two sides, showing where the
// drawer is now, and notes under it when the chosen edge is an inner one. OK takes a place
// into Dock_Screen and Dock_Side only when the user changed it: left alone, a place that
// was never stored stays unstored (the default that avoids inner edges).
class CDlgSetting : public CMyDialog {
public:
    explicit CDlgSetting(HWND parent = nullptr);

    Settings m_Settings;
    // The delay field's value, as the dialog last read or wrote it.
    std::uint32_t m_ShowDelay = 0;
    // Registers a new hot key in place of the old one; false when the system refused it.
    // Without it a new key is taken as it is.
    std::function<bool(const HotKey&)> m_TryHotKey;
    // The monitors there are, for the placement row.
    std::vector<Monitor> m_Monitors;

protected:
    bool DoDataExchange(bool save) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    // The hot key the user chose; false, after telling them, when it cannot be had.
    bool ReadHotKey(std::string& text);
    std::uint16_t HotKeyWord() const;
    void ShowHotKey(std::uint16_t word, bool win);
    void ShowPlacement();
    PlacementChoice ChosenPlacement() const;
    void ShowInnerEdgeNote();

    // What the control and the Win box showed at the start: left as they were, the stored
    // text is kept as it is, even for a key the control cannot show.
    std::uint16_t m_ShownHotKey = 0;
    bool m_ShownWin = false;
    std::vector<ScreenChoice> m_ScreenChoices;
    PlacementChoice m_ShownPlacement;
};

}  // namespace zarkit
