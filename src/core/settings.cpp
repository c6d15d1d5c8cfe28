#include "core/settings.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace zarkit {

bool ParseSettingFlag(std::string_view text) {
    return text == "yes";
}

const char* FormatSettingFlag(bool value) {
    return value ? "yes" : "no";
}

int ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    // The blanks that isspace accepts in the "C" locale.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Counted towards the limit on its own side, so that INT_MIN itself is reachable.
    const std::int64_t limit = negative ? -std::int64_t{INT_MIN} : INT_MAX;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value >= limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

int ParseShowTickCount(std::string_view text) {
    return std::clamp(ParseLeadingInt(text), 0, kMaxShowTickCount);
}

}  // namespace zarkit
