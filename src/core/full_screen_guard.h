#pragma once

#include <string>

#include "core/geometry.h"

namespace zarkit {

// The foreground window as GetForegroundWindow gives it.
struct ForegroundWindow {
    bool exists = false;       // there is one (there is none while the focus changes hands)
    bool ours = false;         // the drawer, or a window of this process
    bool visible = false;      // IsWindowVisible, and not cloaked by the window manager
    bool minimised = false;    // IsIconic
    bool maximised = false;    // IsZoomed
    bool has_caption = false;  // WS_CAPTION (title bar and border) in its style
    std::string class_name;    // GetClassName
    Rect window;               // GetWindowRect
    Rect client;               // its client area, in screen coordinates
};

// What the shell says of the user's state (SHQueryUserNotificationState).
enum class ShellUserState {
    kUnknown,         // the shell gave no answer
    kNormal,          // notifications accepted, or the screen saver, or quiet time
    kFullScreenBusy,  // QUNS_BUSY: a full-screen program
    kDirect3D,        // QUNS_RUNNING_D3D_FULL_SCREEN: an exclusive full-screen game
    kPresentation,    // QUNS_PRESENTATION_MODE
};

// Whether a full-screen program is in front on the drawer's monitor (a game, a video, a
// slide show), which resting in the strip must not interrupt. The shell's own answer
// counts first. Otherwise the foreground window must cover the whole monitor: with its
// client area, or with its window when it has no title bar. A maximised window never
// is one: browsers and editors that draw their own title bar have a client area as large
// as the window, and maximised it hangs over the monitor's edges. The desktop and the
// task bars are no programs.
bool IsFullScreenProgram(const ForegroundWindow& foreground, const Rect& monitor,
                         ShellUserState shell = ShellUserState::kUnknown);

}  // namespace zarkit
