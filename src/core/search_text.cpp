#include "core/search_text.h"

#include "core/text_rules.h"
#include "core/utf8.h"

namespace zarkit {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

enum class CharKind { kSeparator, kSmall, kCapital, kDigit, kIgnored };

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point at text[i] and its length; a byte that does not start a well-formed
// sequence (overlong, surrogate, beyond U+10FFFF, cut off) is one U+FFFD.
char32_t Decode(std::string_view text, std::size_t i, std::size_t& length) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = at(0);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t count = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return kReplacement;
    }
    if (i + count > text.size() || at(1) < low || at(1) > high) {
        return kReplacement;
    }
    char32_t c = lead & (0x7F >> count);
    for (std::size_t k = 1; k < count; ++k) {
        if (!IsContinuation(at(k))) {
            return kReplacement;
        }
        c = (c << 6) | (at(k) & 0x3F);
    }
    length = count;
    return c;
}

// Base letters of U+00C0..U+00FF; '_' spells out two letters, '*' is a sign (× ÷).
constexpr std::string_view kLatin1Base =
    "aaaaaa_ceeeeiiiidnooooo*ouuuuy__"
    "aaaaaa_ceeeeiiiidnooooo*ouuuuy_y";
// Base letters of U+0100..U+017F, capital and small alike; '_' for Ĳ ĳ Œ œ.
constexpr std::string_view kLatinExtendedABase =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii__jjkkkllllllllllnnnnnnnnn"
    "oooooo__rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kLatin1Base.size() == 64 && kLatinExtendedABase.size() == 128);

bool IsBlank(char32_t c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Invisible: combining marks (the accents of decomposed text), soft hyphen, zero-width
// and direction marks, byte order mark.
bool IsIgnored(char32_t c) {
    return (c >= 0x300 && c <= 0x36F) || c == 0xAD || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

bool IsSign(char32_t c) {
    if (c < 0x80) {
        return !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    }
    // In U+0080..U+00BF only ª µ º are letters.
    return (c <= 0xBF && c != 0xAA && c != 0xB5 && c != 0xBA) || c == 0xD7 || c == 0xF7 ||
           (c >= 0x2010 && c <= 0x205E) || (c >= 0x3001 && c <= 0x303F) || c == kReplacement;
}

// Appends the folded form of c; returns what kind of character it was.
CharKind FoldChar(char32_t c, std::string& out) {
    if (IsIgnored(c)) {
        return CharKind::kIgnored;
    }
    if (IsBlank(c)) {
        out += ' ';
        return CharKind::kSeparator;
    }
    if (IsSign(c)) {
        AppendUtf8(out, c);
        return CharKind::kSeparator;
    }
    if (c >= '0' && c <= '9') {
        out += static_cast<char>(c);
        return CharKind::kDigit;
    }
    const char32_t small = ToLowerCodePoint(c);
    CharKind kind = small != c ? CharKind::kCapital : CharKind::kSmall;
    const auto spell = [&out](std::string_view letters) { out += letters; };
    if (small >= 0xC0 && small <= 0xFF) {
        const char base = kLatin1Base[small - 0xC0];
        if (base != '_') {
            out += base;
        } else if (small == 0xE6) {
            spell("ae");
        } else if (small == 0xFE) {
            spell("th");
        } else {
            spell("ss");  // ß
        }
    } else if (small >= 0x100 && small <= 0x17F) {
        const char base = kLatinExtendedABase[small - 0x100];
        if (base != '_') {
            out += base;
        } else {
            spell(small <= 0x133 ? "ij" : "oe");
        }
    } else if (c >= 0x218 && c <= 0x21B) {
        // Romanian Ș ș Ț ț, the comma-below forms of Ş ş Ţ ţ.
        out += c <= 0x219 ? 's' : 't';
        kind = c % 2 == 0 ? CharKind::kCapital : CharKind::kSmall;
    } else if (c == 0x1E9E) {
        spell("ss");  // capital sharp s
        kind = CharKind::kCapital;
    } else if (small == 0xAA || small == 0xBA) {
        out += small == 0xAA ? 'a' : 'o';
    } else if (small == 0xB5) {
        AppendUtf8(out, 0x3BC);  // micro sign: Greek mu
    } else {
        char32_t base = small;
        switch (small) {
            case 0x3AC:
                base = 0x3B1;  // ά
                break;
            case 0x3AD:
                base = 0x3B5;  // έ
                break;
            case 0x3AE:
                base = 0x3B7;  // ή
                break;
            case 0x3AF:
            case 0x390:
            case 0x3CA:
                base = 0x3B9;  // ί ΐ ϊ
                break;
            case 0x3CC:
                base = 0x3BF;  // ό
                break;
            case 0x3CD:
            case 0x3B0:
            case 0x3CB:
                base = 0x3C5;  // ύ ΰ ϋ
                break;
            case 0x3CE:
                base = 0x3C9;  // ώ
                break;
            case 0x3C2:
                base = 0x3C3;  // final sigma
                break;
            case 0x450:
            case 0x451:
                base = 0x435;  // ѐ ё
                break;
            case 0x45D:
                base = 0x438;  // ѝ
                break;
            default:
                break;
        }
        AppendUtf8(out, base);
    }
    return kind;
}

bool StartsWord(CharKind previous, CharKind current) {
    if (current == CharKind::kSeparator) {
        return false;
    }
    if (previous == CharKind::kSeparator) {
        return true;
    }
    if ((previous == CharKind::kDigit) != (current == CharKind::kDigit)) {
        return true;
    }
    return previous == CharKind::kSmall && current == CharKind::kCapital;
}

void Fold(std::string_view text, std::string& out, std::vector<std::uint32_t>* word_starts) {
    out.reserve(text.size());
    CharKind previous = CharKind::kSeparator;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); i += length) {
        const char32_t c = Decode(text, i, length);
        const std::size_t start = out.size();
        const CharKind kind = FoldChar(c, out);
        if (kind == CharKind::kIgnored) {
            continue;
        }
        if (word_starts != nullptr && StartsWord(previous, kind)) {
            word_starts->push_back(static_cast<std::uint32_t>(start));
        }
        previous = kind;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
    std::string out;
    Fold(text, out, nullptr);
    return out;
}

FoldedLabel FoldLabel(std::string_view text) {
    FoldedLabel label;
    Fold(text, label.text, &label.word_starts);
    return label;
}

int NaturalCompare(std::string_view a, std::string_view b) {
    // Equal numbers written with different leading zeros: fewer zeros first, decided
    // only when nothing else differs.
    int zeros = 0;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t a_run = i;
            const std::size_t b_run = j;
            while (i < a.size() && a[i] == '0') {
                ++i;
            }
            while (j < b.size() && b[j] == '0') {
                ++j;
            }
            const std::size_t a_digits = i;
            const std::size_t b_digits = j;
            while (i < a.size() && IsDigit(a[i])) {
                ++i;
            }
            while (j < b.size() && IsDigit(b[j])) {
                ++j;
            }
            const std::size_t a_length = i - a_digits;
            const std::size_t b_length = j - b_digits;
            if (a_length != b_length) {
                return a_length < b_length ? -1 : 1;
            }
            if (const int digits =
                    a.substr(a_digits, a_length).compare(b.substr(b_digits, b_length));
                digits != 0) {
                return digits;
            }
            if (zeros == 0 && a_digits - a_run != b_digits - b_run) {
                zeros = a_digits - a_run < b_digits - b_run ? -1 : 1;
            }
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return zeros;
}

}  // namespace zarkit
