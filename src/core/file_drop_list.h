#pragma once

#include <cstdint>
#include <span>

namespace zarkit {

// Whether the memory of a dropped file list (the shell's DROPFILES header, then the file
// names, each ending in a zero character, and one more zero character) ends inside the
// memory. The shell's readers trust both the list's offset and its final terminator, so
// a list from another program is checked before they see it.
bool IsSoundFileDropList(std::span<const std::uint8_t> memory);

}  // namespace zarkit
