#include "test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>

#include "ui/com.h"
#include "ui/text.h"
#include <shlobj.h>

namespace zarkit {

namespace fs = std::filesystem;

fs::path FreshTestFolder(const std::wstring& prefix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path folder =
        fs::temp_directory_path() / (prefix + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                                     ui::Widen(info != nullptr ? info->name() : "suite"));
    RemoveTestFolder(folder);
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder) && fs::is_empty(folder) ? folder : fs::path();
}

void RemoveTestFolder(const fs::path& folder) {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder, ignored);
}

HRESULT SaveShortcut(const fs::path& shortcut, const fs::path& target,
                     const std::wstring& arguments, const fs::path& work_dir) {
    ui::ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.PutVoid());
    if (FAILED(result)) {
        return result;
    }
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    link->SetWorkingDirectory(work_dir.c_str());
    const auto file = link.As<IPersistFile>(IID_IPersistFile);
    return file ? file->Save(shortcut.c_str(), TRUE) : E_NOINTERFACE;
}

std::vector<std::uint8_t> FileDropBytes(const std::vector<fs::path>& paths) {
    std::wstring names;
    for (const fs::path& path : paths) {
        names += path.wstring();
        names += L'\0';
    }
    names += L'\0';
    std::vector<std::uint8_t> bytes(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return bytes;
}

namespace {

std::wstring Extended(const fs::path& path) {
    return L"\\\\?\\" + path.wstring();
}

}  // namespace

fs::path LongPathUnder(const fs::path& folder, std::size_t length, const std::wstring& extension) {
    std::wstring path = folder.wstring();
    // Folders of 50 while one more leaves room for a name of at least 20.
    while (path.size() + 51 + 20 + extension.size() <= length) {
        path += L'\\' + std::wstring(49, L'd') + std::to_wstring(path.size() % 10);
        CreateDirectoryW(Extended(path).c_str(), nullptr);
    }
    path += L'\\';
    path += std::wstring(length - path.size() - extension.size(), L'x') + extension;
    return path;
}

bool CopyLaunchMarker(const fs::path& to) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const fs::path marker = fs::path(exe).parent_path() / L"launch_marker.exe";
    return CopyFileW(marker.c_str(), Extended(to).c_str(), FALSE) != FALSE;
}

std::vector<std::string> WaitForLines(const fs::path& file, std::size_t count) {
    std::vector<std::string> lines;
    PumpUntil(
        [&] {
            lines.clear();
            std::ifstream in(file);
            for (std::string line; std::getline(in, line);) {
                lines.push_back(line);
            }
            return lines.size() >= count;
        },
        10000);
    return lines;
}

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    return true;
}

}  // namespace zarkit
