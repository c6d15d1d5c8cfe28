#include "app/run_key.h"

#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {

namespace {

LSTATUS SetRunValue(HKEY key, const std::wstring& path) {
    // REG_SZ data is counted with its terminating null.
    const auto bytes = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, kRunValueName, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(path.c_str()), bytes);
}

// The machine's Run key is only opened: Windows always has it.
LSTATUS WriteForMachine(HKEY root, const std::wstring& path) {
    HKEY raw = nullptr;
    LSTATUS status = RegOpenKeyExW(root, kRunKeyPath, 0, KEY_SET_VALUE, &raw);
    if (status == ERROR_SUCCESS) {
        const ui::KeyHandle key(raw);
        status = SetRunValue(key.Get(), path);
    }
    return status;
}

// A fresh profile may not have the user's Run key yet.
LSTATUS WriteForUser(HKEY root, const std::wstring& path) {
    HKEY raw = nullptr;
    LSTATUS status =
        RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (status == ERROR_SUCCESS) {
        const ui::KeyHandle key(raw);
        status = SetRunValue(key.Get(), path);
    }
    return status;
}

// Whether the machine's value already is the path, for a user who may not write it.
bool MachineHolds(HKEY root, const std::wstring& path) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, kRunKeyPath, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return false;
    }
    const ui::KeyHandle key(raw);
    std::wstring stored(path.size() + 2, L'\0');
    DWORD type = 0;
    auto bytes = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), kRunValueName, nullptr, &type,
                         reinterpret_cast<BYTE*>(stored.data()), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    stored.resize(bytes / sizeof(wchar_t));
    while (!stored.empty() && stored.back() == L'\0') {
        stored.pop_back();
    }
    return stored == path;
}

bool IsAbsent(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

// True when the value is not under `root` afterwards.
bool RemoveFrom(HKEY root) {
    HKEY raw = nullptr;
    LSTATUS status = RegOpenKeyExW(root, kRunKeyPath, 0, KEY_SET_VALUE, &raw);
    if (status == ERROR_SUCCESS) {
        const ui::KeyHandle key(raw);
        status = RegDeleteValueW(key.Get(), kRunValueName);
        if (status == ERROR_SUCCESS || IsAbsent(status)) {
            return true;
        }
        ui::Trace(L"RegDeleteValueW(Run) failed: %ld\n", status);
        return false;
    }
    if (IsAbsent(status)) {
        return true;
    }
    // Not ours to change; it only matters when the value is there.
    status = RegOpenKeyExW(root, kRunKeyPath, 0, KEY_QUERY_VALUE, &raw);
    if (status != ERROR_SUCCESS) {
        return IsAbsent(status);
    }
    const ui::KeyHandle key(raw);
    status = RegQueryValueExW(key.Get(), kRunValueName, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        ui::Trace(L"Run value cannot be removed: the key is not writable\n");
    }
    return IsAbsent(status);
}

}  // namespace

RunValueResult UpdateRunValue(bool start_with_windows, const std::string& executable_path,
                              const RunKeyRoots& roots) {
    if (!start_with_windows) {
        const bool machine_clear = RemoveFrom(roots.machine);
        const bool user_clear = RemoveFrom(roots.user);
        return machine_clear && user_clear ? RunValueResult::kRemoved : RunValueResult::kNotRemoved;
    }
    const std::wstring path = ui::Widen(executable_path);
    const LSTATUS machine = WriteForMachine(roots.machine, path);
    if (machine == ERROR_SUCCESS || MachineHolds(roots.machine, path)) {
        RemoveFrom(roots.user);
        return RunValueResult::kInMachineKey;
    }
    ui::Trace(L"Run value not written for the machine (%ld); trying the user's key\n", machine);
    const LSTATUS user = WriteForUser(roots.user, path);
    if (user == ERROR_SUCCESS) {
        return RunValueResult::kInUserKey;
    }
    ui::Trace(L"Run value not written for the user either: %ld\n", user);
    return RunValueResult::kNotWritten;
}

}  // namespace zarkit
