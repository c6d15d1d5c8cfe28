#include "io/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

#include "core/paths.h"

namespace zarkit::io {
namespace {

FileProblem ProblemOf(int error_number) {
    switch (error_number) {
        case ENOENT:
        case ENOTDIR:
            return FileProblem::kNotFound;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileProblem::kDiskFull;
        case EBUSY:
        case ETXTBSY:
            return FileProblem::kInUse;
        case EROFS:
            return FileProblem::kReadOnly;
        case EACCES:
        case EPERM:
            return FileProblem::kNoAccess;
        default:
            return FileProblem::kOther;
    }
}

void SetError(FileError* error, const char* what, const std::string& path, int error_number) {
    if (error) {
        error->problem = ProblemOf(error_number);
        error->text = std::string(what) + " \"" + path + "\": " + std::strerror(error_number);
    }
}

// Closes on every path out, keeping errno of the failure that mattered.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    // close() reports write-back errors of some file systems (NFS): they count.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name beside the target that no other writer picks: process id, a counter and
// random bits, and O_EXCL to be sure. Left behind by a crash, it is recognisable as the
// target's (see RemoveTemporaryFiles).
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 random{std::random_device{}()};
    return path + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(random()) + ".tmp";
}

// Makes the renames and links in `path`'s folder durable. The change has been made by
// then, so a failure (some file systems refuse to sync a folder) must not read as none.
void SyncDirectoryOf(const std::string& path) {
    FileDescriptor directory(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());
    }
}

// Writes `bytes` to a new temporary file beside `path`, flushed to disk and closed, with
// the permissions of the file it is to replace. Its name goes to `temporary`; on failure
// nothing is left.
bool WriteTemporaryFile(const std::string& path, std::string_view bytes, std::string* temporary,
                        FileError* error) {
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        *temporary = TemporaryNameFor(path);
        fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    FileDescriptor file(fd);
    if (file.Get() < 0) {
        SetError(error, "Cannot create a temporary file for", path, errno);
        return false;
    }
    const auto fail = [&](const char* what) {
        const int saved = errno;
        ::unlink(temporary->c_str());
        SetError(error, what, path, saved);
        return false;
    };

    // The new file is a new inode: give it the old one's permissions.
    struct stat old_info;
    if (::stat(path.c_str(), &old_info) == 0 && S_ISREG(old_info.st_mode)) {
        ::fchmod(file.Get(), old_info.st_mode & 07777);
    }
    if (!WriteAll(file.Get(), bytes)) {
        return fail("Cannot write");
    }
    if (::fsync(file.Get()) != 0) {
        return fail("Cannot flush");
    }
    if (!file.Close()) {
        return fail("Cannot close");
    }
    return true;
}

bool Rename(const std::string& temporary, const std::string& path, FileError* error) {
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        SetError(error, "Cannot replace", path, saved);
        return false;
    }
    return true;
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path, FileError* error) {
    if (!Rename(temporary, path, error)) {
        return false;
    }
    SyncDirectoryOf(path);
    return true;
}

// `path` as it is now becomes `backup`, in one step. A second name for the same file
// costs nothing; where the file system has no hard links, a copy does the same.
bool KeepBackup(const std::string& path, const std::string& backup) {
    std::string temporary = TemporaryNameFor(backup);
    if (::link(path.c_str(), temporary.c_str()) != 0) {
        std::string bytes;
        if (!ReadFileBytes(path, &bytes, nullptr) ||
            !WriteTemporaryFile(backup, bytes, &temporary, nullptr)) {
            return false;
        }
    }
    // Made durable with the store's own rename, which follows in the same folder; lost
    // in a crash before that, it leaves the older backup, whole.
    if (!Rename(temporary, backup, nullptr)) {
        return false;
    }
    // When the backup already is this file (a save killed after keeping it), rename()
    // does nothing and leaves the second name behind.
    ::unlink(temporary.c_str());
    return true;
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

bool ReadFileInfo(const std::string& path, FileInfo* info, FileError* error) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            *info = FileInfo{};
            return true;
        }
        SetError(error, "Cannot look at", path, errno);
        return false;
    }
    info->exists = true;
    info->size = static_cast<std::uint64_t>(status.st_size);
    info->write_time =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return true;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, FileError* error) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        SetError(error, "Cannot open", path, errno);
        return false;
    }
    // Read straight into the result, to the end rather than trusting the size, which
    // may change meanwhile.
    struct stat info;
    const bool sized = ::fstat(file.Get(), &info) == 0 && info.st_size > 0;
    std::string content(sized ? static_cast<std::size_t>(info.st_size) + 1 : 65536, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == content.size()) {
            content.resize(content.size() * 2);
        }
        const ssize_t got = ::read(file.Get(), content.data() + used, content.size() - used);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            SetError(error, "Cannot read", path, errno);
            return false;
        }
        used += static_cast<std::size_t>(got);
    }
    content.resize(used);
    *bytes = std::move(content);
    return true;
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes, FileError* error) {
    std::string temporary;
    return WriteTemporaryFile(path, bytes, &temporary, error) &&
           MoveIntoPlace(temporary, path, error);
}

bool ReplaceFileContentKeepingBackup(const std::string& path, std::string_view bytes,
                                     const std::string& backup, FileError* error,
                                     bool* backup_kept) {
    std::string temporary;
    if (!WriteTemporaryFile(path, bytes, &temporary, error)) {
        return false;
    }
    // Only once the new content is safely on disk: a save that fails early keeps the
    // older backup.
    struct stat info;
    const bool kept =
        ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && KeepBackup(path, backup);
    if (backup_kept) {
        *backup_kept = kept;
    }
    return MoveIntoPlace(temporary, path, error);
}

bool CreateFileContent(const std::string& path, std::string_view bytes, FileError* error) {
    std::string temporary;
    if (!WriteTemporaryFile(path, bytes, &temporary, error)) {
        return false;
    }
    // link() never replaces: it fails when the name is taken, however it came to be.
    const bool linked = ::link(temporary.c_str(), path.c_str()) == 0;
    const int saved = errno;
    ::unlink(temporary.c_str());
    if (!linked) {
        SetError(error, "Cannot create", path, saved);
        return false;
    }
    SyncDirectoryOf(path);
    return true;
}

void RemoveTemporaryFiles(const std::string& path) {
    const std::string directory = DirectoryOf(path);
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (IsTemporaryFileOf(entry->d_name, name)) {
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

}  // namespace zarkit::io
