// The program's one language object, and how the system and the user's files feed it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lang/Language.h"

// Created on the first call, from the user's locale and replacement-texts file.
clsLanguage& SharedLanguage();

// A window's subscription to the shared language's change event, ended when the window
// goes (Reset at its WM_DESTROY) or when the object does, whichever comes first: a handler
// never outlives the object it calls.
class LanguageSubscription {
public:
    LanguageSubscription() = default;
    LanguageSubscription(const LanguageSubscription&) = delete;
    LanguageSubscription& operator=(const LanguageSubscription&) = delete;
    ~LanguageSubscription() { Reset(); }

    void Subscribe(std::function<void()> handler) {
        Reset();
        id_ = SharedLanguage().Subscribe(std::move(handler));
    }
    void Reset() {
        if (id_) SharedLanguage().Unsubscribe(id_);
        id_ = 0;
    }

private:
    clsLanguage::Subscription id_ = 0;
};

// The English name of the user's locale language ("German"); empty when the system has none.
std::string UserLocaleLanguageName();

// "AlternativeTexts.txt" in programFolder if it is there, else
// "<appDataFolder>\Glimmora\AlternativeTexts.txt" if that is there; empty when neither is.
std::wstring ChooseAlternativeTextsFile(const std::wstring& programFolder, const std::wstring& appDataFolder);

// The chosen file's replacement texts; none when there is no file. Read errors are
// ignored: what was read before one is kept.
std::vector<AlternativeText> LoadAlternativeTexts(const std::wstring& programFolder, const std::wstring& appDataFolder);
