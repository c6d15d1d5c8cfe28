#include "app/app_paths.h"

#include <vector>

#include "core/paths.h"
#include "core/product.h"
#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (size == 0) {
            ui::TraceLastError(L"GetModuleFileNameW");
            return {};
        }
        if (size < buffer.size()) {
            return ui::Narrow(std::wstring_view(buffer.data(), size));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string EnsureBrowserProbeFile(const std::string& module_directory) {
    const std::string path = module_directory + product::kProbeFileName;
    const std::wstring wide_path = ui::Widen(path);
    // CREATE_NEW: an existing file, whatever it holds, is never touched.
    ui::FileHandle file(CreateFileW(wide_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (GetLastError() != ERROR_FILE_EXISTS) {
            ui::TraceLastError(L"EnsureBrowserProbeFile: CreateFileW");
        }
        return path;
    }
    const std::string line = ProbeFileContent(product::kHomePage);
    DWORD written = 0;
    if (!WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size()) {
        // A full disk: an empty file would stay for good, as an existing one is never
        // written again.
        ui::TraceLastError(L"EnsureBrowserProbeFile: WriteFile");
        file.Reset();
        DeleteFileW(wide_path.c_str());
    }
    return path;
}

}  // namespace zarkit
