#include "core/launch_rules.h"

#include "core/text_rules.h"
#include "core/web_address.h"

namespace zarkit {

std::string ExplorerSelectArguments(std::string_view path) {
    return "/select, \"" + std::string(path) + "\"";
}

std::string QuoteArgument(std::string_view argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each stands for two.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

std::string LaunchParameters(const ItemRecord& record) {
    if (KindOf(record) == ItemKind::kWebSite) {
        return QuoteArgument(EncodeWebAddress(record.start_params));
    }
    return record.start_params;
}

std::string LaunchFailedText(std::string_view label, std::string_view reason) {
    std::string text = "\"";
    text.append(label).append("\" could not be started.");
    const std::string_view why = Trim(reason);
    if (!why.empty()) {
        text += "\n\n" + std::string(why);
        if (!why.ends_with('.')) {
            text += '.';
        }
    }
    return text;
}

}  // namespace zarkit
