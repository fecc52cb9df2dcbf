#include "base/Folders_win.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

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
    struct IdListFree {
        void operator()(ITEMIDLIST* list) const noexcept { ::ILFree(list); }
    };
    ITEMIDLIST* found = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &found)) || !found) return {};
    const std::unique_ptr<ITEMIDLIST, IdListFree> list(found);
    wchar_t buffer[MAX_PATH] = {};
    return ::SHGetPathFromIDListW(list.get(), buffer) ? std::wstring(buffer) : std::wstring();
}
