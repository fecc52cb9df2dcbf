#include "keyboard/HotKeyInfo.h"

#include <array>

std::string HotKeyInfo::GetDisplayText(const clsLanguage& language, const KeyNameLocale& locale) const {
    if (KeyCode == kNoKey) return KeyName(language, kNoKey, locale);
    return KeyName(language, Spec1, locale) + "+" + KeyName(language, Spec2, locale) + "+" +
           KeyName(language, KeyCode, locale);
}

HotKeyInfo& HotKey(HotKeyAction action) {
    static std::array<HotKeyInfo, kHotKeyActionCount> records;
    const auto index = static_cast<size_t>(action);
    // An out-of-range action still gets a record instead of a wild reference.
    return records[index < records.size() ? index : 0];
}

const char* HotKeyActionName(HotKeyAction action) {
    static constexpr const char* kNames[kHotKeyActionCount] = {"Blink", "Pause", "Buttons", "Picture",
                                                               "Spot",  "CrossHair", "KeyBoard"};
    const auto index = static_cast<size_t>(action);
    return index < std::size(kNames) ? kNames[index] : "";
}
