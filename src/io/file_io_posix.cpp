#include "io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

namespace zarkit::io {
namespace {

void SetError(std::string* error, const char* what, const std::string& path, int error_number) {
    if (error) {
        *error = std::string(what) + " \"" + path + "\": " + std::strerror(error_number);
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
// random bits, and O_EXCL to be sure.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 random{std::random_device{}()};
    return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(random());
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* error) {
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

bool ReplaceFileContent(const std::string& path, std::string_view bytes, std::string* error) {
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryNameFor(path);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
        ::unlink(temporary.c_str());
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
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail("Cannot replace");
    }
    // Makes the rename itself durable. The file has been replaced by now, so a failure
    // here (some file systems refuse to sync a directory) must not read as "unchanged".
    FileDescriptor directory(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());
    }
    return true;
}

}  // namespace zarkit::io
