// The string tables, the language object and its event, replacement texts, UTF-8 repair.
#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "lang/StringTable.h"
#include "lang/Utf8.h"

namespace {

bool IsDataId(int32_t id) {
    return (id >= 1 && id <= 79) || (id >= 93 && id <= 129) ||
           (id >= strings::kFirstAddedId && id <= strings::kLastAddedId);
}

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

std::string Text(int32_t language, int32_t id) { return InLanguage(language).GetString(id); }

std::vector<AlternativeText> ParseLatin1(std::string_view bytes) { return ParseAlternativeTexts(bytes, Latin1ToUtf8); }

}  // namespace

// A translator dropping an id or adding 80-92 or 93; a text added under a number of the table.
TEST(StringTable, EveryLanguageHasExactlyTheTableIds) {
    clsLanguage lang("", {});
    for (int32_t language = 0; language < kLanguageCount; ++language) {
        lang.ChangeLanguage(language);
        for (int32_t id = -2; id <= strings::kLastAddedId + 2; ++id) {
            const std::string text = lang.GetString(id);
            EXPECT_EQ(!text.empty(), IsDataId(id)) << "language " << language << " id " << id;
        }
        EXPECT_EQ(lang.GetString(93), kHomePageAddress) << "language " << language;
        EXPECT_EQ(lang.GetString(kMinI) + lang.GetString(kMaxI), "");
    }
}

// Line breaks, padding blanks, quotes and "..." belong to a caption's layout; bytes must be UTF-8.
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

TEST(Language, SystemLanguageComesFromTheExactLocaleName) {
    const std::pair<const char*, int32_t> cases[] = {{"FRENCH", French}, {"polish", Polish}, {"Turkish", Turkish}, {"", English},
                                                     {"German (Germany)", English}, {" German", English}, {"germa", English}};
    for (const auto& [name, language] : cases) EXPECT_EQ(LanguageFromLocaleName(name), language) << name;
    EXPECT_EQ(clsLanguage("Danish", {}).CurrentLanguage(), Danish);
    // Changing clamps, and -1 means the system's.
    clsLanguage lang("Polish", {});
    for (auto [requested, expected] : {std::pair{9, Danish}, {-5, English}, {1, German}, {-1, Polish}, {kMaxI, Danish}, {kMinI, English}}) {
        lang.ChangeLanguage(requested);
        EXPECT_TRUE(lang.CurrentLanguage() == expected && lang.SystemLanguage() == Polish) << requested;
    }
}

// Captions refresh inside the event: synchronous, after the change, safe against unsubscribing.
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

// "=" at 0 or missing skips a line, nothing trimmed, first text wins, only its language changes.
TEST(AlternativeTexts, LinesBecomePairsAndReplaceTextsOfTheirLanguage) {
    const auto pairs = ParseLatin1(
        "Replacements for Glimmora\r\n=Exit\r\nClose=Exit window\r\nSize=\r\n\r\nClose=Second\r\n"
        " Help = Hilfe \na=b=c\rx==y\r\r\nSchlie\xDF" "en=Zu\nlast=line");
    EXPECT_EQ(pairs, (std::vector<AlternativeText>{{"Close", "Exit window"}, {"Size", ""}, {"Close", "Second"},
                                                   {" Help ", " Hilfe "}, {"a", "b=c"}, {"x", "=y"},
                                                   {"Schlie\xC3\x9F" "en", "Zu"}, {"last", "line"}}));

    clsLanguage lang("", pairs);
    EXPECT_TRUE(lang.GetString(43) == "Exit window" && lang.GetString(12).empty());
    EXPECT_EQ(lang.GetString(2), "Help");  // " Help " is not "Help"
    lang.ChangeLanguage(German);
    EXPECT_EQ(lang.GetString(43), "Zu");
    lang.ChangeLanguage(French);
    EXPECT_EQ(lang.GetString(43), Text(French, 43));
    // The added texts are replaced as the numbered ones are; an empty text never matches.
    EXPECT_EQ(clsLanguage("", ParseLatin1("AltGr=Alt Gr\r\n")).GetString(strings::kAltGrNameId), "Alt Gr");
    clsLanguage odd("", {{"", "X"}, {"Menu", "Start"}});
    EXPECT_TRUE(odd.GetString(80).empty() && odd.GetString(1) == "Start");
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

    EXPECT_TRUE(ParseAlternativeTexts("", spy).empty() && ParseAlternativeTexts("\xEF\xBB\xBF", spy).empty());
    EXPECT_EQ(ParseAlternativeTexts("\xEF\xBB=x", spy), (std::vector<AlternativeText>{{"\xC3\xAF\xC2\xBB", "x"}}));
}

TEST(Utf8, SanitizeKeepsValidTextAndReplacesEachBadSequence) {
    const std::string valid = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", bad = "\xEF\xBF\xBD";
    // Overlong, a surrogate, past U+10FFFF, truncated then ASCII, stray bytes.
    const std::pair<std::string, std::string> cases[] = {
        {valid, valid}, {"\xC0\xAF", bad + bad}, {"\xED\xA0\x80", bad + bad + bad}, {"\xF4\x90\x80\x80", bad + bad + bad + bad},
        {"\xE2\x82" "A", bad + "A"}, {"\x80\xF5", bad + bad}};
    for (const auto& [text, sanitized] : cases) EXPECT_EQ(SanitizeUtf8(text), sanitized);
    EXPECT_EQ(Latin1ToUtf8("a\xE9\xFF"), "a\xC3\xA9\xC3\xBF");
}
