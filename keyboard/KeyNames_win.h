// Key names as the user's system shows them: the shared language, the user's decimal
// separator and the ANSI code page.
#pragma once

#include <cstdint>
#include <string>

#include "keyboard/KeyCatalogue.h"

class HotKeyInfo;

// Read anew on each call, so a change of the user's number format shows at once.
KeyNameLocale UserKeyNameLocale();

std::string KeyName(int32_t code);
std::string DisplayText(const HotKeyInfo& shortcut);
