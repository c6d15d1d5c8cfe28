#pragma once

namespace zarkit {

// Starts Update.exe from the program directory, if there is one, on a short-lived
// thread of its own. Nothing waits for it and nothing is reported.
void StartUpdaterThread();

}  // namespace zarkit
