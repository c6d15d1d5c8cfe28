#include "ui/application.h"

namespace zarkit::ui {

int Application::Main() {
    if (!InitInstance()) {
        return exit_code_;
    }
    return RunMessageLoop();
}

int Application::RunMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            exit_code_ = 1;
            return exit_code_;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    exit_code_ = static_cast<int>(message.wParam);
    return exit_code_;
}

}  // namespace zarkit::ui
