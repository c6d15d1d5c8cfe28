#include "app/updater.h"

#include <memory>
#include <utility>

#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

DWORD WINAPI UpdaterThread(void* parameter) {
    const std::unique_ptr<std::wstring> path(static_cast<std::wstring*>(parameter));
    if (path->empty() || GetFileAttributesW(path->c_str()) == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    // The program is named explicitly and quoted on the command line, so a folder
    // with blanks in its name cannot make CreateProcess start some other program.
    std::wstring command_line = L"\"" + *path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path->c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ui::TraceLastError(L"UpdaterThread: CreateProcessW");
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

void StartUpdaterThread(std::string path) {
    if (path.empty()) {
        return;
    }
    // The thread owns its copy of the path; it shares nothing with this one.
    auto parameter = std::make_unique<std::wstring>(ui::Widen(path));
    ui::KernelHandle thread(CreateThread(nullptr, 0, &UpdaterThread, parameter.get(), 0, nullptr));
    if (!thread) {
        ui::TraceLastError(L"StartUpdaterThread: CreateThread");
        return;
    }
    parameter.release();
}

}  // namespace zarkit
