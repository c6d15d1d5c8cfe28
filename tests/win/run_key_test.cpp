#include "app/run_key.h"

#include <optional>
#include <string>

#include <aclapi.h>
#include <gtest/gtest.h>

#include "ui/handles.h"
#include "ui/text.h"

namespace zarkit {
namespace {

constexpr wchar_t kTestRoot[] = L"Software\\Zarkit Tests\\Run value";
const std::string kExe = "C:\\Program Files\\Zarkit \xE5\xB7\xA5\\zarkit.exe";

ui::KeyHandle CreateKey(HKEY parent, const std::wstring& path) {
    HKEY raw = nullptr;
    EXPECT_EQ(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                              nullptr),
              ERROR_SUCCESS)
        << ui::Narrow(path);
    return ui::KeyHandle(raw);
}

// The value under root's Run key: its data when it is a REG_SZ counted with its null.
std::optional<std::wstring> RunValue(HKEY root) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, kRunKeyPath, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const ui::KeyHandle key(raw);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.Get(), kRunValueName, nullptr, &type, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring data(bytes / sizeof(wchar_t), L'\0');
    RegQueryValueExW(key.Get(), kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                     &bytes);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_FALSE(data.empty());
    EXPECT_EQ(data.back(), L'\0') << "the stored size leaves out the terminating null";
    if (!data.empty() && data.back() == L'\0') {
        data.pop_back();
    }
    return data;
}

void PutRunValue(HKEY root, const std::wstring& data) {
    const ui::KeyHandle key = CreateKey(root, kRunKeyPath);
    RegSetValueExW(key.Get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

// Two stand-ins for the machine's and the user's registry trees, under the user's.
class RunKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        machine_ = CreateKey(HKEY_CURRENT_USER, std::wstring(kTestRoot) + L"\\machine");
        user_ = CreateKey(HKEY_CURRENT_USER, std::wstring(kTestRoot) + L"\\user");
        roots_ = {machine_.Get(), user_.Get()};
    }
    void TearDown() override {
        machine_.Reset();
        user_.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    }

    // A machine tree that has its Run key, as Windows always does.
    void GiveMachineItsRunKey() { CreateKey(machine_.Get(), kRunKeyPath); }

    ui::KeyHandle machine_;
    ui::KeyHandle user_;
    RunKeyRoots roots_;
};

TEST_F(RunKeyTest, OnWritesThePathForTheMachineAndDropsAUserCopy) {
    GiveMachineItsRunKey();
    PutRunValue(user_.Get(), L"C:\\old\\zarkit.exe");
    EXPECT_EQ(UpdateRunValue(true, kExe, roots_), RunValueResult::kInMachineKey);
    EXPECT_EQ(RunValue(machine_.Get()), ui::Widen(kExe));
    EXPECT_EQ(RunValue(user_.Get()), std::nullopt);
}

// The machine's key is only opened, never created; without it the user's takes the value.
TEST_F(RunKeyTest, OnFallsBackToTheUserWhenTheMachineKeyCannotBeOpened) {
    EXPECT_EQ(UpdateRunValue(true, kExe, roots_), RunValueResult::kInUserKey);
    EXPECT_EQ(RunValue(user_.Get()), ui::Widen(kExe));
    HKEY raw = nullptr;
    EXPECT_NE(RegOpenKeyExW(machine_.Get(), kRunKeyPath, 0, KEY_READ, &raw), ERROR_SUCCESS);
}

// What a normal user meets on a real machine: a Run key that may be read, not written.
TEST_F(RunKeyTest, OnFallsBackToTheUserWhenTheMachineKeyRefusesWrites) {
    GiveMachineItsRunKey();
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(machine_.Get(), kRunKeyPath, 0, WRITE_DAC, &raw), ERROR_SUCCESS);
    const ui::KeyHandle run(raw);
    EXPLICIT_ACCESS_W read_only{};
    BuildExplicitAccessWithNameW(&read_only, const_cast<wchar_t*>(L"CURRENT_USER"),
                                 KEY_READ | DELETE | WRITE_DAC, SET_ACCESS, NO_INHERITANCE);
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclW(1, &read_only, nullptr, &acl), ERROR_SUCCESS);
    const DWORD set = SetSecurityInfo(
        run.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
        nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    ASSERT_EQ(set, static_cast<DWORD>(ERROR_SUCCESS));
    if (RegOpenKeyExW(machine_.Get(), kRunKeyPath, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS) {
        RegCloseKey(raw);
        GTEST_SKIP() << "this system does not enforce registry key security";
    }

    EXPECT_EQ(UpdateRunValue(true, kExe, roots_), RunValueResult::kInUserKey);
    EXPECT_EQ(RunValue(user_.Get()), ui::Widen(kExe));
    EXPECT_EQ(RunValue(machine_.Get()), std::nullopt);
    EXPECT_EQ(UpdateRunValue(false, kExe, roots_), RunValueResult::kRemoved);
    EXPECT_EQ(RunValue(user_.Get()), std::nullopt);
}

TEST_F(RunKeyTest, OffRemovesTheValueFromBothAndAnAbsentValueIsNoError) {
    GiveMachineItsRunKey();
    PutRunValue(machine_.Get(), ui::Widen(kExe));
    PutRunValue(user_.Get(), ui::Widen(kExe));
    EXPECT_EQ(UpdateRunValue(false, kExe, roots_), RunValueResult::kRemoved);
    EXPECT_EQ(RunValue(machine_.Get()), std::nullopt);
    EXPECT_EQ(RunValue(user_.Get()), std::nullopt);
    EXPECT_EQ(UpdateRunValue(false, kExe, roots_), RunValueResult::kRemoved);

    // Other programs' values under the same key are left alone.
    const ui::KeyHandle run = CreateKey(machine_.Get(), kRunKeyPath);
    RegSetValueExW(run.Get(), L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"),
                   2 * sizeof(wchar_t));
    EXPECT_EQ(UpdateRunValue(true, kExe, roots_), RunValueResult::kInMachineKey);
    EXPECT_EQ(UpdateRunValue(false, kExe, roots_), RunValueResult::kRemoved);
    EXPECT_EQ(RegQueryValueExW(run.Get(), L"Other", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

// The Wine prefix's own machine key is writable, so the value lands there.
TEST(RunKey, RealKeysFollowTheSetting) {
    const std::optional<std::wstring> before = RunValue(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(UpdateRunValue(true, kExe), RunValueResult::kInMachineKey);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), ui::Widen(kExe));
    EXPECT_EQ(UpdateRunValue(false, kExe), RunValueResult::kRemoved);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), std::nullopt);
    if (before) {
        PutRunValue(HKEY_LOCAL_MACHINE, *before);
    }
}

}  // namespace
}  // namespace zarkit
