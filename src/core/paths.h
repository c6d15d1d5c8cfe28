#pragma once

#include <string>
#include <string_view>

namespace zarkit {

// The executable's directory with its trailing backslash; empty when the path holds none.
std::string ModuleDirectoryOf(std::string_view exe_path);

// The same directory without the trailing backslash.
std::string ProgramDirectoryOf(std::string_view exe_path);

// The one line of the browser probe file: a meta refresh to `address`, no line end.
std::string ProbeFileContent(std::string_view address);

}  // namespace zarkit
