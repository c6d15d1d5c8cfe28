#pragma once

#include <span>
#include <string>
#include <string_view>

#include "ui/win32.h"

namespace zarkit::ui {

// Base of the modal dialogs over resource templates. DoModal runs DialogBoxParamW;
// the static dialog procedure binds the object at WM_INITDIALOG from its parameter
// and routes the messages to the virtual handlers below. Dialog data live in plain
// members of the derived class; DoDataExchange moves them to and from the controls.
class ModalDialog {
public:
    explicit ModalDialog(int template_id) : template_id_(template_id) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the dialog owned by `parent` and returns what ended it (IDOK, IDCANCEL),
    // or -1 when it could not be shown.
    INT_PTR DoModal(HWND parent);

    // The dialog window while it is shown, else null.
    HWND Hwnd() const { return hwnd_; }

protected:
    // The base fills the controls from the members and lets the system put the
    // focus on the first tab stop (true).
    virtual bool OnInitDialog();
    // A WM_COMMAND; true when handled. The base sends OK and Cancel clicks (also
    // Enter, Escape and the close box) to OnOK and OnCancel.
    virtual bool OnCommand(int id, int code, HWND control);
    // The base reads the controls into the members and ends with IDOK when that worked.
    virtual void OnOK();
    virtual void OnCancel();
    // Every other message. Return true and set `result` to answer it; for messages
    // whose answer is not the procedure's return value, set DWLP_MSGRESULT as well.
    virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);
    // To the controls (save false) or from them (save true); false when a field
    // cannot be read, after the derived class has told the user.
    virtual bool DoDataExchange(bool save);

    bool UpdateData(bool save) { return DoDataExchange(save); }
    void EndDialog(INT_PTR result);

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    void EnableItem(int id, bool enable);
    void ShowItem(int id, bool show);
    // A drop-down list's entries, in this order (the list must not sort them), with the
    // one at `selected` chosen; -1 for none.
    void SetListEntries(int id, std::span<const std::string> entries, int selected);
    // The chosen entry of a drop-down list; -1 for none.
    int SelectedEntry(int id) const;
    // Focus to a field with its text selected, as after refused input.
    void FocusItem(int id);
    int ShowMessage(std::string_view text, std::string_view caption, UINT flags);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
    void CenterOverOwner();

    int template_id_;
    HWND hwnd_ = nullptr;
};

}  // namespace zarkit::ui
