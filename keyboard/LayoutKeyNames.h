// Names of the keys whose character depends on the keyboard layout in use (punctuation,
// and letters of non-Latin layouts), asked of the layout rather than the language table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// What the layout of the foreground window types with a key.
struct LayoutCharacter {
    std::u16string text;  // UTF-16, as the system gives it; may be two units or more
    bool dead = false;    // an accent that waits for the next key
};

class KeyboardLayoutSource {
public:
    virtual ~KeyboardLayoutSource() = default;
    // The character the key types, alone or with Shift; nothing when it types none.
    virtual std::optional<LayoutCharacter> CharacterOf(int32_t code, bool shift) const = 0;
};

// The punctuation keys (VK_OEM_1 to VK_OEM_8, VK_OEM_102, VK_OEM_PLUS/COMMA/MINUS/PERIOD):
// no language table can name them, they differ with every layout.
std::span<const int32_t> LayoutPunctuationCodes();

// The key's name from the layout, as its key cap shows it: a letter whose Shift form is a
// letter too in upper case (German "Ü"), any other character as typed alone (French "ù",
// whose Shift gives "%"; German "ß"), a dead key as its spacing accent. Nothing for keys the table names the same on every layout (digits,
// keypad, function keys), and when the layout gives nothing printable: the table decides.
// Letters A to Z take the layout's name only when it is a letter (Cyrillic, Greek): a
// symbol there would stand for a key the user knows by its letter.
std::optional<std::string> LayoutKeyName(const KeyboardLayoutSource& layout, int32_t code);
