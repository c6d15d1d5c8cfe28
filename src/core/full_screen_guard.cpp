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

}  // namespace

bool IsFullScreenProgram(const ForegroundWindow& foreground, const Rect& primary_monitor) {
    if (!foreground.exists || foreground.ours || !foreground.visible || foreground.minimised) {
        return false;
    }
    if (primary_monitor.Width() <= 0 || primary_monitor.Height() <= 0) {
        return false;
    }
    for (const std::string_view shell : kShellClasses) {
        if (SameClassName(foreground.class_name, shell)) {
            return false;
        }
    }
    if (Covers(foreground.client, primary_monitor)) {
        return true;
    }
    return !foreground.has_caption && Covers(foreground.window, primary_monitor);
}

}  // namespace zarkit
