#include "app/notification_icon.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "app/messages.h"
#include "core/product.h"
#include "res/resource.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

constexpr UINT kBalloonTimeoutMs = 15000;
constexpr char kBalloonTitle[] = "Congratulation!";
constexpr char kBalloonText[] =
    "Move your mouse to the left side of the screen.\n\nFrom now, VELMOR Zarkit will run on "
    "your system. It can help you open and save files, directorys and websites very quickly! "
    "If you also have any question, see help document or go to help online.";

// The shell's fixed buffers: the texts must fit whole, terminator included.
static_assert(sizeof kBalloonText <= sizeof NOTIFYICONDATAW{}.szInfo / sizeof(wchar_t));
static_assert(sizeof kBalloonTitle <= sizeof NOTIFYICONDATAW{}.szInfoTitle / sizeof(wchar_t));
static_assert(sizeof product::kProductName <= sizeof NOTIFYICONDATAW{}.szTip / sizeof(wchar_t));

template <size_t N>
void CopyText(wchar_t (&buffer)[N], std::string_view utf8) {
    const std::wstring text = ui::Widen(utf8);
    const size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = L'\0';
}

}  // namespace

NotificationIcon::~NotificationIcon() {
    if (m_Added) {
        Remove();
    }
}

UINT NotificationIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void NotificationIcon::Fill(bool with_balloon) {
    if (!m_Icon) {
        // The small size itself: the shell would shrink the large icon and blur it.
        m_Icon.Reset(static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
        if (!m_Icon) {
            ui::TraceLastError(L"NotificationIcon::Fill: LoadImageW");
        }
    }
    m_TrayData = NOTIFYICONDATAW{};
    // The balloon version of the structure: shells before the item GUID accept it too.
    m_TrayData.cbSize = NOTIFYICONDATAW_V2_SIZE;
    m_TrayData.hWnd = m_Window;
    m_TrayData.uID = kIconId;
    m_TrayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_TrayData.hIcon = m_Icon.Get();
    CopyText(m_TrayData.szTip, product::kProductName);
    m_TrayData.uCallbackMessage = WM_ZK_TRAYNOTIFY;
    if (with_balloon) {
        m_TrayData.uFlags |= NIF_INFO;
        m_TrayData.uTimeout = kBalloonTimeoutMs;
        m_TrayData.dwInfoFlags = NIIF_INFO;
        CopyText(m_TrayData.szInfoTitle, kBalloonTitle);
        CopyText(m_TrayData.szInfo, kBalloonText);
    }
}

bool NotificationIcon::Add(HWND window, bool with_balloon) {
    m_Window = window;
    // An elevated drawer would not hear a restarted task bar otherwise.
    if (!ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr)) {
        ui::TraceLastError(L"NotificationIcon::Add: ChangeWindowMessageFilterEx");
    }
    Fill(with_balloon);
    m_Added = Shell_NotifyIconW(NIM_ADD, &m_TrayData) != FALSE;
    if (!m_Added) {
        ui::Trace(L"NotificationIcon::Add: Shell_NotifyIconW(NIM_ADD) failed\n");
    }
    return m_Added;
}

bool NotificationIcon::AddAgain() {
    if (m_Window == nullptr) {
        return false;
    }
    return Add(m_Window, false);
}

bool NotificationIcon::Remove() {
    if (m_Window == nullptr) {
        return false;
    }
    m_Added = false;
    if (!Shell_NotifyIconW(NIM_DELETE, &m_TrayData)) {
        ui::Trace(L"NotificationIcon::Remove: Shell_NotifyIconW(NIM_DELETE) failed\n");
        return false;
    }
    return true;
}

void NotificationIcon::OnNotify(LPARAM mouse_message) const {
    if (mouse_message == WM_RBUTTONUP) {
        ShowMenu();
    }
}

bool NotificationIcon::OnCommand(HWND window, WPARAM wparam) {
    if (HIWORD(wparam) != 0 || LOWORD(wparam) != ID_QUIT_ZARKIT) {
        return false;
    }
    // The close is queued first: the window (and with it the icon) goes before the loop ends.
    PostMessageW(window, WM_CLOSE, 0, 0);
    PostQuitMessage(0);
    return true;
}

void NotificationIcon::ShowMenu() const {
    if (m_Window == nullptr) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const ui::MenuHandle menu(
        LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    const HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (popup == nullptr) {
        ui::TraceLastError(L"NotificationIcon::ShowMenu: LoadMenuW");
        return;
    }
    // A menu of a window in the background stays open when the user clicks elsewhere;
    // the null message after it forces the task switch that the next showing needs.
    SetForegroundWindow(m_Window);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, m_Window, nullptr);
    PostMessageW(m_Window, WM_NULL, 0, 0);
}

}  // namespace zarkit
