#include "keyboard/KeyCatalogue.h"

#include <algorithm>
#include <utility>

#include "keyboard/LayoutKeyNames.h"
#include "lang/Language.h"
#include "lang/Utf8.h"

namespace {

constexpr int32_t kFunctionKeys[] = {112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123,
                                     124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135};
constexpr int32_t kNavigationKeys[] = {33, 34, 35, 36, 37, 38, 39, 40};
constexpr int32_t kInputKeys[] = {8, 9, 12, 13, 46};
constexpr int32_t kSystemKeys[] = {19, 20, 27, 144, 145, 108, 41, 43, 44, 45, 47, 91, 92, 93};
constexpr int32_t kMouseKeys[] = {kMouseRight, kMouseLeft, kMouseMiddle};
constexpr int32_t kCharacterKeys[] = {
    65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79, 80,  81,  82,  83,
    84,  85,  86,  87,  88,  89,  90,  48,  49,  50,  51,  52,  53,  54,  55, 56,  57,  32,  96,
    97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111,
};
constexpr int32_t kModifiers[] = {kShift, kCtrl, kAlt};

// String-table ids of the names of codes 32 to 47, in code order.
constexpr int32_t kNameIdFromSpace = 54;
constexpr int32_t kNumPadId = 72, kEnterId = 73, kNoneId = 128;

std::string NumPad(const clsLanguage& language, std::string_view suffix) {
    return language.GetString(kNumPadId) + " " + std::string(suffix);
}

}  // namespace

std::span<const int32_t> KeyClassCodes(KeyClass keyClass) {
    switch (keyClass) {
        case KeyClass::Function: return kFunctionKeys;
        case KeyClass::Navigation: return kNavigationKeys;
        case KeyClass::Input: return kInputKeys;
        case KeyClass::System: return kSystemKeys;
        case KeyClass::Mouse: return kMouseKeys;
        case KeyClass::Character: return kCharacterKeys;
    }
    return {};
}

int32_t KeyClassCaptionId(KeyClass keyClass) {
    switch (keyClass) {
        case KeyClass::Function: return 37;
        case KeyClass::Navigation: return 40;
        case KeyClass::Input: return 39;
        case KeyClass::System: return 38;
        case KeyClass::Mouse: return 102;
        case KeyClass::Character: return 41;
    }
    return 0;
}

std::span<const int32_t> ModifierCodes() { return kModifiers; }

bool IsTextEntryKey(int32_t code) {
    return code == 8 || code == 13 || code == 46 || std::ranges::find(kCharacterKeys, code) != std::end(kCharacterKeys);
}

std::string KeyName(const clsLanguage& language, int32_t code, const KeyNameLocale& locale) {
    const auto text = [&](int32_t id) { return language.GetString(id); };
    if (locale.layout) {
        if (auto name = LayoutKeyName(*locale.layout, code)) return *std::move(name);
    }
    if (code >= kShift && code <= kAlt) return text(44 + code - kShift);
    if (code >= 112 && code <= 135) return "F" + std::to_string(code - 111);
    if (code == 8 || code == 9) return text(47 + code - 8);
    if (code == 12 || code == 13) return text(49 + code - 12);
    if (code == 19 || code == 20) return text(51 + code - 19);
    if (code == 27) return text(53);
    if (code >= 32 && code <= 47) return text(kNameIdFromSpace + code - 32);
    if (code == 144 || code == 145) return text(70 + code - 144);
    if (code >= 96 && code <= 105) return NumPad(language, std::to_string(code - 96));
    if (code == 106) return NumPad(language, "*");
    if (code == 107) return NumPad(language, "+");
    if (code == 109) return NumPad(language, "-");
    if (code == 111) return NumPad(language, "/");
    if (code == 108) return NumPad(language, text(kEnterId));
    if (code == 110) return NumPad(language, locale.decimalSeparator);
    if (code >= 91 && code <= 93) return text(74 + code - 91);
    if (code == kMouseLeft) return text(99);
    if (code == kMouseRight) return text(100);
    if (code == kMouseMiddle) return text(101);
    if (code == kNoKey) return text(kNoneId);
    if (code < 1 || code > 255) return {};
    const auto byte = static_cast<unsigned char>(code);
    if (locale.ansiCharToUtf8) return locale.ansiCharToUtf8(byte);
    const char single = static_cast<char>(byte);
    return Latin1ToUtf8(std::string_view(&single, 1));
}
