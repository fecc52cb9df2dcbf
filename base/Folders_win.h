// The folders the program reads from and writes to.
#pragma once

#include <string>

// The running program's folder, without a trailing backslash.
std::wstring ProgramFolder();
// A shell folder by CSIDL number (CSIDL_APPDATA for the user's application data);
// empty when the system cannot name it.
std::wstring SpecialFolder(int csidl);
// A file (not a folder) is there.
bool FileExists(const std::wstring& path);
