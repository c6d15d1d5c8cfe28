#pragma once

#include <functional>

#include "core/key_commands.h"
#include "ui/win32.h"

namespace zarkit {

// The keyboard messages of a list control, offered to its owner before the control sees
// them: each key press to `on_key`, each character to `on_char` (UTF-16 pairs joined).
// What the owner takes, the control never sees, nor the character the press makes nor
// its release: a taken Enter or Esc does not beep, a taken menu key or Shift+F10 opens
// no second menu when it is let go.
class ListKeys {
public:
    std::function<bool(const KeyPress&)> on_key;
    std::function<bool(char32_t)> on_char;

    // True when the message was taken and is not to reach the control.
    bool Filter(UINT message, WPARAM wparam);

    // The key with the modifiers held while its message was sent.
    static KeyPress PressOf(WPARAM virtual_key);

private:
    unsigned m_TakenKey = 0;
    bool m_SkipChar = false;
    wchar_t m_HighSurrogate = 0;
};

}  // namespace zarkit
