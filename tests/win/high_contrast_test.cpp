// High contrast as the program reads it. Wine keeps no setting of its own, so these tests
// run where the program reads the value Windows stores it in.
#include <gtest/gtest.h>

#include <string>

#include "app/accessibility/high_contrast.h"
#include "ui/win32.h"

namespace zarkit {
namespace {

constexpr wchar_t kKey[] = L"Control Panel\\Accessibility\\HighContrast";

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Sets the stored flags for one test and takes them away again.
class HighContrastTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!UnderWine()) {
            GTEST_SKIP() << "on Windows the system's own setting is read";
        }
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (key_ != nullptr) {
            RegDeleteValueW(key_, L"Flags");
            RegCloseKey(key_);
        }
        ReadHighContrast();
    }

    void StoreText(const std::wstring& flags) {
        ASSERT_EQ(
            RegSetValueExW(key_, L"Flags", 0, REG_SZ, reinterpret_cast<const BYTE*>(flags.c_str()),
                           static_cast<DWORD>((flags.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
        ReadHighContrast();
    }

    HKEY key_ = nullptr;
};

TEST_F(HighContrastTest, TheStoredFlagsTurnTheSystemColoursOnAndOff) {
    StoreText(L"127");
    EXPECT_TRUE(HighContrastOn());
    const DrawerPalette on = CurrentDrawerPalette();
    EXPECT_FALSE(on.skin);
    EXPECT_EQ(ColourOf(on.selected_tab_face), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColourOf(on.list_background), GetSysColor(COLOR_WINDOW));

    StoreText(L"126");
    EXPECT_FALSE(HighContrastOn());
    const DrawerPalette off = CurrentDrawerPalette();
    EXPECT_TRUE(off.skin);
    EXPECT_EQ(ColourOf(off.list_background), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(off.selected_tab_text), RGB(255, 87, 15));

    // Written as a number, or as something else entirely.
    const DWORD number = 0x7F;
    ASSERT_EQ(RegSetValueExW(key_, L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number),
              ERROR_SUCCESS);
    ReadHighContrast();
    EXPECT_TRUE(HighContrastOn());
    StoreText(L"high");
    EXPECT_FALSE(HighContrastOn());
    RegDeleteValueW(key_, L"Flags");
    ReadHighContrast();
    EXPECT_FALSE(HighContrastOn());
}

}  // namespace
}  // namespace zarkit
