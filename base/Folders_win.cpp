#include "base/Folders_win.h"

#include "base/LateFunction_win.h"

#include <shlobj.h>

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring SpecialFolder(int csidl) {
    static const LateFunction<decltype(::SHGetFolderPathW)> folderPath(L"shell32.dll", "SHGetFolderPathW");
    wchar_t buffer[MAX_PATH] = {};
    const HRESULT found = folderPath.Call(E_FAIL, nullptr, csidl, nullptr, DWORD{SHGFP_TYPE_CURRENT}, buffer);
    return found == S_OK ? std::wstring(buffer) : std::wstring();
}
