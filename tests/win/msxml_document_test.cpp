#include "xml/msxml_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "ui/text.h"
#include "ui/win32.h"

namespace zarkit {
namespace {

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

class MsxmlDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        document_ = MakeMsxmlDocument();
        ASSERT_NE(document_, nullptr) << "DOMDocument could not be created";
    }

    XmlNode Root() { return document_->SelectSingle(document_->DocumentNode(), "File_Desc"); }

    void ParseOrFail(std::string_view bytes) {
        XmlParseError error;
        ASSERT_TRUE(document_->Parse(bytes, &error)) << error.reason;
    }

    std::unique_ptr<XmlDocument> document_;
};

// What a user's hand edit typically breaks: a tag left open three lines into the file.
TEST_F(MsxmlDocumentTest, BrokenFileReportsReasonAndLineAndLeavesDocumentEmpty) {
    ParseOrFail("<File_Desc><Start_OnWindow>yes</Start_OnWindow></File_Desc>");
    ASSERT_TRUE(Root());

    XmlParseError error;
    EXPECT_FALSE(document_->Parse(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<File_Desc>\n<Table_Node>\n</File_Desc>\n",
        &error));
    EXPECT_FALSE(error.reason.empty());
    // Wine's msxml3 gives neither line nor position, and "error" as its reason.
    if (!RunningUnderWine() || error.line != 0) {
        EXPECT_EQ(error.line, 4);
        EXPECT_GT(error.column, 0);
    }
    // The earlier content is gone, not left half-replaced.
    EXPECT_FALSE(Root());
    EXPECT_TRUE(document_->SelectChildren(document_->DocumentNode(), "File_Desc").empty());
}

// The stream hands MSXML the raw bytes, so it honours byte-order marks and declared
// encodings instead of reading everything as UTF-16 or UTF-8.
TEST_F(MsxmlDocumentTest, EncodingIsTakenFromTheBytes) {
    ParseOrFail("\xEF\xBB\xBF<File_Desc>caf\xC3\xA9</File_Desc>");
    EXPECT_EQ(document_->Text(Root()), "caf\xC3\xA9");

    ParseOrFail("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><File_Desc>caf\xE9</File_Desc>");
    EXPECT_EQ(document_->Text(Root()), "caf\xC3\xA9");

    const std::wstring utf16 = L"\xFEFF<File_Desc>\u5DE5\u5177</File_Desc>";
    ParseOrFail(std::string_view(reinterpret_cast<const char*>(utf16.data()),
                                 utf16.size() * sizeof(wchar_t)));
    EXPECT_EQ(document_->Text(Root()), "\xE5\xB7\xA5\xE5\x85\xB7");
}

TEST_F(MsxmlDocumentTest, NodeHandleKeepsItsNodeAliveAfterEveryOtherHandleIsGone) {
    ParseOrFail("<File_Desc><Table_Node><Table_Lable>Tools</Table_Lable></Table_Node></File_Desc>");
    XmlNode table = document_->SelectSingle(document_->DocumentNode(), "File_Desc/Table_Node");
    ASSERT_TRUE(table);
    {
        XmlNode root = Root();
        ASSERT_TRUE(document_->RemoveChild(root, table));
    }
    EXPECT_FALSE(document_->SelectSingle(document_->DocumentNode(), "File_Desc/Table_Node"));

    // Detached, still whole and usable, and can go back into the tree.
    EXPECT_EQ(document_->Text(document_->SelectSingle(table, "Table_Lable")), "Tools");
    EXPECT_TRUE(document_->SetAttribute(table, "kept", "1"));
    ASSERT_TRUE(document_->AppendChild(Root(), table));
    EXPECT_EQ(
        document_->Attribute(
            document_->SelectSingle(document_->DocumentNode(), "File_Desc/Table_Node"), "kept"),
        "1");

    // Even the document object may go first.
    XmlNode label = document_->SelectSingle(table, "Table_Lable");
    table = XmlNode();
    document_.reset();
    document_ = MakeMsxmlDocument();
    ASSERT_NE(document_, nullptr);
    EXPECT_EQ(document_->Text(label), "Tools");
}

TEST_F(MsxmlDocumentTest, CharactersBeyondTheBasicPlaneRoundTrip) {
    const std::string emoji = "\xF0\x9F\x98\x80";                          // U+1F600
    const std::string rare = "\xF0\xA0\x80\x8B \xE5\xB7\xA5\xE5\x85\xB7";  // U+2000B, CJK
    const XmlNode document = document_->DocumentNode();
    ASSERT_TRUE(document_->AppendChild(
        document, document_->CreateDeclaration("version='1.0'  encoding='UTF-8'")));
    const XmlNode root = document_->CreateElement("File_Desc");
    const XmlNode item = document_->CreateElement("Table_Item");
    ASSERT_TRUE(document_->SetText(item, "C:\\" + rare + "\\" + emoji + ".exe"));
    ASSERT_TRUE(document_->SetAttribute(item, "Nick_Name", emoji + " Smile"));
    ASSERT_TRUE(document_->AppendChild(root, item));
    ASSERT_TRUE(document_->AppendChild(document, root));

    const std::optional<std::string> bytes = document_->Serialize();
    ASSERT_TRUE(bytes);
    // Written as UTF-8 sequences, not as character references or CESU-8 surrogate pairs.
    EXPECT_TRUE(Contains(*bytes, emoji + " Smile")) << *bytes;
    EXPECT_TRUE(Contains(*bytes, rare)) << *bytes;

    const std::unique_ptr<XmlDocument> reread = MakeMsxmlDocument();
    XmlParseError error;
    ASSERT_TRUE(reread->Parse(*bytes, &error)) << error.reason;
    const XmlNode reread_item =
        reread->SelectSingle(reread->DocumentNode(), "File_Desc/Table_Item");
    EXPECT_EQ(reread->Text(reread_item), "C:\\" + rare + "\\" + emoji + ".exe");
    EXPECT_EQ(reread->Attribute(reread_item, "Nick_Name"), emoji + " Smile");
}

TEST_F(MsxmlDocumentTest, SetAttributeAppendsNewNamesAndReplacesInPlace) {
    ParseOrFail("<File_Desc><Table_Item Nick_Name=\"a\" Work_Dir=\"b\">p</Table_Item></File_Desc>");
    const XmlNode item = document_->SelectSingle(document_->DocumentNode(), "File_Desc/Table_Item");
    ASSERT_TRUE(document_->SetAttribute(item, "Unique_Identifier", "{X}"));
    ASSERT_TRUE(document_->SetAttribute(item, "Nick_Name", "renamed"));
    const std::vector<XmlAttribute> expected = {
        {"Nick_Name", "renamed"}, {"Work_Dir", "b"}, {"Unique_Identifier", "{X}"}};
    EXPECT_EQ(document_->Attributes(item), expected);

    // The written order is the same, so it survives a save and a load.
    const std::optional<std::string> bytes = document_->Serialize();
    ASSERT_TRUE(bytes);
    ParseOrFail(*bytes);
    EXPECT_EQ(document_->Attributes(
                  document_->SelectSingle(document_->DocumentNode(), "File_Desc/Table_Item")),
              expected);
}

TEST_F(MsxmlDocumentTest, TextKeepsItsBlanksAndLineBreaks) {
    ParseOrFail("<File_Desc>\n  <Table_Lable> Tools </Table_Lable>\n  <E>a\n  b</E>\n</File_Desc>");
    EXPECT_EQ(document_->Text(document_->SelectSingle(Root(), "Table_Lable")), " Tools ");
    EXPECT_EQ(document_->Text(document_->SelectSingle(Root(), "E")), "a\n  b");
    // White space between elements is not an element.
    EXPECT_EQ(document_->SelectChildren(Root(), "Table_Lable").size(), 1u);
}

// Paths are element names only: nothing in them is read as XPath or XSL pattern syntax.
TEST_F(MsxmlDocumentTest, PathStepsAreLiteralNames) {
    ParseOrFail("<File_Desc><a.b>1</a.b><a-b>2</a-b><c>3</c></File_Desc>");
    const XmlNode document = document_->DocumentNode();
    EXPECT_EQ(document_->Text(document_->SelectSingle(document, "File_Desc/a.b")), "1");
    EXPECT_EQ(document_->Text(document_->SelectSingle(document, "File_Desc/a-b")), "2");
    for (const char* path : {"*", "File_Desc/*", "File_Desc/..", "//c", "File_Desc/c[1]",
                             "File_Desc/.", "File_Desc//c", "File_Desc/c/", "/File_Desc", ""}) {
        EXPECT_FALSE(document_->SelectSingle(document, path)) << path;
    }
    EXPECT_TRUE(document_->SelectChildren(Root(), "*").empty());
}

// An earlier element of the right name that lacks the rest of the path does not hide a
// later one that has it, as with selectSingleNode.
TEST_F(MsxmlDocumentTest, PathSearchContinuesPastADeadEnd) {
    ParseOrFail("<File_Desc><T><L>first</L></T><T><X>found</X></T></File_Desc>");
    EXPECT_EQ(document_->Text(document_->SelectSingle(document_->DocumentNode(), "File_Desc/T/X")),
              "found");
}

TEST_F(MsxmlDocumentTest, SerializedDocumentIsUtf8WithoutByteOrderMark) {
    const XmlNode document = document_->DocumentNode();
    ASSERT_TRUE(document_->AppendChild(
        document, document_->CreateDeclaration("version='1.0'  encoding='UTF-8'")));
    const XmlNode root = document_->CreateElement("File_Desc");
    const XmlNode label = document_->CreateElement("Table_Lable");
    ASSERT_TRUE(document_->SetText(label, "R&D <\xC3\xBC>"));
    ASSERT_TRUE(document_->AppendChild(root, label));
    ASSERT_TRUE(document_->AppendChild(document, root));

    const std::optional<std::string> bytes = document_->Serialize();
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(bytes->starts_with("<?xml")) << *bytes;
    EXPECT_EQ(bytes->find("<?xml", 1), std::string::npos) << "one declaration only: " << *bytes;
    EXPECT_TRUE(Contains(*bytes, "R&amp;D &lt;\xC3\xBC")) << *bytes;
}

// The store rejects a doctype itself; the parser must not resolve an external entity
// in case one gets through.
TEST_F(MsxmlDocumentTest, ExternalEntitiesAreNotResolved) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::string secret_path = ui::Narrow(folder) + "zarkit_entity_secret.txt";
    std::ofstream(ui::Widen(secret_path).c_str()) << "SECRET-CONTENT";
    const std::string bytes = "<?xml version=\"1.0\"?><!DOCTYPE File_Desc [<!ENTITY e SYSTEM \"" +
                              secret_path + "\">]><File_Desc>&e;</File_Desc>";
    XmlParseError error;
    if (document_->Parse(bytes, &error)) {
        EXPECT_FALSE(Contains(document_->Text(Root()), "SECRET")) << document_->Text(Root());
        const std::optional<std::string> written = document_->Serialize();
        ASSERT_TRUE(written);
        EXPECT_FALSE(Contains(*written, "SECRET")) << *written;
    }
    DeleteFileW(ui::Widen(secret_path).c_str());
}

}  // namespace
}  // namespace zarkit
