#pragma once

#include <string>

namespace zarkit {

// Appends the UTF-8 bytes of one code point (one to four bytes).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace zarkit
