#include "keyboard/KeyPoller.h"

#include <algorithm>

#include "settings/SettingsRecord.h"
#include "keyboard/LayoutKeyNames.h"
#include "lang/Language.h"

namespace {

constexpr int32_t kShiftNameId = 44;

bool IsChecked(const SettingsRecord& record, SettingKey key) { return record.GetInt(key) == 1; }

SettingKey ListSetting(KeyClass keyClass) {
    switch (keyClass) {
        case KeyClass::Function: return SettingKey::ListFunctionKeys;
        case KeyClass::Navigation: return SettingKey::ListCursorKeys;
        case KeyClass::Input: return SettingKey::ListInputKeys;
        case KeyClass::System: return SettingKey::ListSpecialKeys;
        case KeyClass::Mouse: return SettingKey::ListMouseButtons;
        case KeyClass::Character: return SettingKey::ListCharacterKeys;
    }
    return SettingKey::ListSpecialKeys;
}

// Any value but 16, 17 and 18 names no modifier and so is never down.
bool ModifierDown(int32_t code, Modifiers held) {
    switch (code) {
        case kShift: return held.shift;
        case kCtrl: return held.ctrl;
        case kAlt: return held.alt;
        default: return false;
    }
}

bool Matches(const HotKeyInfo& shortcut, int32_t code, Modifiers held) {
    return shortcut.KeyCode != kNoKey && shortcut.KeyCode == code && ModifierDown(shortcut.Spec1, held) &&
           ModifierDown(shortcut.Spec2, held);
}

}  // namespace

KeyPollSettings KeyPollSettingsFrom(const SettingsRecord& record) {
    KeyPollSettings settings;
    for (const KeyClass keyClass : kKeyClassScanOrder) {
        settings.listClass[static_cast<std::size_t>(keyClass)] = IsChecked(record, ListSetting(keyClass));
    }
    settings.charactersOnlyWithCtrlOrAlt = IsChecked(record, SettingKey::ListCharacterSpecialKeys);
    settings.showKeysWindow = IsChecked(record, SettingKey::ShowKeysWindow);
    settings.listAnyKeys = IsChecked(record, SettingKey::ListAnyKeys);
    settings.showKeysClick = IsChecked(record, SettingKey::ShowKeysClick);
    settings.autoHideKeyboard = IsChecked(record, SettingKey::AutoHideKeyboard);
    settings.hidePasswordKeys = IsChecked(record, SettingKey::HidePasswordKeys);
    settings.keyNamesFromLayout = IsChecked(record, SettingKey::KeyNamesFromLayout);
    for (int action = 0; action < kHotKeyActionCount; ++action) {
        settings.shortcuts[static_cast<std::size_t>(action)] = HotKey(record, static_cast<HotKeyAction>(action));
    }
    return settings;
}

bool AnyKeyClassSelected(const KeyPollSettings& settings) {
    return std::find(settings.listClass.begin(), settings.listClass.end(), true) != settings.listClass.end();
}

KeyPollResult KeyPoller::PollKeyboard(KeyStateSource& source, const KeyPollSettings& settings, TypingPrivacy privacy) {
    KeyPollResult result;
    Modifiers& held = result.modifiers;
    held.shift = source.IsPressed(kShift);
    held.ctrl = source.IsPressed(kCtrl);
    held.alt = source.IsPressed(kAlt);
    // Windows reports AltGr as left Ctrl with right Alt. A real left Ctrl held with it
    // cannot be told apart; left Alt or right Ctrl can, and make it Ctrl + Alt again.
    if (settings.keyNamesFromLayout && held.ctrl && held.alt) {
        result.altGr = source.IsDown(kRightAlt) && !source.IsDown(kLeftAlt) && !source.IsDown(kRightCtrl);
    }
    const Modifiers shown = result.Shown();
    result.setSpecialKeys = settings.showKeysWindow || settings.listAnyKeys;
    const bool hide = privacy == TypingPrivacy::PrivateProgram ||
                      (settings.hidePasswordKeys && privacy == TypingPrivacy::PasswordField);

    bool typed = false;
    for (const KeyClass keyClass : kKeyClassScanOrder) {
        bool show = settings.listClass[static_cast<std::size_t>(keyClass)];
        // With AltGr a character key types text ("@"): it is no Ctrl or Alt combination.
        if (keyClass == KeyClass::Character && settings.charactersOnlyWithCtrlOrAlt) show = show && (shown.ctrl || shown.alt);
        // NumPad Enter is a text key only as a character key; its System reading is not typing.
        const bool textClass = keyClass == KeyClass::Input || keyClass == KeyClass::Character;
        const bool hideClass = hide && keyClass != KeyClass::Mouse;
        for (const int32_t code : KeyClassCodes(keyClass)) {
            if (PollKey(source, code, show, hideClass, settings, result) && textClass && IsTextEntryKey(code)) typed = true;
        }
        // Punctuation is listed with the character keys once the layout can name it.
        if (keyClass == KeyClass::Character && settings.keyNamesFromLayout) {
            for (const int32_t code : LayoutPunctuationCodes()) {
                if (PollKey(source, code, show, hideClass, settings, result)) typed = true;
            }
        }
    }

    result.countTyping = settings.autoHideKeyboard && typed && !hide && !shown.ctrl && !shown.alt;
    if (settings.showKeysClick) result.caption = shown;
    lastModifiers_ = held;
    return result;
}

bool KeyPoller::KeyHeld() const {
    if (lastModifiers_ != Modifiers{}) return true;
    return std::find(PreviousKeyState.begin(), PreviousKeyState.end(), true) != PreviousKeyState.end();
}

bool KeyPoller::PollKey(KeyStateSource& source, int32_t code, bool show, bool hide, const KeyPollSettings& settings,
                        KeyPollResult& result) {
    if (code < 0 || code >= static_cast<int32_t>(PreviousKeyState.size())) return false;
    bool& previous = PreviousKeyState[static_cast<std::size_t>(code)];
    const bool pressed = source.IsPressed(code);
    bool matched = false;
    // A shortcut fires only on the reading in which its key goes down, so pressing the
    // modifiers while the key is already held fires nothing.
    if (pressed && !previous) {
        for (std::size_t i = 0; i < settings.shortcuts.size(); ++i) {
            if (!Matches(settings.shortcuts[i], code, result.modifiers)) continue;
            result.triggered[i] = true;
            show = false;
            matched = true;
        }
        if (show && hide) {
            result.keysHidden = true;
        } else if (show && result.addedCount < result.addedCodes.size()) {
            result.addedCodes[result.addedCount++] = code;
        }
    }
    previous = pressed;
    return pressed && !matched;
}

void KeyPoller::ForgetPresses(KeyStateSource& source) {
    for (int32_t code = 1; code <= 255; ++code) static_cast<void>(source.IsPressed(code));
}

std::string ModifierCaption(const clsLanguage& language, Modifiers held, bool showKeysClick, bool altGr) {
    std::string caption;
    if (!showKeysClick) return caption;
    const bool down[] = {held.shift, held.ctrl, held.alt, altGr};
    for (int32_t i = 0; i < 4; ++i) {
        if (!down[i]) continue;
        if (!caption.empty()) caption += "\r\n";
        caption += language.GetString(i < 3 ? kShiftNameId + i : strings::kAltGrNameId);
    }
    return caption;
}
