#include "keyboard/KeyNames_win.h"

#include <algorithm>

#include "base/Text_win.h"
#include "keyboard/HotKeyInfo.h"
#include "lang/SharedLanguage_win.h"

namespace {

std::string UserDecimalSeparator() {
    wchar_t separator[8] = {};
    const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (length <= 1) return ".";
    return Narrow(std::wstring_view(separator, static_cast<size_t>(length - 1)));
}

std::string AnsiCharToUtf8(unsigned char byte) {
    const char single = static_cast<char>(byte);
    return AnsiToUtf8(std::string_view(&single, 1));
}

}  // namespace

KeyNameLocale UserKeyNameLocale() { return {UserDecimalSeparator(), AnsiCharToUtf8, nullptr}; }

std::string KeyName(int32_t code) { return KeyName(SharedLanguage(), code, UserKeyNameLocale()); }

std::string DisplayText(const HotKeyInfo& shortcut) {
    return shortcut.GetDisplayText(SharedLanguage(), UserKeyNameLocale());
}

WindowsKeyboardLayout WindowsKeyboardLayout::OfForegroundWindow() {
    const HWND foreground = ::GetForegroundWindow();
    const DWORD thread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    return WindowsKeyboardLayout(::GetKeyboardLayout(thread));
}

std::optional<LayoutCharacter> WindowsKeyboardLayout::CharacterOf(int32_t code, bool shift) const {
    if (code < 1 || code > 255 || !layout_) return std::nullopt;
    BYTE keys[256] = {};
    if (shift) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    const auto vk = static_cast<UINT>(code);
    const UINT scan = ::MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout_);
    wchar_t text[8] = {};
    // Bit 2: leave the keyboard state (and a pending dead key) as it is (Windows 10 1607+).
    constexpr UINT kKeepKeyboardState = 0x4;
    const int count = ::ToUnicodeEx(vk, scan, keys, text, 8, kKeepKeyboardState, layout_);
    if (count == 0) return std::nullopt;
    LayoutCharacter character;
    character.dead = count < 0;
    const int length = count < 0 ? 1 : std::min(count, 8);
    character.text.assign(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
    if (character.text.empty() || character.text[0] == 0) return std::nullopt;
    return character;
}

std::string DisplayKeyName(int32_t code, bool fromLayout) {
    KeyNameLocale locale = UserKeyNameLocale();
    if (!fromLayout) return KeyName(SharedLanguage(), code, locale);
    const WindowsKeyboardLayout layout = WindowsKeyboardLayout::OfForegroundWindow();
    locale.layout = &layout;
    return KeyName(SharedLanguage(), code, locale);
}
