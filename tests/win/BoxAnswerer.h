// Answers the next message box with a given title from another thread, as a user would,
// and notes what it showed: the texts of its controls and which buttons it had.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/Text_win.h"

class BoxAnswerer {
public:
    BoxAnswerer(const std::string& title, int button)
        : thread_([this, title = Widen(title), button] { Answer(title, button); }) {}
    ~BoxAnswerer() { Wait(); }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    void Wait() {
        if (thread_.joinable()) thread_.join();
    }
    bool Showed(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }

    bool seen = false;
    std::vector<std::string> texts;  // UTF-8
    bool hasOk = false, hasYes = false, hasNo = false;

private:
    void Answer(const std::wstring& title, int button) {
        for (int tries = 0; tries < 200 && !seen; ++tries) {
            const HWND box = ::FindWindowW(L"#32770", title.c_str());
            if (!box || !::IsWindowVisible(box)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            seen = true;
            ::EnumChildWindows(
                box,
                [](HWND child, LPARAM self) {
                    wchar_t text[512] = {};
                    ::GetWindowTextW(child, text, 512);
                    reinterpret_cast<BoxAnswerer*>(self)->texts.push_back(Narrow(text));
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(this));
            hasOk = ::GetDlgItem(box, IDOK) != nullptr;
            hasYes = ::GetDlgItem(box, IDYES) != nullptr;
            hasNo = ::GetDlgItem(box, IDNO) != nullptr;
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        }
    }
    std::thread thread_;
};
