#include "xml/pugi_document.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

class PugiDocument : public ::testing::Test {
protected:
    XmlNode At(std::string_view path) {
        return document_->SelectSingle(document_->DocumentNode(), path);
    }
    std::string Reserialized(const std::string& text) {
        XmlParseError error;
        EXPECT_TRUE(document_->Parse(text, &error)) << error.reason;
        return document_->Serialize().value_or("<failed>");
    }

    std::unique_ptr<XmlDocument> document_ = MakePugiDocument();
};

TEST_F(PugiDocument, HandFormattedFileComesBackByteForByte) {
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--VELMOR SOFT Zarkit config file!-->"
        "<File_Desc>\r\n\t<Start_OnWindow>yes</Start_OnWindow>\r\n\t<!-- mine -->\r\n"
        "\t<Table_Node><Table_Lable>  A &amp; B\r\n</Table_Lable><?keep this?>"
        "<Table_Item Nick_Name=\"&lt;x> &quot;q&quot;\" Work_Dir=\"\">C:\\a.exe</Table_Item>"
        "<Empty/><![CDATA[<raw>]]></Table_Node>\n</File_Desc>";
    EXPECT_EQ(Reserialized(text), text);
    EXPECT_EQ(document_->Text(At("File_Desc/Table_Node/Table_Lable")), "  A & B\r\n");
}

TEST_F(PugiDocument, DetachedAndRemovedNodesAreNeverWrittenButStayUsable) {
    const XmlNode top = document_->DocumentNode();
    ASSERT_TRUE(document_->AppendChild(
        top, document_->CreateDeclaration("version='1.0'  encoding='UTF-8'")));
    const XmlNode root = document_->CreateElement("File_Desc");
    const XmlNode orphan = document_->CreateElement("Orphan");
    const XmlNode gone = document_->CreateElement("Gone");
    ASSERT_TRUE(document_->SetText(gone, "still here"));
    ASSERT_TRUE(document_->AppendChild(root, gone));
    ASSERT_TRUE(document_->AppendChild(top, root));
    ASSERT_TRUE(document_->RemoveChild(root, gone));
    EXPECT_FALSE(document_->RemoveChild(root, gone));
    EXPECT_EQ(document_->Text(gone), "still here");
    EXPECT_TRUE(orphan);
    EXPECT_EQ(document_->Serialize(), "<?xml version='1.0'  encoding='UTF-8'?><File_Desc/>");
    EXPECT_FALSE(document_->SelectSingle(top, ""));
    EXPECT_TRUE(document_->SelectChildren(top, "").empty());
    EXPECT_EQ(document_->Text(top), "");

    EXPECT_FALSE(document_->CreateDeclaration("version='1.0' encoding='ISO-8859-1'"));
    EXPECT_FALSE(document_->CreateDeclaration("version='1.0"));
    EXPECT_FALSE(document_->CreateComment("a -- b"));
    EXPECT_FALSE(document_->CreateComment("ends-"));
}

TEST_F(PugiDocument, TextJoinsAllTextBelowAndSetTextReplacesIt) {
    Reserialized("<a>one<b>two<!--no--><c><![CDATA[three]]></c></b>four</a>");
    const XmlNode a = At("a");
    EXPECT_EQ(document_->Text(a), "onetwothreefour");
    ASSERT_TRUE(document_->SetText(a, "only"));
    EXPECT_EQ(document_->Serialize(), "<a>only</a>");
    ASSERT_TRUE(document_->SetText(a, ""));
    EXPECT_EQ(document_->Serialize(), "<a/>");
}

TEST_F(PugiDocument, AttributesKeepOrderAndControlCharacters) {
    Reserialized("<a z=\"1\"/>");
    const XmlNode a = At("a");
    ASSERT_TRUE(document_->SetAttribute(a, "b", "tab\there\r\nline"));
    ASSERT_TRUE(document_->SetAttribute(a, "z", "2"));
    Reserialized(*document_->Serialize());
    EXPECT_EQ(document_->Attributes(At("a")),
              (std::vector<XmlAttribute>{{"z", "2"}, {"b", "tab\there\r\nline"}}));
    EXPECT_EQ(document_->Attribute(At("a"), "missing"), std::nullopt);
}

TEST_F(PugiDocument, AttributeLookupsInAnyOrderAcrossElements) {
    Reserialized("<r><a x=\"1\" y=\"2\" z=\"3\"/><b z=\"30\" x=\"10\"/></r>");
    const XmlNode a = At("r/a");
    const XmlNode b = At("r/b");
    std::string value = "old";
    EXPECT_TRUE(document_->ReadAttribute(a, "y", &value));
    EXPECT_EQ(value, "2");
    EXPECT_EQ(document_->Attribute(b, "x"), "10");
    EXPECT_EQ(document_->Attribute(a, "z"), "3");
    EXPECT_EQ(document_->Attribute(a, "x"), "1");
    EXPECT_EQ(document_->Attribute(a, "x"), "1");
    EXPECT_FALSE(document_->ReadAttribute(b, "y", &value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(document_->Attribute(b, "z"), "30");
    EXPECT_FALSE(document_->Attribute(a, "xy"));
    EXPECT_FALSE(document_->Attribute(a, std::string_view("x\0", 2)));
}

TEST_F(PugiDocument, ReadAttributesAgreesWithSingleLookups_TheFirstOfTwinsCounts) {
    // pugixml does not refuse an attribute given twice; every lookup must pick the same one.
    Reserialized("<r><a z=\"1\" x=\"2\" x=\"3\" y=\"\"/>text</r>");
    const XmlNode a = At("r/a");
    std::string x, y, w = "stale", z, nul = "stale";
    XmlAttributeRead reads[] = {
        {"x", &x}, {"y", &y}, {"w", &w}, {"z", &z}, {std::string_view("x\0", 2), &nul}};
    document_->ReadAttributes(a, reads);
    EXPECT_EQ(x, "2");
    EXPECT_EQ(y, "");
    EXPECT_EQ(z, "1");
    EXPECT_EQ(w, "");
    EXPECT_EQ(nul, "");
    EXPECT_TRUE(reads[0].found && reads[1].found && reads[3].found);
    EXPECT_FALSE(reads[2].found || reads[4].found);
    EXPECT_EQ(document_->Attribute(a, "x"), "2");
    ASSERT_TRUE(document_->SetAttribute(a, "x", "changed"));
    document_->ReadAttributes(a, reads);
    EXPECT_EQ(x, "changed");
    EXPECT_EQ(document_->Serialize(), "<r><a z=\"1\" x=\"changed\" x=\"3\" y=\"\"/>text</r>");

    // Nodes without attributes: everything is reported missing.
    x = "stale";
    document_->ReadAttributes(At("r"), reads);
    document_->ReadAttributes(XmlNode(), reads);
    EXPECT_EQ(x, "");
    EXPECT_FALSE(reads[0].found || reads[3].found);
}

TEST_F(PugiDocument, OtherEncodingsAreReadAndWrittenAsUtf8) {
    EXPECT_EQ(Reserialized("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xE9</a>"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>caf\xC3\xA9</a>");
    const std::string utf16("\xFF\xFE<\0a\0>\0\xE9\0<\0/\0a\0>\0", 18);
    EXPECT_EQ(Reserialized(utf16), "<a>\xC3\xA9</a>");
}

TEST_F(PugiDocument, FailedParseSaysWhereAndLeavesAnEmptyDocument) {
    Reserialized("<a/>");
    XmlParseError error;
    EXPECT_FALSE(document_->Parse("\xEF\xBB\xBF<a>\n  <\xC3\xA9>x</b></a>", &error));
    EXPECT_FALSE(error.reason.empty());
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.column, 9);  // at "b", counting the two-byte letter once
    EXPECT_FALSE(At("a"));
    EXPECT_EQ(document_->Serialize(), "");

    EXPECT_FALSE(document_->Parse("<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", &error));
    EXPECT_FALSE(document_->Parse("<!DOCTYPE a><a/>", &error));
    EXPECT_FALSE(document_->Parse("", &error));
}

}  // namespace
}  // namespace zarkit
