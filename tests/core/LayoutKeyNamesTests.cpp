#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "keyboard/KeyCatalogue.h"
#include "keyboard/LayoutKeyNames.h"
#include "lang/Language.h"

namespace {

constexpr int32_t kOem1 = 186, kOemPlus = 187, kOemMinus = 189, kOem2 = 191, kOem3 = 192, kOem4 = 219, kOem5 = 220,
                  kOem6 = 221, kOem7 = 222, kOem102 = 226;

struct Key {
    std::u16string alone, shifted;
    bool dead = false;
};

// A layout given key by key, as ToUnicodeEx answers: nothing for keys not given.
class FakeLayout : public KeyboardLayoutSource {
public:
    explicit FakeLayout(std::map<int32_t, Key> keys) : keys_(std::move(keys)) {}
    std::optional<LayoutCharacter> CharacterOf(int32_t code, bool shift) const override {
        const auto key = keys_.find(code);
        if (key == keys_.end()) return std::nullopt;
        const std::u16string& text = shift ? key->second.shifted : key->second.alone;
        if (text.empty()) return std::nullopt;
        return LayoutCharacter{text, key->second.dead && !shift};
    }

private:
    std::map<int32_t, Key> keys_;
};

const FakeLayout kGerman({
    {kOem1, {u"ü", u"Ü"}},
    {kOem4, {u"ß", u"?"}},
    {kOem3, {u"ö", u"Ö"}},
    {kOemPlus, {u"+", u"*"}},
    {kOem102, {u"<", u">"}},
    {kOem5, {u"^", u"°", true}},
    {kOem6, {u"\u0301", u"\u0300", true}},  // acute, given in its combining form
    {'Z', {u"z", u"Z"}},
    {'1', {u"1", u"!"}},
});
const FakeLayout kFrench({
    {kOem3, {u"ù", u"%"}},
    {kOem1, {u"$", u"£"}},
    {kOem6, {u"^", u"¨", true}},
    {kOem2, {u":", u"/"}},
    {'2', {u"é", u"2"}},
    {'Q', {u"q", u"Q"}},
});
const FakeLayout kRussian({
    {'F', {u"а", u"А"}},
    {'Q', {u"й", u"Й"}},
    {kOem1, {u"ж", u"Ж"}},
    {kOem7, {u"э", u"Э"}},
});
// Broken or odd answers a real layout can give.
const FakeLayout kOdd({
    {'Q', {u";", u":"}},
    {'W', {u"w", u"2"}},
    {kOem1, {u"\x1b", u"\x1b"}},
    {kOem2, {u"\U0001F600", u""}},
    {kOem4, {u"\xD800", u""}},
    {kOem5, {u"\u0308", u"", true}},
    {kOem7, {u" ", u" "}},
    {kOemMinus, {u"-", u""}},
});

}  // namespace

TEST(LayoutKeyNames, NamesPunctuationAndForeignLettersAsTheKeyCapShowsThem) {
    const std::vector<std::tuple<const char*, const FakeLayout*, int32_t, std::optional<std::string>>> cases = {
        {"German ü is a letter key: its capital", &kGerman, kOem1, "Ü"},
        {"German ö", &kGerman, kOem3, "Ö"},
        {"German ß has no capital on its key", &kGerman, kOem4, "ß"},
        {"German plus", &kGerman, kOemPlus, "+"},
        {"the 102nd key", &kGerman, kOem102, "<"},
        {"a dead key is its accent", &kGerman, kOem5, "^"},
        {"a dead key given combining is its spacing accent", &kGerman, kOem6, "´"},
        {"a Latin letter names itself", &kGerman, 'Z', "Z"},
        {"digits are left to the table", &kGerman, '1', std::nullopt},
        {"French ù shifts to %: stays small", &kFrench, kOem3, "ù"},
        {"French dollar", &kFrench, kOem1, "$"},
        {"French dead circumflex", &kFrench, kOem6, "^"},
        {"French colon", &kFrench, kOem2, ":"},
        {"the French é on the 2 is a digit key", &kFrench, '2', std::nullopt},
        {"Russian letters in capitals", &kRussian, 'F', "А"},
        {"Russian й", &kRussian, 'Q', "Й"},
        {"Russian ж on a punctuation key", &kRussian, kOem1, "Ж"},
        {"a letter key typing a symbol is left to the table", &kOdd, 'Q', std::nullopt},
        {"a letter whose Shift gives no letter stays small", &kOdd, 'W', "w"},
        {"control characters are no name", &kOdd, kOem1, std::nullopt},
        {"a character beyond 16 bits", &kOdd, kOem2, "\xF0\x9F\x98\x80"},
        {"a lone surrogate is no name", &kOdd, kOem4, std::nullopt},
        {"dead diaeresis", &kOdd, kOem5, "¨"},
        {"a blank is no name", &kOdd, kOem7, std::nullopt},
        {"a key the layout does not type", &kOdd, kOem102, std::nullopt},
        {"function and keypad keys are never asked", &kGerman, 112, std::nullopt},
    };
    for (const auto& [name, layout, code, expected] : cases) EXPECT_EQ(LayoutKeyName(*layout, code), expected) << name;
}

TEST(LayoutKeyNames, KeyNamesTakeTheLayoutFirstAndTheTableOtherwise) {
    clsLanguage language("", {});
    language.ChangeLanguage(German);
    KeyNameLocale fromLayout;
    fromLayout.layout = &kGerman;
    const KeyNameLocale tableOnly;
    const std::vector<std::tuple<int32_t, const KeyNameLocale*, std::string>> cases = {
        {kOem4, &fromLayout, "ß"},  {kOem4, &tableOnly, "\xC3\x9B"},  // the ANSI character of 219
        {'1', &fromLayout, "1"},    {16, &fromLayout, "Umsch"},
        {110, &fromLayout, "Ziffernblock ."},
        {kOem7, &fromLayout, "\xC3\x9E"},  // German gives nothing for it here: the table
        {kOem5, &fromLayout, "^"},
    };
    for (const auto& [code, locale, expected] : cases) EXPECT_EQ(KeyName(language, code, *locale), expected) << code;
}
