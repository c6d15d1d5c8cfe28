#include "core/hyperlink_rules.h"

#include <cstddef>

namespace zarkit {
namespace {

// The UTF-16 units a UTF-8 text takes once widened: one per character, two for
// characters beyond the basic plane (four-byte sequences).
std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            units += byte >= 0xF0 ? 2 : 1;
        }
    }
    return units;
}

const char* OpenErrorReason(int code) {
    switch (code) {
        case 0:
            return "The operating system is out\nof memory or resources.";
        case 2:
            return "The specified file was not found.";
        case 3:
            return "The specified path was not found.";
        case 5:
            return "The operating system denied\naccess to the specified file.";
        case 8:
            return "There was not enough memory to complete the operation.";
        case 11:
            return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return "A sharing violation occurred. ";
        case 27:
            return "The filename association is\nincomplete or invalid.";
        case 28:
            return "The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return "The DDE transaction failed.";
        case 30:
            return "The DDE transaction could not\nbe completed because other DDE "
                   "transactions\nwere being processed.";
        case 31:
            return "There is no application associated\nwith the given filename extension.";
        case 32:
            return "The specified dynamic-link library was not found.";
        default:
            return nullptr;
    }
}

}  // namespace

bool IsMailTarget(std::string_view target) {
    return target.find('@') != std::string_view::npos;
}

std::string MailText(std::string_view target) {
    std::string text = "mailto: ";
    text += target;
    text += "?subject=Ask for help";
    return text;
}

std::optional<std::string> FallbackCommandLine(std::string_view registered,
                                               std::string_view target) {
    std::string_view program = registered;
    if (const auto quoted = registered.find("\"%1\""); quoted != std::string_view::npos) {
        program = registered.substr(0, quoted);
    } else if (const auto bare = registered.find("%1"); bare != std::string_view::npos) {
        program = registered.substr(0, bare);
    }
    std::string command_line(program);
    command_line += ' ';
    command_line += target;
    if (Utf16Length(command_line) >= static_cast<std::size_t>(kMaxCommandLine)) {
        return std::nullopt;
    }
    return command_line;
}

std::string OpenErrorText(int code) {
    std::string text = "Unable to open hyperlink:\n\n";
    if (const char* reason = OpenErrorReason(code)) {
        text += reason;
    } else {
        text += "Unknown Error (" + std::to_string(code) + ") occurred.";
    }
    return text;
}

int ProgramStartResult(bool started, unsigned long error) {
    if (started) {
        return 33;
    }
    return error < 32 ? static_cast<int>(error) : 11;
}

Rect FitRectToText(const Rect& window, int client_width, int client_height, int text_width,
                   int text_height, TextAlign align, bool centre_vertically) {
    const int width = text_width + (window.Width() - client_width);
    const int height = text_height + (window.Height() - client_height);
    Rect fitted = window;
    if (centre_vertically) {
        const int shrink = (window.Height() - height) / 2;
        fitted.top += shrink;
        fitted.bottom -= shrink;
    } else {
        fitted.bottom = fitted.top + height;
    }
    switch (align) {
        case TextAlign::kCenter: {
            const int shrink = (window.Width() - width) / 2;
            fitted.left += shrink;
            fitted.right -= shrink;
            break;
        }
        case TextAlign::kRight:
            fitted.left = fitted.right - width;
            break;
        case TextAlign::kLeft:
            fitted.right = fitted.left + width;
            break;
    }
    return fitted;
}

}  // namespace zarkit
