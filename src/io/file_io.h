#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// File access for the store, implemented once for POSIX and once for Win32.
// Paths are UTF-8. Error texts name the file and say why, e.g. Cannot open "path": reason.
namespace zarkit::io {

// Why an operation failed, in the terms a user can act on.
enum class FileProblem {
    kNone,
    kNotFound,  // the file, or a folder on the way, is not there
    kDiskFull,
    kInUse,             // another program holds the file (or locked a part of it)
    kReadOnly,          // the file, or the disk, is write-protected
    kNoAccess,          // no rights to it
    kChangedElsewhere,  // another program changed it since it was read, and it cannot be read now
    kOther,
};

struct FileError {
    FileProblem problem = FileProblem::kNone;
    std::string text;
};

// False only when the file is known not to be there (not found, or a folder on the way
// missing). A file that cannot be looked at, for want of rights or because another
// program holds it, counts as there: it must never be taken for missing and replaced.
bool FileExists(const std::string& path);

// What the file system says of a file without reading it: enough to tell that another
// writer changed it.
struct FileInfo {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t write_time = 0;  // in the file system's own units; only compared
};

// False, with `error` set, when the file system would not say (a file that is not there
// is no error: `exists` is false then).
bool ReadFileInfo(const std::string& path, FileInfo* info, FileError* error);

// The whole file; false with `error` set when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes, FileError* error);

// Replaces the file's content in one step: the bytes go to a temporary file in the
// same folder, are flushed to disk, and the temporary file then takes the place of
// the old one. On failure the old file is as it was and no temporary file is left.
bool ReplaceFileContent(const std::string& path, std::string_view bytes, FileError* error);

// The same, but the file being replaced is kept as `backup` (in the same folder), which
// it replaces in one step as well: `backup` is always a whole file, the older backup or the newer
// one. When no backup can be made the content is still replaced (the change matters more than a
// copy of what it replaces); `backup_kept`, when given, says whether one was.
bool ReplaceFileContentKeepingBackup(const std::string& path, std::string_view bytes,
                                     const std::string& backup, FileError* error,
                                     bool* backup_kept = nullptr);

// Writes a new file in the same steps, but never replaces one: fails, leaving it as it
// is, when `path` exists (also when it comes into being meanwhile).
bool CreateFileContent(const std::string& path, std::string_view bytes, FileError* error);

// Removes the temporary files that writes to `path` interrupted by a crash left beside
// it. Only one process may write `path` while this runs.
void RemoveTemporaryFiles(const std::string& path);

}  // namespace zarkit::io
