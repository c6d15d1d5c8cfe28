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

}  // namespace
}  // namespace zarkit
