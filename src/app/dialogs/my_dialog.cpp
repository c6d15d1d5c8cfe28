#include "app/dialogs/my_dialog.h"

#include "app/accessibility/high_contrast.h"
#include "core/product.h"
#include "ui/trace.h"

namespace zarkit {

CMyDialog::CMyDialog(int template_id, HWND parent)
    : ui::ModalDialog(template_id),
      m_BackBrush(CreateSolidBrush(RGB(255, 255, 255))),
      m_Parent(parent) {
    if (!m_BackBrush) {
        ui::TraceLastError(L"CreateSolidBrush");
    }
}

CMyDialog::~CMyDialog() = default;

bool CMyDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            const HBRUSH brush = OnCtlColor(message, reinterpret_cast<HDC>(wparam));
            if (brush == nullptr) {
                return false;
            }
            result = reinterpret_cast<INT_PTR>(brush);
            return true;
        }
        default:
            return ui::ModalDialog::OnMessage(message, wparam, lparam, result);
    }
}

// Null leaves the request to the dialog manager's default: the system's colours, which are
// the user's own in high contrast.
HBRUSH CMyDialog::OnCtlColor(UINT message, HDC dc) {
    if (message == WM_CTLCOLOREDIT || !m_BackBrush || HighContrastOn()) {
        return nullptr;
    }
    SetBkMode(dc, TRANSPARENT);
    return m_BackBrush.Get();
}

void CMyDialog::ShowWarning(std::string_view text) {
    ShowMessage(text, product::kAppTitle, MB_OK | MB_ICONWARNING);
}

}  // namespace zarkit
