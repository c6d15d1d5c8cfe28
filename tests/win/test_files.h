#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Files for the Windows-side tests: a folder of each test's own, shortcuts, the bytes a
// drop of files carries, and the launch marker's records.
namespace zarkit {

// %TEMP%\<prefix>_<process>_<test name>, created empty; an empty path when it cannot be.
std::filesystem::path FreshTestFolder(const std::wstring& prefix);

// Removes the folder and everything in it, read-only files as well.
void RemoveTestFolder(const std::filesystem::path& folder);

// A shell link at `shortcut` to `target`, as Explorer saves one.
HRESULT SaveShortcut(const std::filesystem::path& shortcut, const std::filesystem::path& target,
                     const std::wstring& arguments, const std::filesystem::path& work_dir);

// CF_HDROP data naming `paths`: a DROPFILES header and the wide names, double-terminated.
std::vector<std::uint8_t> FileDropBytes(const std::vector<std::filesystem::path>& paths);

// `folder`\<folders>\<name padded with x><extension>, `length` characters in all, with
// its folders made (through the extended-length prefix, which any length takes).
std::filesystem::path LongPathUnder(const std::filesystem::path& folder, std::size_t length,
                                    const std::wstring& extension);

// Copies the launch marker beside this test program to `to`, whatever its length.
bool CopyLaunchMarker(const std::filesystem::path& to);

// The lines in `file` once there are at least `count`, pumping the thread's messages
// while waiting; fewer when they do not come within ten seconds.
std::vector<std::string> WaitForLines(const std::filesystem::path& file, std::size_t count);

// Runs the thread's messages (timers included) until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms);

}  // namespace zarkit
