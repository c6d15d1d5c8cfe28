#pragma once

// Debugger output. Where the program goes on after a failed call, it says so here,
// with the call site, so the failure is visible in a debugger and under Wine.
namespace zarkit::ui {

void Trace(const wchar_t* format, ...);

// "<where> failed: <system message> (<code>)" for GetLastError().
void TraceLastError(const wchar_t* where);

// Since this process was created, by the system's clock.
double MillisecondsSinceProcessStart();
// A steady clock in milliseconds, finer than GetTickCount.
double PreciseMilliseconds();

}  // namespace zarkit::ui
