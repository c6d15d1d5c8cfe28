#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Files for the Windows-side tests: a folder of each test's own, shortcuts, and the
// bytes a drop of files carries.
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

}  // namespace zarkit
