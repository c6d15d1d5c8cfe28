#include "core/xml_prolog.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zarkit {
namespace {

// The document's code units, whatever their width and byte order.
class CodeUnits {
public:
    explicit CodeUnits(std::string_view bytes) : bytes_(bytes) { DetectEncoding(); }

    bool AtEnd() const { return pos_ + width_ > bytes_.size(); }
    // One byte a unit and no byte-order mark: UTF-8 or an ASCII-based encoding.
    bool SingleBytesWithoutMark() const { return width_ == 1 && pos_ == 0; }
    void Advance(std::size_t units = 1) { pos_ += units * width_; }

    std::uint32_t At(std::size_t index) const {
        const std::size_t at = pos_ + index * width_;
        if (at + width_ > bytes_.size()) {
            return 0xFFFFFFFF;
        }
        std::uint32_t unit = 0;
        for (std::size_t i = 0; i < width_; ++i) {
            const auto byte =
                static_cast<unsigned char>(bytes_[at + (big_endian_ ? i : width_ - 1 - i)]);
            unit = unit << 8 | byte;
        }
        return unit;
    }

    bool StartsWith(std::string_view ascii, bool ignore_case = false) const {
        for (std::size_t i = 0; i < ascii.size(); ++i) {
            std::uint32_t unit = At(i);
            if (ignore_case && unit >= 'a' && unit <= 'z') {
                unit -= 'a' - 'A';
            }
            if (unit != static_cast<unsigned char>(ascii[i])) {
                return false;
            }
        }
        return true;
    }

    // Moves past the next `end`; false when the document ends first.
    bool SkipPast(std::string_view end) {
        for (; !AtEnd(); Advance()) {
            if (StartsWith(end)) {
                Advance(end.size());
                return true;
            }
        }
        return false;
    }

private:
    void DetectEncoding() {
        const auto starts = [this](std::string_view prefix) { return bytes_.starts_with(prefix); };
        using namespace std::string_view_literals;
        if (starts("\xEF\xBB\xBF"sv)) {
            pos_ = 3;
        } else if (starts("\xFF\xFE\0\0"sv) || starts("<\0\0\0"sv)) {
            width_ = 4;
            big_endian_ = false;
            pos_ = starts("<"sv) ? 0 : 4;
        } else if (starts("\0\0\xFE\xFF"sv) || starts("\0\0\0<"sv)) {
            width_ = 4;
            pos_ = starts("\0\0\0<"sv) ? 0 : 4;
        } else if (starts("\xFF\xFE"sv) || starts("<\0"sv)) {
            width_ = 2;
            big_endian_ = false;
            pos_ = starts("<"sv) ? 0 : 2;
        } else if (starts("\xFE\xFF"sv) || starts("\0<"sv)) {
            width_ = 2;
            pos_ = starts("\0<"sv) ? 0 : 2;
        }
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t width_ = 1;
    bool big_endian_ = true;
};

bool IsXmlSpace(std::uint32_t unit) {
    return unit == ' ' || unit == '\t' || unit == '\r' || unit == '\n';
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// Calls visit(name, value) for each name = 'value' pair of a declaration's data; false when
// the data is not a run of such pairs.
template <typename Visit>
bool ForEachPseudoAttribute(std::string_view data, Visit visit) {
    std::size_t i = 0;
    const auto skip_space = [&] {
        while (i < data.size() && IsXmlSpace(static_cast<unsigned char>(data[i]))) {
            ++i;
        }
    };
    for (;;) {
        skip_space();
        if (i == data.size()) {
            return true;
        }
        const std::size_t name_start = i;
        while (i < data.size() && data[i] != '=' &&
               !IsXmlSpace(static_cast<unsigned char>(data[i]))) {
            ++i;
        }
        const std::string_view name = data.substr(name_start, i - name_start);
        skip_space();
        if (name.empty() || i == data.size() || data[i] != '=') {
            return false;
        }
        ++i;
        skip_space();
        if (i == data.size() || (data[i] != '\'' && data[i] != '"')) {
            return false;
        }
        const char quote = data[i++];
        const std::size_t end = data.find(quote, i);
        if (end == std::string_view::npos) {
            return false;
        }
        visit(name, data.substr(i, end - i));
        i = end + 1;
    }
}

// The data of the XML declaration `document` begins with ("version='1.0' ..."), and where
// the declaration ends; none when it has none.
std::optional<std::string_view> LeadingDeclaration(std::string_view document,
                                                   std::size_t* end_of_declaration) {
    const bool declared =
        document.starts_with("<?xml") && document.size() > 5 &&
        (IsXmlSpace(static_cast<unsigned char>(document[5])) || document[5] == '?');
    const std::size_t end = declared ? document.find("?>", 5) : std::string_view::npos;
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    if (end_of_declaration != nullptr) {
        *end_of_declaration = end + 2;
    }
    return document.substr(5, end - 5);
}

}  // namespace

bool HasDocumentTypeDeclaration(std::string_view bytes) {
    CodeUnits units(bytes);
    while (!units.AtEnd()) {
        if (IsXmlSpace(units.At(0))) {
            units.Advance();
        } else if (units.StartsWith("<?")) {
            units.Advance(2);
            if (!units.SkipPast("?>")) {
                return false;
            }
        } else if (units.StartsWith("<!--")) {
            units.Advance(4);
            if (!units.SkipPast("-->")) {
                return false;
            }
        } else {
            // Any case: a parser that forgives "<!doctype" must not get it either.
            return units.StartsWith("<!DOCTYPE", true);
        }
    }
    return false;
}

bool NamesOtherEncodingThanUtf8(std::string_view declaration_data) {
    bool other = false;
    const bool well_formed = ForEachPseudoAttribute(
        declaration_data, [&](std::string_view name, std::string_view value) {
            other |= name == "encoding" && !EqualsIgnoringAsciiCase(value, "UTF-8");
        });
    return well_formed && other;
}

bool IsUtf8WithoutByteOrderMark(std::string_view bytes) {
    if (!CodeUnits(bytes).SingleBytesWithoutMark()) {
        return false;
    }
    const std::optional<std::string_view> declaration = LeadingDeclaration(bytes, nullptr);
    return !declaration || !NamesOtherEncodingThanUtf8(*declaration);
}

std::string WithUtf8Declaration(std::string_view document) {
    if (document.starts_with("\xEF\xBB\xBF")) {
        document.remove_prefix(3);
    }
    std::string version = "1.0";
    std::string standalone;
    std::size_t end = 0;
    if (const auto declaration = LeadingDeclaration(document, &end)) {
        ForEachPseudoAttribute(*declaration, [&](std::string_view name, std::string_view value) {
            if (name == "version") {
                version = value;
            } else if (name == "standalone") {
                standalone = value;
            }
        });
        document.remove_prefix(end);
    }
    std::string out = "<?xml version=\"" + version + "\" encoding=\"UTF-8\"";
    if (!standalone.empty()) {
        out += " standalone=\"" + standalone + "\"";
    }
    out += "?>";
    out += document;
    return out;
}

}  // namespace zarkit
