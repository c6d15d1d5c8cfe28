#pragma once

#include <string>
#include <string_view>

#include "core/item_record.h"

namespace zarkit {

// The file manager's arguments that open the folder of `path` with it selected. The
// path is quoted: the file manager splits its arguments at commas, and a path holding
// one would otherwise open the wrong folder.
std::string ExplorerSelectArguments(std::string_view path);

// `argument` quoted so that the C runtime and CommandLineToArgvW read it back as one
// argument, exactly: quotes escaped, and the backslashes before a quote or before the
// closing quote doubled.
std::string QuoteArgument(std::string_view argument);

// The parameters the shell is given to start the item. A web site's browser gets the
// address as exactly one argument, encoded, whatever the store holds: text from a
// drop or an old store must not add switches to the browser's command line. Other
// items pass their arguments as stored.
std::string LaunchParameters(const ItemRecord& record);

// The message for an item that could not be started: its label and the system's reason.
std::string LaunchFailedText(std::string_view label, std::string_view reason);

}  // namespace zarkit
