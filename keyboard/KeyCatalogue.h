// The virtual-key codes Glimmora knows, their classes in scan order, and their names.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

class clsLanguage;
class KeyboardLayoutSource;

inline constexpr int32_t kNoKey = -1;
inline constexpr int32_t kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 4;
inline constexpr int32_t kShift = 16, kCtrl = 17, kAlt = 18;

// The classes the key-selection dialog switches on and off, in the poller's scan order.
enum class KeyClass { Function, Navigation, Input, System, Mouse, Character };
inline constexpr std::array<KeyClass, 6> kKeyClassScanOrder = {
    KeyClass::Function, KeyClass::Navigation, KeyClass::Input,
    KeyClass::System,   KeyClass::Mouse,      KeyClass::Character,
};

// Codes of the class in scan order. 108 (NumPad Enter) is in System and in Character.
std::span<const int32_t> KeyClassCodes(KeyClass keyClass);
// String-table id of the class's check-box caption.
int32_t KeyClassCaptionId(KeyClass keyClass);
// Shift, Ctrl, Alt: read on every pass but never listed as keys of their own.
std::span<const int32_t> ModifierCodes();
// Keys whose press counts as typing text: Back, Return, Delete and every character key.
bool IsTextEntryKey(int32_t code);

// What a key name needs from the user's system besides the language.
struct KeyNameLocale {
    // The user's decimal separator, for NumPad's decimal key.
    std::string decimalSeparator = ".";
    // UTF-8 text of one byte in the system's ANSI code page; ISO 8859-1 when empty.
    std::function<std::string(unsigned char)> ansiCharToUtf8;
    // When set, punctuation (and letters of non-Latin layouts) are named as this layout
    // types them; the table names what it cannot.
    const KeyboardLayoutSource* layout = nullptr;
};

// Display name of a key in the language's current language; empty for codes that are no
// key at all (0, below -1, above 255).
std::string KeyName(const clsLanguage& language, int32_t code, const KeyNameLocale& locale);
