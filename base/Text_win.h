// Texts live as UTF-8 inside the program and cross into Win32 as UTF-16, so that
// Polish or Turkish letters show whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// Bytes in the system's ANSI code page (CP_ACP) to UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// The window's text, whatever its length.
std::wstring WindowText(HWND window);
