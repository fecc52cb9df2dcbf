// The interface language: seven string tables, the user's replacement texts and the
// change event every window with translated captions subscribes to.
#pragma once

#include "lang/StringTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// One replacement: a text as the tables hold it, and what the user wants instead.
using AlternativeText = std::pair<std::string, std::string>;

class clsLanguage {
public:
    // englishLanguageName: the locale's English language name as the system reports it
    // ("German", "French", ...); anything not in the list means English.
    clsLanguage(std::string_view englishLanguageName, std::vector<AlternativeText> alternativeTexts);

    // -1 selects the system language; anything else is clamped to 0..6. Always raises
    // LanguageChange, even when the language stays the same.
    void ChangeLanguage(int32_t number);
    int32_t CurrentLanguage() const { return currentLanguage_; }
    int32_t SystemLanguage() const { return systemLanguage_; }

    // UTF-8 text of the id in the current language after replacement; empty outside the table.
    std::string GetString(int32_t id) const;

    // LanguageChange subscribers run synchronously inside ChangeLanguage.
    using Subscription = int;
    Subscription Subscribe(std::function<void()> handler);
    void Unsubscribe(Subscription subscription);

private:
    int32_t systemLanguage_ = English;
    int32_t currentLanguage_ = English;
    // Text to replace -> replacement; the first line of the file for a text wins.
    std::unordered_map<std::string, std::string> replacements_;
    // Shared so that a handler may unsubscribe itself (or others) while it runs.
    std::vector<std::pair<Subscription, std::shared_ptr<const std::function<void()>>>> subscribers_;
    Subscription nextSubscription_ = 1;
};

// Language number for the locale's English language name (exact, case-insensitive match).
int32_t LanguageFromLocaleName(std::string_view englishLanguageName);

// Parses the replacement-texts file. Bytes are decoded as UTF-8 when they start with a
// UTF-8 byte-order mark (invalid sequences become U+FFFD), otherwise line by line by
// ansiToUtf8 (the system code page). CR LF, LF or CR end a line; lines without "=" or
// starting with it are skipped; text and replacement split at the first "=", untrimmed.
std::vector<AlternativeText> ParseAlternativeTexts(
    std::string_view fileBytes, const std::function<std::string(std::string_view)>& ansiToUtf8);
