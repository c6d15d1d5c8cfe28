#pragma once

#include <cstdint>
#include <string_view>

// What the dialogs accept from their fields, and what they say when they refuse it.
namespace zarkit {

enum class InputProblem {
    kNone,
    kEmptyTableName,
    kNotANumber,
    kDelayOutOfRange,  // negative, or longer than kMaxShowTickCount
};

// The message box text for a problem; empty for kNone.
const char* ProblemMessage(InputProblem problem);

// Add Table takes any name but an empty one, blanks included, exactly as typed:
// whether the store takes it is the store's rule.
InputProblem CheckNewTableName(std::string_view typed);

struct DelayInput {
    std::uint32_t value = 0;  // only meaningful without a problem
    InputProblem problem = InputProblem::kNone;
};

// The hover delay field, read as the dialog always has: its first 63 characters,
// leading blanks skipped, an optional sign, then digits up to the first non-digit;
// the rest is ignored. No digit at all is kNotANumber; a minus sign or a value
// above kMaxShowTickCount is kDelayOutOfRange.
DelayInput ReadDelayText(std::string_view text);

}  // namespace zarkit
