// One Glimmora at a time: the mutex, the registered message a second start posts, and the
// hidden window of the running one that receives it.
#pragma once

#include "base/Handles_win.h"

#include <windows.h>

#include <functional>

inline constexpr wchar_t kMutexName[] = L"Glimmora_Mutex";
inline constexpr wchar_t kMessageIdName[] = L"Glimmora_MessageID";
inline constexpr wchar_t kMessageWindowTitle[] = L"Glimmora_frmMessageName";

// When another instance runs, asks it to come forward and returns true: this start ends.
// The mutex made here is never closed; it only has to exist while the process lives.
bool SignalRunningInstance();

class SingleInstance {
public:
    ~SingleInstance() { Release(); }
    // The window a second start finds by its title; signalled runs when one does.
    bool CreateMessageWindow(std::function<void()> signalled);
    // The window's own procedure back, so that a late signal does nothing (exit's first step).
    void RestoreMessageWindow();
    void Release();

    UINT MessageId = 0;
    handles::Window MessageWindow;
    WNDPROC OldMessageWindowProc = nullptr;

private:
    static LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> signalled_;
};
