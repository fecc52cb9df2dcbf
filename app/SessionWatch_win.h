// A hidden top-level window for what a message-only window never gets: session changes
// (lock, unlock, a remote session taking over) and display changes. Its one-second timer
// paces the low-level hook's health check and the program's own check at rest.
#pragma once

#include "base/BaseWindow_win.h"

#include <windows.h>

#include <functional>

struct SessionWatchEvents {
    // A lock, an unlock, a console or remote connect or disconnect, a display change: any
    // button or key held before it may have come up where no hook saw it.
    std::function<void()> heldStateLost;
    std::function<void()> everySecond;
    std::function<void()> displayChanged;
};

class SessionWatch : public BaseWindow<SessionWatch> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_SessionWatch"; }
    ~SessionWatch() override { Release(); }

    bool Create(SessionWatchEvents events);
    // Stops the notifications and the timer and destroys the window; safe to call twice.
    void Release();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum TimerId : UINT_PTR { SecondTimer = 1 };

    SessionWatchEvents events_;
    handles::Timer tmrSecond;
    bool registered_ = false;
};
