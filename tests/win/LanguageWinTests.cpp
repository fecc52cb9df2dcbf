#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/Handles_win.h"
#include "base/Text_win.h"
#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"
#include "tests/win/TempFiles.h"

namespace {

// A scratch folder with "program" and "appdata\Glimmora" inside.
class TempFolders {
public:
    TempFolders() {
        std::filesystem::create_directories(AppData() + L"\\Glimmora");
        std::filesystem::create_directories(Program());
    }
    std::wstring Program() const { return scratch_.Wide(L"program"); }
    std::wstring AppData() const { return scratch_.Wide(L"appdata"); }
    std::wstring ProgramFile() const { return Program() + L"\\AlternativeTexts.txt"; }
    std::wstring PerUserFile() const { return AppData() + L"\\Glimmora\\AlternativeTexts.txt"; }

private:
    ScratchFolder scratch_;
};

std::string ReplacementOfClose(const TempFolders& folders) {
    const auto pairs = LoadAlternativeTexts(folders.Program(), folders.AppData());
    return clsLanguage("", pairs).GetString(43);
}

}  // namespace

// The program folder's file wins over the per-user one; either alone is used; neither means none.
TEST(LanguageWin, AlternativeTextsFileIsChosenFromProgramThenAppData) {
    TempFolders folders;
    EXPECT_EQ(ChooseAlternativeTextsFile(folders.Program(), folders.AppData()), L"");
    EXPECT_EQ(ReplacementOfClose(folders), "Close");

    WriteBytes(folders.PerUserFile(), "Close=per user\r\n");
    EXPECT_EQ(ChooseAlternativeTextsFile(folders.Program(), folders.AppData() + L"\\"), folders.PerUserFile());
    EXPECT_EQ(ReplacementOfClose(folders), "per user");

    WriteBytes(folders.ProgramFile(), "\xEF\xBB\xBF" "Close=Zamknij okno \xC5\x82\xC4\x85\r\n");
    EXPECT_EQ(ChooseAlternativeTextsFile(folders.Program(), folders.AppData()), folders.ProgramFile());
    EXPECT_EQ(ReplacementOfClose(folders), "Zamknij okno \xC5\x82\xC4\x85");

    // Held open without sharing by someone else: unreadable, so no texts, and no failure.
    {
        handles::File locked(::CreateFileW(folders.ProgramFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_EQ(ReplacementOfClose(folders), "Close");
    }

    // A folder of that name is no file: the per-user file is used.
    ASSERT_TRUE(::DeleteFileW(folders.ProgramFile().c_str()));
    ASSERT_TRUE(::CreateDirectoryW(folders.ProgramFile().c_str(), nullptr));
    EXPECT_EQ(ReplacementOfClose(folders), "per user");
}

// Polish and Turkish letters lie outside most ANSI code pages; they must reach a window intact.
TEST(LanguageWin, EveryPolishAndTurkishTextRoundTripsThroughAWindow) {
    handles::Window label(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(label);
    clsLanguage lang("", {});
    int beyondLatin1 = 0;
    for (const int32_t language : {Polish, Turkish}) {
        lang.ChangeLanguage(language);
        for (int32_t id = 1; id <= 129; ++id) {
            const std::string text = lang.GetString(id);
            const std::wstring wide = Widen(text);
            ::SetWindowTextW(label.get(), wide.c_str());
            wchar_t back[1024] = {};
            ::GetWindowTextW(label.get(), back, 1024);
            EXPECT_EQ(Narrow(back), text) << language << " " << id;
            for (const wchar_t c : wide) beyondLatin1 += c > 0xFF;
        }
    }
    EXPECT_GT(beyondLatin1, 50);
}

// NumPad's decimal key follows the user's number format, also after the user changes it.
TEST(LanguageWin, KeyNamesFollowTheUserNumberFormatAndCodePage) {
    // The system language comes from the user's locale name, read without its terminator.
    const std::string name = UserLocaleLanguageName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_EQ(SharedLanguage().SystemLanguage(), LanguageFromLocaleName(name));

    const auto separatorOfMinusOnePointOne = [] {
        wchar_t formatted[32] = {};
        ::GetNumberFormatW(LOCALE_USER_DEFAULT, 0, L"-1.1", nullptr, formatted, 32);
        return Narrow(std::wstring_view(formatted).substr(2, 1));
    };
    SharedLanguage().ChangeLanguage(English);
    EXPECT_EQ(KeyName(110), "NumPad " + separatorOfMinusOnePointOne());

    wchar_t original[8] = {};
    ASSERT_GT(::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original, 8), 0);
    const wchar_t* other = std::wstring_view(original) == L"," ? L"." : L",";
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, other));
    const std::string changed = KeyName(110);
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original);
    EXPECT_EQ(changed, "NumPad " + Narrow(other));

    SharedLanguage().ChangeLanguage(German);
    EXPECT_EQ(KeyName(108), "Ziffernblock Enter");
    EXPECT_EQ(KeyName(65), "A");
    const char byte = static_cast<char>(0xE9);
    EXPECT_EQ(KeyName(0xE9), AnsiToUtf8(std::string_view(&byte, 1)));
    HotKeyInfo shortcut;
    shortcut.Spec1 = 17;
    shortcut.Spec2 = 18;
    shortcut.KeyCode = 112;
    EXPECT_EQ(DisplayText(shortcut), "Strg+Alt+F1");
    SharedLanguage().ChangeLanguage(English);
}
