#pragma once

#include <string>
#include <string_view>

namespace zarkit {

// The file manager's arguments that open the folder of `path` with it selected. The
// path is quoted: the file manager splits its arguments at commas, and a path holding
// one would otherwise open the wrong folder.
std::string ExplorerSelectArguments(std::string_view path);

}  // namespace zarkit
