#pragma once

// Debugger output. Where the program goes on after a failed call, it says so here,
// with the call site, so the failure is visible in a debugger and under Wine.
#include <string>

#include "ui/win32.h"

namespace zarkit::ui {

// The system's text for an error code, UTF-8, without its line break and full stop;
// empty when the system has none.
std::string SystemMessage(DWORD code);

void Trace(const wchar_t* format, ...);

// "<where> failed: <system message> (<code>)" for GetLastError().
void TraceLastError(const wchar_t* where);

// Since this process was created, by the system's clock.
double MillisecondsSinceProcessStart();
// A steady clock in milliseconds, finer than GetTickCount.
double PreciseMilliseconds();

}  // namespace zarkit::ui
