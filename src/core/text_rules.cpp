#include "core/text_rules.h"

#include "core/utf8.h"

namespace zarkit {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char32_t LowerEvenToOdd(char32_t c) {
    return (c % 2 == 0) ? c + 1 : c;
}

char32_t LowerOddToEven(char32_t c) {
    return (c % 2 == 1) ? c + 1 : c;
}

// Simple lower-case mappings of the scripts that the Western, Central European, Greek
// and Cyrillic code pages cover. Only two-byte code points (U+0080..U+07FF) reach here.
char32_t LowerTwoByte(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) {
            return U'i';  // dotted capital I
        }
        if (c == 0x178) {
            return 0xFF;  // Y with diaeresis, whose small letter is in Latin-1
        }
        if (c <= 0x137 || (c >= 0x14A && c <= 0x177)) {
            return LowerEvenToOdd(c);
        }
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
            return LowerOddToEven(c);
        }
        return c;
    }
    if (c >= 0x370 && c <= 0x3FF) {
        if (c == 0x370 || c == 0x372 || c == 0x376 || (c >= 0x3D8 && c <= 0x3EF)) {
            return LowerEvenToOdd(c);
        }
        if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
            return c + 0x20;
        }
        switch (c) {
            case 0x37F:
                return 0x3F3;
            case 0x386:
                return 0x3AC;
            case 0x388:
            case 0x389:
            case 0x38A:
                return c + 0x25;
            case 0x38C:
                return 0x3CC;
            case 0x38E:
            case 0x38F:
                return c + 0x3F;
            case 0x3CF:
                return 0x3D7;
            case 0x3F4:
                return 0x3B8;
            case 0x3F7:
                return 0x3F8;
            case 0x3F9:
                return 0x3F2;
            case 0x3FA:
                return 0x3FB;
            case 0x3FD:
            case 0x3FE:
            case 0x3FF:
                return c - 0x82;
            default:
                return c;
        }
    }
    if (c >= 0x400 && c <= 0x52F) {
        if (c <= 0x40F) {
            return c + 0x50;
        }
        if (c <= 0x42F) {
            return c + 0x20;
        }
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || c >= 0x4D0) {
            return LowerEvenToOdd(c);
        }
        if (c == 0x4C0) {
            return 0x4CF;
        }
        if (c >= 0x4C1 && c <= 0x4CE) {
            return LowerOddToEven(c);
        }
    }
    return c;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Every letter that changes is ASCII or a two-byte sequence, so the other bytes can be
// copied as they come: continuation bytes and longer sequences never match either case,
// and a broken sequence stays as it was.
std::string ToLower(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 'A' && byte <= 'Z') {
            out += static_cast<char>(byte + ('a' - 'A'));
            continue;
        }
        const bool two_byte_lead = byte >= 0xC2 && byte <= 0xDF;
        if (two_byte_lead && i + 1 < text.size() &&
            (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            const char32_t c =
                (char32_t{byte} & 0x1F) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            AppendUtf8(out, LowerTwoByte(c));
            ++i;
            continue;
        }
        out += static_cast<char>(byte);
    }
    return out;
}

char32_t ToLowerCodePoint(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + (U'a' - U'A');
    }
    return (c >= 0x80 && c <= 0x7FF) ? LowerTwoByte(c) : c;
}

bool SameTableName(std::string_view a, std::string_view b) {
    return ToLower(Trim(a)) == ToLower(Trim(b));
}

bool LabelMatches(std::string_view stored, std::string_view wanted) {
    return ToLower(stored) == ToLower(wanted);
}

bool SameIdentifier(std::string_view a, std::string_view b) {
    return ToLower(a) == ToLower(b);
}

}  // namespace zarkit
