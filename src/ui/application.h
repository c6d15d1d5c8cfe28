#pragma once

#include "ui/win32.h"

namespace zarkit::ui {

// The process's application object. Main runs InitInstance; an application may run
// its whole life there, message loop included, and return false to end at once.
class Application {
public:
    Application() = default;
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The process's exit code.
    int Main();

protected:
    virtual bool InitInstance() = 0;

    // Runs until WM_QUIT; returns (and remembers as the exit code) its wParam.
    int RunMessageLoop();
    void SetExitCode(int code) { exit_code_ = code; }

private:
    int exit_code_ = 0;
};

}  // namespace zarkit::ui
