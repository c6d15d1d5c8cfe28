#include "core/full_screen_guard.h"

#include <array>
#include <string_view>

namespace zarkit {
namespace {

// The desktop (Progman, and the WorkerW windows behind its wallpaper) and the task bars.
constexpr std::array<std::string_view, 4> kShellClasses{"Progman", "WorkerW", "Shell_TrayWnd",
                                                        "Shell_SecondaryTrayWnd"};

// Window class names compare without regard to case, as Windows compares them.
bool SameClassName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool Covers(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

bool Overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

bool IsFullScreenProgram(const ForegroundWindow& foreground, const Rect& monitor,
                         ShellUserState shell) {
    if (foreground.exists && foreground.ours) {
        return false;
    }
    // The shell's answer is for the whole desktop: a program full screen on another monitor
    // leaves this one alone.
    const bool shell_says_full_screen = shell == ShellUserState::kFullScreenBusy ||
                                        shell == ShellUserState::kDirect3D ||
                                        shell == ShellUserState::kPresentation;
    if (shell_says_full_screen && (!foreground.exists || Overlaps(foreground.window, monitor))) {
        return true;
    }
    if (!foreground.exists || !foreground.visible || foreground.minimised || foreground.maximised) {
        return false;
    }
    if (monitor.Width() <= 0 || monitor.Height() <= 0) {
        return false;
    }
    for (const std::string_view shell_class : kShellClasses) {
        if (SameClassName(foreground.class_name, shell_class)) {
            return false;
        }
    }
    if (Covers(foreground.client, monitor)) {
        return true;
    }
    return !foreground.has_caption && Covers(foreground.window, monitor);
}

}  // namespace zarkit
