// The drop-down lists of the shortcut dialogs as plain data; a combo box mirrors one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keyboard/KeyCatalogue.h"

class clsLanguage;

struct KeyListItem {
    std::string text;
    int32_t data = 0;  // the key code
};

struct KeyList {
    std::vector<KeyListItem> items;
    std::optional<size_t> selected;

    void Clear() {
        items.clear();
        selected.reset();
    }
    // The selected item, or nullptr when nothing is selected.
    const KeyListItem* SelectedItem() const {
        return selected && *selected < items.size() ? &items[*selected] : nullptr;
    }
};

// Shift, Ctrl, Alt (data 16, 17, 18) without the one whose text is selected in other.
void FillModifierList(KeyList& list, const KeyList* other, const clsLanguage& language, const KeyNameLocale& locale);
// "(none)", A-Z, 0-9, F1-F24, Back, Tabulator, Scroll lock, NumPad / * - +: 75 items.
void FillShortcutKeyList(KeyList& list, const clsLanguage& language, const KeyNameLocale& locale);
// Appends unless text equals excluded (exact); an empty excluded text excludes nothing.
void AddListItem(KeyList& list, std::string text, int32_t code, std::string_view excluded);
// Selects the first item with the code; with no match keeps the selection, or selects the
// first item when there is none. An empty list stays as it is.
void SelectListItem(KeyList& list, int32_t code);
