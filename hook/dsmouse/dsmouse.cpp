// A WH_MOUSE_LL hook on the calling thread. A low-level hook runs on the thread that
// set it, so the callback needs no forwarding; it sees raw presses only, so
// double-clicks and the non-client variants are worked out here.
#include <windows.h>

#include "base/Handles_win.h"
#include "hook/ButtonMessages.h"
#include "hook/dsmouse/dsmouse.h"

namespace {

// All mouse input waits while a low-level hook runs, and Windows drops hooks that
// keep it waiting, so a window that is slow to answer the hit test counts as client
// area. SMTO_BLOCK keeps other sent messages (and the program's code) from running
// inside the hook meanwhile; for a window of this thread the call is direct anyway.
constexpr UINT kHitTestTimeoutMs = 50;

struct HookState {
    handles::Hook hook;
    DsMouseCallback callback = nullptr;
    DoubleClickDetector doubleClicks;
};

HookState& State() {
    static HookState state;
    return state;
}

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

LRESULT HitTest(POINT point) {
    HWND window = ::WindowFromPoint(point);
    DWORD_PTR answer = HTNOWHERE;
    if (!window || !::SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y),
                                          SMTO_ABORTIFHUNG | SMTO_BLOCK, kHitTestTimeoutMs, &answer))
        return HTNOWHERE;
    return static_cast<LRESULT>(answer);
}

void Report(const ButtonInput& input, const MSLLHOOKSTRUCT& info) {
    HookState& state = State();
    ButtonAction action = ButtonAction::Up;
    if (input.press) {
        // Read each time: the user may change them while we run.
        const DoubleClickArea area{::GetDoubleClickTime(), ::GetSystemMetrics(SM_CXDOUBLECLK),
                                   ::GetSystemMetrics(SM_CYDOUBLECLK)};
        const bool isDouble = state.doubleClicks.Press(input.button, info.time, info.pt.x, info.pt.y, area);
        action = isDouble ? ButtonAction::Double : ButtonAction::Down;
    }
    const LRESULT hit = HitTest(info.pt);
    const uint32_t message = ButtonMessage(input.button, action, IsNonClientHit(hit));
    const int32_t xButton = input.button == MouseButton::X1 ? 1 : input.button == MouseButton::X2 ? 2 : 0;
    // Read again: a stop may have come in while the hit test waited.
    if (DsMouseCallback callback = state.callback)
        callback(static_cast<int32_t>(message), info.pt.x, info.pt.y, static_cast<int32_t>(hit), xButton);
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    HookState& state = State();
    if (code == HC_ACTION && state.callback) {
        const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (auto input = ButtonFromLowLevel(static_cast<uint32_t>(wParam), HIWORD(info.mouseData)))
            Report(*input, info);
    }
    return ::CallNextHookEx(state.hook.get(), code, wParam, lParam);
}

}  // namespace

extern "C" int32_t WINAPI SetMouseHook(int32_t mode, DsMouseCallback callback) {
    HookState& state = State();
    if (mode == kDsMouseStop) {
        // Unhook before letting go of the callback, so no event can slip in between.
        state.hook.reset();
        state.callback = nullptr;
        return 1;
    }
    if (mode != kDsMouseStart || !callback) return 0;
    if (!state.hook) {
        state.doubleClicks = DoubleClickDetector{};
        state.hook.reset(::SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, ThisModule(), 0));
        if (!state.hook) return 0;
    }
    state.callback = callback;
    return 1;
}
