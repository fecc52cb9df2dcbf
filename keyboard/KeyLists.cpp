#include "keyboard/KeyLists.h"

void AddListItem(KeyList& list, std::string text, int32_t code, std::string_view excluded) {
    if (!excluded.empty() && text == excluded) return;
    list.items.push_back({std::move(text), code});
}

void FillModifierList(KeyList& list, const KeyList* other, const clsLanguage& language, const KeyNameLocale& locale) {
    // Copied first: other may be the list being filled.
    const KeyListItem* otherSelection = other ? other->SelectedItem() : nullptr;
    const std::string excluded = otherSelection ? otherSelection->text : std::string();
    list.Clear();
    for (const int32_t code : ModifierCodes()) AddListItem(list, KeyName(language, code, locale), code, excluded);
}

void FillShortcutKeyList(KeyList& list, const clsLanguage& language, const KeyNameLocale& locale) {
    list.Clear();
    const auto add = [&](int32_t code) { AddListItem(list, KeyName(language, code, locale), code, {}); };
    add(kNoKey);
    for (int32_t code = 'A'; code <= 'Z'; ++code) add(code);
    for (int32_t code = '0'; code <= '9'; ++code) add(code);
    for (int32_t code = 112; code <= 135; ++code) add(code);
    for (const int32_t code : {8, 9, 145, 111, 106, 109, 107}) add(code);
}

void SelectListItem(KeyList& list, int32_t code) {
    if (list.items.empty()) return;
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (list.items[i].data == code) {
            list.selected = i;
            return;
        }
    }
    if (!list.SelectedItem()) list.selected = 0;
}
