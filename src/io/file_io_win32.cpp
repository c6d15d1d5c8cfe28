#include "io/file_io.h"

#include <atomic>
#include <cwchar>
#include <exception>
#include <string>
#include <utility>

#include "core/paths.h"
#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"
#include "ui/win32.h"

namespace zarkit::io {
namespace {

std::string SystemMessage(DWORD code) {
    const std::string message = ui::SystemMessage(code);
    return (message.empty() ? "system error" : message) + " (" + std::to_string(code) + ")";
}

FileProblem ProblemOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return FileProblem::kNotFound;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileProblem::kDiskFull;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return FileProblem::kInUse;
        case ERROR_WRITE_PROTECT:
            return FileProblem::kReadOnly;
        case ERROR_ACCESS_DENIED:
            return FileProblem::kNoAccess;
        default:
            return FileProblem::kOther;
    }
}

bool Fail(FileError* error, const char* what, const std::string& path, DWORD code,
          FileProblem problem) {
    if (error != nullptr) {
        error->problem = problem;
        error->text = std::string(what) + " \"" + path + "\": " + SystemMessage(code);
    }
    return false;
}

bool Fail(FileError* error, const char* what, const std::string& path, DWORD code) {
    return Fail(error, what, path, code, ProblemOf(code));
}

// Windows answers a rename over a file that another program holds open with "access
// denied": whether it is in use tells the two apart.
FileProblem ReplaceProblem(const std::wstring& target, DWORD code) {
    if (code != ERROR_ACCESS_DENIED) {
        return ProblemOf(code);
    }
    const ui::FileHandle probe(CreateFileW(target.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION ? FileProblem::kInUse
                                                               : FileProblem::kNoAccess;
}

// A NUL inside a path would silently cut it short at the Win32 boundary.
bool HasNul(std::string_view path) {
    return path.find('\0') != std::string_view::npos;
}

// The temporary file lives beside the target (same volume, so the final move is a
// rename) and is named after it, so a left-over one is recognisable.
std::wstring TemporaryName(const std::wstring& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    wchar_t suffix[64];
    swprintf(suffix, sizeof suffix / sizeof suffix[0], L".%lx-%llx-%x-%x.tmp",
             static_cast<unsigned long>(GetCurrentProcessId()),
             static_cast<unsigned long long>(GetTickCount64()), counter.fetch_add(1), attempt);
    return target + suffix;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        constexpr size_t kChunk = 1u << 30;
        const DWORD size = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), size, &written, nullptr)) {
            return false;
        }
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Deletes the temporary file unless the move has consumed it.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() {
        if (!path_.empty()) {
            DeleteFileW(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Path() const { return path_; }
    void Own(std::wstring path) { path_ = std::move(path); }
    void Keep() { path_.clear(); }

private:
    std::wstring path_;
};

// Writes `bytes` to a new temporary file beside `target`, flushed to disk and closed.
// The file is deleted again when `temporary` goes, unless it is kept.
bool WriteTemporaryFile(const std::wstring& target, std::string_view bytes,
                        TemporaryFile& temporary, const std::string& path, FileError* error) {
    ui::FileHandle file;
    for (unsigned attempt = 0; !file; ++attempt) {
        std::wstring candidate = TemporaryName(target, attempt);
        file.Reset(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD code = GetLastError();
        if (file) {
            temporary.Own(std::move(candidate));
        } else if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt > 100) {
            return Fail(error, "Cannot create a temporary file for", path, code);
        }
    }
    if (!WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get())) {
        return Fail(error, "Cannot write", path, GetLastError());
    }
    // Closed before the move: an open handle without delete sharing blocks the rename.
    file.Reset();
    return true;
}

// Windows refuses to replace a read-only file, Wine replaces it anyway. Whoever set the
// attribute wants the file left alone, so refuse on both.
bool IsReadOnly(const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// One step from the old content to the new; write-through returns only once the rename
// is on disk.
bool MoveIntoPlace(TemporaryFile& temporary, const std::wstring& target, DWORD flags) {
    if (!MoveFileExW(temporary.Path().c_str(), target.c_str(), flags | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    temporary.Keep();
    return true;
}

// `target` as it is now becomes `backup`, in one step. A second name for the same file
// costs nothing; where the volume has no hard links (FAT), a copy does the same.
bool KeepBackup(const std::wstring& target, const std::string& backup_path) {
    const std::wstring backup = ui::Widen(backup_path);
    TemporaryFile temporary;
    std::wstring link = TemporaryName(backup, 0);
    if (CreateHardLinkW(link.c_str(), target.c_str(), nullptr)) {
        temporary.Own(std::move(link));
    } else {
        ui::TraceLastError(L"KeepBackup: CreateHardLinkW");
        std::string bytes;
        FileError error;
        if (!ReadFileBytes(ui::Narrow(target), &bytes, &error) ||
            !WriteTemporaryFile(backup, bytes, temporary, backup_path, &error)) {
            ui::Trace(L"KeepBackup: %ls\n", ui::Widen(error.text).c_str());
            return false;
        }
    }
    const std::wstring moved = temporary.Path();
    if (IsReadOnly(backup) || !MoveIntoPlace(temporary, backup, MOVEFILE_REPLACE_EXISTING)) {
        ui::TraceLastError(L"KeepBackup: MoveFileExW");
        return false;
    }
    // When the backup already is this file (a save killed after keeping it), Wine's
    // rename does nothing and leaves the second name behind.
    DeleteFileW(moved.c_str());
    return true;
}

}  // namespace

bool FileExists(const std::string& path) {
    if (HasNul(path)) {
        return false;  // names no file at all
    }
    if (GetFileAttributesW(ui::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const DWORD code = GetLastError();
    return code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
}

bool ReadFileInfo(const std::string& path, FileInfo* info, FileError* error) {
    if (HasNul(path)) {
        return Fail(error, "Cannot look at", path, ERROR_INVALID_NAME);
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(ui::Widen(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            *info = FileInfo{};
            return true;
        }
        return Fail(error, "Cannot look at", path, code);
    }
    info->exists = true;
    info->size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info->write_time = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    return true;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, FileError* error) {
    if (HasNul(path)) {
        return Fail(error, "Cannot open", path, ERROR_INVALID_NAME);
    }
    // Others may keep the file open for any access; we only need to read it once.
    const ui::FileHandle file(CreateFileW(ui::Widen(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return Fail(error, "Cannot open", path, GetLastError());
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        return Fail(error, "Cannot read", path, GetLastError());
    }
    std::string content;
    try {
        content.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::exception&) {
        return Fail(error, "Cannot read", path, ERROR_NOT_ENOUGH_MEMORY);
    }
    size_t filled = 0;
    while (filled < content.size()) {
        const size_t left = content.size() - filled;
        constexpr size_t kChunk = 1u << 30;
        DWORD read = 0;
        if (!ReadFile(file.Get(), content.data() + filled,
                      static_cast<DWORD>(left < kChunk ? left : kChunk), &read, nullptr)) {
            return Fail(error, "Cannot read", path, GetLastError());
        }
        if (read == 0) {
            break;  // shorter than its size said: someone truncated it meanwhile
        }
        filled += read;
    }
    content.resize(filled);
    *bytes = std::move(content);
    return true;
}

namespace {

// Both replacements: the new content is written and flushed first, then (with a backup
// asked for) the file being replaced gets its second name, then the new one moves in.
bool Replace(const std::string& path, std::string_view bytes, const std::string* backup,
             FileError* error, bool* backup_kept) {
    if (HasNul(path) || (backup != nullptr && HasNul(*backup))) {
        return Fail(error, "Cannot write", path, ERROR_INVALID_NAME);
    }
    const std::wstring target = ui::Widen(path);
    if (IsReadOnly(target)) {
        return Fail(error, "Cannot replace", path, ERROR_ACCESS_DENIED, FileProblem::kReadOnly);
    }
    TemporaryFile temporary;
    if (!WriteTemporaryFile(target, bytes, temporary, path, error)) {
        return false;
    }
    if (backup != nullptr) {
        // Only once the new content is safely on disk: a save that fails early keeps the
        // older backup.
        const DWORD attributes = GetFileAttributesW(target.c_str());
        const bool kept = attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                          KeepBackup(target, *backup);
        if (backup_kept != nullptr) {
            *backup_kept = kept;
        }
    }
    if (!MoveIntoPlace(temporary, target, MOVEFILE_REPLACE_EXISTING)) {
        const DWORD code = GetLastError();
        return Fail(error, "Cannot replace", path, code, ReplaceProblem(target, code));
    }
    return true;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, std::string_view bytes, FileError* error) {
    return Replace(path, bytes, nullptr, error, nullptr);
}

bool ReplaceFileContentKeepingBackup(const std::string& path, std::string_view bytes,
                                     const std::string& backup, FileError* error,
                                     bool* backup_kept) {
    return Replace(path, bytes, &backup, error, backup_kept);
}

bool CreateFileContent(const std::string& path, std::string_view bytes, FileError* error) {
    if (HasNul(path)) {
        return Fail(error, "Cannot create", path, ERROR_INVALID_NAME);
    }
    const std::wstring target = ui::Widen(path);
    TemporaryFile temporary;
    if (!WriteTemporaryFile(target, bytes, temporary, path, error)) {
        return false;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, however
    // it came to be.
    if (!MoveIntoPlace(temporary, target, 0)) {
        return Fail(error, "Cannot create", path, GetLastError());
    }
    return true;
}

void RemoveTemporaryFiles(const std::string& path) {
    if (HasNul(path)) {
        return;
    }
    const std::wstring target = ui::Widen(path);
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    const std::string name =
        ui::Narrow(slash == std::wstring::npos ? target : target.substr(slash + 1));
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            IsTemporaryFileOf(ui::Narrow(found.cFileName), name) &&
            !DeleteFileW((folder + found.cFileName).c_str())) {
            ui::TraceLastError(L"RemoveTemporaryFiles: DeleteFileW");
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace zarkit::io
