// Drops on real item lists, with the tables' store in a file: items moved between two
// tables by a real drag loop, files and shortcuts dropped on a list, and drop messages
// that do not come from the list's own drop target.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/messages.h"
#include "app/raw_tab_ctrl.h"
#include "app/table_controller.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/item_block.h"
#include "core/store.h"
#include "ui/com_guid.h"
#include "ui/data_object.h"
#include "ui/drop_source.h"
#include "ui/text.h"
#include "dialog_script.h"
#include "test_files.h"
#include "xml/msxml_document.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

constexpr char kAlpha[] = "{00000000-0000-0000-0000-00000000000A}";
constexpr char kBeta[] = "{00000000-0000-0000-0000-00000000000B}";
constexpr char kGamma[] = "{00000000-0000-0000-0000-00000000000C}";

// What a store file holds, read through the store itself: each table with the
// identifiers and labels of its items, in document order.
struct StoredTable {
    std::string name;
    std::vector<std::pair<std::string, std::string>> items;  // identifier, label
    std::vector<ItemRecord> records;
};

class CollectingSink : public TableLoadSink {
public:
    std::vector<StoredTable> tables;
    bool BeginTable(const std::string& name) override {
        tables.push_back(StoredTable{name, {}, {}});
        return true;
    }
    void InsertItemRecord(ItemRecord& record) override {
        tables.back().items.emplace_back(record.identifier, record.display_name);
        tables.back().records.push_back(record);
    }
    void EndTable() override {}
};

using Items = std::vector<std::pair<std::string, std::string>>;

class ItemDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CZarkitListCtrlView::RegisterWindowClass());
        ASSERT_TRUE(CRawTabCtrl::RegisterWindowClass());
        folder_ = FreshTestFolder(L"zk_item_drop");
        ASSERT_FALSE(folder_.empty());
        for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"}) {
            std::ofstream(folder_ / name) << "x";
        }
        store_path_ = folder_ / L"info_data.xml";
        std::ofstream(store_path_, std::ios::binary)
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><File_Desc>"
               "<SelTable_MouseOn>no</SelTable_MouseOn>"
               "<Table_Node><Table_Lable>One</Table_Lable>"
            << StoredItem("alpha.txt", kAlpha) << StoredItem("beta.txt", kBeta)
            << "</Table_Node><Table_Node><Table_Lable>Two</Table_Lable>"
            << StoredItem("gamma.txt", kGamma) << "</Table_Node></File_Desc>";

        host_ =
            CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"drop host", WS_POPUP | WS_VISIBLE, 100, 100,
                            600, 500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        ASSERT_TRUE(tabs_.CreateTabStrip(host_, Rect{0, 0, 600, 500}));
        tabs_.SetLayout(TabLayout::kLeftBar);
        auto store = std::make_unique<Store>(&MakeMsxmlDocument, ui::ComGuidSource());
        std::string error;
        ASSERT_TRUE(store->Open(ui::Narrow(store_path_.wstring()), &error)) << error;
        tables_.SetStore(std::move(store));
        tables_.LoadAllTables();
        ListAllTables();
        ASSERT_EQ(tabs_.TabCount(), 2);
    }

    void TearDown() override {
        DestroyWindow(host_);
        RemoveTestFolder(folder_);
    }

    std::string StoredItem(const char* file, const char* identifier) const {
        std::ostringstream item;
        item << "<Table_Item Nick_Name=\"" << fs::path(file).stem().string()
             << "\" Work_Dir=\"\" Start_Params=\"\" Unique_Identifier=\"" << identifier
             << "\" Is_VirtualFloder=\"no\">" << ui::Narrow((folder_ / file).wstring())
             << "</Table_Item>";
        return item.str();
    }

    std::vector<StoredTable> Stored() const {
        Store store(&MakeMsxmlDocument, ui::ComGuidSource());
        std::string error;
        EXPECT_TRUE(store.Open(ui::Narrow(store_path_.wstring()), &error)) << error;
        CollectingSink sink;
        store.LoadAllTables(sink);
        return sink.tables;
    }

    std::string StoreBytes() const {
        std::ifstream file(store_path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    CZarkitListCtrlView& View(int position) { return *tabs_.TabList(position); }

    // Every table's window made and its items listed, as finding across them does.
    void ListAllTables() {
        for (int position = 0; position < tabs_.TabCount(); ++position) {
            tabs_.TabList(position)->Records();
        }
    }

    // Identifier and label of every entry, in the list's (sorted) order.
    Items Listed(int position) {
        CFileDropListCtrl& list = View(position).ListCtrl();
        Items items;
        for (int index = 0; index < list.Count(); ++index) {
            const auto* item = reinterpret_cast<const ListedItem*>(list.Data(index));
            EXPECT_NE(item, nullptr);
            EXPECT_EQ(ui::Narrow(list.Label(index)), item ? item->record.display_name : "");
            items.emplace_back(item ? item->record.identifier : "", ui::Narrow(list.Label(index)));
        }
        return items;
    }

    // Shows the table at `position` and rests the pointer on its list, with no button
    // down: a drag loop started now drops there at once.
    void PointAtList(int position) {
        tabs_.SelectTab(position, false);
        const HWND list = View(position).ListCtrl().Hwnd();
        SetForegroundWindow(host_);
        UpdateWindow(host_);
        RECT rect{};
        GetWindowRect(list, &rect);
        ASSERT_TRUE(SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
        ASSERT_EQ(
            WindowFromPoint(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}),
            list);
    }

    // Rests the pointer on the list of the table at `position`, at `at` in its client area.
    void PointAtListPoint(int position, POINT at) {
        tabs_.SelectTab(position, false);
        const HWND list = View(position).ListCtrl().Hwnd();
        SetForegroundWindow(host_);
        UpdateWindow(host_);
        ClientToScreen(list, &at);
        ASSERT_TRUE(SetCursorPos(at.x, at.y));
        ASSERT_EQ(WindowFromPoint(at), list);
    }

    // On the icon of the entry at `index`.
    void PointAtEntry(int position, int index) {
        RECT icon{};
        icon.left = LVIR_ICON;
        SendMessageW(View(position).ListCtrl().Hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&icon));
        PointAtListPoint(position,
                         POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    }

    // As a drag with the mouse begins in the list of `from`: these labels selected, then
    // the list's begin-drag notification.
    void DragFrom(int from, const std::vector<std::string>& labels) {
        CFileDropListCtrl& list = View(from).ListCtrl();
        for (int index = 0; index < list.Count(); ++index) {
            const bool wanted = std::find(labels.begin(), labels.end(),
                                          ui::Narrow(list.Label(index))) != labels.end();
            LVITEMW state{};
            state.stateMask = LVIS_SELECTED;
            state.state = wanted ? LVIS_SELECTED : 0;
            SendMessageW(list.Hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&state));
        }
        NMLISTVIEW begin{};
        begin.hdr.hwndFrom = list.Hwnd();
        begin.hdr.idFrom = CFileDropListCtrl::kControlId;
        begin.hdr.code = LVN_BEGINDRAG;
        begin.iItem = list.NextSelected();
        SendMessageW(View(from).Hwnd(), WM_NOTIFY, CFileDropListCtrl::kControlId,
                     reinterpret_cast<LPARAM>(&begin));
    }

    // Runs a drag loop with `data` as another program's drag would; the effect.
    static DWORD DropData(IDataObject* data) {
        const ui::ComPtr<ui::DropSource> source = ui::MakeCom<ui::DropSource>();
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, source.Get(), DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
        return effect;
    }

    fs::path folder_;
    fs::path store_path_;
    HWND host_ = nullptr;
    // The tables first: they keep the image list the tab strip's lists show.
    TableController tables_{tabs_, "", ""};
    CRawTabCtrl tabs_;
};

const Items kOneAtStart{{kAlpha, "alpha"}, {kBeta, "beta"}};
const Items kTwoAtStart{{kGamma, "gamma"}};

TEST_F(ItemDropTest, AnItemDraggedToAnotherTableMovesThereInTheListAndTheFile) {
    PointAtList(1);
    DragFrom(0, {"alpha"});

    EXPECT_EQ(Listed(0), (Items{{kBeta, "beta"}}));
    EXPECT_EQ(Listed(1), (Items{{kAlpha, "alpha"}, {kGamma, "gamma"}}));
    const std::vector<StoredTable> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].items, (Items{{kBeta, "beta"}}));
    // At the end of the receiving table, with what it had in the source table.
    EXPECT_EQ(stored[1].items, (Items{{kGamma, "gamma"}, {kAlpha, "alpha"}}));
    EXPECT_EQ(stored[1].records[1].path, ui::Narrow((folder_ / L"alpha.txt").wstring()));
    EXPECT_EQ(ui::Widen(stored[1].records[1].work_dir), folder_.wstring());
}

// What find as you type answers, as (label, table): it follows every change of the
// lists, and never hands out an item that is gone.
TEST_F(ItemDropTest, FindingFollowsMovesRenamesDeletesAndDeletedTables) {
    int changes = 0;
    tables_.SetFinderListener([&changes] { ++changes; });
    const auto found = [this](std::string_view text) {
        std::vector<std::pair<std::string, std::string>> labels;
        for (const TableController::FoundItem& item : tables_.FindItems(text)) {
            labels.emplace_back(item.item->record.display_name, item.list->TableName());
        }
        return labels;
    };
    using Found = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(found("A"), (Found{{"alpha", "One"}, {"beta", "One"}, {"gamma", "Two"}}));
    EXPECT_EQ(found("zeta"), Found{});
    EXPECT_EQ(found("gamma.TXT"), (Found{{"gamma", "Two"}}));  // by its path

    PointAtList(1);
    DragFrom(0, {"alpha"});
    EXPECT_EQ(found("alp"), (Found{{"alpha", "Two"}}));
    EXPECT_GE(changes, 2);  // listed there, gone from here

    // Renamed in place, as the label edit ends.
    CFileDropListCtrl& two = View(1).ListCtrl();
    const int gamma = two.Count() - 1;
    ASSERT_EQ(ui::Narrow(two.Label(gamma)), "gamma");
    std::wstring text = L"Alphabet";
    NMLVDISPINFOW edit{};
    edit.hdr.hwndFrom = two.Hwnd();
    edit.hdr.idFrom = CFileDropListCtrl::kControlId;
    edit.hdr.code = LVN_ENDLABELEDITW;
    edit.item.iItem = gamma;
    edit.item.pszText = text.data();
    SendMessageW(View(1).Hwnd(), WM_NOTIFY, CFileDropListCtrl::kControlId,
                 reinterpret_cast<LPARAM>(&edit));
    EXPECT_EQ(found("alp"), (Found{{"alpha", "Two"}, {"Alphabet", "Two"}}));
    EXPECT_EQ(found("gamma"), (Found{{"Alphabet", "Two"}}));  // now only by its path

    // Deleted from its list.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(two.Hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    ASSERT_EQ(ui::Narrow(two.Label(0)), "alpha");
    SendMessageW(View(1).Hwnd(), WM_COMMAND, 32774, 0);
    EXPECT_EQ(found("alp"), (Found{{"Alphabet", "Two"}}));

    // A table added after it, then the first table deleted: the others move down.
    ASSERT_NE(tables_.AddTable("Three"), nullptr);
    ASSERT_TRUE(
        tables_.AddPathToTable("Three", ui::Narrow((folder_ / L"beta.txt").wstring()), "Bet"));
    ASSERT_EQ(tables_.DeleteTable("One"), StoreResult::kDone);
    EXPECT_EQ(found("bet"), (Found{{"Bet", "Three"}, {"Alphabet", "Two"}}));
    ASSERT_EQ(tables_.RenameTable("Two", "Deux"), StoreResult::kDone);
    EXPECT_EQ(found("alphab"), (Found{{"Alphabet", "Deux"}}));
}

TEST_F(ItemDropTest, ItemsDroppedOnTheListTheyCameFromStayAsTheyWere) {
    const std::string before = StoreBytes();
    PointAtList(0);
    DragFrom(0, {"alpha", "beta"});

    EXPECT_EQ(Listed(0), kOneAtStart);
    EXPECT_EQ(Listed(1), kTwoAtStart);
    EXPECT_EQ(StoreBytes(), before);
}

// While the table keeps its own order, its items dropped back on it go where they land:
// before the entry under the pointer, or after the last one below them all. The file
// follows, and the list shows either order from the same records at any time.
TEST_F(ItemDropTest, ItemsDroppedOnTheirOwnListGoWhereTheyLandInTheUsersOrder) {
    tables_.SetItemOrder(ItemOrder::kAsStored);
    const Items beta_first{{kBeta, "beta"}, {kAlpha, "alpha"}};
    PointAtEntry(0, 0);
    DragFrom(0, {"beta"});
    EXPECT_EQ(Listed(0), beta_first);
    EXPECT_EQ(Stored()[0].items, beta_first);
    EXPECT_EQ(Listed(1), kTwoAtStart);

    tables_.SetItemOrder(ItemOrder::kByLabel);
    EXPECT_EQ(Listed(0), kOneAtStart);
    tables_.SetItemOrder(ItemOrder::kAsStored);
    EXPECT_EQ(Listed(0), beta_first);

    RECT client{};
    GetClientRect(View(0).ListCtrl().Hwnd(), &client);
    PointAtListPoint(0, POINT{client.right / 2, client.bottom - 20});
    DragFrom(0, {"beta"});
    EXPECT_EQ(Listed(0), kOneAtStart);
    EXPECT_EQ(Stored()[0].items, kOneAtStart);

    // On itself: nothing to do, nothing written.
    const std::string before = StoreBytes();
    PointAtEntry(0, 1);
    DragFrom(0, {"beta"});
    EXPECT_EQ(Listed(0), kOneAtStart);
    EXPECT_EQ(StoreBytes(), before);

    // A file that cannot be replaced: the list keeps the file's order, and it is told.
    ASSERT_TRUE(SetFileAttributesW(store_path_.c_str(), FILE_ATTRIBUTE_READONLY));
    PointAtEntry(0, 0);
    DragFrom(0, {"beta"});
    EXPECT_EQ(Listed(0), kOneAtStart);
    EXPECT_EQ(StoreBytes(), before);
    EXPECT_TRUE(tables_.TakeStoreFailure().has_value());
    ASSERT_TRUE(SetFileAttributesW(store_path_.c_str(), FILE_ATTRIBUTE_NORMAL));
}

// New items go at the end of a table in the user's order, and a rename leaves the item
// where it stands; sorted by label again, both find their places by label.
TEST_F(ItemDropTest, InTheUsersOrderNewItemsGoLastAndRenamesStayInPlace) {
    tables_.SetItemOrder(ItemOrder::kAsStored);
    for (const char* name : {"Mole", "Aardvark"}) {
        ASSERT_TRUE(
            tables_.AddPathToTable("One", ui::Narrow((folder_ / L"gamma.txt").wstring()), name));
    }
    ASSERT_EQ(Listed(0).size(), 4u);
    EXPECT_EQ(Listed(0)[3].second, "Aardvark");
    EXPECT_EQ(Stored()[0].items[3].second, "Aardvark");

    CFileDropListCtrl& one = View(0).ListCtrl();
    std::wstring text = L"zulu";
    NMLVDISPINFOW edit{};
    edit.hdr.hwndFrom = one.Hwnd();
    edit.hdr.idFrom = CFileDropListCtrl::kControlId;
    edit.hdr.code = LVN_ENDLABELEDITW;
    edit.item.iItem = 0;
    edit.item.pszText = text.data();
    SendMessageW(View(0).Hwnd(), WM_NOTIFY, CFileDropListCtrl::kControlId,
                 reinterpret_cast<LPARAM>(&edit));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    const auto labels = [this] {
        std::vector<std::string> listed;
        for (const auto& item : Listed(0)) {
            listed.push_back(item.second);
        }
        return listed;
    };
    EXPECT_EQ(labels(), (std::vector<std::string>{"zulu", "beta", "Mole", "Aardvark"}));
    tables_.SetItemOrder(ItemOrder::kByLabel);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Aardvark", "beta", "Mole", "zulu"}));
    tables_.SetItemOrder(ItemOrder::kAsStored);
    EXPECT_EQ(labels(), (std::vector<std::string>{"zulu", "beta", "Mole", "Aardvark"}));
}

// A table moved to another place: in the file first, then its tab; the selection stays
// with it and the find index knows which list each item is in.
TEST_F(ItemDropTest, AMovedTableMovesInTheFileAndKeepsItsSelection) {
    tabs_.SelectTab(0, false);
    EXPECT_TRUE(tables_.FindItems("gamma").size() == 1);  // the find index is built
    ASSERT_TRUE(tables_.MoveTable(0, 1));
    EXPECT_EQ(tabs_.TabName(0), "Two");
    EXPECT_EQ(tabs_.TabName(1), "One");
    EXPECT_EQ(tables_.GetCurrentTable().name, "One");
    EXPECT_EQ(tabs_.SelectedPosition(), 1);
    EXPECT_TRUE(IsWindowVisible(View(1).Hwnd()));
    EXPECT_FALSE(IsWindowVisible(View(0).Hwnd()));
    std::vector<StoredTable> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].name, "Two");
    EXPECT_EQ(stored[1].items, kOneAtStart);
    const std::vector<TableController::FoundItem> found = tables_.FindItems("gamma");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].list->TableName(), "Two");

    EXPECT_FALSE(tables_.MoveTable(1, 1));
    EXPECT_FALSE(tables_.MoveTable(1, 2));
    EXPECT_FALSE(tables_.MoveTable(-1, 0));

    const std::string before = StoreBytes();
    ASSERT_TRUE(SetFileAttributesW(store_path_.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(tables_.MoveTable(1, 0));
    EXPECT_EQ(tabs_.TabName(0), "Two");
    EXPECT_EQ(tables_.GetCurrentTable().name, "One");
    EXPECT_EQ(StoreBytes(), before);
    EXPECT_TRUE(tables_.TakeStoreFailure().has_value());
    ASSERT_TRUE(SetFileAttributesW(store_path_.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(tables_.MoveTable(1, 0));
    EXPECT_EQ(Stored()[0].name, "One");
}

TEST_F(ItemDropTest, WhenTheSecondItemCannotBeAddedOnlyTheFirstMoves) {
    // Its target went after it was listed: the receiving list finds no icon for it.
    fs::remove(folder_ / L"beta.txt");
    PointAtList(1);
    DragFrom(0, {"alpha", "beta"});

    EXPECT_EQ(Listed(0), (Items{{kBeta, "beta"}}));
    EXPECT_EQ(Listed(1), (Items{{kAlpha, "alpha"}, {kGamma, "gamma"}}));
    const std::vector<StoredTable> stored = Stored();
    EXPECT_EQ(stored[0].items, (Items{{kBeta, "beta"}}));
    EXPECT_EQ(stored[1].items, (Items{{kGamma, "gamma"}, {kAlpha, "alpha"}}));
}

TEST_F(ItemDropTest, AnItemTheReceivingTableCannotSaveStaysInItsSourceTable) {
    const std::string before = StoreBytes();
    // The file layer refuses to replace a read-only file.
    ASSERT_TRUE(SetFileAttributesW(store_path_.c_str(), FILE_ATTRIBUTE_READONLY));
    PointAtList(1);
    DragFrom(0, {"alpha"});

    EXPECT_EQ(Listed(0), kOneAtStart);
    EXPECT_EQ(Listed(1), kTwoAtStart);
    EXPECT_EQ(StoreBytes(), before);

    // Nor does the next save write it into the receiving table.
    ASSERT_TRUE(SetFileAttributesW(store_path_.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_NE(tables_.AddTable("Three"), nullptr);
    const std::vector<StoredTable> stored = Stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].items, kOneAtStart);
    EXPECT_EQ(stored[1].items, kTwoAtStart);
}

TEST_F(ItemDropTest, FilesFoldersAndShortcutsDroppedOnAListBecomeItemsOfItsTable) {
    const fs::path program = folder_ / L"tools" / L"\u00E9diteur.exe";
    fs::create_directories(program.parent_path());
    std::ofstream(program) << "x";
    const fs::path work_dir = folder_ / L"work";
    fs::create_directories(work_dir);
    const fs::path shortcut = folder_ / L"Editor.lnk";
    ASSERT_EQ(SaveShortcut(shortcut, program, L"--open \"a b\"", work_dir), S_OK);
    const fs::path gamma = folder_ / L"gamma.txt";
    const ui::ComPtr<ui::DataObject> data = ui::MakeCom<ui::DataObject>();
    data->SetBytes(CF_HDROP, FileDropBytes({shortcut, work_dir, gamma, folder_ / L"gone.txt"}));

    PointAtList(1);
    EXPECT_EQ(DropData(data.Get()), static_cast<DWORD>(DROPEFFECT_COPY));

    const std::vector<StoredTable> stored = Stored();
    ASSERT_EQ(stored[1].records.size(), 4u);
    const ItemRecord& editor = stored[1].records[1];
    EXPECT_EQ(ui::Widen(editor.path), program.wstring());
    EXPECT_EQ(ui::Widen(editor.display_name), L"\u00E9diteur.exe");
    EXPECT_EQ(editor.start_params, "--open \"a b\"");
    EXPECT_EQ(ui::Widen(editor.work_dir), work_dir.wstring());
    const ItemRecord& folder = stored[1].records[2];
    EXPECT_EQ(folder.display_name, "work");
    EXPECT_EQ(ui::Widen(folder.work_dir), folder_.wstring());
    // The same file a second time: a second item, with an identifier of its own.
    const ItemRecord& again = stored[1].records[3];
    EXPECT_EQ(again.display_name, "gamma.txt");
    EXPECT_EQ(again.identifier.size(), 38u);
    EXPECT_NE(again.identifier, kGamma);
    EXPECT_EQ(Listed(1).size(), 4u);
    EXPECT_EQ(Listed(0), kOneAtStart);

    // Text that is no web address is taken and makes nothing.
    const std::wstring text = L"ftp://x";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    const ui::ComPtr<ui::DataObject> ftp = ui::MakeCom<ui::DataObject>();
    ftp->SetBytes(CF_UNICODETEXT, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)});
    EXPECT_EQ(DropData(ftp.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(Listed(1).size(), 4u);
}

// The tables here have no browser probe file, so the shell names no program for web
// pages: a web address dropped then is answered, above the drawer, and adds nothing.
TEST_F(ItemDropTest, AWebAddressDroppedWithNoBrowserIsToldAndAddsNothing) {
    const std::string before = StoreBytes();
    const std::wstring text = L"https://www.example.com/";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    const ui::ComPtr<ui::DataObject> data = ui::MakeCom<ui::DataObject>();
    data->SetBytes(CF_UNICODETEXT, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)});
    PointAtList(1);

    std::wstring said;
    wintest::DialogScript script;
    script.Then(wintest::CloseBoxOwnedBy(host_, said));
    script.Run([&] { return static_cast<INT_PTR>(DropData(data.Get())); });
    EXPECT_EQ(said, L"No web browser is registered, so the web address cannot be added.");
    EXPECT_EQ(Listed(1), kTwoAtStart);
    EXPECT_EQ(StoreBytes(), before);
}

// The drop messages carry pointers and any program can send any window any message:
// a list takes them only from its own drop target.
TEST_F(ItemDropTest, DropMessagesFromAnywhereElseAreIgnored) {
    const std::string before = StoreBytes();
    const HWND list = View(1).ListCtrl().Hwnd();
    ItemRecord record;
    record.path = ui::Narrow((folder_ / L"alpha.txt").wstring());
    record.display_name = "forged";
    record.identifier = "{00000000-0000-0000-0000-0000000000FF}";
    DroppedItems forged{ItemBlock{1, {record}}, {}};
    SendMessageW(list, WM_ZK_DROPITEMS, reinterpret_cast<WPARAM>(&forged), 0);
    EXPECT_TRUE(forged.taken.empty());
    for (const UINT message : {WM_ZK_DROPITEMS, WM_ZK_DROPTEXT, UINT{WM_DROPFILES}}) {
        SendMessageW(list, message, 0x10, 0);
        PostMessageW(list, message, 0xDEAD0000, 1);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(Listed(1), kTwoAtStart);
    EXPECT_EQ(StoreBytes(), before);
}

// Another program replaces the file in one step while the lists are up: the store takes
// the new file, asks for the tables again, and the lists then show what it holds, the
// selected table kept. Its own saves ask for nothing.
TEST_F(ItemDropTest, AFileReplacedByAnotherProgramComesIntoTheLists) {
    int rebuilds_asked = 0;
    // The drawer's part: the host is no drawer, so the request is looked at here.
    const auto rebuild_if_asked = [&] {
        MSG msg;
        while (PeekMessageW(&msg, host_, WM_ZK_STORERELOADED, WM_ZK_STORERELOADED, PM_REMOVE)) {
            ++rebuilds_asked;
        }
        if (tables_.RebuildWanted()) {
            tables_.RebuildTables();
            ListAllTables();
        }
    };
    tabs_.SelectTab(1, false);
    ASSERT_TRUE(tables_.StoreRenamedItem("Two", [&] {
        ItemRecord record = View(1).Records().front().record;
        record.display_name = "Gamma";
        return record;
    }()));
    EXPECT_EQ(tables_.GetStore().ReloadIfChanged(), Store::DiskState::kAsKnown);
    rebuild_if_asked();
    EXPECT_EQ(rebuilds_asked, 0);

    const fs::path theirs = folder_ / L"theirs.tmp";
    std::ofstream(theirs, std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><File_Desc>"
           "<Table_Node><Table_Lable>Zero</Table_Lable></Table_Node>"
           "<Table_Node><Table_Lable>Two</Table_Lable>"
        << StoredItem("gamma.txt", kGamma) << StoredItem("beta.txt", kBeta)
        << "</Table_Node></File_Desc>";
    ASSERT_TRUE(MoveFileExW(theirs.c_str(), store_path_.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(tables_.GetStore().ReloadIfChanged(), Store::DiskState::kReloaded);
    rebuild_if_asked();
    EXPECT_EQ(rebuilds_asked, 1);
    ASSERT_EQ(tabs_.TabCount(), 2);
    EXPECT_EQ(tabs_.TabName(0), "Zero");
    EXPECT_EQ(tables_.GetCurrentTable().name, "Two");
    EXPECT_EQ(Listed(1), (Items{{kBeta, "beta"}, {kGamma, "gamma"}}));
    // A change now goes onto their file.
    EXPECT_NE(tables_.AddTable("Three"), nullptr);
    EXPECT_EQ(Stored().size(), 3u);
    EXPECT_EQ(Stored()[0].name, "Zero");
}

}  // namespace
}  // namespace zarkit
