#pragma once

#include <string>
#include <string_view>

// File access for the store, implemented once for POSIX and once for Win32.
// Paths are UTF-8. Error texts name the file and say why, e.g. Cannot open "path": reason.
namespace zarkit::io {

bool FileExists(const std::string& path);

// The whole file; false with `error` set when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* error);

// Replaces the file's content in one step: the bytes go to a temporary file in the
// same folder, are flushed to disk, and the temporary file then takes the place of
// the old one. On failure the old file is as it was and no temporary file is left.
bool ReplaceFileContent(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace zarkit::io
