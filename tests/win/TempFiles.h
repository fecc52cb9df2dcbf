// Files of a test's own under %TEMP%, read and written byte for byte.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/Text_win.h"

inline std::wstring TempPath(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return temp + name;
}

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
inline std::string ReadBytes(const std::string& utf8Path) { return ReadBytes(Widen(utf8Path)); }

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
}
inline void WriteBytes(const std::string& utf8Path, const std::string& bytes) { WriteBytes(Widen(utf8Path), bytes); }

// A fresh folder, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        static int count = 0;
        root_ = TempPath(L"glimmora-scratch-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                         std::to_wstring(++count));
        std::filesystem::create_directories(root_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring Wide(const std::wstring& relative) const { return root_ + L"\\" + relative; }
    std::string Path(const std::string& relative) const { return Narrow(Wide(Widen(relative))); }

private:
    std::wstring root_;
};
