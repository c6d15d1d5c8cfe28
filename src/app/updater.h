#pragma once

#include <string>

namespace zarkit {

// Starts the updater at `path` (Update.exe in the program directory), if there is one, on
// a short-lived thread of its own. Nothing waits for it and nothing is reported; an empty
// path starts nothing.
void StartUpdaterThread(std::string path);

}  // namespace zarkit
