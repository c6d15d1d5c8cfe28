#include "core/file_stamp.h"

namespace zarkit {

std::uint64_t HashBytes(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

FileStamp StampOf(const io::FileInfo& info, std::string_view bytes) {
    return FileStamp{true, info.exists ? info.size : bytes.size(), info.write_time,
                     HashBytes(bytes)};
}

StampVerdict CompareStamp(const FileStamp& known, const io::FileInfo& now) {
    if (!now.exists) {
        return StampVerdict::kGone;
    }
    if (!known.known || now.size != known.size || now.write_time != known.write_time) {
        return StampVerdict::kChanged;
    }
    return StampVerdict::kSameLooks;
}

}  // namespace zarkit
