#pragma once

#include <string>

namespace zarkit {

// The running executable's full path, UTF-8, however long it is.
std::string ExecutablePath();

// Where the browser probe file lives; written at start-up when missing, never rewritten.
// Returns the probe file's path either way.
std::string EnsureBrowserProbeFile(const std::string& module_directory);

}  // namespace zarkit
