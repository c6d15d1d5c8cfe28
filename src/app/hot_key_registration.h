#pragma once

#include "core/hot_key.h"
#include "ui/win32.h"

namespace zarkit {

// The drawer's global hot key, registered for one window. Changing it registers the new
// key before the old one goes, so a key another program holds leaves the old one working.
class HotKeyRegistration {
public:
    HotKeyRegistration() = default;
    ~HotKeyRegistration() { Unregister(); }
    HotKeyRegistration(const HotKeyRegistration&) = delete;
    HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;

    // Makes `key` the window's hot key (an empty key: none). False, with the old key still
    // registered, when the system refused it: another program holds it.
    bool Register(HWND window, const HotKey& key);
    void Unregister();

    // The key registered now; empty when none is.
    const HotKey& Registered() const { return m_Key; }
    // Whether WM_HOTKEY's id is this registration's.
    bool IsOurs(WPARAM id) const { return m_Window != nullptr && static_cast<int>(id) == m_Id; }

private:
    HWND m_Window = nullptr;
    HotKey m_Key;
    // The new key takes the other id while the old one is still held.
    int m_Id = 0;
};

}  // namespace zarkit
