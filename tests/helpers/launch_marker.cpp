// Stands in for a launched program in end-to-end tests: appends one line of JSON with its
// arguments and its working directory, and ends:
// {"cwd": "...", "command_line": "...", "args": ["...", ...]}
// The line goes to the file ZARKIT_LAUNCH_MARKER_FILE names (programs started by the
// drawer inherit it from the test), else to launch_marker.txt beside the program.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) {
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    }
    return out;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

int wmain() {
    wchar_t path[MAX_PATH];
    const DWORD named = GetEnvironmentVariableW(L"ZARKIT_LAUNCH_MARKER_FILE", path, MAX_PATH);
    if (named == 0 || named >= MAX_PATH) {
        const DWORD size = GetModuleFileNameW(nullptr, path, MAX_PATH);
        wchar_t* slash = (size == 0 || size >= MAX_PATH) ? nullptr : wcsrchr(path, L'\\');
        if (slash == nullptr) {
            return 1;
        }
        wcscpy(slash + 1, L"launch_marker.txt");
    }

    wchar_t cwd[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::string line = "{\"cwd\": " + Json(Utf8(cwd)) +
                       ", \"command_line\": " + Json(Utf8(GetCommandLineW())) + ", \"args\": [";
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv != nullptr && i < argc; ++i) {
        line += (i > 1 ? ", " : "") + Json(Utf8(argv[i]));
    }
    LocalFree(argv);
    line += "]}\n";

    FILE* marker = _wfopen(path, L"ab");
    if (marker == nullptr) {
        return 1;
    }
    std::fwrite(line.data(), 1, line.size(), marker);
    std::fclose(marker);
    return 0;
}
