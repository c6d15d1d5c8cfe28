#include "app/zarkit_app.h"

#include "app/app_paths.h"
#include "app/main_wnd.h"
#include "app/updater.h"
#include "core/paths.h"
#include "core/product.h"
#include "ui/com.h"
#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <commctrl.h>

namespace zarkit {
namespace {

// A file this left empty (the disk is full) goes again rather than stay as a puzzle.
void WriteProductInfo(const std::string& exe_path) {
    const std::wstring ini =
        ui::Widen(ProgramDirectoryOf(exe_path) + "\\" + product::kConfigFileName);
    const bool existed = GetFileAttributesW(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::wstring section = ui::Widen(product::kConfigSection);
    if (!WritePrivateProfileStringW(section.c_str(),
                                    ui::Widen(product::kConfigProductNameKey).c_str(),
                                    ui::Widen(product::kProductName).c_str(), ini.c_str()) ||
        !WritePrivateProfileStringW(section.c_str(),
                                    ui::Widen(product::kConfigProductVersionKey).c_str(),
                                    ui::Widen(product::kVersion).c_str(), ini.c_str())) {
        ui::TraceLastError(L"WriteProductInfo: WritePrivateProfileStringW");
    }
    WIN32_FILE_ATTRIBUTE_DATA written{};
    if (!existed && GetFileAttributesExW(ini.c_str(), GetFileExInfoStandard, &written) &&
        written.nFileSizeLow == 0 && written.nFileSizeHigh == 0) {
        DeleteFileW(ini.c_str());
    }
}

// The mutex stays held until the process ends; a second copy finds it and stops.
bool IsAnotherInstanceRunning(ui::KernelHandle& mutex) {
    mutex.Reset(CreateMutexW(nullptr, FALSE, ui::Widen(product::kMutexName).c_str()));
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex.Reset();
        return true;
    }
    return false;
}

}  // namespace

CZarkitApp::CZarkitApp(std::string (*executable_path)()) : m_ExecutablePath(executable_path) {}

bool CZarkitApp::InitInstance() {
    const std::string exe_path = m_ExecutablePath();
    // Every file lies beside the program. Without its folder the paths would name the
    // root of the current drive, and the updater any Update.exe found there.
    if (ModuleDirectoryOf(exe_path).empty()) {
        ui::Trace(L"CZarkitApp: the program's own path is unknown; giving up\n");
        SetExitCode(1);
        return false;
    }
    WriteProductInfo(exe_path);
    StartUpdaterThread(UpdaterPathOf(exe_path));

    if (IsAnotherInstanceRunning(m_InstanceMutex)) {
        MessageBoxW(nullptr, ui::Widen(product::kAlreadyRunning).c_str(),
                    ui::Widen(product::kAppTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // Drag and drop needs OLE, not only COM: started once for this thread, before the
    // drawer and its store's document, and stopped after them.
    const ui::OleApartment ole;
    if (!ole.Ok()) {
        ui::Trace(L"OleInitialize failed\n");
    }

    const std::string module_directory = ModuleDirectoryOf(exe_path);
    CMainWnd drawer(module_directory, EnsureBrowserProbeFile(module_directory));
    if (!CMainWnd::RegisterWindowClass() || !drawer.CreateDrawer()) {
        // Whatever went wrong was shown by the drawer's creation, if anything; end here.
        SetExitCode(1);
        return false;
    }
    ShowWindow(drawer.Hwnd(), SW_SHOW);
    RunMessageLoop();
    return false;
}

}  // namespace zarkit
