#pragma once

#include <string>
#include <string_view>

namespace zarkit {

// The text as an XML 1.0 document can hold it: control characters other than tab, line
// feed and carriage return, and U+FFFE and U+FFFF, are left out (no escape exists for
// them, and a parser refuses the whole file when it meets one); a byte that is not part
// of valid UTF-8 becomes U+FFFD. Valid text comes back unchanged.
std::string XmlText(std::string_view text);

}  // namespace zarkit
