// The item list and the tab strip driven by messages in windows of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/raw_tab_ctrl.h"
#include "app/table_controller.h"
#include "app/zarkit_list_ctrl_view.h"
#include "test_files.h"
#include "ui/text.h"
#include "ui/win32.h"
#include "ui/window.h"
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace zarkit {
namespace {

namespace fs = std::filesystem;

// A hidden top-level window to hold the controls, and a folder of files for items.
class ItemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CZarkitListCtrlView::RegisterWindowClass());
        ASSERT_TRUE(CRawTabCtrl::RegisterWindowClass());
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        folder_ = FreshTestFolder(L"zk_item_list");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        DestroyWindow(host_);
        RemoveTestFolder(folder_);
    }

    std::string MakeFile(const fs::path& relative) {
        const fs::path path = folder_ / relative;
        fs::create_directories(path.parent_path());
        std::FILE* file = _wfopen(path.c_str(), L"w");
        std::fclose(file);
        return ui::Narrow(path.wstring());
    }

    std::unique_ptr<CZarkitListCtrlView> MakeView() {
        auto view = std::make_unique<CZarkitListCtrlView>(tables_);
        EXPECT_TRUE(view->CreateView(host_, Rect{0, 0, 500, 500}));
        return view;
    }

    HWND host_ = nullptr;
    fs::path folder_;
    // The tables first: they keep the image list the tab strip's lists show.
    TableController tables_{tabs_, "", ""};
    CRawTabCtrl tabs_;
};

ItemRecord PathRecord(const std::string& path, std::string name = "") {
    ItemRecord record;
    record.path = path;
    record.display_name = std::move(name);
    return record;
}

TEST_F(ItemListTest, EveryEntryStillFindsItsRecordAfterTheListGrew) {
    const std::string path = MakeFile(L"target.txt");
    auto view = MakeView();
    for (int i = 0; i < 300; ++i) {
        ItemRecord record = PathRecord(path, "Item " + std::to_string(1000 + i));
        ASSERT_TRUE(view->InsertItemRecord(record));
    }
    CFileDropListCtrl& list = view->ListCtrl();
    ASSERT_EQ(list.Count(), 300);
    for (int index = 0; index < list.Count(); ++index) {
        const auto* item = reinterpret_cast<const ListedItem*>(list.Data(index));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(ui::Narrow(list.Label(index)), item->record.display_name);
        EXPECT_EQ(list.GetItemTipText(index), path + "   ");
    }
}

std::vector<std::string> Labels(const CFileDropListCtrl& list) {
    std::vector<std::string> labels;
    for (int index = 0; index < list.Count(); ++index) {
        labels.push_back(ui::Narrow(list.Label(index)));
    }
    return labels;
}

// The list puts every entry in its place itself: listed at once or one by one, into an
// empty list or a full one, the labels read in order, case ignored, repeats kept.
TEST_F(ItemListTest, EntriesStandInLabelOrderHoweverTheyCame) {
    const std::string path = MakeFile(L"target.txt");
    auto view = MakeView();
    for (const char* name : {"pear", "Apple", "zebra", "apple", "Mango", "banana"}) {
        view->QueueItemRecord(PathRecord(path, name));
    }
    view->ListQueuedRecords();
    const std::vector<std::string> sorted{"Apple", "apple", "banana", "Mango", "pear", "zebra"};
    EXPECT_EQ(Labels(view->ListCtrl()), sorted);

    for (const char* name : {"Cherry", "aardvark", "zz top", "MANGO"}) {
        ItemRecord record = PathRecord(path, name);
        ASSERT_TRUE(view->InsertItemRecord(record));
    }
    view->QueueItemRecord(PathRecord(path, "kiwi"));
    view->ListQueuedRecords();
    EXPECT_EQ(Labels(view->ListCtrl()),
              (std::vector<std::string>{"aardvark", "Apple", "apple", "banana", "Cherry", "kiwi",
                                        "Mango", "MANGO", "pear", "zebra", "zz top"}));
    // Every entry still finds its own record.
    for (int index = 0; index < view->ListCtrl().Count(); ++index) {
        const auto* item = reinterpret_cast<const ListedItem*>(view->ListCtrl().Data(index));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(ui::Narrow(view->ListCtrl().Label(index)), item->record.display_name);
    }
}

TEST_F(ItemListTest, APathThatIsGoneIsNotListed) {
    auto view = MakeView();
    ItemRecord record = PathRecord(ui::Narrow((folder_ / L"missing.txt").wstring()), "Gone");
    EXPECT_FALSE(view->InsertItemRecord(record));
    EXPECT_EQ(view->ListCtrl().Count(), 0);
    EXPECT_TRUE(view->Records().empty());
}

TEST_F(ItemListTest, APathItemGetsItsLabelWorkingDirectoryAndIdentifier) {
    const std::string path = MakeFile(L"tools\\editor.exe");
    auto view = MakeView();
    ItemRecord record = PathRecord(path);
    ASSERT_TRUE(view->InsertItemRecord(record));
    EXPECT_EQ(record.display_name, "editor.exe");
    EXPECT_EQ(record.work_dir, ui::Narrow((folder_ / L"tools").wstring()));
    EXPECT_EQ(record.identifier.size(), 38u);
    EXPECT_EQ(view->Records().front().record, record);
}

// The list's own tooltip: a popup owned (as popups of child windows are) by the list's
// top-level window, and not the one the list view control keeps for itself.
HWND TipOf(HWND list) {
    struct Search {
        HWND owner;
        HWND builtin;
        HWND tip;
    } search{GetAncestor(list, GA_ROOT), ListView_GetToolTips(list), nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[64];
            GetClassNameW(window, name, 64);
            if (GetWindow(window, GW_OWNER) == s->owner && window != s->builtin &&
                wcscmp(name, TOOLTIPS_CLASSW) == 0) {
                s->tip = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.tip;
}

TEST_F(ItemListTest, ALongPathGetsAllOfItInItsTooltip) {
    // 200 characters in all, well past the 80 a tooltip's own buffer holds.
    const std::wstring base = folder_.wstring() + L"\\";
    std::wstring relative;
    // Folders while one more still leaves room for at least "x.exe".
    while (base.size() + relative.size() + 10 + 5 <= 200) {
        relative += L"abcdefghi\\";
    }
    relative += std::wstring(200 - base.size() - relative.size() - 4, L'x') + L".exe";
    const std::string path = MakeFile(relative);
    ASSERT_EQ(ui::Widen(path).size(), 200u);

    auto view = MakeView();
    ItemRecord record = PathRecord(path, "Long");
    record.start_params = "--flag";
    ASSERT_TRUE(view->InsertItemRecord(record));
    CFileDropListCtrl& list = view->ListCtrl();
    POINT position{};
    ASSERT_TRUE(ListView_GetItemPosition(list.Hwnd(), 0, &position));
    SendMessageW(list.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(position.x + 20, position.y + 10));

    const HWND tip = TipOf(list.Hwnd());
    ASSERT_NE(tip, nullptr);
    wchar_t text[1024] = L"";
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list.Hwnd();
    tool.uId = 0;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), ui::Widen(path) + L"   --flag");
}

// The tooltips are owned by the top-level window, which outlives the list: they must go
// with the list, or every deleted table that was ever pointed at leaves windows behind.
TEST_F(ItemListTest, TheTooltipGoesWithItsList) {
    const std::string path = MakeFile(L"pointed.txt");
    for (int round = 0; round < 3; ++round) {
        auto view = MakeView();
        ItemRecord record = PathRecord(path, "Pointed at");
        ASSERT_TRUE(view->InsertItemRecord(record));
        const HWND list = view->ListCtrl().Hwnd();
        POINT position{};
        ASSERT_TRUE(ListView_GetItemPosition(list, 0, &position));
        SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(position.x + 20, position.y + 10));
        const HWND tip = TipOf(list);
        const HWND builtin = ListView_GetToolTips(list);
        ASSERT_NE(tip, nullptr);
        view.reset();
        EXPECT_FALSE(IsWindow(tip)) << "round " << round;
        EXPECT_FALSE(IsWindow(builtin)) << "round " << round;
    }
}

// References held on the shell's image list of one size: what an AddRef finds beyond
// the caller's own two.
ULONG ExtraReferences(int which) {
    static constexpr GUID kImageListId = {
        0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    IUnknown* list = nullptr;
    if (FAILED(SHGetImageList(which, kImageListId, reinterpret_cast<void**>(&list)))) {
        return 0;
    }
    const ULONG count = list->AddRef();
    list->Release();
    list->Release();
    return count - 2;
}

// Icons of many kinds at two sizes, and the cache gone: the shell's image lists hold no
// more references than before. (Wine's SHGetFileInfoW adds one of its own per look-up, so
// the paths are looked up before counting.)
TEST_F(ItemListTest, TheShellsImageListsAreLetGo) {
    std::vector<std::string> paths;
    for (const wchar_t* name : {L"a.txt", L"b.exe", L"c.bat", L"d.ini", L"sub\\e.dll"}) {
        paths.push_back(MakeFile(name));
    }
    paths.push_back(ui::Narrow(folder_.wstring()));
    auto icons = std::make_unique<ShellIconCache>("");
    for (const std::string& path : paths) {
        ASSERT_TRUE(icons->SystemIconOf(PathRecord(path))) << path;
    }
    const ULONG large = ExtraReferences(SHIL_LARGE);
    const ULONG extra_large = ExtraReferences(SHIL_EXTRALARGE);
    for (const int dpi : {96, 144, 96}) {
        icons->SetDpi(dpi);
        for (const std::string& path : paths) {
            EXPECT_TRUE(icons->ImageOf(PathRecord(path))) << path;
        }
    }
    icons.reset();
    EXPECT_EQ(ExtraReferences(SHIL_LARGE), large);
    EXPECT_EQ(ExtraReferences(SHIL_EXTRALARGE), extra_large);
}

// Shown among its siblings (the test's host itself is never shown).
bool Shown(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// A table not shown has no window until it is needed: finding in it, or asking whether
// it holds an item, makes the window and lists its items first; showing it does too.
TEST_F(ItemListTest, ATableNeverShownGetsItsWindowWhenItIsNeeded) {
    const std::string path = MakeFile(L"queued.txt");
    ASSERT_TRUE(tabs_.CreateTabStrip(host_, Rect{0, 0, 500, 500}));
    tabs_.SetLayout(TabLayout::kLeftBar);
    for (const char* name : {"Shown", "Hidden", "Later"}) {
        auto list = std::make_unique<CZarkitListCtrlView>(tables_);
        list->SetTableName(name);
        list->QueueItemRecord(PathRecord(path, std::string(name) + " Item"));
        tabs_.AddTab(std::move(list), CRawTabCtrl::kLoading);
    }
    for (int position = 0; position < 3; ++position) {
        EXPECT_EQ(tabs_.TabList(position)->Hwnd(), nullptr) << position;
    }
    tabs_.SelectTab(0, false);
    ASSERT_NE(tabs_.TabList(0)->Hwnd(), nullptr);
    EXPECT_TRUE(Shown(tabs_.TabList(0)->Hwnd()));
    EXPECT_EQ(tabs_.TabList(0)->ListCtrl().Count(), 1);
    CZarkitListCtrlView* hidden = tabs_.TabList(1);
    hidden->QueueItemRecord(PathRecord(ui::Narrow((folder_ / L"gone.txt").wstring()), "Gone"));
    EXPECT_EQ(hidden->Hwnd(), nullptr);

    // Finding lists them first, hidden.
    const std::vector<TableController::FoundItem> found = tables_.FindItems("hidden");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].list, hidden);
    EXPECT_EQ(found[0].item->record.display_name, "Hidden Item");
    ASSERT_NE(hidden->Hwnd(), nullptr);
    EXPECT_FALSE(Shown(hidden->Hwnd()));
    EXPECT_EQ(hidden->ListCtrl().Count(), 1);
    EXPECT_TRUE(tables_.ItemNameExists("hidden item ", "hidden"));
    EXPECT_FALSE(tables_.ItemNameExists("Gone", ""));

    // Shown, the last one has its window and its item, and the one before is hidden.
    tabs_.SelectTab(2, false);
    EXPECT_TRUE(Shown(tabs_.TabList(2)->Hwnd()));
    EXPECT_FALSE(Shown(tabs_.TabList(0)->Hwnd()));
    EXPECT_EQ(tabs_.TabList(2)->ListCtrl().Count(), 1);
}

// A list that, on its way out, has the tab strip walk its tabs, as messages sent while
// a window is destroyed may.
class ListThatSelectsOnDestroy : public CZarkitListCtrlView {
public:
    ListThatSelectsOnDestroy(TableController& tables, CRawTabCtrl& tabs)
        : CZarkitListCtrlView(tables), tabs_(tabs) {}
    ~ListThatSelectsOnDestroy() override { Destroy(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_DESTROY) {
            tabs_.SelectTab(2, false);
            selected_during_destroy_ = tabs_.SelectedPosition();
        }
        return CZarkitListCtrlView::HandleMessage(message, wparam, lparam);
    }

private:
    CRawTabCtrl& tabs_;
    int selected_during_destroy_ = -2;
};

TEST_F(ItemListTest, ATabGoesBeforeItsListSoTheStripNeverSeesOneWithoutTheOther) {
    ASSERT_TRUE(tabs_.CreateTabStrip(host_, Rect{0, 0, 500, 500}));
    tabs_.SetLayout(TabLayout::kLeftBar);
    for (const char* name : {"One", "Two", "Three"}) {
        auto list = std::make_unique<ListThatSelectsOnDestroy>(tables_, tabs_);
        ASSERT_TRUE(list->CreateView(tabs_.Hwnd(), tabs_.GetListArea()));
        list->SetTableName(name);
        tabs_.AddTab(std::move(list));
    }
    tabs_.EraseTab(1);
    ASSERT_EQ(tabs_.TabCount(), 2);
    EXPECT_EQ(tabs_.TabList(0)->TableName(), "One");
    EXPECT_EQ(tabs_.TabList(1)->TableName(), "Three");
}

class ThrowsInCreate : public ui::Window {
protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_CREATE) {
            throw std::runtime_error("half built");
        }
        return ui::Window::HandleMessage(message, wparam, lparam);
    }
};

TEST(WindowBase, AWindowWhoseCreationThrowsIsNotCreated) {
    ASSERT_TRUE(ui::Window::RegisterWindowClass(L"ZkThrowsInCreate"));
    ThrowsInCreate window;
    EXPECT_FALSE(
        window.Create(0, L"ZkThrowsInCreate", L"", WS_POPUP, Rect{0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(window.Hwnd(), nullptr);
}

}  // namespace
}  // namespace zarkit
