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

}  // namespace zarkit
