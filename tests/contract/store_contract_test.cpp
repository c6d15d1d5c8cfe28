// The store against one XML backend. Built natively with pugixml and for Windows with
// MSXML: portable C++ only, and no expectations on how the backend lays out its output.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/store.h"
#include "tests/contract/contract_backend.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

// fs::path::string() is in the ANSI code page on Windows; the store wants UTF-8.
std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path PathOf(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

constexpr char kSettings[] =
    "<Start_OnWindow>yes</Start_OnWindow><Show_TickCount>450</Show_TickCount>"
    "<Show_TipOnStart>yes</Show_TipOnStart><Animate_WindowOnStart>yes</Animate_WindowOnStart>"
    "<SelTable_MouseOn>no</SelTable_MouseOn>";

std::string StoreText(std::string_view file_desc_content) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--VELMOR SOFT Zarkit config file!-->"
           "<File_Desc>" +
           std::string(file_desc_content) + "</File_Desc>";
}

std::string TableText(std::string_view label, std::string_view items = "") {
    return "<Table_Node><Table_Lable>" + std::string(label) + "</Table_Lable>" +
           std::string(items) + "</Table_Node>";
}

std::string ItemText(std::string_view path, std::string_view nick, std::string_view id,
                     std::string_view virtual_folder = "no") {
    return "<Table_Item Nick_Name=\"" + std::string(nick) +
           "\" Work_Dir=\"\" Start_Params=\"\" Unique_Identifier=\"" + std::string(id) +
           "\" Is_VirtualFloder=\"" + std::string(virtual_folder) + "\">" + std::string(path) +
           "</Table_Item>";
}

ItemRecord Record(std::string path, std::string name, std::string id) {
    ItemRecord record;
    record.path = std::move(path);
    record.display_name = std::move(name);
    record.identifier = std::move(id);
    return record;
}

struct LoadedTable {
    std::string name;
    std::vector<ItemRecord> items;
};

class RecordingSink : public TableLoadSink {
public:
    explicit RecordingSink(std::size_t accept = SIZE_MAX) : accept_(accept) {}

    bool BeginTable(const std::string& name) override {
        if (tables.size() >= accept_) {
            return false;
        }
        tables.push_back({name, {}});
        return true;
    }
    void InsertItemRecord(ItemRecord& record) override { tables.back().items.push_back(record); }
    void EndTable() override { ++ended; }

    std::vector<LoadedTable> tables;
    int ended = 0;

private:
    std::size_t accept_;
};

std::vector<std::string> Names(const std::vector<ItemRecord>& items) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item.display_name);
    }
    return names;
}

GuidSource CountingGuids() {
    auto next = std::make_shared<std::uint32_t>(0x1000);
    return [next]() -> std::optional<Guid> {
        return Guid{(*next)++, 0xABCD, 0xEF01, {1, 2, 3, 4, 5, 6, 7, 8}};
    };
}

class StoreContract : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder name outside any ANSI code page catches narrow file APIs.
        dir_ = fs::temp_directory_path() /
               PathOf("zarkit-contract-" + std::to_string(std::random_device()()) +
                      " \xE2\x80\x93 \xE5\xB7\xA5\xE5\x85\xB7");
        fs::create_directories(dir_);
        path_ = Utf8Of(dir_ / "info_data.xml");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    Store NewStore() { return Store(&MakeContractDocument, CountingGuids()); }

    void WriteFile(const std::string& bytes) {
        std::ofstream(PathOf(path_), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string ReadFile() { return ReadFileAt(path_); }
    static std::string ReadFileAt(const std::string& path) {
        std::ifstream in(PathOf(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // `text` as the store file: opening it fails with an error naming the file, the
    // store that did not open never writes, and the file stays as it was.
    void ExpectRefusedAndUntouched(const std::string& text) {
        WriteFile(text);
        Store store = NewStore();
        std::string error;
        EXPECT_FALSE(store.Open(path_, &error)) << text;
        EXPECT_NE(error.find(path_), std::string::npos) << error;
        EXPECT_NE(store.AddTable("New"), StoreResult::kDone);
        EXPECT_FALSE(store.WriteSettings(Settings{}));
        EXPECT_FALSE(store.Save());
        EXPECT_EQ(ReadFile(), text);
    }

    // A store opened on `text`, written to the store path first.
    Store OpenWith(const std::string& text) {
        WriteFile(text);
        Store store = NewStore();
        std::string error;
        EXPECT_TRUE(store.Open(path_, &error)) << error;
        return store;
    }

    std::vector<LoadedTable> Load(Store& store) {
        RecordingSink sink;
        store.LoadAllTables(sink);
        return std::move(sink.tables);
    }
    std::vector<LoadedTable> Reload() {
        Store store = NewStore();
        std::string error;
        EXPECT_TRUE(store.Open(path_, &error)) << error;
        return Load(store);
    }

    // The saved file, parsed again by the backend.
    std::unique_ptr<XmlDocument> Saved() {
        auto document = MakeContractDocument();
        XmlParseError error;
        EXPECT_TRUE(document->Parse(ReadFile(), &error)) << error.reason;
        return document;
    }
    static std::string TextAt(XmlDocument& document, std::string_view path) {
        const XmlNode node = document.SelectSingle(document.DocumentNode(), path);
        return node ? document.Text(node) : "<missing>";
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(StoreContract, DefaultStoreHasProlog_SixSettingsInOrder_AndNoTables) {
    SCOPED_TRACE(ContractBackendName());
    ASSERT_TRUE(Store::CreateDefaultStore(&MakeContractDocument, path_));
    const std::string bytes = ReadFile();
    const std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    EXPECT_EQ(bytes.compare(start, 5, "<?xml"), 0) << bytes;
    const std::size_t comment = bytes.find("<!--VELMOR SOFT Zarkit config file!-->");
    EXPECT_NE(comment, std::string::npos);
    std::size_t previous = comment;
    for (const char* name : {"<File_Desc", "<Start_OnWindow", "<Show_TickCount", "<Show_TipOnStart",
                             "<Animate_WindowOnStart", "<SelTable_MouseOn", "<Hot_Key"}) {
        const std::size_t at = bytes.find(name);
        EXPECT_TRUE(at != std::string::npos && at > previous) << name << " in " << bytes;
        previous = at;
    }
    EXPECT_EQ(bytes.find("Table_Node"), std::string::npos);
    // No white space text of its own anywhere.
    EXPECT_EQ(TextAt(*Saved(), "File_Desc"), "yes450yesyesnoCtrl+Win+Z");

    Store store = NewStore();
    ASSERT_TRUE(store.Open(path_, nullptr));
    Settings settings;
    store.ReadSettings(settings);
    EXPECT_EQ(settings, (Settings{true, 450, true, true, false, "Ctrl+Win+Z", true, std::nullopt,
                                  std::nullopt}));
    EXPECT_TRUE(Load(store).empty());

    EXPECT_FALSE(
        Store::CreateDefaultStore(&MakeContractDocument, Utf8Of(dir_ / "gone" / "info_data.xml")));
    EXPECT_FALSE(fs::exists(dir_ / "gone"));
}

// Whatever stands at the store path, even something that is no store, is the user's.
TEST_F(StoreContract, TheDefaultStoreNeverReplacesAFileThatIsThere) {
    for (const std::string& there : {std::string("not a store \xFF"), std::string(),
                                     StoreText(std::string(kSettings) + TableText("Mine"))}) {
        WriteFile(there);
        EXPECT_FALSE(Store::CreateDefaultStore(&MakeContractDocument, path_));
        EXPECT_EQ(ReadFile(), there);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
            << "a temporary file was left";
    }
}

TEST_F(StoreContract, TheHotKeyIsStoredAsTextAndOlderStoresReadTheDefault) {
    // A store from before the hot key: the default, whatever was there before reading.
    Store store = OpenWith(StoreText(std::string(kSettings) + TableText("Tools")));
    Settings settings;
    settings.Hot_Key = "F1";
    store.ReadSettings(settings);
    EXPECT_EQ(settings.Hot_Key, "Ctrl+Win+Z");

    // Written at the end of File_Desc when missing, like Show_TickCount; the text as it is.
    settings.Hot_Key = "Shift+Win+\xC3\x9C <&>";
    ASSERT_TRUE(store.WriteSettings(settings));
    EXPECT_GT(ReadFile().find("<Hot_Key"), ReadFile().rfind("Table_Node>"));
    Store reopened = OpenWith(ReadFile());
    Settings read;
    reopened.ReadSettings(read);
    EXPECT_EQ(read, settings);

    // Empty means no hot key, and stays empty.
    settings.Hot_Key.clear();
    ASSERT_TRUE(reopened.WriteSettings(settings));
    Store again = OpenWith(ReadFile());
    read.Hot_Key = "Ctrl+Alt+Z";
    again.ReadSettings(read);
    EXPECT_EQ(read.Hot_Key, "");
    auto saved = Saved();
    EXPECT_EQ(
        saved->SelectChildren(saved->SelectSingle(saved->DocumentNode(), "File_Desc"), "Hot_Key")
            .size(),
        1u);
}

// Stores from before the setting sorted every list: a missing element reads "yes"; only
// exactly "yes" is yes, as for the other flags.
TEST_F(StoreContract, SortByNameIsOnUnlessTheStoreSaysOtherwise) {
    const std::string before = StoreText(std::string(kSettings) + TableText("Tools"));
    Store store = OpenWith(before);
    Settings settings;
    settings.Sort_ByName = false;
    store.ReadSettings(settings);
    EXPECT_TRUE(settings.Sort_ByName);
    EXPECT_EQ(ReadFile(), before) << "read, not written";

    settings.Sort_ByName = false;
    ASSERT_TRUE(store.WriteSettings(settings));
    EXPECT_EQ(TextAt(*Saved(), "File_Desc/Sort_ByName"), "no");
    Settings read;
    OpenWith(ReadFile()).ReadSettings(read);
    EXPECT_EQ(read, settings);

    for (const char* text : {"No", "yes ", "", "0"}) {
        Store other = OpenWith(StoreText(std::string(kSettings) + "<Sort_ByName>" + text +
                                         "</Sort_ByName>" + TableText("Tools")));
        Settings flags;
        other.ReadSettings(flags);
        EXPECT_FALSE(flags.Sort_ByName) << text;
    }
    Store yes = OpenWith(StoreText(std::string(kSettings) + "<Sort_ByName>yes</Sort_ByName>"));
    read.Sort_ByName = false;
    yes.ReadSettings(read);
    EXPECT_TRUE(read.Sort_ByName);
}

// A hand edit can ask for any delay; one beyond a minute would keep the drawer shut for
// good, and a negative one is no delay.
TEST_F(StoreContract, StoredDelaysAreReadWithinZeroToSixtySeconds) {
    const std::pair<const char*, int> cases[] = {
        {"60000", 60000},
        {"60001", 60000},
        {"4294967295", 60000},
        {"99999999999999", 60000},
        {"-1", 0},
        {"-2147483648", 0},
        {"0", 0},
        {" 77ms", 77},
    };
    for (const auto& [text, expected] : cases) {
        Store store =
            OpenWith(StoreText("<Show_TickCount>" + std::string(text) + "</Show_TickCount>"));
        Settings settings;
        store.ReadSettings(settings);
        EXPECT_EQ(settings.Show_TickCount, expected) << text;
    }
}

TEST_F(StoreContract, SettingsAreFoundByNameAndFlagsAreExactlyYes) {
    const std::string late_tick =
        "<Start_OnWindow>Yes</Start_OnWindow><Show_TipOnStart>yes </Show_TipOnStart>"
        "<Animate_WindowOnStart>yes</Animate_WindowOnStart><SelTable_MouseOn>yes</"
        "SelTable_MouseOn>" +
        TableText("Tools") + "<Show_TickCount> 77ms</Show_TickCount>";
    Store store = OpenWith(StoreText(late_tick));
    Settings settings;
    store.ReadSettings(settings);
    EXPECT_EQ(settings, (Settings{false, 77, false, true, true, "Ctrl+Win+Z", true, std::nullopt,
                                  std::nullopt}));

    Store second = OpenWith(StoreText(
        "<Start_OnWindow>Yes</Start_OnWindow><Show_TickCount> 77ms</Show_TickCount>"
        "<Show_TipOnStart>yes </Show_TipOnStart><Animate_WindowOnStart>yes</Animate_WindowOnStart>"
        "<SelTable_MouseOn>yes</SelTable_MouseOn>" +
        TableText("Tools")));
    Settings second_settings;
    second.ReadSettings(second_settings);
    EXPECT_EQ(second_settings, settings);

    // What was read as clear is written back as "no".
    ASSERT_TRUE(second.WriteSettings(second_settings));
    auto saved = Saved();
    EXPECT_EQ(TextAt(*saved, "File_Desc/Start_OnWindow"), "no");
    EXPECT_EQ(TextAt(*saved, "File_Desc/Show_TipOnStart"), "no");
    EXPECT_EQ(TextAt(*saved, "File_Desc/Show_TickCount"), "77");
}

TEST_F(StoreContract, SettingsAreReadAndWrittenEachOnItsOwn) {
    Store store = OpenWith(StoreText(
        "<Show_TipOnStart>no</Show_TipOnStart><Animate_WindowOnStart>no</Animate_WindowOnStart>"
        "<SelTable_MouseOn>yes</SelTable_MouseOn>" +
        TableText("Tools")));
    Settings settings{false, 0, true, true, false, "Ctrl+Alt+Z", true, std::nullopt, std::nullopt};
    store.ReadSettings(settings);
    // Start_OnWindow is missing and stays as it was; the later ones are still read.
    EXPECT_EQ(settings, (Settings{false, 450, false, false, true, "Ctrl+Win+Z", true, std::nullopt,
                                  std::nullopt}));

    settings.Show_TickCount = -25;
    ASSERT_TRUE(store.WriteSettings(settings));
    const std::string bytes = ReadFile();
    const std::size_t table_end = bytes.rfind("Table_Node>");
    EXPECT_GT(bytes.find("<Start_OnWindow"), table_end);
    EXPECT_GT(bytes.find("<Show_TickCount"), table_end);
    auto saved = Saved();
    EXPECT_EQ(TextAt(*saved, "File_Desc/Start_OnWindow"), "no");
    EXPECT_EQ(TextAt(*saved, "File_Desc/Show_TickCount"), "-25");
    EXPECT_EQ(TextAt(*saved, "File_Desc/SelTable_MouseOn"), "yes");
    EXPECT_EQ(saved
                  ->SelectChildren(saved->SelectSingle(saved->DocumentNode(), "File_Desc"),
                                   "Show_TickCount")
                  .size(),
              1u);
}

// Where the drawer lives: none stored is told apart from a stored "left", a store that has
// none gets none from Settings unless the user chose a place, and what is stored is kept as
// it was written, even a screen not connected now.
TEST_F(StoreContract, ThePlacementIsStoredOnlyOnceChosenAndBeforeTheDelay) {
    const std::string older = StoreText(
        "<Start_OnWindow>no</Start_OnWindow><Show_TipOnStart>no</Show_TipOnStart>"
        "<Animate_WindowOnStart>no</Animate_WindowOnStart><SelTable_MouseOn>no</SelTable_MouseOn>" +
        TableText("Tools"));
    Store store = OpenWith(older);
    Settings settings;
    settings.Dock_Screen = "\\\\.\\DISPLAY5";
    settings.Dock_Side = DockSide::kRight;
    store.ReadSettings(settings);
    EXPECT_EQ(settings.Dock_Screen, std::nullopt);
    EXPECT_EQ(settings.Dock_Side, std::nullopt);
    ASSERT_TRUE(store.WriteSettings(settings));
    EXPECT_EQ(ReadFile().find("Dock_"), std::string::npos);

    // Chosen in the same store before it had a delay: both go before the delay added last.
    Store chosen = OpenWith(older);
    settings.Dock_Screen = "\\\\.\\DISPLAY2";
    settings.Dock_Side = DockSide::kLeft;
    ASSERT_TRUE(chosen.WriteSettings(settings));
    const std::string bytes = ReadFile();
    EXPECT_LT(bytes.find("<Hot_Key"), bytes.find("<Dock_Screen>\\\\.\\DISPLAY2</Dock_Screen>"));
    EXPECT_LT(bytes.find("<Dock_Screen"), bytes.find("<Dock_Side>left</Dock_Side>"));
    EXPECT_LT(bytes.find("<Dock_Side"), bytes.find("<Show_TickCount"));
    EXPECT_EQ(bytes.find("<", bytes.find("</Show_TickCount>") + 1), bytes.find("</File_Desc>"));

    Store reopened = OpenWith(bytes);
    Settings read;
    reopened.ReadSettings(read);
    EXPECT_EQ(read, settings);
    // Changed in place, not added again.
    read.Dock_Side = DockSide::kRight;
    ASSERT_TRUE(reopened.WriteSettings(read));
    auto saved = Saved();
    EXPECT_EQ(TextAt(*saved, "File_Desc/Dock_Side"), "right");
    EXPECT_EQ(
        saved->SelectChildren(saved->SelectSingle(saved->DocumentNode(), "File_Desc"), "Dock_Side")
            .size(),
        1u);
}

TEST_F(StoreContract, AStoredPlacementIsReadLenientlyAndKeptAsItStands) {
    const std::pair<const char*, std::optional<DockSide>> sides[] = {
        {"right", DockSide::kRight}, {" RIGHT ", DockSide::kRight}, {"Left", DockSide::kLeft},
        {"", std::nullopt},          {"middle", std::nullopt},
    };
    for (const auto& [text, expected] : sides) {
        Store store = OpenWith(StoreText(std::string(kSettings) + "<Dock_Side>" + text +
                                         "</Dock_Side><Dock_Screen> Projector </Dock_Screen>"));
        Settings settings;
        store.ReadSettings(settings);
        EXPECT_EQ(settings.Dock_Side, expected) << text;
        EXPECT_EQ(settings.Dock_Screen, " Projector ");
        // Settings that do not touch the place leave an unknown side as it was written.
        ASSERT_TRUE(store.WriteSettings(settings));
        auto saved = Saved();
        EXPECT_EQ(TextAt(*saved, "File_Desc/Dock_Screen"), " Projector ");
        if (!expected) {
            EXPECT_EQ(TextAt(*saved, "File_Desc/Dock_Side"), text);
        }
    }
}

// Older programs find a delay they had to add at the very end of File_Desc: settings of
// our own that are missing too go before it.
TEST_F(StoreContract, AMissingDelayIsWrittenAsTheLastChild) {
    Store store = OpenWith(StoreText(
        "<Start_OnWindow>no</Start_OnWindow><Show_TipOnStart>no</Show_TipOnStart>"
        "<Animate_WindowOnStart>no</Animate_WindowOnStart><SelTable_MouseOn>no</SelTable_MouseOn>" +
        TableText("Tools")));
    Settings settings;
    store.ReadSettings(settings);
    ASSERT_TRUE(store.WriteSettings(settings));
    const std::string bytes = ReadFile();
    const std::size_t hot_key = bytes.find("<Hot_Key");
    const std::size_t sort_by_name = bytes.find("<Sort_ByName>yes</Sort_ByName>");
    const std::size_t delay = bytes.find("<Show_TickCount");
    EXPECT_GT(hot_key, bytes.rfind("Table_Node>"));
    EXPECT_GT(sort_by_name, hot_key);
    EXPECT_GT(delay, sort_by_name);
    EXPECT_EQ(bytes.find("<", bytes.find("</Show_TickCount>") + 1), bytes.find("</File_Desc>"));
}

TEST_F(StoreContract, ItemsLoadInDocumentOrderWithTheirFields) {
    const std::string special = ItemText("17", "My Computer", "{A}", " YES ");
    const std::string plain = ItemText("5", "Five", "{B}", "no");
    OpenWith(
        StoreText(std::string(kSettings) + "<Extra/>" +
                  TableText("Tools", special + plain + "<Table_Item>C:\\bare.exe</Table_Item>") +
                  "<Table_Node><Note/></Table_Node>" + TableText("Empty")));
    const auto tables = Reload();
    ASSERT_EQ(tables.size(), 2u);  // the node without a label is not a table
    EXPECT_EQ(tables[0].name, "Tools");
    EXPECT_EQ(tables[1].name, "Empty");
    EXPECT_TRUE(tables[1].items.empty());
    ASSERT_EQ(tables[0].items.size(), 3u);
    EXPECT_EQ(tables[0].items[0].special_folder, 1);
    EXPECT_EQ(tables[0].items[0].folder_id, 17);
    EXPECT_EQ(tables[0].items[0].display_name, "My Computer");
    EXPECT_EQ(tables[0].items[1].special_folder, 0);
    EXPECT_EQ(tables[0].items[1].folder_id, 0);
    EXPECT_EQ(tables[0].items[2].path, "C:\\bare.exe");
    EXPECT_EQ(tables[0].items[2].display_name, "");

    // A sink that refuses a table stops the loading there.
    Store store = NewStore();
    ASSERT_TRUE(store.Open(path_, nullptr));
    RecordingSink first_only(1);
    store.LoadAllTables(first_only);
    EXPECT_EQ(first_only.tables.size(), 1u);
    EXPECT_EQ(first_only.ended, 1);
}

TEST_F(StoreContract, TablesMatchInAnyCaseButUntrimmed_ItemsByIdentifierInAnyCase) {
    const std::string text = StoreText(
        std::string(kSettings) +
        TableText("Tools", ItemText("C:\\a.exe", "A", "{3a1f5c92-7d40-4e8b-9c21-5b7e0d4a6f13}")) +
        TableText(" Play"));
    Store store = OpenWith(text);
    EXPECT_FALSE(store.AddItem("Play", Record("C:\\b.exe", "B", "{B}")));
    EXPECT_EQ(store.DeleteTable("Play"), StoreResult::kNotFound);
    EXPECT_EQ(store.AddTable("play"), StoreResult::kNameTaken);
    EXPECT_EQ(ReadFile(), text);

    const ItemRecord upper =
        Record("C:\\a.exe", "Renamed", "{3A1F5C92-7D40-4E8B-9C21-5B7E0D4A6F13}");
    EXPECT_TRUE(store.RenameItem("TOOLS", upper));
    EXPECT_EQ(Reload()[0].items[0].display_name, "Renamed");
    EXPECT_TRUE(store.DeleteItem("tools", upper));
    EXPECT_TRUE(Reload()[0].items.empty());
    EXPECT_FALSE(store.DeleteItem("tools", upper));
}

TEST_F(StoreContract, AddItemWritesAllFiveAttributesInOrder) {
    ASSERT_TRUE(Store::CreateDefaultStore(&MakeContractDocument, path_));
    Store store = NewStore();
    ASSERT_TRUE(store.Open(path_, nullptr));
    ASSERT_EQ(store.AddTable("Tools"), StoreResult::kDone);
    ItemRecord computer = Record("17", "My Computer", "{C}");
    computer.special_folder = 1;
    ASSERT_TRUE(store.AddItem("tools", computer));

    auto saved = Saved();
    const XmlNode item =
        saved->SelectSingle(saved->DocumentNode(), "File_Desc/Table_Node/Table_Item");
    ASSERT_TRUE(item);
    EXPECT_EQ(saved->Text(item), "17");
    EXPECT_EQ(saved->Attributes(item), (std::vector<XmlAttribute>{{"Nick_Name", "My Computer"},
                                                                  {"Work_Dir", ""},
                                                                  {"Start_Params", ""},
                                                                  {"Unique_Identifier", "{C}"},
                                                                  {"Is_VirtualFloder", "yes"}}));

    const std::string before = ReadFile();
    EXPECT_FALSE(store.AddItem("Nowhere", Record("C:\\x.exe", "X", "{X}")));
    EXPECT_FALSE(store.AddItem("Tools", Record("", "X", "{X}")));
    EXPECT_FALSE(store.DeleteItem("Tools", Record("17", "X", "")));
    EXPECT_FALSE(store.DeleteItem("", computer));
    EXPECT_FALSE(store.RenameItem("Tools", Record("17", "X", "")));
    EXPECT_EQ(ReadFile(), before);
}

TEST_F(StoreContract, UnicodeNamesPathsAndAttributesRoundTripByteExact) {
    const std::string table = "Werkzeuge \xE2\x80\x93 \xE5\xB7\xA5\xE5\x85\xB7 \xF0\x9F\x98\x80";
    ItemRecord item;
    item.path =
        "C:\\\xC3\x9C"
        "ber \xE5\xB7\xA5\\\xF0\x9F\x98\x80 & <b>.exe";
    item.display_name = "\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1 \"quoted\" 'single'";
    item.work_dir =
        "C:\\\xC3\x9C"
        "ber \xE5\xB7\xA5";
    item.start_params = "--name=\xD0\x96\xD0\xB5\xD0\xBD\xD1\x8F <&>";
    item.identifier = "{0B7C44E1-29AF-4c1d-8E65-D2F0A93B7C08}";

    ASSERT_TRUE(Store::CreateDefaultStore(&MakeContractDocument, path_));
    Store store = NewStore();
    ASSERT_TRUE(store.Open(path_, nullptr));
    ASSERT_EQ(store.AddTable(table), StoreResult::kDone);
    ASSERT_TRUE(store.AddItem(table, item));
    EXPECT_NE(ReadFile().find(table), std::string::npos) << "not stored as UTF-8";

    auto tables = Reload();
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].name, table);
    ASSERT_EQ(tables[0].items.size(), 1u);
    EXPECT_EQ(tables[0].items[0], item);

    // Greek and Cyrillic capitals find their lower-case labels.
    const std::string greek =
        "\xCE\xA3\xCF\x87\xCE\xBF\xCE\xBB\xCE\xB5\xCE\xAF\xCE\xBF";  // Σχολείο
    ASSERT_EQ(store.RenameTable(table, greek), StoreResult::kDone);
    EXPECT_EQ(store.AddTable("\xCF\x83\xCF\x87\xCE\xBF\xCE\xBB\xCE\xB5\xCE\xAF\xCE\xBF"),
              StoreResult::kNameTaken);
    item.display_name = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80";
    ASSERT_TRUE(store.RenameItem(greek, item));
    tables = Reload();
    EXPECT_EQ(tables[0].name, greek);
    EXPECT_EQ(tables[0].items[0], item);
}

// UTF-16 little-endian bytes with a byte-order mark, whatever the host's byte order.
std::string Utf16LeFile(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// A hand-made store may declare another encoding. It is read in that encoding and written
// back as UTF-8, with a declaration that says so: the text survives every later save and
// start, and the file stays the same from the first save on.
TEST_F(StoreContract, StoresDeclaringOtherEncodingsAreWrittenBackAsUtf8AndStayStable) {
    const std::string cafe = "caf\xC3\xA9";
    const std::string tools = "\xE5\xB7\xA5\xE5\x85\xB7 caf\xC3\xA9";
    const struct {
        const char* name;
        std::string bytes;
        std::string label;
        const char* declared;
    } stores[] = {
        {"ISO-8859-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><File_Desc>" + std::string(kSettings) +
             TableText("caf\xE9", ItemText("C:\\caf\xE9.exe", "caf\xE9", "{L}")) + "</File_Desc>",
         cafe, "ISO-8859-1"},
        {"UTF-16",
         Utf16LeFile(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><File_Desc>"
                     u"<Show_TickCount>450</Show_TickCount><Table_Node><Table_Lable>"
                     u"\u5DE5\u5177 caf\u00E9</Table_Lable></Table_Node></File_Desc>"),
         tools, "UTF-16"},
    };
    for (const auto& stored : stores) {
        SCOPED_TRACE(stored.name);
        WriteFile(stored.bytes);
        std::string previous;
        for (int start = 0; start < 3; ++start) {
            SCOPED_TRACE("start " + std::to_string(start));
            Store store = NewStore();
            std::string error;
            ASSERT_TRUE(store.Open(path_, &error)) << error;
            const auto tables = Load(store);
            ASSERT_EQ(tables.size(), 1u);
            EXPECT_EQ(tables[0].name, stored.label);
            Settings settings;
            store.ReadSettings(settings);
            ASSERT_TRUE(store.WriteSettings(settings));
            const std::string saved = ReadFile();
            EXPECT_NE(saved.find(stored.label), std::string::npos) << "not UTF-8: " << saved;
            EXPECT_EQ(saved.find(stored.declared), std::string::npos) << saved;
            if (start > 0) {
                EXPECT_EQ(saved, previous);
            }
            previous = saved;
        }
    }
}

TEST_F(StoreContract, CharactersXmlCannotHoldNeverMakeTheFileUnreadable) {
    ASSERT_TRUE(Store::CreateDefaultStore(&MakeContractDocument, path_));
    Store store = NewStore();
    ASSERT_TRUE(store.Open(path_, nullptr));
    const std::string name = "Work\x01Tools\x1B";
    ASSERT_EQ(store.AddTable(name), StoreResult::kDone);
    ItemRecord item = Record("C:\\a\x02.exe", "Tab\there \x07", "{I}");
    item.start_params = "\x0C-x";
    ASSERT_TRUE(store.AddItem(name, item));
    const auto tables = Reload();
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].name, "WorkTools");
    ASSERT_EQ(tables[0].items.size(), 1u);
    EXPECT_EQ(tables[0].items[0].path, "C:\\a.exe");
    EXPECT_EQ(tables[0].items[0].display_name, "Tab\there ");
    EXPECT_EQ(tables[0].items[0].start_params, "-x");
    // The name as the caller knows it still finds the table.
    EXPECT_TRUE(store.RenameItem(name, Record("", "Renamed\x01", "{I}")));
    EXPECT_EQ(Reload()[0].items[0].display_name, "Renamed");
    EXPECT_EQ(store.DeleteTable(name), StoreResult::kDone);
}

TEST_F(StoreContract, UnknownElementsAndAttributesSurviveSaves) {
    Store store = OpenWith(
        StoreText(std::string(kSettings) + "<Extra kind=\"1\">x<Inner/></Extra>" +
                  TableText("Tools", "<Note>keep</Note>" + ItemText("C:\\a.exe", "A", "{A}"))));
    ASSERT_EQ(store.AddTable("More"), StoreResult::kDone);
    ASSERT_TRUE(store.WriteSettings(Settings{}));
    ASSERT_TRUE(store.DeleteItem("Tools", Record("C:\\a.exe", "A", "{A}")));

    auto saved = Saved();
    const XmlNode extra = saved->SelectSingle(saved->DocumentNode(), "File_Desc/Extra");
    ASSERT_TRUE(extra);
    EXPECT_EQ(saved->Attribute(extra, "kind"), "1");
    EXPECT_EQ(saved->Text(extra), "x");
    EXPECT_TRUE(saved->SelectSingle(extra, "Inner"));
    EXPECT_EQ(TextAt(*saved, "File_Desc/Table_Node/Note"), "keep");
}

TEST_F(StoreContract, ItemStoredWithoutIdentifierGetsOneOnItsElement) {
    const std::string text = StoreText(
        std::string(kSettings) +
        TableText("Tools", "<Table_Item Nick_Name=\"A\">C:\\a.exe</Table_Item>" +
                               ItemText("C:\\b.exe", "B", "") + ItemText("C:\\c.exe", "C", "{C}")));
    Store store = OpenWith(text);
    const auto tables = Load(store);
    EXPECT_EQ(ReadFile(), text) << "loading must not write";
    ASSERT_EQ(tables[0].items.size(), 3u);
    const ItemRecord a = tables[0].items[0];
    const ItemRecord b = tables[0].items[1];
    EXPECT_EQ(a.identifier.size(), 38u);
    EXPECT_EQ(b.identifier.size(), 38u);
    EXPECT_NE(a.identifier, b.identifier);
    EXPECT_EQ(tables[0].items[2].identifier, "{C}");

    // The identifiers reach the file with the next change, so the item can be deleted.
    ASSERT_TRUE(store.DeleteItem("Tools", a));
    const auto reloaded = Reload();
    ASSERT_EQ(reloaded[0].items.size(), 2u);
    EXPECT_EQ(reloaded[0].items[0].identifier, b.identifier);
    EXPECT_EQ(reloaded[0].items[1].identifier, "{C}");
}

TEST_F(StoreContract, TableOperationsKeepNamesUniqueAndOrderStable) {
    Store store = OpenWith(StoreText(std::string(kSettings) +
                                     TableText("Work", ItemText("C:\\w.exe", "W", "{W}")) +
                                     TableText("Play")));
    const std::string before = ReadFile();
    EXPECT_EQ(store.AddTable("work"), StoreResult::kNameTaken);
    EXPECT_EQ(store.AddTable("  WORK "), StoreResult::kNameTaken);
    EXPECT_EQ(store.RenameTable("Work", " play"), StoreResult::kNameTaken);
    EXPECT_EQ(store.RenameTable("Nothing", "Other"), StoreResult::kNotFound);
    EXPECT_EQ(ReadFile(), before);

    EXPECT_EQ(store.RenameTable("Work", "WORK"), StoreResult::kDone);
    EXPECT_EQ(store.AddTable("Last"), StoreResult::kDone);
    auto tables = Reload();
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].name, "WORK");
    EXPECT_EQ(Names(tables[0].items), std::vector<std::string>{"W"});
    EXPECT_EQ(tables[2].name, "Last");

    EXPECT_EQ(store.DeleteTable("work"), StoreResult::kDone);
    EXPECT_EQ(store.DeleteTable("PLAY"), StoreResult::kDone);
    EXPECT_EQ(store.DeleteTable("last"), StoreResult::kDone);
    EXPECT_EQ(store.DeleteTable("last"), StoreResult::kNotFound);
    EXPECT_TRUE(Reload().empty());
    EXPECT_EQ(ReadFile().find("Table_Node"), std::string::npos);
    EXPECT_EQ(ReadFile().find("{W}"), std::string::npos);
}

TEST_F(StoreContract, DeletingAnItemKeepsTheOthersInOrder_RenamePassesOverElementsWithoutNick) {
    Store store = OpenWith(StoreText(
        std::string(kSettings) +
        TableText("Tools",
                  "<Table_Item Unique_Identifier=\"{R}\">C:\\r.exe</Table_Item>" +
                      ItemText("C:\\1.exe", "1", "{1}") + ItemText("C:\\2.exe", "2", "{2}") +
                      ItemText("C:\\3.exe", "3", "{3}") + ItemText("C:\\r2.exe", "R", "{r}"))));
    ASSERT_TRUE(store.DeleteItem("Tools", Record("C:\\2.exe", "2", "{2}")));
    ASSERT_TRUE(store.AddItem("Tools", Record("C:\\4.exe", "4", "{4}")));
    ASSERT_TRUE(store.RenameItem("Tools", Record("C:\\r.exe", "Renamed", "{R}")));
    const auto tables = Reload();
    EXPECT_EQ(Names(tables[0].items), (std::vector<std::string>{"", "1", "3", "Renamed", "4"}));
    EXPECT_EQ(tables[0].items[0].path, "C:\\r.exe");
    auto saved = Saved();
    const XmlNode first =
        saved->SelectSingle(saved->DocumentNode(), "File_Desc/Table_Node/Table_Item");
    EXPECT_EQ(saved->Attributes(first), (std::vector<XmlAttribute>{{"Unique_Identifier", "{R}"}}));
}

// Only a hand edit gives two tables one name; an item operation then reaches both.
TEST_F(StoreContract, ItemChangesReachEveryTableOfTheName_AddsOnlyTheFirst) {
    Store store = OpenWith(StoreText(
        std::string(kSettings) + TableText("Tools", ItemText("C:\\a.exe", "A", "{A}")) +
        TableText("Other", ItemText("C:\\a.exe", "A", "{A}")) +
        TableText("TOOLS", ItemText("C:\\b.exe", "B", "{B}") + ItemText("C:\\a.exe", "A", "{a}"))));
    ASSERT_TRUE(store.RenameItem("tools", Record("C:\\a.exe", "Renamed", "{A}")));
    auto tables = Reload();
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(Names(tables[0].items), std::vector<std::string>{"Renamed"});
    EXPECT_EQ(Names(tables[1].items), std::vector<std::string>{"A"});
    EXPECT_EQ(Names(tables[2].items), (std::vector<std::string>{"B", "Renamed"}));

    ASSERT_TRUE(store.AddItem("Tools", Record("C:\\c.exe", "C", "{C}")));
    ASSERT_TRUE(store.DeleteItem("TOOLS", Record("C:\\a.exe", "Renamed", "{A}")));
    tables = Reload();
    EXPECT_EQ(Names(tables[0].items), std::vector<std::string>{"C"});
    EXPECT_EQ(Names(tables[1].items), std::vector<std::string>{"A"});
    EXPECT_EQ(Names(tables[2].items), std::vector<std::string>{"B"});
}

TEST_F(StoreContract, EverySaveKeepsTheFileItReplacesAsTheBackup) {
    const std::string backup_path = Store::BackupPathOf(path_);
    ASSERT_TRUE(Store::CreateDefaultStore(&MakeContractDocument, path_));
    EXPECT_FALSE(fs::exists(PathOf(backup_path))) << "a new store has no backup";
    const std::string fresh = ReadFile();
    Store store = NewStore();
    ASSERT_TRUE(store.Open(path_, nullptr));
    ASSERT_EQ(store.AddTable("First"), StoreResult::kDone);
    const std::string after_first = ReadFile();
    const auto backup = [&] { return ReadFileAt(backup_path); };
    EXPECT_EQ(backup(), fresh);
    ASSERT_TRUE(store.AddItem("First", Record("C:\\a.exe", "A", "{A}")));
    EXPECT_EQ(backup(), after_first) << "the backup holds the state before the last change";
    EXPECT_TRUE(Store::BackupLoads(&MakeContractDocument, path_));

    // A failed change keeps the backup it had.
    const std::string before_failure = backup();
    EXPECT_FALSE(store.DeleteItem("First", Record("C:\\a.exe", "A", "{none}")));
    EXPECT_EQ(backup(), before_failure);
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<fs::path>{"info_data.xml", "info_data.xml.bak"}));
}

TEST_F(StoreContract, ADamagedStoreIsKeptAsideAndItsBackupPutInItsPlace) {
    const std::string good = StoreText(std::string(kSettings) + TableText("Saved"));
    const std::string damaged = good.substr(0, good.size() - 20);
    const std::string backup_path = Store::BackupPathOf(path_);
    WriteFile(damaged);
    EXPECT_FALSE(Store::BackupLoads(&MakeContractDocument, path_)) << "no backup";
    std::ofstream(PathOf(backup_path), std::ios::binary) << damaged;
    EXPECT_FALSE(Store::BackupLoads(&MakeContractDocument, path_)) << "a damaged backup";
    std::ofstream(PathOf(backup_path), std::ios::binary | std::ios::trunc) << good;
    ASSERT_TRUE(Store::BackupLoads(&MakeContractDocument, path_));

    std::ofstream(PathOf(Store::DamagedPathOf(path_)), std::ios::binary) << "older damage";
    io::FileError error;
    ASSERT_TRUE(Store::RestoreBackup(path_, &error)) << error.text;
    EXPECT_EQ(ReadFile(), good);
    EXPECT_EQ(ReadFileAt(Store::DamagedPathOf(path_)), damaged);
    EXPECT_EQ(ReadFileAt(backup_path), good);
    const auto tables = Reload();
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].name, "Saved");

    // Without a backup nothing changes.
    fs::remove(PathOf(backup_path));
    WriteFile(damaged);
    EXPECT_FALSE(Store::RestoreBackup(path_, &error));
    EXPECT_NE(error.text.find(backup_path), std::string::npos) << error.text;
    EXPECT_EQ(ReadFile(), damaged);
}

TEST_F(StoreContract, LeftoversOfInterruptedSavesAreRemoved) {
    ASSERT_TRUE(Store::CreateDefaultStore(&MakeContractDocument, path_));
    for (const char* name : {"info_data.xml.1f-2-0-0.tmp", "info_data.xml.bak.77-1-2.tmp",
                             "info_data.xml.damaged.3-4.tmp", "info_data.xml.bak", "notes.txt"}) {
        std::ofstream(dir_ / name) << "x";
    }
    Store::RemoveLeftoverFiles(path_);
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<fs::path>{"info_data.xml", "info_data.xml.bak", "notes.txt"}));
}

TEST_F(StoreContract, DocumentTypeDeclarationsAreRefused) {
    for (const std::string& text : {
             std::string("<?xml version=\"1.0\"?><!DOCTYPE File_Desc [<!ENTITY x \"boom\">]>"
                         "<File_Desc>&x;</File_Desc>"),
             std::string("\xEF\xBB\xBF <!-- c --><?pi x?>\n<!DOCTYPE File_Desc SYSTEM "
                         "\"file:///etc/passwd\"><File_Desc/>"),
             std::string("<?xml version=\"1.0\"?><!DOCTYPE File_Desc><File_Desc>") + kSettings +
                 "</File_Desc>",
         }) {
        ExpectRefusedAndUntouched(text);
    }
}

TEST_F(StoreContract, EmptyTruncatedOrMalformedFilesFailToOpenAndStayAsTheyWere) {
    const std::string good = StoreText(std::string(kSettings) + TableText("Tools"));
    for (const std::string& text :
         {std::string(), good.substr(0, good.size() / 2),
          StoreText("<Start_OnWindow>yes</Show_TickCount>"),
          std::string("<File_Desc><a></File_Desc>"), std::string("   \n")}) {
        ExpectRefusedAndUntouched(text);
    }
    fs::remove(PathOf(path_));
    std::string error;
    EXPECT_FALSE(NewStore().Open(path_, &error));
    EXPECT_NE(error.find(path_), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(PathOf(path_)));
}

// A change the file could not take is taken back in memory too: what the drawer shows
// after a failure is what the file holds, and a later save cannot smuggle it in.
std::vector<std::string> TableNamesOf(const std::vector<LoadedTable>& tables) {
    std::vector<std::string> names;
    for (const LoadedTable& table : tables) {
        names.push_back(table.name);
    }
    return names;
}

// The user's order is the order of the elements: each move is one save of the whole
// document, and what follows the tables (newer settings) stays after them.
TEST_F(StoreContract, MovesPutTablesAndItemsInTheUsersOrder) {
    Store store = OpenWith(StoreText(
        std::string(kSettings) + TableText("One") +
        TableText("Two", ItemText("x", "X", "{X}") +
                             "<Table_Item Nick_Name=\"Old\">old</Table_Item>" +
                             ItemText("y", "Y", "{Y}") + ItemText("z", "Z", "{Z}")) +
        TableText("Three") + "<Hot_Key>Ctrl+Win+Z</Hot_Key><Sort_ByName>no</Sort_ByName>"));
    ASSERT_TRUE(store.Save());
    std::string before = ReadFile();
    EXPECT_EQ(store.MoveTable("Three", "One"), StoreResult::kDone);
    EXPECT_EQ(ReadFileAt(Store::BackupPathOf(path_)), before) << "one save";
    EXPECT_EQ(TableNamesOf(Reload()), (std::vector<std::string>{"Three", "One", "Two"}));
    EXPECT_EQ(store.MoveTable(" three ", ""), StoreResult::kNotFound);  // names untrimmed
    EXPECT_EQ(store.MoveTable("THREE", ""), StoreResult::kDone);
    EXPECT_EQ(TableNamesOf(Reload()), (std::vector<std::string>{"One", "Two", "Three"}));
    const std::string bytes = ReadFile();
    EXPECT_LT(bytes.rfind("</Table_Node>"), bytes.find("<Hot_Key>"));
    EXPECT_LT(bytes.find("</Sort_ByName>"), bytes.find("</File_Desc>"));

    before = ReadFile();
    EXPECT_EQ(store.MoveTable("Three", ""), StoreResult::kUnchanged);
    EXPECT_EQ(store.MoveTable("One", "Two"), StoreResult::kUnchanged);
    for (const auto& [name, anchor] : {std::pair("Four", "One"), std::pair("One", "Four"),
                                       std::pair("One", "one"), std::pair("", "One")}) {
        EXPECT_EQ(store.MoveTable(name, anchor), StoreResult::kNotFound) << name << anchor;
    }
    EXPECT_EQ(ReadFile(), before);

    // Items by identifier in any case; several keep the order they had.
    EXPECT_EQ(store.MoveItems("two", {"{z}"}, "{X}"), StoreResult::kDone);
    EXPECT_EQ(Names(Reload()[1].items), (std::vector<std::string>{"Z", "X", "Old", "Y"}));
    EXPECT_EQ(store.MoveItems("Two", {"{X}", "{Z}"}, ""), StoreResult::kDone);
    EXPECT_EQ(Names(Reload()[1].items), (std::vector<std::string>{"Old", "Y", "Z", "X"}));
    EXPECT_EQ(store.MoveItems("Two", {"{Y}"}, "{Z}"), StoreResult::kUnchanged);
    EXPECT_EQ(store.MoveItems("Two", {"{X}"}, ""), StoreResult::kUnchanged);
    before = ReadFile();
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"{Gone}"}, "{X}"}, {{"{Y}"}, "{Gone}"}, {{"{Y}", "{X}"}, "{X}"}, {{}, ""}, {{""}, "{X}"}};
    for (const auto& [moving, anchor] : refused) {
        EXPECT_EQ(store.MoveItems("Two", moving, anchor), StoreResult::kNotFound) << anchor;
    }
    EXPECT_EQ(store.MoveItems("One", {"{X}"}, ""), StoreResult::kNotFound);
    EXPECT_EQ(store.MoveItems("Nine", {"{X}"}, ""), StoreResult::kNotFound);
    EXPECT_EQ(ReadFile(), before);
    EXPECT_EQ(store.LastError().problem, io::FileProblem::kNone);
}

TEST_F(StoreContract, AFailedSaveTakesTheChangeBackAndLeavesNoTemporaryFile) {
    Store store = OpenWith(StoreText(
        std::string(kSettings) +
        TableText("Tools", ItemText("C:\\a.exe", "A", "{A}") + ItemText("C:\\b.exe", "B", "{B}")) +
        TableText("Games")));
    ASSERT_TRUE(store.Save());  // as this backend writes it
    const std::string before = ReadFile();
    // The store path taken by a folder: the new content cannot replace it.
    fs::remove(PathOf(path_));
    fs::create_directories(PathOf(path_) / "inside");
    EXPECT_EQ(store.AddTable("New"), StoreResult::kSaveFailed);
    EXPECT_NE(store.LastError().problem, io::FileProblem::kNone);
    EXPECT_NE(store.LastError().text.find(path_), std::string::npos) << store.LastError().text;
    EXPECT_FALSE(store.AddItem("Tools", Record("C:\\k.exe", "K", "{K}")));
    EXPECT_FALSE(store.DeleteItem("Tools", Record("C:\\a.exe", "A", "{A}")));
    EXPECT_FALSE(store.RenameItem("Tools", Record("C:\\b.exe", "Bee", "{B}")));
    EXPECT_EQ(store.DeleteTable("Tools"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.RenameTable("Games", "Play"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.MoveTable("Games", "Tools"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.MoveItems("Tools", {"{B}"}, "{A}"), StoreResult::kSaveFailed);
    EXPECT_NE(store.LastError().problem, io::FileProblem::kNone);
    Settings settings;
    store.ReadSettings(settings);
    settings.Show_TickCount = 99;
    settings.Hot_Key = "Win+F2";
    EXPECT_FALSE(store.WriteSettings(settings));
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        left.push_back(entry.path().filename());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<fs::path>{"info_data.xml", "info_data.xml.bak"}));

    // Saved once the way is free: the document is as it was, item order and all.
    fs::remove_all(PathOf(path_));
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(store.LastError().problem, io::FileProblem::kNone);
    EXPECT_EQ(ReadFile(), before);
    const auto tables = Reload();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].name, "Tools");
    EXPECT_EQ(Names(tables[0].items), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(tables[1].name, "Games");
    Settings read;
    store.ReadSettings(read);
    EXPECT_EQ(read.Show_TickCount, 450);

    // And the same changes go through now.
    EXPECT_EQ(store.DeleteTable("Tools"), StoreResult::kDone);
    EXPECT_EQ(store.AddTable("New"), StoreResult::kDone);

    // The folder gone altogether.
    fs::remove_all(dir_);
    EXPECT_EQ(store.DeleteTable("New"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.LastError().problem, io::FileProblem::kNotFound);
    EXPECT_FALSE(store.WriteSettings(Settings{}));
    EXPECT_FALSE(fs::exists(dir_));
}

// A table deleted between two others, and an item between two others, come back in
// their places.
TEST_F(StoreContract, TakenBackChangesKeepTheOrderOfTheDocument) {
    const std::string text =
        StoreText(std::string(kSettings) + TableText("One") +
                  TableText("Two", ItemText("x", "X", "{X}") + ItemText("y", "Y", "{Y}") +
                                       ItemText("z", "Z", "{Z}")) +
                  TableText("Three") + "<Extra>kept</Extra>");
    Store store = OpenWith(text);
    ASSERT_TRUE(store.Save());
    const std::string before = ReadFile();
    fs::remove(PathOf(path_));
    fs::create_directories(PathOf(path_) / "inside");
    EXPECT_EQ(store.DeleteTable("Two"), StoreResult::kSaveFailed);
    EXPECT_FALSE(store.DeleteItem("Two", Record("y", "Y", "{Y}")));
    EXPECT_EQ(store.DeleteTable("Three"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.MoveTable("Three", "One"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.MoveTable("One", ""), StoreResult::kSaveFailed);
    EXPECT_EQ(store.MoveItems("Two", {"{X}", "{Z}"}, "{Y}"), StoreResult::kSaveFailed);
    EXPECT_EQ(store.MoveItems("Two", {"{X}"}, ""), StoreResult::kSaveFailed);
    fs::remove_all(PathOf(path_));
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(), before);
}

// Another writer: a sync client, a second PC, an editor. It writes the whole file, in
// one step, as any program would.
class OtherWriterTest : public StoreContract {
protected:
    void SetUp() override {
        StoreContract::SetUp();
        first_ = StoreText(std::string(kSettings) +
                           TableText("Tools", ItemText("C:\\a.exe", "A", "{A}") +
                                                  ItemText("C:\\b.exe", "B", "{B}")) +
                           TableText("Games", ItemText("C:\\g.exe", "G", "{G}")));
    }

    // What the other writer leaves: the file as it was, with a table of its own added.
    std::string WithOtherTable(const std::string& text) {
        const std::size_t end = text.rfind("</File_Desc>");
        return text.substr(0, end) + TableText("FromOtherPC", ItemText("C:\\o.exe", "O", "{O}")) +
               text.substr(end);
    }

    std::vector<std::string> TableNames() {
        std::vector<std::string> names;
        for (const LoadedTable& table : Reload()) {
            names.push_back(table.name);
        }
        return names;
    }

    std::string first_;
};

TEST_F(OtherWriterTest, OnlyAnotherWritersChangeIsSeenAndReloaded) {
    Store store = OpenWith(first_);
    int reloads = 0;
    store.SetReloadedListener([&] { ++reloads; });
    EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kAsKnown);
    // Its own saves are no change.
    ASSERT_EQ(store.AddTable("Mine"), StoreResult::kDone);
    EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kAsKnown);
    EXPECT_EQ(reloads, 0);

    WriteFile(WithOtherTable(ReadFile()));
    EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kReloaded);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kAsKnown);
    const auto tables = Load(store);
    ASSERT_EQ(tables.size(), 4u);
    EXPECT_EQ(tables[3].name, "FromOtherPC");

    // Half synced: not taken, and asked again later.
    const std::string good = ReadFile();
    WriteFile(good.substr(0, good.size() / 2));
    EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kUnreadable);
    EXPECT_EQ(Load(store).size(), 4u);
    WriteFile(good);
    EXPECT_NE(store.ReloadIfChanged(), Store::DiskState::kUnreadable);

    fs::remove(PathOf(path_));
    EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kGone);
}

// Every change goes onto what the other writer left, and their version is the backup.
TEST_F(OtherWriterTest, EveryChangeIsAppliedOnTopOfTheOtherWritersFile) {
    struct Case {
        const char* what;
        std::function<bool(Store&)> change;
        std::function<void(const std::vector<LoadedTable>&)> check;
    };
    const Case cases[] = {
        {"add table", [](Store& s) { return s.AddTable("New") == StoreResult::kDone; },
         [](const auto& t) { EXPECT_EQ(t.back().name, "New"); }},
        {"delete table", [](Store& s) { return s.DeleteTable("Games") == StoreResult::kDone; },
         [](const auto& t) {
             ASSERT_EQ(t.size(), 2u);
             EXPECT_EQ(t[1].name, "FromOtherPC");
         }},
        {"rename table",
         [](Store& s) { return s.RenameTable("games", "Play") == StoreResult::kDone; },
         [](const auto& t) { EXPECT_EQ(t[1].name, "Play"); }},
        {"add item", [](Store& s) { return s.AddItem("Games", Record("C:\\n.exe", "N", "{N}")); },
         [](const auto& t) {
             EXPECT_EQ(Names(t[1].items), (std::vector<std::string>{"G", "N"}));
         }},
        {"delete item",
         [](Store& s) { return s.DeleteItem("Tools", Record("C:\\a.exe", "A", "{A}")); },
         [](const auto& t) { EXPECT_EQ(Names(t[0].items), std::vector<std::string>{"B"}); }},
        {"rename item",
         [](Store& s) { return s.RenameItem("Tools", Record("C:\\b.exe", "Bee", "{B}")); },
         [](const auto& t) {
             EXPECT_EQ(Names(t[0].items), (std::vector<std::string>{"A", "Bee"}));
         }},
        {"move table", [](Store& s) { return s.MoveTable("Games", "Tools") == StoreResult::kDone; },
         [](const auto& t) {
             ASSERT_EQ(t.size(), 3u);
             EXPECT_EQ(t[0].name, "Games");
             EXPECT_EQ(t[2].name, "FromOtherPC");
         }},
        {"move table to the end",
         [](Store& s) { return s.MoveTable("Tools", "") == StoreResult::kDone; },
         [](const auto& t) { EXPECT_EQ(t.back().name, "Tools"); }},
        {"move items",
         [](Store& s) { return s.MoveItems("Tools", {"{B}"}, "{A}") == StoreResult::kDone; },
         [](const auto& t) {
             EXPECT_EQ(Names(t[0].items), (std::vector<std::string>{"B", "A"}));
         }},
        {"settings",
         [](Store& s) {
             Settings settings;
             s.ReadSettings(settings);
             settings.Show_TickCount = 123;
             return s.WriteSettings(settings);
         },
         [](const auto&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store store = OpenWith(first_);
        const std::string theirs = WithOtherTable(ReadFile());
        WriteFile(theirs);
        ASSERT_TRUE(c.change(store));
        EXPECT_EQ(ReadFileAt(Store::BackupPathOf(path_)), theirs);
        const auto tables = Reload();
        EXPECT_TRUE(std::any_of(tables.begin(), tables.end(),
                                [](const LoadedTable& t) { return t.name == "FromOtherPC"; }));
        c.check(tables);
        // What the store holds in memory is what the file holds.
        const std::string saved = ReadFile();
        EXPECT_EQ(store.ReloadIfChanged(), Store::DiskState::kAsKnown);
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(ReadFile(), saved);
    }
    Store store = OpenWith(first_);
    WriteFile(WithOtherTable(ReadFile()));
    Settings settings;
    store.ReadSettings(settings);
    settings.Show_TickCount = 77;
    ASSERT_TRUE(store.WriteSettings(settings));
    Settings read;
    OpenWith(ReadFile()).ReadSettings(read);
    EXPECT_EQ(read.Show_TickCount, 77);
    EXPECT_EQ(TableNames().back(), "FromOtherPC");
}

// What the other writer removed cannot be changed: nothing happens, nothing is written.
TEST_F(OtherWriterTest, ChangesWhoseTargetTheOtherWriterRemovedDoNothing) {
    const std::string theirs =
        StoreText(std::string(kSettings) + TableText("Tools", ItemText("C:\\b.exe", "B", "{B}")));
    Store store = OpenWith(first_);
    WriteFile(theirs);
    EXPECT_EQ(store.RenameTable("Games", "Play"), StoreResult::kNotFound);
    EXPECT_EQ(store.DeleteTable("Games"), StoreResult::kNotFound);
    EXPECT_FALSE(store.AddItem("Games", Record("C:\\n.exe", "N", "{N}")));
    EXPECT_FALSE(store.DeleteItem("Tools", Record("C:\\a.exe", "A", "{A}")));
    EXPECT_FALSE(store.RenameItem("Tools", Record("C:\\a.exe", "Aa", "{A}")));
    // A move whose table, item or anchor is gone.
    EXPECT_EQ(store.MoveTable("Games", "Tools"), StoreResult::kNotFound);
    EXPECT_EQ(store.MoveTable("Tools", "Games"), StoreResult::kNotFound);
    EXPECT_EQ(store.MoveItems("Tools", {"{A}"}, "{B}"), StoreResult::kNotFound);
    EXPECT_EQ(store.MoveItems("Tools", {"{B}"}, "{A}"), StoreResult::kNotFound);
    EXPECT_EQ(store.MoveItems("Games", {"{G}"}, ""), StoreResult::kNotFound);
    EXPECT_EQ(store.LastError().problem, io::FileProblem::kNone);
    EXPECT_EQ(ReadFile(), theirs);
    ASSERT_EQ(Load(store).size(), 1u);
    // And what is still there can.
    EXPECT_TRUE(store.RenameItem("Tools", Record("C:\\b.exe", "Bee", "{B}")));
}

// A file another writer left half synced, damaged or unparseable is never written over;
// once it reads again, the next change goes onto it.
TEST_F(OtherWriterTest, AnUnreadableNewerFileIsLeftAsItIs) {
    Store store = OpenWith(first_);
    for (const std::string& broken :
         {WithOtherTable(first_).substr(0, 200), std::string("not xml at all"), std::string(),
          std::string("<!DOCTYPE x [<!ENTITY e 'e'>]><File_Desc/>")}) {
        WriteFile(broken);
        EXPECT_EQ(store.AddTable("Lost"), StoreResult::kSaveFailed);
        EXPECT_EQ(store.LastError().problem, io::FileProblem::kChangedElsewhere);
        EXPECT_FALSE(store.AddItem("Tools", Record("C:\\n.exe", "N", "{N}")));
        Settings settings;
        EXPECT_FALSE(store.WriteSettings(settings));
        EXPECT_EQ(ReadFile(), broken);
    }
    WriteFile(WithOtherTable(first_));
    EXPECT_EQ(store.AddTable("Kept"), StoreResult::kDone);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"Tools", "Games", "FromOtherPC", "Kept"}));
}

// Gone (a sync client deleting and writing anew): the change is written as at the first
// save, from what the store holds.
TEST_F(OtherWriterTest, AFileThatIsGoneIsWrittenAnew) {
    Store store = OpenWith(first_);
    fs::remove(PathOf(path_));
    EXPECT_EQ(store.AddTable("New"), StoreResult::kDone);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"Tools", "Games", "New"}));
}

}  // namespace
}  // namespace zarkit
