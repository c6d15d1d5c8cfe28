#include "core/paths.h"

#include "core/product.h"

namespace zarkit {

std::string ModuleDirectoryOf(std::string_view exe_path) {
    const auto slash = exe_path.rfind('\\');
    return slash == std::string_view::npos ? std::string()
                                           : std::string(exe_path.substr(0, slash + 1));
}

std::string ProgramDirectoryOf(std::string_view exe_path) {
    const auto slash = exe_path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(exe_path.substr(0, slash));
}

std::string ProbeFileContent(std::string_view address) {
    std::string line = "<meta HTTP-EQUIV=REFRESH CONTENT=\"0;URL=";
    line += address;
    line += "\">";
    return line;
}

std::string UpdaterPathOf(std::string_view exe_path) {
    const std::string directory = ProgramDirectoryOf(exe_path);
    return directory.empty() ? std::string() : directory + "\\" + product::kUpdaterFileName;
}

bool IsTemporaryFileOf(std::string_view name, std::string_view file_name) {
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() <= file_name.size() + 1 + kSuffix.size() || !name.starts_with(file_name) ||
        name[file_name.size()] != '.' || !name.ends_with(kSuffix)) {
        return false;
    }
    const std::string_view id =
        name.substr(file_name.size() + 1, name.size() - file_name.size() - 1 - kSuffix.size());
    for (const char c : id) {
        const bool allowed =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
        if (!allowed) {
            return false;
        }
    }
    return true;
}

std::string ExtendedLengthPath(std::string_view full_path) {
    if (full_path.size() < kLongPathLength || full_path.starts_with("\\\\?\\") ||
        full_path.starts_with("\\\\.\\")) {
        return std::string(full_path);
    }
    std::string path(full_path);
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return "\\\\?\\" + path;
    }
    if (path.starts_with("\\\\")) {
        return "\\\\?\\UNC\\" + path.substr(2);
    }
    return std::string(full_path);  // relative: the prefix would not make it full
}

std::string WithoutExtendedLengthPrefix(std::string_view path) {
    if (path.starts_with("\\\\?\\UNC\\")) {
        return "\\\\" + std::string(path.substr(8));
    }
    if (path.starts_with("\\\\?\\")) {
        return std::string(path.substr(4));
    }
    return std::string(path);
}

}  // namespace zarkit
