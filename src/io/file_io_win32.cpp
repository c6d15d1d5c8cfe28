#include "io/file_io.h"

#include <atomic>
#include <cwchar>
#include <exception>
#include <string>
#include <utility>

#include "ui/handles.h"
#include "ui/text.h"
#include "ui/win32.h"

namespace zarkit::io {
namespace {

std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return (message.empty() ? "system error" : ui::Narrow(message)) + " (" + std::to_string(code) +
           ")";
}

bool Fail(std::string* error, const char* what, const std::string& path, DWORD code) {
    if (error != nullptr) {
        *error = std::string(what) + " \"" + path + "\": " + SystemMessage(code);
    }
    return false;
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

}  // namespace

bool FileExists(const std::string& path) {
    return !HasNul(path) && GetFileAttributesW(ui::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* error) {
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

bool ReplaceFileContent(const std::string& path, std::string_view bytes, std::string* error) {
    if (HasNul(path)) {
        return Fail(error, "Cannot write", path, ERROR_INVALID_NAME);
    }
    const std::wstring target = ui::Widen(path);
    // Windows refuses to replace a read-only file, Wine replaces it anyway. Whoever set
    // the attribute wants the file left alone, so refuse on both.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Fail(error, "Cannot replace", path, ERROR_ACCESS_DENIED);
    }
    TemporaryFile temporary;
    ui::FileHandle file;  // declared second: closed before the temporary file is deleted
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
    // One step from the old content to the new; write-through returns only once the
    // rename is on disk.
    if (!MoveFileExW(temporary.Path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail(error, "Cannot replace", path, GetLastError());
    }
    temporary.Keep();
    return true;
}

}  // namespace zarkit::io
