#include "ui/ShortcutCombos_win.h"

#include "base/Text_win.h"
#include "controls/Accessible_win.h"
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "ui/DialogWindow_win.h"
#include "ui/frmSet_win.h"

#include <oleacc.h>

namespace {

bool SameItems(const KeyList& a, const KeyList& b) {
    if (a.items.size() != b.items.size()) return false;
    for (size_t i = 0; i < a.items.size(); ++i)
        if (a.items[i].text != b.items[i].text || a.items[i].data != b.items[i].data) return false;
    return true;
}

// Refills a combo box only when its items changed, so that a list the user has open is
// not rebuilt under the pointer by the refresh its own choice causes.
void MirrorList(HWND combo, const KeyList& list, KeyList& shown) {
    if (!combo) return;
    if (!SameItems(list, shown) || ::SendMessageW(combo, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(list.items.size())) {
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const KeyListItem& item : list.items) {
            const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item.text).c_str()));
            ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(item.data));
        }
    }
    const LRESULT selected = list.selected ? static_cast<LRESULT>(*list.selected) : CB_ERR;
    if (::SendMessageW(combo, CB_GETCURSEL, 0, 0) != selected)
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    shown = list;
}

// The second modifier's and the key's lists stand behind a "+" sign, which is what a
// screen reader would name them by; they take the row's caption (the label just before
// the first list, as it reads now) and what they are for, and read out their choice.
void NameFollowingList(HWND list, HWND first, int32_t stringId) {
    DescribeStandardControl(list, [list, first, stringId] {
        std::wstring caption = WindowText(::GetWindow(first, GW_HWNDPREV));
        std::erase(caption, L'&');
        while (!caption.empty() && (caption.back() == L':' || caption.back() == L' ')) caption.pop_back();
        const std::wstring what = Widen(SharedLanguage().GetString(stringId));
        return AccessibleInfo{caption.empty() ? what : caption + L", " + what, ROLE_SYSTEM_COMBOBOX, WindowText(list)};
    });
}

}  // namespace

void StoreShortcut(SettingsHost& host, HotKeyAction action, const HotKeyInfo& shortcut) {
    const HotKeyInfo old = HotKey(host.Settings(), action);
    const int32_t first = static_cast<int32_t>(FirstShortcutKey(action));
    const int32_t values[3] = {shortcut.Spec1, shortcut.Spec2, shortcut.KeyCode};
    const int32_t before[3] = {old.Spec1, old.Spec2, old.KeyCode};
    for (int i = 0; i < 3; ++i)
        if (values[i] != before[i]) host.ApplySetting(static_cast<SettingKey>(first + i), values[i]);
}

void ShortcutCombos::Show(const DialogBase& dialog) {
    if (showing_) return;
    showing_ = true;
    const HWND first = dialog.Control(ids_[0]);
    NameFollowingList(dialog.Control(ids_[1]), first, strings::kSecondModifierNameId);
    NameFollowingList(dialog.Control(ids_[2]), first, strings::kKeyNameId);
    const HotKeyInfo shortcut = HotKey(dialog.Host().Settings(), action_);
    lists_ = ShowShortcut(shortcut, SharedLanguage(), UserKeyNameLocale());
    Mirror(dialog);
    StoreShortcut(dialog.Host(), action_, ShortcutShown(lists_, shortcut));
    showing_ = false;
}

bool ShortcutCombos::Command(const DialogBase& dialog, int id, int notification) {
    int which = 0;
    while (which < 3 && ids_[which] != id) ++which;
    if (which == 3) return false;
    if (notification != CBN_SELCHANGE) return true;
    const LRESULT index = ::SendMessageW(dialog.Control(id), CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return true;
    const HotKeyInfo shortcut = HotKey(dialog.Host().Settings(), action_);
    const HotKeyInfo chosen = ChooseShortcutItem(lists_, static_cast<ShortcutList>(which), static_cast<size_t>(index),
                                                 shortcut, SharedLanguage(), UserKeyNameLocale());
    Mirror(dialog);
    showing_ = true;  // the refresh the store causes finds the lists as they are
    StoreShortcut(dialog.Host(), action_, chosen);
    showing_ = false;
    return true;
}

void ShortcutCombos::Mirror(const DialogBase& dialog) {
    MirrorList(dialog.Control(ids_[0]), lists_.spec1, shown_.spec1);
    MirrorList(dialog.Control(ids_[1]), lists_.spec2, shown_.spec2);
    MirrorList(dialog.Control(ids_[2]), lists_.key, shown_.key);
}

void AddShortcutRow(const ShortcutCombos& combos, int plus1, int plus2, int left, int top, int right,
                    const AddDialogControl& add) {
    constexpr int kModifierWidth = 100, kPlusWidth = 16;
    // A drop-down list's place is its height when open: room for every modifier, and for a
    // good part of the 75 keys.
    constexpr int kModifierDrop = 96, kKeyDrop = 300;
    const DWORD list = CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL;
    const DWORD plus = SS_CENTER | SS_CENTERIMAGE;
    int x = left;
    add(combos.Id(ShortcutList::Spec1), L"ComboBox", list, {x, top, x + kModifierWidth, top + kModifierDrop});
    x += kModifierWidth;
    add(plus1, L"Static", plus, {x, top, x + kPlusWidth, top + kShortcutRowHeight});
    x += kPlusWidth;
    add(combos.Id(ShortcutList::Spec2), L"ComboBox", list, {x, top, x + kModifierWidth, top + kModifierDrop});
    x += kModifierWidth;
    add(plus2, L"Static", plus, {x, top, x + kPlusWidth, top + kShortcutRowHeight});
    x += kPlusWidth;
    add(combos.Id(ShortcutList::Key), L"ComboBox", list, {x, top, right, top + kKeyDrop});
}
