#include "ui/modal_dialog.h"

#include <algorithm>

#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit::ui {

INT_PTR ModalDialog::DoModal(HWND parent) {
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id_), parent,
                        &ModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1) {
        TraceLastError(L"DialogBoxParamW");
    }
    hwnd_ = nullptr;
    return result;
}

bool ModalDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool ModalDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void ModalDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void ModalDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool ModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

bool ModalDialog::DoDataExchange(bool) {
    return true;
}

void ModalDialog::EndDialog(INT_PTR result) {
    if (!::EndDialog(hwnd_, result)) {
        TraceLastError(L"EndDialog");
    }
}

std::string ModalDialog::ItemText(int id) const {
    const HWND item = Item(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void ModalDialog::SetItemText(int id, std::string_view text) {
    if (!SetDlgItemTextW(hwnd_, id, Widen(text).c_str())) {
        TraceLastError(L"SetDlgItemTextW");
    }
}

bool ModalDialog::IsChecked(int id) const {
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void ModalDialog::SetChecked(int id, bool checked) {
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ModalDialog::SetListEntries(int id, std::span<const std::string> entries, int selected) {
    SendDlgItemMessageW(hwnd_, id, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendDlgItemMessageW(hwnd_, id, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
    SendDlgItemMessageW(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ModalDialog::SelectedEntry(int id) const {
    return static_cast<int>(SendDlgItemMessageW(hwnd_, id, CB_GETCURSEL, 0, 0));
}

void ModalDialog::ShowItem(int id, bool show) {
    ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

void ModalDialog::EnableItem(int id, bool enable) {
    EnableWindow(Item(id), enable ? TRUE : FALSE);
}

void ModalDialog::FocusItem(int id) {
    // WM_NEXTDLGCTL, not SetFocus: it also moves the default button and selects the text.
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

int ModalDialog::ShowMessage(std::string_view text, std::string_view caption, UINT flags) {
    return MessageBoxW(hwnd_, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

// Without DS_CENTER a dialog opens at its owner's top left corner.
void ModalDialog::CenterOverOwner() {
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    RECT dialog{};
    GetWindowRect(hwnd_, &dialog);
    HMONITOR monitor =
        MonitorFromWindow(owner != nullptr ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) {
        return;
    }
    RECT around = info.rcWork;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &around);
    }
    const LONG width = dialog.right - dialog.left;
    const LONG height = dialog.bottom - dialog.top;
    LONG x = around.left + (around.right - around.left - width) / 2;
    LONG y = around.top + (around.bottom - around.top - height) / 2;
    // Keep it on the screen, title bar first.
    x = std::max(info.rcWork.left, std::min(x, info.rcWork.right - width));
    y = std::max(info.rcWork.top, std::min(y, info.rcWork.bottom - height));
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            CenterOverOwner();
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam))
                       ? TRUE
                       : FALSE;
        default: {
            INT_PTR result = FALSE;
            return OnMessage(message, wparam, lparam, result) ? result : FALSE;
        }
    }
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    ModalDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<ModalDialog*>(lparam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    } else {
        self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) and after WM_NCDESTROY go to the default.
    if (self == nullptr) {
        return FALSE;
    }

    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wparam, lparam);
    } catch (...) {
        // An exception must not unwind through user32's frames. A dialog that
        // failed to set itself up is closed, so nothing half-made is used.
        Trace(L"ModalDialog::DialogProc: exception in message 0x%04X\n", message);
        if (message == WM_INITDIALOG) {
            ::EndDialog(hwnd, IDCANCEL);
        }
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace zarkit::ui
