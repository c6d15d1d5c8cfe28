// Items started through the shell as a double-click starts them, with the launch marker
// standing in for the program: shortcuts, working folders with variables, long paths, and
// an item the shell cannot start.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/dropped_files.h"
#include "app/raw_tab_ctrl.h"
#include "app/table_controller.h"
#include "app/zarkit_list_ctrl_view.h"
#include "dialog_script.h"
#include "test_files.h"
#include "ui/text.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

// As the marker writes a text into its JSON record.
std::string Json(const fs::path& path) {
    std::string text;
    for (const char c : ui::Narrow(path.wstring())) {
        text += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return "\"" + text + "\"";
}

class ItemLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CZarkitListCtrlView::RegisterWindowClass());
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        folder_ = FreshTestFolder(L"zk_item_launch");
        ASSERT_FALSE(folder_.empty());
        launches_ = folder_ / L"launches.txt";
        // Started programs inherit it: the marker writes there wherever it lies.
        SetEnvironmentVariableW(L"ZARKIT_LAUNCH_MARKER_FILE", launches_.c_str());
        view_ = std::make_unique<CZarkitListCtrlView>(tables_);
        ASSERT_TRUE(view_->CreateView(host_, Rect{0, 0, 500, 500}));
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"ZARKIT_LAUNCH_MARKER_FILE", nullptr);
        view_.reset();
        DestroyWindow(host_);
        RemoveTestFolder(folder_);
    }

    // Starts the last listed item as a double-click does. A box that says it could not
    // fails the test, and is closed.
    void LaunchLast() {
        wintest::DialogScript script;
        script.Run([&] {
            view_->Launch({&view_->Records().back().record});
            return INT_PTR{IDOK};
        });
    }

    HWND host_ = nullptr;
    fs::path folder_;
    fs::path launches_;
    TableController tables_{tabs_, "", ""};
    CRawTabCtrl tabs_;
    std::unique_ptr<CZarkitListCtrlView> view_;
};

TEST_F(ItemLaunchTest, AWorkingFolderWithVariablesIsExpandedAtLaunchAndStoredAsItWas) {
    const fs::path marker = folder_ / L"marker.exe";
    ASSERT_TRUE(CopyLaunchMarker(marker));
    const fs::path work = folder_ / L"home dir";
    fs::create_directories(work);
    SetEnvironmentVariableW(L"ZK_TEST_DRIVE", folder_.root_name().c_str());
    SetEnvironmentVariableW(L"ZK_TEST_HOME",
                            (folder_.relative_path().wstring() + L"\\home dir").c_str());
    const fs::path shortcut = folder_ / L"Marker.lnk";
    ASSERT_EQ(
        SaveShortcut(shortcut, marker, L"--from \"the link\"", L"%ZK_TEST_DRIVE%\\%ZK_TEST_HOME%"),
        S_OK);

    ItemRecord record;
    record.path = ui::Narrow(shortcut.wstring());
    ASSERT_TRUE(ResolveShortcut(record));
    EXPECT_EQ(record.work_dir, "%ZK_TEST_DRIVE%\\%ZK_TEST_HOME%");
    ASSERT_TRUE(view_->InsertItemRecord(record));
    LaunchLast();

    const std::vector<std::string> lines = WaitForLines(launches_, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\"cwd\": " + Json(work)), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("\"args\": [\"--from\", \"the link\"]"), std::string::npos) << lines[0];
    EXPECT_EQ(view_->Records().back().record.work_dir, "%ZK_TEST_DRIVE%\\%ZK_TEST_HOME%");
    SetEnvironmentVariableW(L"ZK_TEST_DRIVE", nullptr);
    SetEnvironmentVariableW(L"ZK_TEST_HOME", nullptr);
}

// The arguments and folder of a shortcut belong to its target: with the target gone they
// would be handed to the shortcut itself.
TEST_F(ItemLaunchTest, AShortcutWhoseTargetIsGoneIsKeptItselfWithoutItsArgumentsAndFolder) {
    const fs::path target = folder_ / L"gone.exe";
    ASSERT_TRUE(CopyLaunchMarker(target));
    const fs::path work = folder_ / L"work";
    fs::create_directories(work);
    const fs::path shortcut = folder_ / L"Gone.lnk";
    ASSERT_EQ(SaveShortcut(shortcut, target, L"--delete-everything", work), S_OK);
    ASSERT_TRUE(DeleteFileW(target.c_str()));

    ItemRecord record;
    record.path = ui::Narrow(shortcut.wstring());
    EXPECT_TRUE(ResolveShortcut(record));
    EXPECT_EQ(ui::Widen(record.path), shortcut.wstring());
    EXPECT_EQ(record.start_params, "");
    EXPECT_EQ(record.work_dir, "");
    ASSERT_TRUE(view_->InsertItemRecord(record));
    EXPECT_EQ(record.display_name, "Gone.lnk");

    // A file that is no shortcut keeps its path and gets nothing else.
    ItemRecord plain;
    plain.path = ui::Narrow(work.wstring());
    EXPECT_FALSE(ResolveShortcut(plain));
    EXPECT_EQ(plain.start_params, "");
}

TEST_F(ItemLaunchTest, APathOf300CharactersIsDroppedListedAndLaunched) {
    const fs::path marker = LongPathUnder(folder_, 300, L".exe");
    ASSERT_EQ(marker.wstring().size(), 300u);
    ASSERT_TRUE(CopyLaunchMarker(marker));
    const std::string path = ui::Narrow(marker.wstring());
    EXPECT_EQ(QueryPathStatus(path), PathStatus::kRegularFile);

    const std::vector<std::uint8_t> bytes = FileDropBytes({marker});
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    DropMode mode;
    mode.flags = DROP_FILES | DROP_FOLDERS;
    const std::vector<AcceptedPath> dropped =
        AcceptedDroppedFiles(static_cast<HDROP>(memory), mode);
    GlobalFree(memory);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].record.path, path);

    ItemRecord record = dropped[0].record;
    ASSERT_TRUE(view_->InsertItemRecord(record));
    EXPECT_EQ(view_->ListCtrl().Count(), 1);
    EXPECT_GE(view_->Records().back().image_index, 0);
    EXPECT_EQ(ui::Widen(record.display_name), marker.filename().wstring());
    // Started, or, where the system cannot start a program from so deep a folder (Wine,
    // depending on what the process has loaded), said so: never nothing.
    std::wstring text;
    bool started = false;
    wintest::DialogScript script;
    script.Then([&] {
        if (const HWND box = wintest::FindOwnedDialog(host_)) {
            text = wintest::MessageBoxText(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        }
        started = fs::exists(launches_);
        return started;
    });
    script.Run([&] {
        view_->Launch({&view_->Records().back().record});
        PumpUntil([&] { return started || !text.empty(); }, 5000);
        return INT_PTR{IDOK};
    });
    if (started) {
        EXPECT_EQ(WaitForLines(launches_, 1).size(), 1u);
    } else {
        EXPECT_NE(text.find(L"could not be started"), std::wstring::npos) << text;
    }
}

TEST_F(ItemLaunchTest, AnItemTheShellCannotStartIsToldInABoxOwnedByTheDrawer) {
    const fs::path file = folder_ / L"soon gone.exe";
    ASSERT_TRUE(CopyLaunchMarker(file));
    ItemRecord record;
    record.path = ui::Narrow(file.wstring());
    record.display_name = "Soon Gone";
    ASSERT_TRUE(view_->InsertItemRecord(record));
    ASSERT_TRUE(DeleteFileW(file.c_str()));

    std::wstring text;
    wintest::DialogScript script;
    script.Then(wintest::CloseBoxOwnedBy(host_, text));
    script.Run([&] {
        view_->Launch({&view_->Records().back().record});
        return INT_PTR{IDOK};
    });
    EXPECT_NE(text.find(L"\"Soon Gone\" could not be started."), std::wstring::npos) << text;
}

}  // namespace
}  // namespace zarkit
