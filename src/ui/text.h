#pragma once

#include <string>
#include <string_view>

// The program keeps text as UTF-8; Win32 takes UTF-16. These two convert at that boundary.
namespace zarkit::ui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Names in the order the shell lists them for the user's locale, case ignored: below,
// equal to or above zero as `a` sorts before, with or after `b`.
int CompareNames(std::wstring_view a, std::wstring_view b);

}  // namespace zarkit::ui
