// Stands in for the real updater in end-to-end tests: appends one line to
// update_marker.txt beside itself and ends.
#include <windows.h>

#include <cstdio>

int wmain() {
    wchar_t path[MAX_PATH];
    const DWORD size = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) {
        return 1;
    }
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash == nullptr) {
        return 1;
    }
    wcscpy(slash + 1, L"update_marker.txt");
    FILE* marker = _wfopen(path, L"a");
    if (marker == nullptr) {
        return 1;
    }
    std::fprintf(marker, "started %lu\n", GetCurrentProcessId());
    std::fclose(marker);
    return 0;
}
