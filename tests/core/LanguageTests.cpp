#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "lang/Language.h"
#include "lang/StringTable.h"
#include "lang/Utf8.h"

namespace {

bool IsDataId(int32_t id) {
    return (id >= 1 && id <= 79) || (id >= 93 && id <= 129) ||
           (id >= strings::kFirstAddedId && id <= strings::kLastAddedId);
}

// Every id of the numbered table and of the added range.
std::vector<int32_t> DataIds() {
    std::vector<int32_t> ids;
    for (int32_t id = 1; id <= strings::kLastAddedId; ++id)
        if (IsDataId(id)) ids.push_back(id);
    return ids;
}

size_t Count(const std::string& text, std::string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

std::string Text(int32_t language, int32_t id, std::vector<AlternativeText> alternatives = {}) {
    clsLanguage lang("", std::move(alternatives));
    lang.ChangeLanguage(language);
    return lang.GetString(id);
}

std::vector<AlternativeText> ParseLatin1(std::string_view bytes) { return ParseAlternativeTexts(bytes, Latin1ToUtf8); }

}  // namespace

// A translator dropping an id, adding 80-92 or 93, or the home page missing in a language;
// a text added since under a number of the table (130 and on belong to nobody).
TEST(StringTable, EveryLanguageHasExactlyTheTableIds) {
    EXPECT_EQ(strings::kLastId, 129);
    EXPECT_GT(strings::kFirstAddedId, 130);
    clsLanguage lang("", {});
    for (int32_t language = 0; language < kLanguageCount; ++language) {
        lang.ChangeLanguage(language);
        for (int32_t id = -2; id <= strings::kLastAddedId + 2; ++id) {
            const std::string text = lang.GetString(id);
            EXPECT_EQ(!text.empty(), IsDataId(id)) << "language " << language << " id " << id;
        }
        EXPECT_EQ(lang.GetString(0), "") << "language " << language;
        EXPECT_EQ(lang.GetString(130), "") << "language " << language;
        EXPECT_EQ(lang.GetString(93), kHomePageAddress) << "language " << language;
        EXPECT_EQ(lang.GetString(INT_MIN), "");
        EXPECT_EQ(lang.GetString(INT_MAX), "");
    }
}

// Line breaks, padding blanks, quotes and "..." endings are part of a text's layout;
// a translation that loses one breaks a caption. Bytes must be UTF-8 for Widen.
TEST(StringTable, TranslationsKeepTheShapeOfTheEnglishText) {
    for (int32_t language = 1; language < kLanguageCount; ++language) {
        for (const int32_t id : DataIds()) {
            const std::string english = Text(English, id), text = Text(language, id);
            SCOPED_TRACE("language " + std::to_string(language) + " id " + std::to_string(id) + ": " + text);
            EXPECT_EQ(Count(text, "\r\n"), Count(english, "\r\n"));
            EXPECT_EQ(Count(text, "\r"), Count(text, "\r\n"));
            EXPECT_EQ(Count(text, "\n"), Count(text, "\r\n"));
            EXPECT_EQ(Count(text, "\""), Count(english, "\""));
            EXPECT_EQ(text.starts_with(' '), english.starts_with(' '));
            EXPECT_EQ(text.ends_with(' '), english.ends_with(' '));
            EXPECT_EQ(text.ends_with("..."), english.ends_with("..."));
            EXPECT_EQ(SanitizeUtf8(text), text);
        }
    }
}

// The help window's version line takes the word with its blanks; the tray text breaks
// where the settings window's label expects. Key names and captions are checked where shown.
TEST(StringTable, TextsOthersRelyOn) {
    EXPECT_EQ(Text(English, 79), " version ");
    EXPECT_EQ(Text(English, 106),
              "Keep the program running when the settings window is closed.\r\n"
              "The program can still be accessed via an icon in the tray (right part of the task bar).");
}

TEST(Language, SystemLanguageComesFromTheExactLocaleName) {
    const std::pair<const char*, int32_t> cases[] = {
        {"German", German}, {"FRENCH", French}, {"polish", Polish}, {"Spanish", Spanish}, {"Turkish", Turkish},
        {"Danish", Danish}, {"English", English}, {"", English}, {"German (Germany)", English},
        {" German", English}, {"Dutch", English}, {"germa", English}, {"germann", English}};
    for (const auto& [name, language] : cases) EXPECT_EQ(LanguageFromLocaleName(name), language) << name;

    clsLanguage danish("Danish", {});
    EXPECT_EQ(danish.SystemLanguage(), Danish);
    EXPECT_EQ(danish.CurrentLanguage(), Danish);
}

TEST(Language, ChangeLanguageClampsAndMinusOneMeansSystem) {
    clsLanguage lang("Polish", {});
    const std::pair<int32_t, int32_t> cases[] = {{9, Danish}, {-5, English}, {1, German}, {-1, Polish},
                                                 {7, Danish}, {INT_MAX, Danish}, {INT_MIN, English}, {6, Danish}};
    for (const auto& [requested, expected] : cases) {
        lang.ChangeLanguage(requested);
        EXPECT_EQ(lang.CurrentLanguage(), expected) << requested;
        EXPECT_EQ(lang.SystemLanguage(), Polish);
    }
    lang.ChangeLanguage(German);
    EXPECT_EQ(lang.GetString(44), "Umsch");
}

// Windows refresh their captions inside the event, so it must come synchronously, after the
// change, every time, and survive handlers that unsubscribe themselves or others.
TEST(Language, ChangeEventReachesEverySubscriberSynchronously) {
    clsLanguage lang("", {});
    std::vector<std::string> calls;
    clsLanguage::Subscription first = 0, third = 0;
    first = lang.Subscribe([&] {
        calls.push_back("first " + lang.GetString(44));
        lang.Unsubscribe(first);
    });
    lang.Subscribe([&] {
        calls.push_back("second");
        lang.Unsubscribe(third);
        lang.Subscribe([&] { calls.push_back("late"); });
    });
    third = lang.Subscribe([&] { calls.push_back("third"); });
    const auto fourth = lang.Subscribe([&] { calls.push_back("fourth"); });
    lang.Subscribe(nullptr);

    lang.ChangeLanguage(German);
    EXPECT_EQ(calls, (std::vector<std::string>{"first Umsch", "second", "fourth"}));

    calls.clear();
    lang.Unsubscribe(fourth);
    lang.Unsubscribe(12345);
    lang.ChangeLanguage(German);  // unchanged language still raises the event
    EXPECT_EQ(calls, (std::vector<std::string>{"second", "late"}));
}

// The rules of the file: "=" at 0 or missing skips the line, nothing trimmed, first of
// two equal texts wins, replacements only touch the language they are written in.
TEST(AlternativeTexts, LinesBecomePairsAndReplaceTextsOfTheirLanguage) {
    const auto pairs = ParseLatin1(
        "Replacements for Glimmora\r\n=Exit\r\nClose=Exit window\r\nSize=\r\n\r\nClose=Second\r\n"
        " Help = Hilfe \na=b=c\rx==y\r\r\nSchlie\xDF" "en=Zu\nlast=line");
    const std::vector<AlternativeText> expected = {{"Close", "Exit window"}, {"Size", ""},        {"Close", "Second"},
                                                   {" Help ", " Hilfe "},    {"a", "b=c"},       {"x", "=y"},
                                                   {"Schlie\xC3\x9F" "en", "Zu"}, {"last", "line"}};
    EXPECT_EQ(pairs, expected);

    clsLanguage lang("", pairs);
    EXPECT_EQ(lang.GetString(43), "Exit window");
    EXPECT_EQ(lang.GetString(12), "");
    EXPECT_EQ(lang.GetString(2), "Help");  // " Help " is not "Help"
    EXPECT_EQ(lang.GetString(1), "Menu");
    lang.ChangeLanguage(German);
    EXPECT_EQ(lang.GetString(43), "Zu");
    EXPECT_EQ(lang.GetString(12), "Gr\xC3\xB6\xC3\x9F" "e");
    lang.ChangeLanguage(French);
    EXPECT_EQ(lang.GetString(43), Text(French, 43));

    // The added texts are replaced as the numbered ones are.
    clsLanguage added("", ParseLatin1("Keys hidden=Secret\r\nAltGr=Alt Gr\r\n"));
    EXPECT_EQ(added.GetString(strings::kKeysHiddenId), "Secret");
    EXPECT_EQ(added.GetString(strings::kAltGrNameId), "Alt Gr");
    added.ChangeLanguage(German);
    EXPECT_EQ(added.GetString(strings::kKeysHiddenId), Text(German, strings::kKeysHiddenId));

    // An empty text never matches, not even the empty text of an unused id.
    clsLanguage odd("", {{"", "X"}, {"Menu", "Start"}});
    EXPECT_EQ(odd.GetString(80), "");
    EXPECT_EQ(odd.GetString(1), "Start");
}

TEST(AlternativeTexts, ByteOrderMarkMeansUtf8OtherwiseTheCodePage) {
    std::vector<std::string> decoded;
    const auto spy = [&](std::string_view line) {
        decoded.emplace_back(line);
        return Latin1ToUtf8(line);
    };
    const std::string utf8Size = "Gr\xC3\xB6\xC3\x9F" "e";
    EXPECT_EQ(ParseAlternativeTexts("\xEF\xBB\xBF" + utf8Size + "=Ma\xC3\x9F\r\n", spy),
              (std::vector<AlternativeText>{{utf8Size, "Ma\xC3\x9F"}}));
    EXPECT_TRUE(decoded.empty());

    // Without the mark the same bytes are code-page text, decoded line by line.
    EXPECT_EQ(ParseAlternativeTexts(utf8Size + "=1\r\n\r\nGr\xF6\xDF" "e=2\r", spy),
              (std::vector<AlternativeText>{{"Gr\xC3\x83\xC2\xB6\xC3\x83\xC2\x9F" "e", "1"}, {utf8Size, "2"}}));
    EXPECT_EQ(decoded, (std::vector<std::string>{utf8Size + "=1", "Gr\xF6\xDF" "e=2"}));

    EXPECT_TRUE(ParseAlternativeTexts("", spy).empty());
    EXPECT_TRUE(ParseAlternativeTexts("\xEF\xBB\xBF", spy).empty());
    EXPECT_EQ(ParseAlternativeTexts("\xEF\xBB=x", spy), (std::vector<AlternativeText>{{"\xC3\xAF\xC2\xBB", "x"}}));
}

TEST(AlternativeTexts, InvalidUtf8NulBytesAndHugeLinesAreKept) {
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(ParseLatin1("\xEF\xBB\xBF" "a\xFF\xC3=\xE0\x80x\xF0\x9F\x98\nb=\xF0\x9F\x98\x80"),
              (std::vector<AlternativeText>{{"a" + fffd + fffd, fffd + fffd + "x" + fffd}, {"b", "\xF0\x9F\x98\x80"}}));

    const std::string withNuls("a\0b=c\0\r\nClose=Zu", 16);
    EXPECT_EQ(ParseLatin1(withNuls), (std::vector<AlternativeText>{{std::string("a\0b", 3), std::string("c\0", 2)},
                                                                   {"Close", "Zu"}}));

    const std::string longText(1 << 20, 'x');
    const auto pairs = ParseLatin1(longText + "\r\n" + longText + "=" + longText + "\r\nClose=Zu");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, longText);
    EXPECT_EQ(pairs[0].second, longText);
    EXPECT_EQ(pairs[1], (AlternativeText{"Close", "Zu"}));
    EXPECT_EQ(clsLanguage("", pairs).GetString(43), "Zu");
}

TEST(Utf8, SanitizeKeepsValidTextAndReplacesEachBadSequence) {
    const std::string valid = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", bad = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {valid, valid},
        {"\xC0\xAF", bad + bad},                    // overlong
        {"\xED\xA0\x80", bad + bad + bad},           // surrogate
        {"\xF4\x90\x80\x80", bad + bad + bad + bad},  // past U+10FFFF
        {"\xE2\x82" "A", bad + "A"},                // truncated, then ASCII
        {"\x80\xF5", bad + bad},
    };
    for (const auto& [text, sanitized] : cases) EXPECT_EQ(SanitizeUtf8(text), sanitized);
    EXPECT_EQ(Latin1ToUtf8("a\xE9\xFF"), "a\xC3\xA9\xC3\xBF");
}
