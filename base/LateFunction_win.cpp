#include "base/LateFunction_win.h"

#include <string>

void (*LateExport(const wchar_t* library, const char* name))() {
    // From the system folder only: a library of the same name beside the program is not taken.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder) + L'\\' + library;
    // Never freed: its functions stay in use until the process ends.
    const HMODULE module = ::LoadLibraryW(path.c_str());
    return module ? reinterpret_cast<void (*)()>(::GetProcAddress(module, name)) : nullptr;
}
