#include <gtest/gtest.h>

#include <string>

#include "app/zarkit_app.h"
#include "ui/win32.h"

namespace zarkit {
namespace {

std::string NoPath() {
    return {};
}

// Where a relative "\config.ini" would land: the root of the current drive.
std::wstring AtDriveRoot(const wchar_t* name) {
    wchar_t full[MAX_PATH];
    const DWORD length =
        GetFullPathNameW((std::wstring(L"\\") + name).c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : std::wstring();
}

// Without its own path the program would write config.ini to the root of the drive and
// start any Update.exe found there; it must end at once instead.
TEST(StartUp, WithoutItsOwnPathTheProgramEndsAtOnceAndWritesNothing) {
    const std::wstring config = AtDriveRoot(L"config.ini");
    ASSERT_FALSE(config.empty());
    ASSERT_EQ(GetFileAttributesW(config.c_str()), INVALID_FILE_ATTRIBUTES)
        << "a config.ini at the drive root already";

    CZarkitApp app(&NoPath);
    EXPECT_NE(app.Main(), 0);
    EXPECT_EQ(GetFileAttributesW(config.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FindWindowW(L"Zarkit", nullptr), nullptr);
    // The single-instance mutex was never taken.
    const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"VELMOR ZARKIT MUTEX");
    EXPECT_EQ(mutex, nullptr);
    if (mutex != nullptr) {
        CloseHandle(mutex);
    }
    DeleteFileW(config.c_str());
}

}  // namespace
}  // namespace zarkit
