#pragma once

#include <string_view>

#include "ui/handles.h"
#include "ui/modal_dialog.h"

namespace zarkit {

// Base of the program's dialogs: white faces. The dialog, its static texts, buttons,
// check boxes and group boxes, and its disabled or read-only edit fields (which ask
// as static controls) are drawn on white with transparent text backgrounds; enabled
// edit fields keep the system's colours.
class CMyDialog : public ui::ModalDialog {
public:
    ~CMyDialog() override;

    using ui::ModalDialog::DoModal;
    // Shows the dialog owned by the window given at construction. Pass the drawer
    // there: the drawer is topmost, and a dialog it does not own opens behind it.
    INT_PTR DoModal() { return ui::ModalDialog::DoModal(m_Parent); }

protected:
    CMyDialog(int template_id, HWND parent);

    // Outlives the dialog window: it is handed out to every colour request.
    ui::Brush m_BackBrush;

    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) override;
    // A warning with the program's title, owned by the dialog.
    void ShowWarning(std::string_view text);

private:
    HBRUSH OnCtlColor(UINT message, HDC dc);

    HWND m_Parent;
};

}  // namespace zarkit
