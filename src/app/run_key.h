#pragma once

#include <string>

#include "ui/win32.h"

// The value that starts the program with Windows.
namespace zarkit {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"VELMOR Zarkit";

// Where the Run key is looked for; tests give keys of their own.
struct RunKeyRoots {
    HKEY machine = HKEY_LOCAL_MACHINE;
    HKEY user = HKEY_CURRENT_USER;
};

enum class RunValueResult {
    kInMachineKey,  // on: the machine's Run key holds the path
    kInUserKey,     // on: the machine's key refused it; the user's holds the path
    kNotWritten,    // on: neither key took it
    kRemoved,       // off: neither key holds the value
    kNotRemoved,    // off: a key still holds it and may not be changed
};

// With start_with_windows, makes the value "VELMOR Zarkit" of the machine's Run key
// the executable's path, or where a normal user may not write there (and it does not
// already hold that path), the value of the user's Run key. Only one copy is kept,
// so the program is not started twice. Without it, removes the value from both.
RunValueResult UpdateRunValue(bool start_with_windows, const std::string& executable_path,
                              const RunKeyRoots& roots = {});

}  // namespace zarkit
