#include "app/list_keys.h"

namespace zarkit {
namespace {

bool Held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

KeyPress ListKeys::PressOf(WPARAM virtual_key) {
    KeyPress press;
    press.key = static_cast<unsigned>(virtual_key);
    press.ctrl = Held(VK_CONTROL);
    press.shift = Held(VK_SHIFT);
    press.alt = Held(VK_MENU);
    return press;
}

bool ListKeys::Filter(UINT message, WPARAM wparam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Every press decides afresh: one that makes no character must not leave the
            // next press's character to be skipped.
            m_SkipChar = false;
            m_HighSurrogate = 0;
            if (on_key && on_key(PressOf(wparam))) {
                m_TakenKey = static_cast<unsigned>(wparam);
                m_SkipChar = true;
                return true;
            }
            return false;
        case WM_CHAR: {
            if (m_SkipChar) {
                m_SkipChar = false;
                return true;
            }
            const auto unit = static_cast<wchar_t>(wparam);
            if (IS_HIGH_SURROGATE(unit)) {
                m_HighSurrogate = unit;
                return true;
            }
            char32_t character = unit;
            if (IS_LOW_SURROGATE(unit)) {
                if (m_HighSurrogate == 0) {
                    return false;
                }
                character = 0x10000 + ((static_cast<char32_t>(m_HighSurrogate) - 0xD800) << 10) +
                            (static_cast<char32_t>(unit) - 0xDC00);
            }
            m_HighSurrogate = 0;
            return on_char && on_char(character);
        }
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (m_TakenKey != 0 && static_cast<unsigned>(wparam) == m_TakenKey) {
                m_TakenKey = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace zarkit
