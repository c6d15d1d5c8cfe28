#include "app/hot_key_registration.h"

#include "ui/trace.h"

namespace zarkit {
namespace {

constexpr int kFirstId = 1;
constexpr int kSecondId = 2;

}  // namespace

bool HotKeyRegistration::Register(HWND window, const HotKey& key) {
    if (m_Window == window && m_Key == key && !key.Empty()) {
        return true;
    }
    if (key.Empty()) {
        Unregister();
        return true;
    }
    const int id = m_Id == kFirstId ? kSecondId : kFirstId;
    if (!RegisterHotKey(window, id, RegisterHotKeyModifiers(key), key.key)) {
        ui::TraceLastError(L"HotKeyRegistration: RegisterHotKey");
        return false;
    }
    Unregister();
    m_Window = window;
    m_Key = key;
    m_Id = id;
    return true;
}

void HotKeyRegistration::Unregister() {
    if (m_Window != nullptr && !UnregisterHotKey(m_Window, m_Id)) {
        ui::TraceLastError(L"HotKeyRegistration: UnregisterHotKey");
    }
    m_Window = nullptr;
    m_Key = {};
}

}  // namespace zarkit
