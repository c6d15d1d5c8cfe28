// The drawer from the keyboard: the global hot key, which opens it with the focus in it,
// Esc, which gives the focus back, changing tables, and typing to find.
#include "app/main_wnd.h"

#include "app/list_keys.h"
#include "core/key_commands.h"
#include "ui/gdi.h"
#include "ui/trace.h"

namespace zarkit {

bool CMainWnd::IsOpen() const {
    return ui::WindowRect(Hwnd()).Width() > m_Slider.CollapsedWidth();
}

void CMainWnd::ApplyHotKey() {
    // Another program may hold the key: the drawer still opens by the pointer.
    if (!m_HotKey.Register(Hwnd(), HotKeyFromSetting(m_Settings.Hot_Key))) {
        ui::Trace(L"CMainWnd: the hot key %hs is taken\n", m_Settings.Hot_Key.c_str());
    }
}

// While a dialog or a menu of the drawer is up, the key does nothing: both hold the
// keyboard themselves.
void CMainWnd::OnHotKey() {
    if (m_Busy) {
        return;
    }
    if (m_Slider.Held() && IsOpen() && GetForegroundWindow() == Hwnd()) {
        CloseByKeyboard();
        return;
    }
    OpenByKeyboard();
}

void CMainWnd::OpenByKeyboard() {
    NoteForegroundWindow();
    // The start-up animation gives way; polling takes over as after it.
    KillTimer(Hwnd(), kAnimationTimerId);
    SetTimer(Hwnd(), kPollTimerId, kPollPeriodMs, nullptr);
    ApplySlide(m_Slider.OpenByKeyboard(ui::WindowRect(Hwnd()), m_Placement.open.Width()));
    // Unlike the sliding, this activates the drawer: the user asked for its keys.
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (!SetForegroundWindow(Hwnd())) {
        ui::TraceLastError(L"CMainWnd::OpenByKeyboard: SetForegroundWindow");
    }
    // Focus rectangles show from now on, as after any key press in a dialog.
    SendMessageW(Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    FocusCurrentList();
}

void CMainWnd::CloseByKeyboard() {
    m_FindView.End();
    ApplySlide(m_Slider.Collapse(ui::WindowRect(Hwnd()), GetTickCount()));
    const HWND back = m_ReturnFocus;
    if (back != nullptr && IsWindow(back) && IsWindowVisible(back) && !SetForegroundWindow(back)) {
        ui::TraceLastError(L"CMainWnd::CloseByKeyboard: SetForegroundWindow");
    }
}

void CMainWnd::FocusCurrentList() {
    if (m_FindView.Finding()) {
        m_FindView.Focus();
        return;
    }
    if (CZarkitListCtrlView* list = m_Tables.GetCurrentTable().list) {
        list->FocusFromKeyboard();
    } else {
        SetFocus(Hwnd());  // without tables the drawer itself takes the keys
    }
}

void CMainWnd::StepTable(int step) {
    const int next = zarkit::StepTable(m_TabCtrl.SelectedPosition(), m_TabCtrl.TabCount(), step);
    if (next < 0) {
        return;
    }
    m_TabCtrl.ChooseTab(next);
    FocusCurrentList();
}

void CMainWnd::FocusTabs() {
    SetFocus(m_TabCtrl.Hwnd());
}

void CMainWnd::MoveCurrentTable(int step) {
    const int from = m_TabCtrl.SelectedPosition();
    if (from >= 0) {
        m_Tables.MoveTable(from, from + step);  // refuses a place past either end
    }
}

// On the tab strip the arrows pick a table as a click on its tab does, showing its list at
// once; the focus stays on the strip until Tab takes it back to the list.
bool CMainWnd::OnTabStripKey(const KeyPress& press) {
    if (!IsOpen()) {
        return false;
    }
    const KeyCommand command = CommandForTabStripKey(press);
    switch (command) {
        case KeyCommand::kSelectPreviousTab:
        case KeyCommand::kSelectNextTab:
        case KeyCommand::kSelectFirstTab:
        case KeyCommand::kSelectLastTab: {
            const int position =
                TabAfterKey(command, m_TabCtrl.SelectedPosition(), m_TabCtrl.TabCount());
            if (position >= 0) {
                m_TabCtrl.ChooseTab(position);
            }
            return true;
        }
        case KeyCommand::kFocusList:
            FocusCurrentList();
            return true;
        case KeyCommand::kNextTable:
            StepTable(1);
            return true;
        case KeyCommand::kPreviousTable:
            StepTable(-1);
            return true;
        case KeyCommand::kMoveTableForward:
            MoveCurrentTable(1);
            return true;
        case KeyCommand::kMoveTableBack:
            MoveCurrentTable(-1);
            return true;
        case KeyCommand::kCloseDrawer:
            CloseByKeyboard();
            return true;
        default:
            return false;
    }
}

void CMainWnd::TypeIntoFind(char32_t character) {
    // Typing keeps a drawer the pointer opened open, as if the hot key had.
    m_Slider.Hold();
    m_FindView.Type(character);
}

void CMainWnd::OnItemsLaunched() {
    m_Slider.Release();
}

// Polled: by the time the drawer is active, the window that was is known.
void CMainWnd::NoteForegroundWindow() {
    const HWND window = GetForegroundWindow();
    if (window == nullptr) {
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) {
        m_ReturnFocus = window;
    }
}

// Another program came to the front (a click elsewhere): the pointer decides again.
void CMainWnd::OnActivateApp(bool active) {
    if (!active) {
        m_Slider.Release();
    }
}

// A drawer without tables has the focus itself.
void CMainWnd::OnKeyDown(WPARAM key) {
    KeyContext context;
    if (IsOpen() && CommandForKey(ListKeys::PressOf(key), context) == KeyCommand::kCloseDrawer) {
        CloseByKeyboard();
    }
}

}  // namespace zarkit
