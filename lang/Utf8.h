// Small UTF-8 helpers for text that comes from files and code pages.
#pragma once

#include <string>
#include <string_view>

// Copies valid UTF-8 unchanged and puts U+FFFD in place of each invalid sequence
// (overlong forms, surrogates, values above U+10FFFF, stray or missing continuation bytes).
std::string SanitizeUtf8(std::string_view bytes);

// ISO 8859-1 bytes to UTF-8: every byte is the code point of the same number.
std::string Latin1ToUtf8(std::string_view latin1);
