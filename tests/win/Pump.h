// Runs this thread's messages for a while, as the program's loop does: the windows, timers
// and hooks under test only act from inside it.
#pragma once

#include <windows.h>

#include <functional>

// preTranslate, when given, sees each message first and keeps it when it returns true.
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
