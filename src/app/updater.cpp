#include "app/updater.h"

#include "app/app_paths.h"
#include "core/paths.h"
#include "core/product.h"
#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

DWORD WINAPI UpdaterThread(void*) {
    const std::string path =
        ProgramDirectoryOf(ExecutablePath()) + "\\" + product::kUpdaterFileName;
    const std::wstring wide_path = ui::Widen(path);
    if (GetFileAttributesW(wide_path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    // The program is named explicitly and quoted on the command line, so a folder
    // with blanks in its name cannot make CreateProcess start some other program.
    std::wstring command_line = L"\"" + wide_path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(wide_path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ui::TraceLastError(L"UpdaterThread: CreateProcessW");
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

void StartUpdaterThread() {
    ui::KernelHandle thread(CreateThread(nullptr, 0, &UpdaterThread, nullptr, 0, nullptr));
    if (!thread) {
        ui::TraceLastError(L"StartUpdaterThread: CreateThread");
    }
}

}  // namespace zarkit
