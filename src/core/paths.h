#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zarkit {

// The executable's directory with its trailing backslash; empty when the path holds none.
std::string ModuleDirectoryOf(std::string_view exe_path);

// The same directory without the trailing backslash.
std::string ProgramDirectoryOf(std::string_view exe_path);

// The one line of the browser probe file: a meta refresh to `address`, no line end.
std::string ProbeFileContent(std::string_view address);

// Update.exe in the executable's directory; empty when the path names no directory, so
// that nothing is ever started from the root of the current drive.
std::string UpdaterPathOf(std::string_view exe_path);

// Paths from this length on may be refused by file functions where long paths are not
// enabled (the limit for folders is MAX_PATH less room for an 8.3 file name).
inline constexpr std::size_t kLongPathLength = 248;

// A full path as file functions take it at any length: a long one with the "\\?\" prefix
// (drive paths) or "\\?\UNC\" (network paths), slashes made backslashes. Short paths,
// relative ones and those with a prefix already come back unchanged.
std::string ExtendedLengthPath(std::string_view full_path);

// The path without its extended-length prefix, as programs that take no such paths want
// it ("\\?\UNC\server\share" gives "\\server\share").
std::string WithoutExtendedLengthPrefix(std::string_view path);

// Whether `name` is one of the temporary files that replacing `file_name` makes beside it:
// the file's name, a dot, an identifier of ASCII letters, digits and hyphens, and ".tmp".
bool IsTemporaryFileOf(std::string_view name, std::string_view file_name);

}  // namespace zarkit
