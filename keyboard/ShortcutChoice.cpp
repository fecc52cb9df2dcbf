#include "keyboard/ShortcutChoice.h"

namespace {

// Selects the code in a freshly filled list; a code it does not offer (left out, or never
// a choice at all, as in a hand-edited file) selects the first item, which the shortcut
// then takes: the lists never show something other than what is stored.
void ShowCode(KeyList& list, int32_t code) {
    list.selected.reset();
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (list.items[i].data == code) {
            list.selected = i;
            return;
        }
    }
    if (!list.items.empty()) list.selected = 0;
}

void FillSecondModifier(ShortcutLists& lists, int32_t spec2, const clsLanguage& language,
                        const KeyNameLocale& locale) {
    FillModifierList(lists.spec2, &lists.spec1, language, locale);
    ShowCode(lists.spec2, spec2);
}

}  // namespace

ShortcutLists ShowShortcut(const HotKeyInfo& shortcut, const clsLanguage& language, const KeyNameLocale& locale) {
    ShortcutLists lists;
    FillModifierList(lists.spec1, nullptr, language, locale);
    ShowCode(lists.spec1, shortcut.Spec1);
    FillSecondModifier(lists, shortcut.Spec2, language, locale);
    FillShortcutKeyList(lists.key, language, locale);
    ShowCode(lists.key, shortcut.KeyCode);
    return lists;
}

HotKeyInfo ShortcutShown(const ShortcutLists& lists, const HotKeyInfo& shortcut) {
    HotKeyInfo shown = shortcut;
    if (const KeyListItem* item = lists.spec1.SelectedItem()) shown.Spec1 = item->data;
    if (const KeyListItem* item = lists.spec2.SelectedItem()) shown.Spec2 = item->data;
    if (const KeyListItem* item = lists.key.SelectedItem()) shown.KeyCode = item->data;
    return shown;
}

HotKeyInfo ChooseShortcutItem(ShortcutLists& lists, ShortcutList which, size_t index, const HotKeyInfo& shortcut,
                              const clsLanguage& language, const KeyNameLocale& locale) {
    KeyList& list = which == ShortcutList::Spec1 ? lists.spec1 : which == ShortcutList::Spec2 ? lists.spec2 : lists.key;
    if (index < list.items.size()) {
        list.selected = index;
        if (which == ShortcutList::Spec1) FillSecondModifier(lists, shortcut.Spec2, language, locale);
    }
    return ShortcutShown(lists, shortcut);
}
