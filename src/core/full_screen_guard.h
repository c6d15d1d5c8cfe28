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
    bool has_caption = false;  // WS_CAPTION (title bar and border) in its style
    std::string class_name;    // GetClassName
    Rect window;               // GetWindowRect
    Rect client;               // its client area, in screen coordinates
};

// Whether the foreground window is a full-screen program on the primary monitor (a game,
// a video, a slide show), which resting in the strip must not interrupt. It must cover
// the whole monitor: with its client area, or with its window when it has no title bar.
// A maximised window with a title bar never does, whether or not the task bar is hidden.
// The desktop and the task bars are no programs.
bool IsFullScreenProgram(const ForegroundWindow& foreground, const Rect& primary_monitor);

}  // namespace zarkit
