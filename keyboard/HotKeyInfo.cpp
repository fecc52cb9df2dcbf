#include "keyboard/HotKeyInfo.h"

#include "settings/SettingsRecord.h"

#include <array>

std::string HotKeyInfo::GetDisplayText(const clsLanguage& language, const KeyNameLocale& locale) const {
    if (KeyCode == kNoKey) return KeyName(language, kNoKey, locale);
    return KeyName(language, Spec1, locale) + "+" + KeyName(language, Spec2, locale) + "+" +
           KeyName(language, KeyCode, locale);
}

SettingKey FirstShortcutKey(HotKeyAction action) {
    // Each action's three keys follow one another, in the action order, from HotKeyBlinkSpec1;
    // the preset's, added later, among the added keys.
    if (action == HotKeyAction::Preset) return SettingKey::HotKeyPresetSpec1;
    return static_cast<SettingKey>(static_cast<int32_t>(SettingKey::HotKeyBlinkSpec1) + 3 * static_cast<int32_t>(action));
}

HotKeyInfo HotKey(const SettingsRecord& record, HotKeyAction action) {
    const auto index = static_cast<int32_t>(action);
    if (index < 0 || index >= kHotKeyActionCount) return HotKeyInfo{0, 0, kNoKey};
    const auto first = static_cast<int32_t>(FirstShortcutKey(action));
    HotKeyInfo info;
    info.Spec1 = record.GetInt(static_cast<SettingKey>(first));
    info.Spec2 = record.GetInt(static_cast<SettingKey>(first + 1));
    info.KeyCode = record.GetInt(static_cast<SettingKey>(first + 2));
    return info;
}

const char* HotKeyActionName(HotKeyAction action) {
    static constexpr const char* kNames[kHotKeyActionCount] = {"Blink", "Pause", "Buttons", "Picture",
                                                               "Spot",  "CrossHair", "KeyBoard", "Preset"};
    const auto index = static_cast<size_t>(action);
    return index < std::size(kNames) ? kNames[index] : "";
}
