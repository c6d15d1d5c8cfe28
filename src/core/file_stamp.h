#pragma once

#include <cstdint>
#include <string_view>

#include "io/file_io.h"

// Knowing the file one wrote: when another writer (a sync client, another PC, an editor)
// has changed it since, its size, its time or at the last its bytes differ.
namespace zarkit {

// 64 bits of the bytes, fast; any change of a file's bytes changes it but by chance.
std::uint64_t HashBytes(std::string_view bytes);

struct FileStamp {
    bool known = false;  // false: nothing read or written yet
    std::uint64_t size = 0;
    std::int64_t write_time = 0;
    std::uint64_t hash = 0;
};

FileStamp StampOf(const io::FileInfo& info, std::string_view bytes);

enum class StampVerdict {
    kGone,       // the file is not there any more
    kChanged,    // its size or time differ: read it to know what it holds now
    kSameLooks,  // size and time as known: only its bytes can tell
};

StampVerdict CompareStamp(const FileStamp& known, const io::FileInfo& now);

}  // namespace zarkit
