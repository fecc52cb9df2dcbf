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

// Runs messages until done() holds or limit ms have passed, and says whether it held: for
// waits on something the test can see, so that they last no longer than it takes.
template <typename Done>
bool PumpUntilTrue(Done done, DWORD limit = 2000) {
    for (const DWORD start = ::GetTickCount(); !done();) {
        if (::GetTickCount() - start >= limit) return false;
        Pump(5);
    }
    return true;
}
