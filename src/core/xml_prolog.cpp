#include "core/xml_prolog.h"

#include <cstddef>
#include <cstdint>

namespace zarkit {
namespace {

// The document's code units, whatever their width and byte order.
class CodeUnits {
public:
    explicit CodeUnits(std::string_view bytes) : bytes_(bytes) { DetectEncoding(); }

    bool AtEnd() const { return pos_ + width_ > bytes_.size(); }
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

}  // namespace zarkit
