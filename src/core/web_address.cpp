#include "core/web_address.h"

#include "core/text_rules.h"

namespace zarkit {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Bytes that end or split an argument, or that no URL may hold as they are.
bool MustEncode(unsigned char c) {
    return c <= 0x20 || c == 0x7F || c == '"';
}

bool IsHostCharacter(unsigned char c) {
    constexpr std::string_view kForbidden = "\"<>\\^`{|}";
    return !MustEncode(c) && kForbidden.find(static_cast<char>(c)) == std::string_view::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && ToLower(text.substr(0, prefix.size())) == prefix;
}

bool IsHost(std::string_view host) {
    if (host.empty()) {
        return false;
    }
    for (const char c : host) {
        if (!IsHostCharacter(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// The authority: optional user information up to its last '@', the host (an IPv6
// literal in brackets), an optional ':' and port.
bool IsAuthority(std::string_view authority) {
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    std::string_view port;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos) {
            return false;
        }
        host = authority.substr(1, close - 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':')) {
            return false;
        }
        port = rest.empty() ? rest : rest.substr(1);
    } else if (const auto colon = authority.find(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    }
    for (const char c : port) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return IsHost(host);
}

}  // namespace

bool IsRealWebAddress(std::string_view text) {
    const std::string_view address = Trim(text);
    std::string_view rest;
    if (StartsWithNoCase(address, "http://")) {
        rest = address.substr(7);
    } else if (StartsWithNoCase(address, "https://")) {
        rest = address.substr(8);
    } else {
        return false;
    }
    // Browsers end the authority at a backslash too.
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
    return IsAuthority(authority) && EncodeWebAddress(address).size() <= kMaxWebAddressArgument;
}

std::string NotAWebAddressText(std::string_view text) {
    std::string said = "\"";
    said.append(Trim(text))
        .append(
            "\" is not a web address. A web address begins with http:// or https:// and a host "
            "name, such as https://www.example.com/.");
    return said;
}

std::string EncodeWebAddress(std::string_view address) {
    constexpr char kHex[] = "0123456789ABCDEF";
    const std::string_view trimmed = Trim(address);
    std::string encoded;
    encoded.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const auto c = static_cast<unsigned char>(trimmed[i]);
        const bool starts_escape =
            i + 2 < trimmed.size() && IsHexDigit(trimmed[i + 1]) && IsHexDigit(trimmed[i + 2]);
        if (MustEncode(c) || (c == '%' && !starts_escape)) {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return encoded;
}

}  // namespace zarkit
