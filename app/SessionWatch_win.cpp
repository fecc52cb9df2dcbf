#include "app/SessionWatch_win.h"

#include "base/LateFunction_win.h"

#include <wtsapi32.h>

bool SessionWatch::Create(SessionWatchEvents events) {
    Release();
    events_ = std::move(events);
    // Never shown; WS_EX_TOOLWINDOW keeps it out of Alt+Tab should anything show it.
    if (!CreateWindowOf(WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, 0, 0)) return false;
    static const LateFunction<decltype(::WTSRegisterSessionNotification)> registerWatch(
        L"wtsapi32.dll", "WTSRegisterSessionNotification");
    registered_ = registerWatch.Call(FALSE, hwnd(), DWORD{NOTIFY_FOR_THIS_SESSION}) != FALSE;
    tmrSecond.Start(hwnd(), SecondTimer, 1000);
    return true;
}

void SessionWatch::Release() {
    tmrSecond.Stop();
    static const LateFunction<decltype(::WTSUnRegisterSessionNotification)> unregisterWatch(
        L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
    if (registered_) unregisterWatch.Call(FALSE, hwnd());
    registered_ = false;
    Unload();
}

LRESULT SessionWatch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WTSSESSION_CHANGE:
        switch (wParam) {
        case WTS_SESSION_LOCK:
        case WTS_SESSION_UNLOCK:
        case WTS_CONSOLE_CONNECT:
        case WTS_CONSOLE_DISCONNECT:
        case WTS_REMOTE_CONNECT:
        case WTS_REMOTE_DISCONNECT:
            if (events_.heldStateLost) events_.heldStateLost();
            break;
        }
        return 0;
    case WM_DISPLAYCHANGE:
        if (events_.heldStateLost) events_.heldStateLost();
        if (events_.displayChanged) events_.displayChanged();
        break;
    case WM_TIMER:
        if (wParam == SecondTimer && events_.everySecond) events_.everySecond();
        return 0;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}
