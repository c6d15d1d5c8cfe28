// Store behaviour that does not depend on the XML backend's contract: failing
// factories and GUID sources, and the error text of a failed open.

#include "core/store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "xml/pugi_document.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() / ("zarkit-store-" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
        path_ = (dir_ / "info_data.xml").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string Read() {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
    std::string path_;
};

class CollectingSink : public TableLoadSink {
public:
    bool BeginTable(const std::string&) override { return true; }
    void InsertItemRecord(ItemRecord& record) override { items.push_back(record); }
    void EndTable() override {}
    std::vector<ItemRecord> items;
};

TEST_F(StoreTest, WithoutADocumentObjectNothingOpensOrIsWritten) {
    const XmlDocumentFactory none = [] { return std::unique_ptr<XmlDocument>(); };
    EXPECT_FALSE(Store::CreateDefaultStore(none, path_));
    EXPECT_FALSE(fs::exists(path_));
    ASSERT_TRUE(Store::CreateDefaultStore(&MakePugiDocument, path_));
    std::string error;
    Store store(none, RandomGuidSource());
    EXPECT_FALSE(store.Open(path_, &error));
    EXPECT_NE(error.find(path_), std::string::npos) << error;
}

TEST_F(StoreTest, OpenErrorGivesThePlaceOfTheFault) {
    Write("<File_Desc>\n<Start_OnWindow>yes</Show_TickCount></File_Desc>");
    std::string error;
    EXPECT_FALSE(Store(&MakePugiDocument, RandomGuidSource()).Open(path_, &error));
    EXPECT_EQ(error.find(path_ + ": line 2, column "), 0u) << error;
}

TEST_F(StoreTest, AFailedOpenClosesTheStoreOpenBefore) {
    ASSERT_TRUE(Store::CreateDefaultStore(&MakePugiDocument, path_));
    Store store(&MakePugiDocument, RandomGuidSource());
    ASSERT_TRUE(store.Open(path_, nullptr));
    const std::string before = Read();
    EXPECT_FALSE(store.Open((dir_ / "missing.xml").string(), nullptr));
    EXPECT_EQ(store.AddTable("New"), StoreResult::kNotFound);
    EXPECT_EQ(Read(), before);
}

TEST_F(StoreTest, WhenNoIdentifierCanBeMadeTheElementStaysAsItWas) {
    Write(
        "<File_Desc><Table_Node><Table_Lable>T</Table_Lable>"
        "<Table_Item Nick_Name=\"A\">C:\\a.exe</Table_Item></Table_Node></File_Desc>");
    Store store(&MakePugiDocument, [] { return std::optional<Guid>(); });
    ASSERT_TRUE(store.Open(path_, nullptr));
    CollectingSink sink;
    store.LoadAllTables(sink);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].identifier, "");
    ASSERT_EQ(store.AddTable("U"), StoreResult::kDone);
    EXPECT_NE(Read().find("<Table_Item Nick_Name=\"A\">"), std::string::npos) << Read();
}

// Found by fuzzing: a hand edit can give an item one attribute twice, which pugixml
// accepts. Loading showed one name and renaming changed the other, so the new name never
// showed after a restart.
TEST_F(StoreTest, AnAttributeGivenTwiceIsReadAndChangedAsItsFirst) {
    constexpr char kId[] = "{3A1F5C92-7D40-4e8b-9C21-5B7E0D4A6F13}";
    Write(std::string("<File_Desc><Table_Node><Table_Lable>T</Table_Lable>"
                      "<Table_Item Nick_Name=\"First\" Work_Dir=\"\" Nick_Name=\"Second\" "
                      "Start_Params=\"\" Unique_Identifier=\"") +
          kId + "\" Is_VirtualFloder=\"no\">C:\\a.exe</Table_Item></Table_Node></File_Desc>");
    Store store(&MakePugiDocument, RandomGuidSource());
    ASSERT_TRUE(store.Open(path_, nullptr));
    CollectingSink loaded;
    store.LoadAllTables(loaded);
    ASSERT_EQ(loaded.items.size(), 1u);
    EXPECT_EQ(loaded.items[0].display_name, "First");

    ItemRecord renamed = loaded.items[0];
    renamed.display_name = "Renamed";
    ASSERT_TRUE(store.RenameItem("T", renamed));
    Store again(&MakePugiDocument, RandomGuidSource());
    ASSERT_TRUE(again.Open(path_, nullptr));
    CollectingSink reloaded;
    again.LoadAllTables(reloaded);
    ASSERT_EQ(reloaded.items.size(), 1u);
    EXPECT_EQ(reloaded.items[0].display_name, "Renamed");
}

}  // namespace
}  // namespace zarkit
