#include "core/item_identifier.h"

#include <cstdio>
#include <memory>
#include <random>

namespace zarkit {

std::string FormatItemIdentifier(const Guid& guid) {
    char text[64];
    const auto& b = guid.data4;
    std::snprintf(
        text, sizeof text, "{%8.8X-%4.4X-%4.4x-%2.2X%2.2X-%2.2X%2.2X%2.2X%2.2X%2.2X%2.2X}",
        static_cast<unsigned>(guid.data1), static_cast<unsigned>(guid.data2),
        static_cast<unsigned>(guid.data3), b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
    return text;
}

std::optional<std::string> MakeItemIdentifier(const GuidSource& guids) {
    if (!guids) {
        return std::nullopt;
    }
    const std::optional<Guid> guid = guids();
    if (!guid) {
        return std::nullopt;
    }
    return FormatItemIdentifier(*guid);
}

GuidSource RandomGuidSource() {
    struct Generator {
        std::mt19937_64 engine;
        bool seeded = false;
    };
    auto generator = std::make_shared<Generator>();
    return [generator]() -> std::optional<Guid> {
        if (!generator->seeded) {
            // random_device throws when the system has no entropy source to offer.
            try {
                std::random_device device;
                std::seed_seq seed{device(), device(), device(), device(),
                                   device(), device(), device(), device()};
                generator->engine.seed(seed);
            } catch (const std::exception&) {
                return std::nullopt;
            }
            generator->seeded = true;
        }
        const std::uint64_t high = generator->engine();
        const std::uint64_t low = generator->engine();
        Guid guid;
        guid.data1 = static_cast<std::uint32_t>(high >> 32);
        guid.data2 = static_cast<std::uint16_t>(high >> 16);
        // Version 4 (random) and the RFC 4122 variant, as CoCreateGuid makes them.
        guid.data3 = static_cast<std::uint16_t>((high & 0x0FFF) | 0x4000);
        for (std::size_t i = 0; i < guid.data4.size(); ++i) {
            guid.data4[i] = static_cast<std::uint8_t>(low >> (8 * (7 - i)));
        }
        guid.data4[0] = static_cast<std::uint8_t>((guid.data4[0] & 0x3F) | 0x80);
        return guid;
    };
}

}  // namespace zarkit
