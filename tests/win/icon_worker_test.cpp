// Icons read on a thread of their own: answers reach the window, and neither a slow look-up
// nor the user quitting in the middle of a table's icons holds the program up.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/icon_worker.h"
#include "test_files.h"
#include "test_tray_icon.h"
#include "ui/text.h"
#include "ui/win32.h"

#include <commctrl.h>

namespace zarkit {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr UINT kIconsArrived = WM_APP + 7;

std::optional<int> IndexFromLength(const std::string& path) {
    return path == "gone" ? std::nullopt : std::optional<int>(static_cast<int>(path.size()));
}

// A look-up that hangs, as one on a network path that no longer answers does.
HANDLE g_release_slow_look_up = nullptr;
std::optional<int> HangingLookUp(const std::string&) {
    WaitForSingleObject(g_release_slow_look_up, 10000);
    return 1;
}

struct MessageWindow {
    MessageWindow()
        : hwnd(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                               nullptr)) {}
    ~MessageWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

TEST(IconWorker, AnswersComeInTheOrderAskedAndTheWindowIsTold) {
    MessageWindow window;
    ASSERT_NE(window.hwnd, nullptr);
    IconWorker worker(window.hwnd, kIconsArrived, &IndexFromLength);
    for (const char* path : {"a", "gone", "abc"}) {
        worker.Request(path);
    }
    // Only the worker's message is taken here: a general pump would dispatch it to the
    // static control, and the answers waiting behind it would never be asked for.
    std::vector<IconWorker::Answer> answers;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (answers.size() < 3 && Clock::now() < deadline) {
        MSG message;
        if (PeekMessageW(&message, window.hwnd, kIconsArrived, kIconsArrived, PM_REMOVE)) {
            for (auto& answer : worker.TakeAnswers()) {
                answers.push_back(std::move(answer));
            }
        } else {
            Sleep(5);
        }
    }
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_FALSE(worker.Busy());
    EXPECT_EQ(answers[0].path, "a");
    EXPECT_EQ(answers[0].system_index, 1);
    EXPECT_EQ(answers[1].path, "gone");
    EXPECT_EQ(answers[1].system_index, std::nullopt);
    EXPECT_EQ(answers[2].system_index, 3);
}

TEST(IconWorker, AHangingLookUpDoesNotHoldUpTheEnd) {
    g_release_slow_look_up = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(g_release_slow_look_up, nullptr);
    MessageWindow window;
    const auto started = Clock::now();
    {
        IconWorker worker(window.hwnd, kIconsArrived, &HangingLookUp);
        worker.Request("\\\\gone\\share\\tool.exe");
        worker.Request("\\\\gone\\share\\other.exe");
        Sleep(50);  // the first look-up is under way
        EXPECT_TRUE(worker.Busy());
    }
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(1));
    // The thread left behind finishes on its own state, and tells nobody.
    SetEvent(g_release_slow_look_up);
    Sleep(200);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, window.hwnd, kIconsArrived, kIconsArrived, PM_REMOVE));
}

HWND FindDrawer(DWORD process_id) {
    HWND drawer = nullptr;
    while ((drawer = FindWindowExW(nullptr, drawer, L"Zarkit", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(drawer, &owner);
        if (owner == process_id) {
            return drawer;
        }
    }
    return nullptr;
}

// The drawer's list with id 1024 once it has entries.
HWND FindListedList(HWND drawer) {
    HWND found = nullptr;
    EnumChildWindows(
        drawer,
        [](HWND child, LPARAM out) {
            if (GetDlgCtrlID(child) == 1024 && SendMessageW(child, LVM_GETITEMCOUNT, 0, 0) > 0) {
                *reinterpret_cast<HWND*>(out) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The real program with one table of the system folder's programs and libraries, each with
// an icon of its own to read, closed as soon as the table is listed.
TEST(IconWorker, QuittingWhileATablesIconsAreReadEndsAtOnceAndCleanly) {
    const fs::path folder = FreshTestFolder(L"zk_icons_quit");
    ASSERT_FALSE(folder.empty());
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    ASSERT_TRUE(CopyFileW((fs::path(exe).parent_path() / L"zarkit.exe").c_str(),
                          (folder / L"zarkit.exe").c_str(), FALSE));

    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    std::ofstream store(folder / L"info_data.xml", std::ios::binary);
    store
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><File_Desc>"
           "<Start_OnWindow>no</Start_OnWindow><Show_TickCount>450</Show_TickCount>"
           "<Show_TipOnStart>no</Show_TipOnStart><Animate_WindowOnStart>no</Animate_WindowOnStart>"
           "<SelTable_MouseOn>no</SelTable_MouseOn><Hot_Key></Hot_Key>"
           "<Table_Node><Table_Lable>Programs</Table_Lable>";
    int items = 0;
    for (const auto& entry : fs::directory_iterator(system)) {
        const std::wstring extension = entry.path().extension().wstring();
        if (items == 1500 || (extension != L".exe" && extension != L".dll")) {
            continue;
        }
        char identifier[64];
        snprintf(identifier, sizeof identifier, "{00000000-0000-0000-0000-%012d}", items++);
        store << "<Table_Item Nick_Name=\"\" Work_Dir=\"\" Start_Params=\"\" Unique_Identifier=\""
              << identifier << "\" Is_VirtualFloder=\"no\">" << ui::Narrow(entry.path().wstring())
              << "</Table_Item>";
    }
    store << "</Table_Node></File_Desc>";
    store.close();
    ASSERT_GT(items, 100) << "too few files to read icons from";

    // With no window manager on the test's screen Wine waits up to two seconds for one in
    // every managed window that goes; a window of its own has no such wait, as on Windows.
    const wchar_t* const x11_key = L"Software\\Wine\\AppDefaults\\zarkit.exe\\X11 Driver";
    RegSetKeyValueW(HKEY_CURRENT_USER, x11_key, L"Managed", REG_SZ, L"N", 4);
    // The same wait falls in the shell when the last tray icon goes.
    const TestTrayIcon tray_icon;

    std::wstring command = L"\"" + (folder / L"zarkit.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &process));
    HWND drawer = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
            drawer = FindDrawer(process.dwProcessId);
            return drawer != nullptr && FindListedList(drawer) != nullptr;
        },
        20000));

    const auto asked = Clock::now();
    PostMessageW(drawer, WM_CLOSE, 0, 0);
    const DWORD waited = WaitForSingleObject(process.hProcess, 10000);
    const auto took = Clock::now() - asked;
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    DWORD exit_code = 1;
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RemoveTestFolder(folder);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, x11_key, L"Managed");

    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_LT(took, std::chrono::seconds(1))
        << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
    EXPECT_EQ(exit_code, 0u);
}

}  // namespace
}  // namespace zarkit
