// The lists of the shortcut dialogs: what each offers and shows, and the repair of a record
// with two equal modifiers or a value no list offers.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CoreTestSupport.h"
#include "keyboard/ShortcutChoice.h"
#include "lang/Language.h"

namespace {

// "Shift [Ctrl] Alt": the items, the selected one in brackets.
std::string Render(const KeyList& list) {
    std::string text;
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (!text.empty()) text += ' ';
        const bool selected = list.selected == i;
        text += (selected ? "[" : "") + list.items[i].text + (selected ? "]" : "");
    }
    return text;
}

std::string SelectedText(const KeyList& list) {
    const KeyListItem* item = list.SelectedItem();
    return item ? item->text : "<nothing>";
}

HotKeyInfo Shortcut(int32_t spec1, int32_t spec2, int32_t key) { return HotKeyInfo{spec1, spec2, key, false}; }

void ExpectShortcut(const HotKeyInfo& actual, const HotKeyInfo& expected) {
    EXPECT_EQ((std::array{actual.Spec1, actual.Spec2, actual.KeyCode}),
              (std::array{expected.Spec1, expected.Spec2, expected.KeyCode}));
}

}  // namespace

TEST(ShortcutChoice, ListsShowTheShortcutAndAValueNoListOffersBecomesItsFirstItem) {
    const KeyNameLocale locale;
    struct Case {
        const char* what;
        int32_t language;
        HotKeyInfo shortcut;
        const char* spec1;
        const char* spec2;
        const char* key;
        HotKeyInfo shown;  // what the record becomes when the dialog opens
    } cases[] = {
        {"the default blink shortcut", 0, Shortcut(16, 17, 89), "[Shift] Ctrl Alt", "[Ctrl] Alt", "Y",
         Shortcut(16, 17, 89)},
        {"the same in German", 1, Shortcut(16, 17, 89), "[Umsch] Strg Alt", "[Strg] Alt", "Y", Shortcut(16, 17, 89)},
        {"Alt first leaves Alt out of the second list", 0, Shortcut(18, 16, 112), "Shift Ctrl [Alt]", "[Shift] Ctrl",
         "F1", Shortcut(18, 16, 112)},
        {"equal modifiers: the second becomes the first still offered", 0, Shortcut(17, 17, 65), "Shift [Ctrl] Alt",
         "[Shift] Alt", "A", Shortcut(17, 16, 65)},
        {"equal Shift twice", 0, Shortcut(16, 16, 65), "[Shift] Ctrl Alt", "[Ctrl] Alt", "A", Shortcut(16, 17, 65)},
        {"a switched-off shortcut", 1, Shortcut(16, 17, -1), "[Umsch] Strg Alt", "[Strg] Alt", "(keine)",
         Shortcut(16, 17, -1)},
        {"the last key of the list", 0, Shortcut(16, 18, 107), "[Shift] Ctrl Alt", "Ctrl [Alt]", "NumPad +",
         Shortcut(16, 18, 107)},
        {"a first modifier that is no modifier becomes Shift", 0, Shortcut(0, 17, 89), "[Shift] Ctrl Alt",
         "[Ctrl] Alt", "Y", Shortcut(16, 17, 89)},
        {"a key no list offers becomes (none)", 0, Shortcut(16, 17, 200), "[Shift] Ctrl Alt", "[Ctrl] Alt",
         "(none)", Shortcut(16, 17, -1)},
        {"a second modifier that is no modifier becomes the first offered", 0, Shortcut(17, 99, 66),
         "Shift [Ctrl] Alt", "[Shift] Alt", "B", Shortcut(17, 16, 66)},
        {"every field unknown", 1, Shortcut(-5, 300, 7), "[Umsch] Strg Alt", "[Strg] Alt", "(keine)",
         Shortcut(16, 17, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const clsLanguage language = InLanguage(c.language);
        const ShortcutLists lists = ShowShortcut(c.shortcut, language, locale);
        EXPECT_EQ(Render(lists.spec1), c.spec1);
        EXPECT_EQ(Render(lists.spec2), c.spec2);
        EXPECT_EQ(SelectedText(lists.key), c.key);
        ExpectShortcut(ShortcutShown(lists, c.shortcut), c.shown);
    }
}

TEST(ShortcutChoice, AChoiceChangesItsFieldAndANewFirstModifierRefillsTheSecond) {
    const KeyNameLocale locale;
    const clsLanguage english = InLanguage(0);
    struct Case {
        const char* what;
        HotKeyInfo shortcut;
        ShortcutList list;
        size_t index;
        const char* spec2;  // the second list afterwards
        HotKeyInfo result;
    } cases[] = {
        {"Ctrl first: the second held Ctrl and falls back to Shift", Shortcut(16, 17, 89), ShortcutList::Spec1, 1,
         "[Shift] Alt", Shortcut(17, 16, 89)},
        {"Ctrl first: the second keeps Alt", Shortcut(16, 18, 89), ShortcutList::Spec1, 1, "Shift [Alt]",
         Shortcut(17, 18, 89)},
        {"the same first modifier again changes nothing", Shortcut(16, 17, 89), ShortcutList::Spec1, 0,
         "[Ctrl] Alt", Shortcut(16, 17, 89)},
        {"Alt second", Shortcut(16, 17, 89), ShortcutList::Spec2, 1, "Ctrl [Alt]", Shortcut(16, 18, 89)},
        {"(none) switches the shortcut off", Shortcut(16, 17, 89), ShortcutList::Key, 0, "[Ctrl] Alt",
         Shortcut(16, 17, -1)},
        {"B as key", Shortcut(16, 17, -1), ShortcutList::Key, 2, "[Ctrl] Alt", Shortcut(16, 17, 66)},
        {"an index past the end changes nothing", Shortcut(16, 17, 89), ShortcutList::Spec2, 2, "[Ctrl] Alt",
         Shortcut(16, 17, 89)},
        {"an unknown key shown as (none) stays so when a modifier is chosen", Shortcut(16, 17, 200),
         ShortcutList::Spec1, 2, "Shift [Ctrl]", Shortcut(18, 17, -1)},
        {"a first modifier chosen where none was known", Shortcut(0, 18, 89), ShortcutList::Spec1, 2,
         "[Shift] Ctrl", Shortcut(18, 16, 89)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShortcutLists lists = ShowShortcut(c.shortcut, english, locale);
        const HotKeyInfo result = ChooseShortcutItem(lists, c.list, c.index, c.shortcut, english, locale);
        EXPECT_EQ(Render(lists.spec2), c.spec2);
        ExpectShortcut(result, c.result);
        // The lists show what the choice made of the shortcut.
        ExpectShortcut(ShortcutShown(lists, result), c.result);
    }
}
