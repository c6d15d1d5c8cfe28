#include "core/launch_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/web_address.h"

namespace zarkit {
namespace {

// The argument as the C runtime and CommandLineToArgvW read it back, for one argument
// that QuoteArgument made: the parsing rules for a quoted argument.
std::string ReadBackQuoted(const std::string& quoted, std::size_t* arguments) {
    std::string out;
    bool in_quotes = false;
    *arguments = 0;
    bool in_argument = false;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        std::size_t backslashes = 0;
        while (i < quoted.size() && quoted[i] == '\\') {
            ++backslashes;
            ++i;
        }
        if (i < quoted.size() && quoted[i] == '"') {
            out.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                out += '"';
            } else {
                in_quotes = !in_quotes;
                if (!in_argument) {
                    in_argument = true;
                    ++*arguments;
                }
            }
            continue;
        }
        out.append(backslashes, '\\');
        if (i >= quoted.size()) {
            break;
        }
        if (!in_quotes && (quoted[i] == ' ' || quoted[i] == '\t')) {
            in_argument = false;
            continue;
        }
        if (!in_argument) {
            in_argument = true;
            ++*arguments;
        }
        out += quoted[i];
    }
    return out;
}

TEST(LaunchRules, AQuotedArgumentReadsBackAsItselfAlone) {
    EXPECT_EQ(QuoteArgument("http://a/"), "\"http://a/\"");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
    EXPECT_EQ(QuoteArgument("a\\"), "\"a\\\\\"");
    EXPECT_EQ(QuoteArgument("a\\\\b"), "\"a\\\\b\"");
    EXPECT_EQ(QuoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
    for (const std::string argument :
         {"plain", "two words", "tab\there", "quote\"inside", "ends in \\", "ends in \\\\", "\\\"",
          "\"\"", "back\\\\\"slash", "\\\\server\\share\\", "--switch=\"C:\\x y\\\"",
          "caf\xC3\xA9 \xE2\x98\x83"}) {
        std::size_t count = 0;
        EXPECT_EQ(ReadBackQuoted(QuoteArgument(argument), &count), argument) << argument;
        EXPECT_EQ(count, 1u) << argument;
    }
}

ItemRecord WebSite(std::string address) {
    ItemRecord record;
    record.path = "C:\\Browser\\browser.exe";
    record.start_params = std::move(address);
    return record;
}

TEST(LaunchRules, ABrowserGetsTheAddressAsOneArgumentWhateverTheStoreHolds) {
    EXPECT_EQ(LaunchParameters(WebSite("  HTTP://Example.com/x ")), "\"HTTP://Example.com/x\"");
    for (const std::string& hostile : std::vector<std::string>{
             "http://example.com/ --gpu-launcher=\"C:\\Windows\\System32\\calc.exe\"",
             "http://example.com/\" --gpu-launcher=calc.exe \"", "http://a/\t--x", "http://a/\n--x",
             "http://a/b\\", "http://a/b\\\" --x", "httpfoo --renderer-cmd-prefix=calc.exe",
             "http://a/" + std::string(40000, '"')}) {
        const std::string parameters = LaunchParameters(WebSite(hostile));
        std::size_t count = 0;
        EXPECT_EQ(ReadBackQuoted(parameters, &count), EncodeWebAddress(hostile)) << hostile;
        EXPECT_EQ(count, 1u) << hostile;
        EXPECT_EQ(parameters.find_first_of(" \t\r\n", 1), std::string::npos) << hostile;
    }
    // A path item's arguments, and a special folder's, stay as stored.
    ItemRecord path;
    path.path = "C:\\Tools\\tool.exe";
    path.start_params = "--open \"a b\"";
    EXPECT_EQ(LaunchParameters(path), "--open \"a b\"");
    ItemRecord folder = WebSite("http://a");
    folder.special_folder = 1;
    EXPECT_EQ(LaunchParameters(folder), "http://a");
}

TEST(LaunchRules, AFailedStartNamesTheItemAndTheReason) {
    EXPECT_EQ(LaunchFailedText("Editor", "The system cannot find the file specified.\r\n"),
              "\"Editor\" could not be started.\n\nThe system cannot find the file specified.");
    EXPECT_EQ(LaunchFailedText("Editor", "Access denied"),
              "\"Editor\" could not be started.\n\nAccess denied.");
    EXPECT_EQ(LaunchFailedText("Editor", ""), "\"Editor\" could not be started.");
}

}  // namespace
}  // namespace zarkit
