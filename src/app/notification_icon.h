#pragma once

#include "ui/handles.h"
#include "ui/win32.h"
#include <shellapi.h>

namespace zarkit {

// The program's icon in the notification area. It belongs to one window, which gets
// its mouse events as WM_ZK_TRAYNOTIFY and its menu's command as WM_COMMAND; the icon
// is taken away again when this object goes, if its window has not done so first.
class NotificationIcon {
public:
    static constexpr UINT kIconId = 141;

    NotificationIcon() = default;
    ~NotificationIcon();
    NotificationIcon(const NotificationIcon&) = delete;
    NotificationIcon& operator=(const NotificationIcon&) = delete;

    // Adds the icon for `window`, with the start-up balloon when asked. The shell's
    // answer is returned; a refusal leaves the program without an icon.
    bool Add(HWND window, bool with_balloon);
    // The same icon again, without the balloon: after the task bar was restarted.
    bool AddAgain();
    bool Remove();

    // WM_ZK_TRAYNOTIFY's mouse message: the right button's release opens the menu.
    void OnNotify(LPARAM mouse_message) const;
    // The menu's quit command, for `window`; true when `wparam` was it and it was handled.
    static bool OnCommand(HWND window, WPARAM wparam);

    // The message the shell broadcasts when its task bar is (re)created.
    static UINT TaskbarCreatedMessage();
    static bool IsTaskbarCreated(UINT message) {
        return message != 0 && message == TaskbarCreatedMessage();
    }

    const NOTIFYICONDATAW& TrayData() const { return m_TrayData; }

private:
    void Fill(bool with_balloon);
    void ShowMenu() const;

    NOTIFYICONDATAW m_TrayData{};
    ui::IconHandle m_Icon;
    HWND m_Window = nullptr;
    bool m_Added = false;
};

}  // namespace zarkit
