#include "core/launch_rules.h"

namespace zarkit {

std::string ExplorerSelectArguments(std::string_view path) {
    return "/select, \"" + std::string(path) + "\"";
}

}  // namespace zarkit
