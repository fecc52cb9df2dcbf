// The whole program (settings window, overlays, timers, hooks, dialogs) on a settings file
// of the test's own: shown once per test suite, ended when the suite closes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/Text_win.h"
#include "app/Program_win.h"
#include "tests/win/Pump.h"
#include "tests/win/TempFiles.h"
#include "ui/DialogWindow_win.h"
#include "ui/frmSet_win.h"

// Messages as the program's loop runs them: the settings window's and the dialogs' keys first.
inline void PumpProgram(DWORD milliseconds) {
    Pump(milliseconds, [](MSG& msg) { return TheProgram().SettingsWindow().PreTranslateMessage(msg) || RouteDialogMessage(msg); });
}

// A key going down as the message loop delivers it to the focused window.
inline void Key(WPARAM key) {
    MSG msg{::GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!TheProgram().SettingsWindow().PreTranslateMessage(msg) && !RouteDialogMessage(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

inline void Click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }
inline bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class ProgramTest : public ::testing::Test {
protected:
    // contents: the settings file the program finds at start; none when null.
    static void StartProgram(const wchar_t* fileName, const char* contents = nullptr) {
        file_ = TempPath(fileName);
        ::DeleteFileW(file_.c_str());
        if (contents) WriteBytes(file_, contents);
        TheProgram().SetSettingsPathForTest(Narrow(file_));
        ASSERT_TRUE(TheProgram().Start());
        PumpProgram(100);
    }
    static void EndProgram() {
        TheProgram().Exit();
        // The exit ends the message loop; later tests of this process run their own.
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        ::DeleteFileW(file_.c_str());
    }
    static const SettingsRecord& settings() { return TheProgram().Settings(); }

    static inline std::wstring file_;
};
