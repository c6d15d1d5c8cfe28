#include "core/paths.h"

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

}  // namespace zarkit
