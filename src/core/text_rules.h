#pragma once

#include <string>
#include <string_view>

// How names, labels and identifiers are compared. All text is UTF-8.
namespace zarkit {

// Leading and trailing white space (blank, tab, CR, LF, VT, FF) removed.
std::string_view Trim(std::string_view text);

// Lower case for ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters;
// every other character, and any invalid UTF-8, is kept byte for byte.
std::string ToLower(std::string_view text);

// The same lower-case mapping for one code point; others come back unchanged.
char32_t ToLowerCodePoint(char32_t c);

// Whether two table names name the same table: trimmed and lower-cased.
bool SameTableName(std::string_view a, std::string_view b);

// Whether a stored label matches a wanted name: lower-cased, not trimmed.
bool LabelMatches(std::string_view stored, std::string_view wanted);

// Whether two item identifiers are the same, regardless of case.
bool SameIdentifier(std::string_view a, std::string_view b);

}  // namespace zarkit
