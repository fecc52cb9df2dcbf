// What the Wine tests share: the message pump, files of the test's own, a user answering a
// message box, and the whole program (settings window, overlays, timers, hooks, dialogs) on a
// settings file of the test's own, shown once per test suite and ended when the suite closes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/Program_win.h"
#include "base/Text_win.h"
#include "settings/AtomicFile_win.h"
#include "ui/DialogWindow_win.h"
#include "ui/frmSet_win.h"

// Runs this thread's messages for a while, as the program's loop does: the windows, timers
// and hooks under test only act from inside it. preTranslate, when given, sees each message
// first and keeps it when it returns true.
inline void Pump(DWORD milliseconds, const std::function<bool(MSG&)>& preTranslate = {}) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG msg;
    do {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (preTranslate && preTranslate(msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

// Runs messages until done() holds or limit ms have passed, and says whether it held.
template <typename Done>
bool PumpUntilTrue(Done done, DWORD limit = 2000) {
    for (const DWORD start = ::GetTickCount(); !done(); Pump(5))
        if (::GetTickCount() - start >= limit) return false;
    return true;
}

inline std::wstring TempPath(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    return std::wstring(temp, ::GetTempPathW(MAX_PATH, temp)) + name;
}
inline std::string ReadBytes(const std::wstring& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(std::filesystem::path(path), std::ios::binary).rdbuf();
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
        root_ = TempPath(L"glimmora-scratch-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count));
        std::filesystem::create_directories(root_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::wstring Wide(const std::wstring& relative) const { return root_ + L"\\" + relative; }
    std::string Path(const std::string& relative) const { return Narrow(Wide(Widen(relative))); }

private:
    std::wstring root_;
};

// Answers the next message box with this title from another thread, as a user would, and
// notes the texts it showed.
class BoxAnswerer {
public:
    BoxAnswerer(const std::string& title, int button)
        : thread_([this, title = Widen(title), button] {
              for (int tries = 0; tries < 200 && !seen; ++tries) {
                  const HWND box = ::FindWindowW(L"#32770", title.c_str());
                  if (!box || !::IsWindowVisible(box)) {
                      ::Sleep(20);
                      continue;
                  }
                  seen = true;
                  ::EnumChildWindows(box, [](HWND child, LPARAM self) {
                      reinterpret_cast<BoxAnswerer*>(self)->texts.push_back(Narrow(WindowText(child)));
                      return TRUE;
                  }, reinterpret_cast<LPARAM>(this));
                  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
              }
          }) {}
    ~BoxAnswerer() { Wait(); }
    void Wait() { thread_.joinable() ? thread_.join() : void(); }
    bool Showed(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }

    bool seen = false;
    std::vector<std::string> texts;  // UTF-8

private:
    std::thread thread_;
};

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

// Mouse input as the system gets it from the device: the hooks see it.
inline void SendMouse(DWORD flags, DWORD mouseData = 0, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi = {dx, dy, mouseData, flags, 0, 0};
    ::SendInput(1, &input, sizeof input);
}

inline void Click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }
inline bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline bool Visible(HWND window) { return ::IsWindowVisible(window) != FALSE; }
inline BYTE AlphaOf(HWND window) {
    BYTE alpha = 0;
    return ::GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr), alpha;
}

inline Rect WindowRect(HWND window) {
    RECT r{};
    return ::GetWindowRect(window, &r), Rect{r.left, r.top, r.right, r.bottom};
}

// What draw puts on a 32-bit bitmap of this size, as 0xAARRGGBB rows.
inline std::vector<uint32_t> DrawnPixels(Size size, const std::function<void(HDC)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.width, -size.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const handles::MemoryDc dc(::CreateCompatibleDC(nullptr));
    const handles::Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits || !dc) return {};
    const handles::SelectObjectGuard selected(dc.get(), bitmap.get());
    draw(dc.get());
    ::GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    return {pixels, pixels + size.width * size.height};
}

// A key as this thread's key state shows it, which is what a hook procedure and a shortcut read.
inline void SetHeld(int key, bool down) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

// The tray icon's window, and its menu as a right click would pop it up now.
inline HWND TrayWindow() { return ::FindWindowW(TrayIcon::ClassName(), nullptr); }
inline handles::Menu TrayMenu() {
    const auto* icon = reinterpret_cast<const TrayIcon*>(::GetWindowLongPtrW(TrayWindow(), GWLP_USERDATA));
    return icon ? icon->BuildMenu() : handles::Menu{};
}

// Counts the hides of the watched windows of this thread, as their own procedures are asked for them.
class HideCounter {
public:
    explicit HideCounter(std::vector<HWND> watched) {
        watched_ = std::move(watched), hides_ = 0;
        hook_.reset(::SetWindowsHookExW(WH_CALLWNDPROC, &Count, nullptr, ::GetCurrentThreadId()));
    }
    int Hides() const { return hides_; }

private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && std::count(watched_.begin(), watched_.end(), m->hwnd) &&
            ((m->message == WM_SHOWWINDOW && !m->wParam) ||
             (m->message == WM_WINDOWPOSCHANGING && (reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_HIDEWINDOW))))
            ++hides_;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<HWND> watched_;
    static inline int hides_ = 0;
    handles::Hook hook_;
};

class ProgramTest : public ::testing::Test {
protected:
    // contents: the settings file the program finds at start; none when null.
    static void StartProgram(const wchar_t* fileName, const char* contents = nullptr) {
        file_ = TempPath(fileName);
        RemoveFile();
        if (contents) WriteBytes(file_, contents);
        TheProgram().SetSettingsPathForTest(Narrow(file_));
        ASSERT_TRUE(TheProgram().Start());
        PumpProgram(100);
    }
    // The exit ends the message loop; later tests of this process run their own.
    static void EndProgram() {
        TheProgram().Exit();
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), RemoveFile();
    }
    // With the backup a save leaves, which a start reads in place of a missing file.
    static void RemoveFile() {
        ::DeleteFileW(file_.c_str());
        ::DeleteFileW(BackupPathOf(file_).c_str());
    }
    static const SettingsRecord& settings() { return TheProgram().Settings(); }
    static Program& program() { return TheProgram(); }
    static Overlays& overlays() { return TheProgram().overlays(); }
    static frmSet& window() { return TheProgram().SettingsWindow(); }

    static inline std::wstring file_;
};
