#include "keyboard/LayoutKeyNames.h"

#include <algorithm>
#include <vector>

namespace {

// VK_OEM_1, PLUS, COMMA, MINUS, PERIOD, 2, 3; VK_OEM_4 to 8; VK_OEM_102.
constexpr int32_t kPunctuation[] = {186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 223, 226};

std::vector<char32_t> CodePoints(std::u16string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            points.push_back(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            points.push_back(0xFFFD);
        } else {
            points.push_back(unit);
        }
    }
    return points;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool Printable(char32_t c) { return c > 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0xA0) && c != 0xFFFD; }

bool Combining(char32_t c) { return c >= 0x300 && c <= 0x36F; }

// Letters of the scripts keyboards type; signs, accents and punctuation are not.
bool IsLetter(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
    if (c >= 0x2B0 && c <= 0x36F) return false;  // spacing modifiers and combining marks
    if (c >= 0x2000 && c <= 0x2BFF) return false;  // punctuation, currency, arrows, symbols
    return true;
}

// Some layouts give a dead key's accent in its combining form, which draws on nothing.
char32_t SpacingForm(char32_t c) {
    switch (c) {
        case 0x300: return 0x60;    // grave
        case 0x301: return 0xB4;    // acute
        case 0x302: return 0x5E;    // circumflex
        case 0x303: return 0x7E;    // tilde
        case 0x304: return 0xAF;    // macron
        case 0x306: return 0x2D8;   // breve
        case 0x307: return 0x2D9;   // dot above
        case 0x308: return 0xA8;    // diaeresis
        case 0x30A: return 0x2DA;   // ring above
        case 0x30B: return 0x2DD;   // double acute
        case 0x30C: return 0x2C7;   // caron
        case 0x327: return 0xB8;    // cedilla
        case 0x328: return 0x2DB;   // ogonek
        default: return c;
    }
}

std::optional<char32_t> SingleLetter(const std::optional<LayoutCharacter>& character) {
    if (!character || character->dead) return std::nullopt;
    const std::vector<char32_t> points = CodePoints(character->text);
    if (points.size() != 1 || !IsLetter(points[0])) return std::nullopt;
    return points[0];
}

}  // namespace

std::span<const int32_t> LayoutPunctuationCodes() { return kPunctuation; }

std::optional<std::string> LayoutKeyName(const KeyboardLayoutSource& layout, int32_t code) {
    const bool letterKey = code >= 'A' && code <= 'Z';
    if (!letterKey && std::ranges::find(kPunctuation, code) == std::end(kPunctuation)) return std::nullopt;
    const std::optional<LayoutCharacter> alone = layout.CharacterOf(code, false);
    if (!alone) return std::nullopt;
    std::vector<char32_t> points = CodePoints(alone->text);
    if (points.empty()) return std::nullopt;

    if (alone->dead) {
        for (char32_t& c : points) c = SpacingForm(c);
    } else if (SingleLetter(alone)) {
        // The cap of a letter key shows the capital, which is what Shift types.
        if (const auto capital = SingleLetter(layout.CharacterOf(code, true))) points = {*capital};
    } else if (letterKey) {
        return std::nullopt;
    }
    if (!std::ranges::all_of(points, [](char32_t c) { return Printable(c) && !Combining(c); })) return std::nullopt;

    std::string name;
    for (const char32_t c : points) AppendUtf8(name, c);
    return name;
}
