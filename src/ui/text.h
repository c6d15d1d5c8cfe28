#pragma once

#include <string>
#include <string_view>

// The program keeps text as UTF-8; Win32 takes UTF-16. These two convert at that boundary.
namespace zarkit::ui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace zarkit::ui
