// The program's one language object, and how the system and the user's files feed it.
#pragma once

#include <string>
#include <vector>

#include "lang/Language.h"

// Created on the first call, from the user's locale and replacement-texts file.
clsLanguage& SharedLanguage();

// The English name of the user's locale language ("German"); empty when the system has none.
std::string UserLocaleLanguageName();

// "AlternativeTexts.txt" in programFolder if it is there, else
// "<appDataFolder>\Glimmora\AlternativeTexts.txt" if that is there; empty when neither is.
std::wstring ChooseAlternativeTextsFile(const std::wstring& programFolder, const std::wstring& appDataFolder);

// The chosen file's replacement texts; none when there is no file. Read errors are
// ignored: what was read before one is kept.
std::vector<AlternativeText> LoadAlternativeTexts(const std::wstring& programFolder, const std::wstring& appDataFolder);
