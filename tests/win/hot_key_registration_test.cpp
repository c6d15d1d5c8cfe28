#include "app/hot_key_registration.h"

#include <gtest/gtest.h>

#include "core/virtual_keys.h"

namespace zarkit {
namespace {

// A plain hidden window of its own, gone at the end of the scope.
class PlainWindow {
public:
    PlainWindow()
        : hwnd_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
    ~PlainWindow() { DestroyWindow(hwnd_); }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Keys nothing else on a test machine holds.
constexpr HotKey kF9{kModControl | kModAlt | kModShift, vk::kF1 + 8};
constexpr HotKey kF10{kModControl | kModAlt | kModShift, vk::kF10};

// What another program sees: whether it can take the key now.
bool Free(const HotKey& key) {
    PlainWindow other;
    if (!RegisterHotKey(other.Get(), 7, RegisterHotKeyModifiers(key), key.key)) {
        return false;
    }
    UnregisterHotKey(other.Get(), 7);
    return true;
}

TEST(HotKeyRegistration, ATakenKeyLeavesTheOldOneAndAChangeFreesIt) {
    PlainWindow drawer;
    HotKeyRegistration registration;
    ASSERT_TRUE(registration.Register(drawer.Get(), kF9));
    EXPECT_EQ(registration.Registered(), kF9);
    EXPECT_FALSE(Free(kF9));
    EXPECT_TRUE(registration.Register(drawer.Get(), kF9));  // again: still ours

    {
        PlainWindow holder;
        ASSERT_TRUE(RegisterHotKey(holder.Get(), 1, RegisterHotKeyModifiers(kF10), kF10.key));
        EXPECT_FALSE(registration.Register(drawer.Get(), kF10));
        EXPECT_EQ(registration.Registered(), kF9);
        EXPECT_FALSE(Free(kF9));
        UnregisterHotKey(holder.Get(), 1);
    }

    ASSERT_TRUE(registration.Register(drawer.Get(), kF10));
    EXPECT_TRUE(Free(kF9));
    EXPECT_FALSE(Free(kF10));
    EXPECT_TRUE(registration.Register(drawer.Get(), HotKey{}));
    EXPECT_TRUE(registration.Registered().Empty());
    EXPECT_TRUE(Free(kF10));
}

}  // namespace
}  // namespace zarkit
