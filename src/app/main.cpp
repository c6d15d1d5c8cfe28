#include "app/zarkit_app.h"
#include "ui/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    zarkit::CZarkitApp app;
    return app.Main();
}
