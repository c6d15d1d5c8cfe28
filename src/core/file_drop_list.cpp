#include "core/file_drop_list.h"

#include <cstddef>

namespace zarkit {
namespace {

// DROPFILES: DWORD pFiles, POINT pt, BOOL fNC, BOOL fWide.
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kWideOffset = 16;

std::uint32_t ReadU32(std::span<const std::uint8_t> memory, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(memory[offset + i]) << (8 * i);
    }
    return value;
}

}  // namespace

bool IsSoundFileDropList(std::span<const std::uint8_t> memory) {
    if (memory.size() < kHeaderSize) {
        return false;
    }
    const std::size_t start = ReadU32(memory, 0);
    const std::size_t unit = ReadU32(memory, kWideOffset) != 0 ? 2 : 1;
    if (start < kHeaderSize || start > memory.size()) {
        return false;
    }
    bool at_name_start = true;
    for (std::size_t at = start; memory.size() - at >= unit; at += unit) {
        const bool zero = memory[at] == 0 && memory[at + unit - 1] == 0;
        if (zero && at_name_start) {
            return true;
        }
        at_name_start = zero;
    }
    return false;
}

}  // namespace zarkit
