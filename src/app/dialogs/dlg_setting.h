#pragma once

#include <cstdint>

#include "app/dialogs/my_dialog.h"
#include "core/settings.h"

namespace zarkit {

// Edits the five settings. The caller copies the program's settings into m_Settings
// and calls DoModal. On IDOK m_Settings holds the user's choice, and the caller
// applies it, in this order: keep it as the program's settings, give the tab strip
// SelTable_MouseOn (SetHoverSelect), write it to the store (WriteSettings), and bring
// the Run value in line (UpdateRunKey). IDCANCEL leaves m_Settings as it was given,
// and the caller does nothing.
//
// OK refuses a delay that is not a number, negative or above kMaxShowTickCount with
// a message, puts the focus on the field and keeps the dialog open.
class CDlgSetting : public CMyDialog {
public:
    explicit CDlgSetting(HWND parent = nullptr);

    Settings m_Settings;
    // The delay field's value, as the dialog last read or wrote it.
    std::uint32_t m_ShowDelay = 0;

protected:
    bool DoDataExchange(bool save) override;
    bool OnInitDialog() override;
    void OnOK() override;
};

}  // namespace zarkit
