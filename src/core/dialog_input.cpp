#include "core/dialog_input.h"

#include <cstddef>

#include "core/settings.h"

namespace zarkit {

namespace {

// The field was read into a 64-character buffer, terminator included.
constexpr std::size_t kDelayFieldChars = 63;
constexpr std::uint64_t kDelayLimit = kMaxShowTickCount;

// The blanks that isspace accepts in the "C" locale.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

const char* ProblemMessage(InputProblem problem) {
    switch (problem) {
        case InputProblem::kNone:
            return "";
        case InputProblem::kEmptyTableName:
            return "You need enter a valid table name!";
        case InputProblem::kNotANumber:
            return "Please enter a positive integer.";
        case InputProblem::kDelayOutOfRange:
            return "Please enter a delay from 0 to 60000 milliseconds.";
    }
    return "";
}

InputProblem CheckNewTableName(std::string_view typed) {
    return typed.empty() ? InputProblem::kEmptyTableName : InputProblem::kNone;
}

DelayInput ReadDelayText(std::string_view text) {
    // Counting bytes instead of characters changes nothing: only ASCII can come
    // before or inside the number.
    text = text.substr(0, kDelayFieldChars);
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t first_digit = i;
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Past the limit the exact value no longer matters; stop before it overflows.
        if (value <= kDelayLimit) {
            value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        }
    }
    if (i == first_digit) {
        return {0, InputProblem::kNotANumber};
    }
    if (negative || value > kDelayLimit) {
        return {0, InputProblem::kDelayOutOfRange};
    }
    return {static_cast<std::uint32_t>(value), InputProblem::kNone};
}

}  // namespace zarkit
