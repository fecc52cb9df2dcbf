#include "lang/SharedLanguage_win.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "base/Folders_win.h"
#include "base/Handles_win.h"
#include "base/Text_win.h"

namespace {

constexpr wchar_t kFileName[] = L"AlternativeTexts.txt";
// A replacement file is a few kilobytes; anything far beyond is not worth the memory.
constexpr DWORD kMaxFileBytes = 16u << 20;

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
    return folder + L"\\" + name;
}

std::string ReadFileBytes(const std::wstring& path) {
    const handles::File file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[64 * 1024];
    while (bytes.size() < kMaxFileBytes) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(sizeof buffer, kMaxFileBytes - bytes.size()));
        if (!::ReadFile(file.get(), buffer, wanted, &read, nullptr) || read == 0) break;
        bytes.append(buffer, read);
    }
    return bytes;
}

}  // namespace

std::string UserLocaleLanguageName() {
    wchar_t name[256] = {};
    const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, 256);
    // The length counts the terminating zero.
    if (length <= 1) return {};
    return Narrow(std::wstring_view(name, static_cast<size_t>(length - 1)));
}

std::wstring ChooseAlternativeTextsFile(const std::wstring& programFolder, const std::wstring& appDataFolder) {
    if (!programFolder.empty()) {
        const std::wstring beside = Join(programFolder, kFileName);
        if (FileExists(beside)) return beside;
    }
    if (!appDataFolder.empty()) {
        const std::wstring perUser = Join(Join(appDataFolder, L"Glimmora"), kFileName);
        if (FileExists(perUser)) return perUser;
    }
    return {};
}

std::vector<AlternativeText> LoadAlternativeTexts(const std::wstring& programFolder, const std::wstring& appDataFolder) {
    const std::wstring path = ChooseAlternativeTextsFile(programFolder, appDataFolder);
    if (path.empty()) return {};
    return ParseAlternativeTexts(ReadFileBytes(path), [](std::string_view ansi) { return AnsiToUtf8(ansi); });
}

clsLanguage& SharedLanguage() {
    static clsLanguage language(UserLocaleLanguageName(), LoadAlternativeTexts(ProgramFolder(), SpecialFolder(CSIDL_APPDATA)));
    return language;
}
