#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Web addresses that items open: which text is one, and how it reaches the browser.
namespace zarkit {

// The longest address taken, in bytes once encoded: the browser's whole command line must
// stay within the 32767 characters a process can be started with.
inline constexpr std::size_t kMaxWebAddressArgument = 30000;

// Whether a new item may open `text`: "http://" or "https://" in any case, then a host;
// white space around it is allowed. The host holds no white space, control character or
// other character that cannot stand in one, and a port is digits only.
bool IsRealWebAddress(std::string_view text);

// What became of a web site to be added: listed and stored, refused by
// IsRealWebAddress, no browser to open it, or not listed (the browser is gone, say).
enum class WebSiteAdded { kAdded, kNotWebAddress, kNoBrowser, kNotListed };

// Said when a web address is to be added and the shell names no program for web pages.
inline constexpr char kNoWebBrowserText[] =
    "No web browser is registered, so the web address cannot be added.";

// Said when the Add Items dialog is given text that is no web address.
std::string NotAWebAddressText(std::string_view text);

// The address as the browser is given it: white space around it removed, and every
// character that no URL holds and that could end or split a command-line argument
// percent-encoded (white space, control characters, double quotes), as is a '%' that
// starts no escape. Escapes already there, and non-ASCII text, are kept as they are.
std::string EncodeWebAddress(std::string_view address);

}  // namespace zarkit
