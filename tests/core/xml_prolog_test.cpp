#include "core/xml_prolog.h"

#include <gtest/gtest.h>

#include <string>

namespace zarkit {
namespace {

using namespace std::string_literals;

// The same text in UTF-16 with a byte-order mark.
std::string Utf16(const std::string& ascii, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        out += big_endian ? "\0"s + c : std::string(1, c) + '\0';
    }
    return out;
}

TEST(XmlProlog, FindsTheDoctypeBehindBomBlanksPisAndComments) {
    EXPECT_TRUE(HasDocumentTypeDeclaration("<!DOCTYPE a><a/>"));
    EXPECT_TRUE(HasDocumentTypeDeclaration(
        "\xEF\xBB\xBF \r\n<?xml version='1.0'?><!-- <a> ?> --><?pi <b>?>\t<!doctype a []><a/>"));
    EXPECT_TRUE(HasDocumentTypeDeclaration(Utf16("<?xml version='1.0'?><!DOCTYPE a><a/>", false)));
    EXPECT_TRUE(HasDocumentTypeDeclaration(Utf16("<!-- x --><!DOCTYPE a><a/>", true)));
    EXPECT_TRUE(HasDocumentTypeDeclaration("<!-->--><!DOCTYPE a><a/>"));  // comment ">"
}

TEST(XmlProlog, StopsAtTheRootElementOrBrokenMarkup) {
    EXPECT_FALSE(HasDocumentTypeDeclaration(""));
    EXPECT_FALSE(HasDocumentTypeDeclaration("<?xml version='1.0'?><!--c--><a><!DOCTYPE a></a>"));
    EXPECT_FALSE(HasDocumentTypeDeclaration(Utf16("<a>&lt;!DOCTYPE</a>", false)));
    EXPECT_FALSE(HasDocumentTypeDeclaration("<!-- never closed <!DOCTYPE a>"));
    EXPECT_FALSE(HasDocumentTypeDeclaration("<!DOCTYP"));
}

TEST(XmlProlog, OtherEncodingsAreToldApartFromUtf8InAnyCase) {
    EXPECT_TRUE(NamesOtherEncodingThanUtf8("version=\"1.0\" encoding=\"ISO-8859-1\""));
    EXPECT_TRUE(NamesOtherEncodingThanUtf8("version='1.0'  encoding = 'UTF-16' standalone='yes'"));
    EXPECT_TRUE(NamesOtherEncodingThanUtf8("version='1.0' encoding='UTF-8 '"));
    for (const char* data :
         {"version='1.0'  encoding='UTF-8'", "version=\"1.0\" encoding=\"utf-8\"", "version='1.0'",
          "", "version='1.0' encoding='latin1", "encoding=latin1"}) {
        EXPECT_FALSE(NamesOtherEncodingThanUtf8(data)) << data;
    }
}

// Only such a document may be handed to a parser as UTF-8 without it looking at the bytes.
TEST(XmlProlog, Utf8WithoutAMarkIsToldFromEveryOtherEncoding) {
    for (const std::string& document :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><File_Desc/>"s,
          "<?xml version='1.0' encoding='utf-8'?><a/>"s, "<?xml version='1.0'?><a/>"s,
          "<File_Desc/>"s, "<?xml-stylesheet href='x' encoding='latin1'?><a/>"s, ""s}) {
        EXPECT_TRUE(IsUtf8WithoutByteOrderMark(document)) << document;
    }
    for (const std::string& document :
         {"\xEF\xBB\xBF<a/>"s, Utf16("<a/>", false), Utf16("<a/>", true), "<\0a\0/\0>\0"s,
          "<?xml version='1.0' encoding='ISO-8859-1'?><a>caf\xE9</a>"s,
          "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>"s}) {
        EXPECT_FALSE(IsUtf8WithoutByteOrderMark(document)) << document;
    }
}

TEST(XmlProlog, Utf8DeclarationKeepsVersionAndStandaloneAndTheRestOfTheDocument) {
    EXPECT_EQ(
        WithUtf8Declaration("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a>\xC3\xA9</a>"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\xC3\xA9</a>");
    EXPECT_EQ(WithUtf8Declaration("\xEF\xBB\xBF<?xml version='1.1' standalone='yes'?><a/>"),
              "<?xml version=\"1.1\" encoding=\"UTF-8\" standalone=\"yes\"?><a/>");
    // Without a declaration, or with a processing instruction that only looks like one.
    EXPECT_EQ(WithUtf8Declaration("<a/>"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>");
    EXPECT_EQ(WithUtf8Declaration("<?xml-stylesheet href='x'?><a/>"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><?xml-stylesheet href='x'?><a/>");
}

}  // namespace
}  // namespace zarkit
