#include "keyboard/KeyNames_win.h"

#include <windows.h>

#include "app/Text_win.h"
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

KeyNameLocale UserKeyNameLocale() { return {UserDecimalSeparator(), AnsiCharToUtf8}; }

std::string KeyName(int32_t code) { return KeyName(SharedLanguage(), code, UserKeyNameLocale()); }

std::string DisplayText(const HotKeyInfo& shortcut) {
    return shortcut.GetDisplayText(SharedLanguage(), UserKeyNameLocale());
}
