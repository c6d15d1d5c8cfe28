#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/geometry.h"

// The decisions of the hyperlink control: which way a target is opened, the command
// line of the fallback, the error texts, and the size the control takes for its text.
namespace zarkit {

// An at sign anywhere, also inside a web address, makes the target a mail address.
bool IsMailTarget(std::string_view target);

// What the shell is asked to open for a mail target.
std::string MailText(std::string_view target);

// The fallback's command line buffer, in UTF-16 units with its terminator.
inline constexpr int kMaxCommandLine = 520;

// The command line that starts the program registered for web pages with `target`:
// `registered` cut at its quoted "%1" (at the opening quote), else at a bare %1, else
// kept whole; then a blank and the target. nullopt when it would not fit the buffer,
// since a cut-off command line would open something else.
std::optional<std::string> FallbackCommandLine(std::string_view registered,
                                               std::string_view target);

// The message box text for a failed open: the fixed heading and the reason for the
// shell's (or the program start's) result code.
std::string OpenErrorText(int code);

// The result WinExec gives: 33 once the program started; otherwise the error when it
// fits below 32, else 11 (bad format), as WinExec folds everything else into that.
int ProgramStartResult(bool started, unsigned long error);

enum class TextAlign { kLeft, kCenter, kRight };

// The control's rectangle once it fits its text: the text's extent plus the borders
// (window size minus client size), kept at the side its alignment anchors it to;
// centred ones shrink by half the difference at each side.
Rect FitRectToText(const Rect& window, int client_width, int client_height, int text_width,
                   int text_height, TextAlign align, bool centre_vertically);

}  // namespace zarkit
