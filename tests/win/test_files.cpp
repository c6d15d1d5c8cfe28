#include "test_files.h"

#include <gtest/gtest.h>

#include <cstring>

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

}  // namespace zarkit
