#include "app/ZOrderWatch_win.h"

#include "base/Handles_win.h"

#include <atomic>

namespace {

HWND g_target = nullptr;
std::atomic<bool> g_pending{false};

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    // Whole top-level windows only: carets, cursors and controls come and go by the thousand.
    if (event == EVENT_OBJECT_HIDE || object != OBJID_WINDOW || child != CHILDID_SELF || !window) return;
    if (event != EVENT_SYSTEM_FOREGROUND && ::GetAncestor(window, GA_ROOT) != window) return;
    if (g_target && !g_pending.exchange(true)) ::PostMessageW(g_target, kZOrderChangedMessage, 0, 0);
}

}  // namespace

void ZOrderWatch::Start(HWND target) {
    Stop();
    g_target = target;
    g_pending = false;
    // Out of context: nothing of ours is loaded into other processes, and the callback runs
    // in our message loop. Our own windows' changes are ours to order already.
    constexpr DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    hooks_ = {::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnWinEvent, 0, 0, flags),
              ::SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_REORDER, nullptr, &OnWinEvent, 0, 0, flags)};
    for (HWINEVENTHOOK hook : hooks_)
        if (hook) ++handles::Live().hooks;
}

void ZOrderWatch::Stop() {
    for (HWINEVENTHOOK& hook : hooks_) {
        if (!hook) continue;
        ::UnhookWinEvent(hook);
        --handles::Live().hooks;
        hook = nullptr;
    }
    g_target = nullptr;
}

void ZOrderWatch::Handled() { g_pending = false; }
