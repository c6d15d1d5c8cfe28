#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zarkit {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
};

// Where new GUIDs come from: CoCreateGuid on Windows, a random source natively.
// nullopt when the generator fails.
using GuidSource = std::function<std::optional<Guid>()>;

// The 38-character identifier text of an item: "{%8.8X-%4.4X-%4.4x-%2.2X%2.2X-%2.2X...}".
// The third group is lower case; every stored identifier has this shape.
std::string FormatItemIdentifier(const Guid& guid);

// A fresh identifier, or nullopt when the GUID source fails.
std::optional<std::string> MakeItemIdentifier(const GuidSource& guids);

// GUIDs from a random number generator, for builds without CoCreateGuid.
GuidSource RandomGuidSource();

}  // namespace zarkit
