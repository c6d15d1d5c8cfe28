#include "core/web_address.h"

#include <gtest/gtest.h>

#include <string>

namespace zarkit {
namespace {

TEST(WebAddress, OnlyHttpOrHttpsWithAHostIsAWebAddress) {
    for (const char* address :
         {"http://example.com", "https://example.com/a?b=c#d", "HTTP://Example.COM/x",
          "  \thttps://example.com/ \r\n", "http://user:pw@host:8080/", "http://[::1]:80/",
          "http://localhost", "http://example.com\\path",
          "https://b\xC3\xBC"
          "cher.de/\xE2\x98\x83",
          "http://example.com/ --gpu-launcher=\"C:\\Windows\\System32\\calc.exe\""}) {
        EXPECT_TRUE(IsRealWebAddress(address)) << address;
    }
    for (const char* text : {"",
                             "http",
                             "http:",
                             "http://",
                             "https:///path",
                             "http:example.com",
                             "httpx://a",
                             "ftp://example.com",
                             "file:///C:/x",
                             "example.com",
                             "www.example.com",
                             "httpfoo",
                             "http:// --gpu-launcher=calc.exe",
                             "http://exa mple.com/",
                             "http://a\"b/",
                             "http://host:port/",
                             "http://[::1/",
                             "http://[::1]x/",
                             "http://user@/",
                             "javascript:alert(1)",
                             "http://a\tb/",
                             "http://a\nb"}) {
        EXPECT_FALSE(IsRealWebAddress(text)) << text;
    }
}

TEST(WebAddress, TooLongForACommandLineIsRefused) {
    const std::string path(kMaxWebAddressArgument - 19, 'a');
    EXPECT_TRUE(IsRealWebAddress("http://example.com/" + path));
    EXPECT_FALSE(IsRealWebAddress("http://example.com/" + path + "a"));
    // Counted once encoded: blanks take three bytes each.
    EXPECT_FALSE(IsRealWebAddress("http://example.com/" + std::string(10001, ' ') + "x"));
}

TEST(WebAddress, EncodingLeavesNothingThatEndsOrSplitsAnArgument) {
    EXPECT_EQ(EncodeWebAddress("  http://example.com/  "), "http://example.com/");
    EXPECT_EQ(EncodeWebAddress("http://example.com/ --gpu-launcher=\"C:\\Windows\\calc.exe\""),
              "http://example.com/%20--gpu-launcher=%22C:\\Windows\\calc.exe%22");
    EXPECT_EQ(EncodeWebAddress("http://a/\tb\nc\rd\x7F"
                               "e"),
              "http://a/%09b%0Ac%0Dd%7Fe");
    EXPECT_EQ(EncodeWebAddress(std::string("http://a/\0b", 11)), "http://a/%00b");
    EXPECT_EQ(EncodeWebAddress("http://a/\x01\x1F"), "http://a/%01%1F");
    // Escapes already there stay; a '%' that starts none is encoded itself.
    EXPECT_EQ(EncodeWebAddress("http://a/%20%7e%"), "http://a/%20%7e%25");
    EXPECT_EQ(EncodeWebAddress("http://a/100%zz%4"), "http://a/100%25zz%254");
    // Browsers take international addresses as they are.
    EXPECT_EQ(EncodeWebAddress("https://b\xC3\xBC"
                               "cher.de/\xE2\x98\x83"),
              "https://b\xC3\xBC"
              "cher.de/\xE2\x98\x83");
    EXPECT_EQ(EncodeWebAddress("http://a/b\\"), "http://a/b\\");
}

}  // namespace
}  // namespace zarkit
