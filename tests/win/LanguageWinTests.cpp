#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/Handles_win.h"
#include "app/Text_win.h"
#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"

namespace {

// A fresh folder under %TEMP% with "program" and "appdata" inside, removed afterwards.
class TempFolders {
public:
    TempFolders() {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"glimmora-lang-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount());
        ::CreateDirectoryW(root_.c_str(), nullptr);
        ::CreateDirectoryW(Program().c_str(), nullptr);
        ::CreateDirectoryW(AppData().c_str(), nullptr);
        ::CreateDirectoryW((AppData() + L"\\Glimmora").c_str(), nullptr);
    }
    ~TempFolders() {
        for (const std::wstring& file : {Program() + L"\\AlternativeTexts.txt", PerUserFile()}) ::DeleteFileW(file.c_str());
        for (const std::wstring& folder : {Program() + L"\\AlternativeTexts.txt", AppData() + L"\\Glimmora", Program(),
                                           AppData(), root_})
            ::RemoveDirectoryW(folder.c_str());
    }
    std::wstring Program() const { return root_ + L"\\program"; }
    std::wstring AppData() const { return root_ + L"\\appdata"; }
    std::wstring ProgramFile() const { return Program() + L"\\AlternativeTexts.txt"; }
    std::wstring PerUserFile() const { return AppData() + L"\\Glimmora\\AlternativeTexts.txt"; }

private:
    std::wstring root_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    handles::File file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ASSERT_EQ(written, bytes.size());
}

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

TEST(LanguageWin, LocaleNameAndSharedObject) {
    const std::string name = UserLocaleLanguageName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_EQ(&SharedLanguage(), &SharedLanguage());
    EXPECT_EQ(SharedLanguage().SystemLanguage(), LanguageFromLocaleName(name));
}

// NumPad's decimal key follows the user's number format, also after the user changes it.
TEST(LanguageWin, KeyNamesFollowTheUserNumberFormatAndCodePage) {
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
