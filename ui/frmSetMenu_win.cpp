// The program menu under the menu button, with its language submenu.
#include "ui/frmSet_win.h"

#include <commctrl.h>

#include "base/Text_win.h"
#include "base/Display_win.h"
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "ui/Dialogs_win.h"
#include "ui/PresetMenu_win.h"

namespace {

enum MenuId : UINT {
    mnuHelp = 2001, mnuBlink, mnuPause, mnuOptions, mnuExtras, mnuDefault, mnuSetBoundary, mnuExit, mnuRestartElevated,
    mnuLang = 2100,     // 2100 to 2106
    mnuPresets = 2200,  // the presets' submenu, kPresetMenuSpan ids
};

// Each language named in all seven, fixed in every language.
constexpr const wchar_t* kLanguageMenuCaption = L"Language | Sprache | Langue | Jezyk | Idioma | Dil | Sprog";
constexpr const wchar_t* kLanguageCaptions[kLanguageCount] = {
    L"English | Englisch | Anglais | Angielski | Ingl\u00e9s | Ingilizce | Engelsk",
    L"German | Deutsch | Allemand | Niemiecki | Alem\u00e1n | Almanca | Tysk",
    L"French | Franz\u00f6sisch | Fran\u00e7ais | Francuski | Franc\u00e9s | Frans\u00efzca | Fransk",
    L"Polish | Polnisch | Polonais | Polski | Polaco | Leh\u00e7e | Polsk",
    L"Spanish | Spanisch | Espagnol | Hiszpanski | Espa\u00f1ol | Ispanyolca | Spansk",
    L"Turkish | T\u00fcrkisch | Turc | Turecki | Turco | T\u00fcrk\u00e7e | Tyrkisk",
    L"Danish | D\u00e4nisch | Danois | Dunski | Dan\u00e9s | Danimarkali | Dansk",
};

void SetCaption(HMENU menu, UINT id, const std::wstring& caption) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    ::SetMenuItemInfoW(menu, id, FALSE, &info);
}

std::wstring Text(int32_t id) { return Widen(SharedLanguage().GetString(id)); }

std::wstring WithShortcut(int32_t id, const SettingsRecord& settings, HotKeyAction action) {
    return Text(id) + L"\t" + Widen(DisplayText(HotKey(settings, action)));
}

}  // namespace

void frmSet::BuildMenus() {
    mnuMenu_.reset(::CreatePopupMenu());
    const HMENU menu = mnuMenu_.get();
    mnuLanguage_ = ::CreatePopupMenu();
    for (int i = 0; i < kLanguageCount; ++i) ::AppendMenuW(mnuLanguage_, MF_STRING, mnuLang + i, kLanguageCaptions[i]);
    ::AppendMenuW(menu, MF_STRING, mnuHelp, L"Help");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, mnuBlink, L"Blink");
    ::AppendMenuW(menu, MF_STRING, mnuPause, L"Pause");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    // The submenu is destroyed with the menu.
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(mnuLanguage_), kLanguageMenuCaption);
    ::AppendMenuW(menu, MF_STRING, mnuOptions, L"Options");
    ::AppendMenuW(menu, MF_STRING, mnuExtras, L"Extras ...");
    ::AppendMenuW(menu, MF_STRING, mnuDefault, L"Default settings ...");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, mnuSetBoundary, L"Set boundary");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, mnuExit, L"Exit");
}

void frmSet::UpdateMenuCaptions() {
    const HMENU menu = mnuMenu_.get();
    if (!menu) return;
    SetCaption(menu, mnuHelp, Text(2) + L"\tF1");
    // UpdateHotkeyMenuCaptions: the two entries that show a shortcut.
    SetCaption(menu, mnuBlink, WithShortcut(3, host_->Settings(), HotKeyAction::Blink));
    SetCaption(menu, mnuPause, WithShortcut(4, host_->Settings(), HotKeyAction::Pause));
    SetCaption(menu, mnuOptions, Text(103));
    SetCaption(menu, mnuExtras, Text(strings::kExtrasMenuId));
    // Made afresh as the menu opens, after Extras: the current preset follows every change.
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i)
        if (const HMENU popup = ::GetSubMenu(menu, i); popup && popup != mnuLanguage_) ::DeleteMenu(menu, i, MF_BYPOSITION);
    if (const HMENU presets = MakePresetMenu(*host_, mnuPresets))
        ::InsertMenuW(menu, mnuDefault, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(presets),
                      Text(strings::kPresetsMenuId).c_str());
    SetCaption(menu, mnuDefault, Text(5));
    SetCaption(menu, mnuSetBoundary, Text(124));
    SetCaption(menu, mnuExit, Text(6) + L"\tCtrl+Q");
    // Only once it can help, just above Exit: the entries above keep their places.
    const bool offer = host_->OfferRestartElevated();
    const bool listed = ::GetMenuState(menu, mnuRestartElevated, MF_BYCOMMAND) != static_cast<UINT>(-1);
    if (offer && !listed) ::InsertMenuW(menu, mnuExit, MF_BYCOMMAND | MF_STRING, mnuRestartElevated, L"");
    if (!offer && listed) ::DeleteMenu(menu, mnuRestartElevated, MF_BYCOMMAND);
    if (offer) SetCaption(menu, mnuRestartElevated, Text(strings::kRestartElevatedId));
    const int32_t current = SharedLanguage().CurrentLanguage();
    for (int i = 0; i < kLanguageCount; ++i)
        ::CheckMenuItem(mnuLanguage_, mnuLang + i, MF_BYCOMMAND | (i == current ? MF_CHECKED : MF_UNCHECKED));
}

void frmSet::ShowMenu(bool force) {
    if (MenuJustClosed && !force) return;
    RECT button{};
    ::GetWindowRect(Control("cmdMenu"), &button);
    UpdateMenuCaptions();
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(mnuMenu_.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           button.left, button.bottom, 0, hwnd(), nullptr));
    MenuClosedAt = SecondsSinceMidnight();
    if (chosen) mnuMenu_Command(static_cast<int>(chosen));
}

void frmSet::mnuMenu_Command(int id) {
    switch (id) {
    case mnuHelp: ShowHelp(); break;
    case mnuBlink: host_->StartBlink(); break;
    case mnuPause: host_->TogglePause(); break;
    case mnuDefault: mnuDefault_Click(); break;
    case mnuExit: mnuExit_Click(); break;
    case mnuRestartElevated: host_->RestartElevated(); break;
    case mnuOptions: ShowOptions(*host_, hwnd()); break;
    case mnuExtras: ShowExtras(*host_, hwnd()); break;
    case mnuSetBoundary: ShowSetBoundary(*host_); break;
    default:
        if (RunPresetMenu(*host_, static_cast<UINT>(id), mnuPresets, hwnd())) break;
        if (id >= static_cast<int>(mnuLang) && id < static_cast<int>(mnuLang) + kLanguageCount)
            SharedLanguage().ChangeLanguage(id - static_cast<int>(mnuLang));
        break;
    }
}

LRESULT CALLBACK frmSet::MenuButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
    auto* window = reinterpret_cast<frmSet*>(self);
    if (message == WM_LBUTTONDOWN)
        window->MenuJustClosed = PressClosedMenu(window->MenuClosedAt, SecondsSinceMidnight());
    else if (message == WM_KEYDOWN)
        window->MenuJustClosed = false;
    else if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(button, &frmSet::MenuButtonProc, 1);
    return ::DefSubclassProc(button, message, wParam, lParam);
}
