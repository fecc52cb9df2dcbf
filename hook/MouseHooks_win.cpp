#include "hook/MouseHooks_win.h"

#include <windows.h>

#include <atomic>

#include "base/Folders_win.h"
#include "base/Handles_win.h"
#include "hook/MouseMessage.h"
#include "hook/dsmouse/dsmouse.h"

namespace {

struct HookState {
    bool installed = false;  // HooksInstalled
    std::wstring libraryName = L"dsmouse.dll";
    bool libraryTried = false;
    handles::Module library;
    SetMouseHookFunction setMouseHook = nullptr;
    handles::Hook lowLevelHookHandle;
    MouseMessageTranslator translator;
    HWND target = nullptr;
    MouseEventHandler handler = nullptr;
    void* context = nullptr;
    // Written by the low-level hook for every event it gets, read by the health check.
    DWORD lowLevelLastSeen = 0;
    POINT lowLevelLastAt{};
    DWORD stallForTest = 0;
    std::atomic<bool> pointerMovePending{false};
    // Finger and pen taps get marks of their own: the low-level hook posts them, and the
    // library's report of the same event, which follows on this thread, is dropped.
    bool touchMarks = false;
    bool promotedPending = false;
    POINT promotedAt{};
};

HookState& State() {
    static HookState state;
    return state;
}

// Loaded once and kept: the library's code must stay mapped while its hook might run.
void LoadMouseHookLibrary(HookState& state) {
    if (state.libraryTried) return;
    state.libraryTried = true;
    state.library.reset(::LoadLibraryW((ProgramFolder() + L"\\" + state.libraryName).c_str()));
    if (!state.library) state.library.reset(::LoadLibraryW(state.libraryName.c_str()));
    if (!state.library) return;
    // Through void(*)() so that the compiler accepts the change of signature.
    const auto address = reinterpret_cast<void (*)()>(::GetProcAddress(state.library.get(), kSetMouseHookExport));
    state.setMouseHook = reinterpret_cast<SetMouseHookFunction>(address);
}

uint32_t HeldModifiers() noexcept {
    const auto held = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    return (held(VK_SHIFT) ? HeldShift : 0) | (held(VK_CONTROL) ? HeldCtrl : 0) | (held(VK_MENU) ? HeldAlt : 0);
}

void Post(uint32_t message, int32_t data) noexcept {
    if (HWND target = State().target)
        ::PostMessageW(target, kMouseHookMessage, message,
                       MAKELPARAM(static_cast<uint16_t>(static_cast<int16_t>(data)), HeldModifiers()));
}

}  // namespace

int32_t WINAPI MouseHookCallback(int32_t message, int32_t x, int32_t y, int32_t, int32_t xButton) noexcept {
    HookState& state = State();
    const uint32_t client = ClientMessage(static_cast<uint32_t>(message));
    if (state.promotedPending && x == state.promotedAt.x && y == state.promotedAt.y &&
        (client == wm::LButtonDown || client == wm::LButtonUp || client == wm::LButtonDblClk)) {
        state.promotedPending = false;
        return 0;
    }
    Post(static_cast<uint32_t>(message), xButton);
    return 0;
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HookState& state = State();
    if (code == HC_ACTION) {
        const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        state.lowLevelLastSeen = ::GetTickCount();
        state.lowLevelLastAt = info.pt;
        if (state.stallForTest) ::Sleep(std::exchange(state.stallForTest, 0));
        const PointerKind kind = PointerKindOf(info.dwExtraInfo);
        const bool tap = state.touchMarks && kind != PointerKind::Mouse &&
                         (wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONUP);
        // What the library reports next, on this thread, is this same event.
        if (wParam != WM_MOUSEMOVE) state.promotedPending = tap, state.promotedAt = info.pt;
        if (wParam == WM_MOUSEMOVE) {
            if (state.target && !state.pointerMovePending.exchange(true, std::memory_order_relaxed))
                ::PostMessageW(state.target, kPointerMovedMessage, 0, 0);
        } else if (tap) {
            if (state.target)
                ::PostMessageW(state.target, kTouchHookMessage, static_cast<WPARAM>(kind), wParam == WM_LBUTTONDOWN);
        } else if (TakenFromLowLevelHook(static_cast<uint32_t>(wParam))) {
            const bool wheel = wParam == WM_MOUSEWHEEL || wParam == WM_MOUSEHWHEEL;
            Post(static_cast<uint32_t>(wParam), wheel ? WheelSign(info.mouseData) : 0);
        }
    }
    return ::CallNextHookEx(state.lowLevelHookHandle.get(), code, wParam, lParam);
}

namespace {

void InstallLowLevelHook(HookState& state) {
    // The new hook before the old goes: no event can fall between them.
    handles::Hook hook(::SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, ::GetModuleHandleW(nullptr), 0));
    state.lowLevelHookHandle = std::move(hook);
    // Healthy from here on: what the hook missed before is not held against the new one.
    state.lowLevelLastSeen = ::GetTickCount();
    ::GetCursorPos(&state.lowLevelLastAt);
}

}  // namespace

void InstallMouseHooks(HWND target, MouseEventHandler handler, void* context) {
    HookState& state = State();
    if (state.installed) return;
    state.installed = true;
    state.target = target;
    // Releases posted before an earlier removal were never delivered: start with no button held.
    state.translator = MouseMessageTranslator();
    state.handler = handler;
    state.context = context;
    LoadMouseHookLibrary(state);
    if (state.setMouseHook) state.setMouseHook(kDsMouseStart, MouseHookCallback);
    state.pointerMovePending = false;
    InstallLowLevelHook(state);
}

void RemoveMouseHooks() {
    HookState& state = State();
    if (!state.installed) return;
    if (state.setMouseHook) state.setMouseHook(kDsMouseStop, nullptr);
    state.lowLevelHookHandle.reset();
    state.target = nullptr;
    state.handler = nullptr;
    state.context = nullptr;
    state.installed = false;
}

bool HooksInstalled() { return State().installed; }

bool MouseHookLibraryLoaded() { return State().setMouseHook != nullptr; }

void MouseMessage(WPARAM wParam, LPARAM lParam) {
    const auto message = static_cast<uint32_t>(wParam);
    const int32_t data = static_cast<int16_t>(LOWORD(lParam));
    HookState& state = State();
    // Posted before the hooks were removed: the program no longer listens.
    if (!state.installed) return;
    const auto event = state.translator.Translate(message, data);
    if (event && state.handler) state.handler(state.context, event->code, event->data, HIWORD(lParam));
}

void SetMouseHookLibraryName(std::wstring fileName) {
    HookState& state = State();
    if (state.installed) return;
    state.libraryName = std::move(fileName);
    state.libraryTried = false;
    state.setMouseHook = nullptr;
    state.library.reset();
}

void SetTouchMarks(bool on) { State().touchMarks = on; }

void PointerMoveHandled() { State().pointerMovePending.store(false, std::memory_order_relaxed); }

bool AnyButtonHeld() { return State().translator.AnyButtonDown(); }

bool ButtonIsDown(int button) { return State().translator.ButtonIsDown(button); }

void ReleaseLostButtons() {
    HookState& state = State();
    if (!state.installed || !state.translator.AnyButtonDown()) return;
    const auto down = [](int key) { return (::GetAsyncKeyState(key) & 0x8000) != 0; };
    const ButtonStates now = LogicalButtons(down(VK_LBUTTON), down(VK_MBUTTON), down(VK_RBUTTON),
                                            ::GetSystemMetrics(SM_SWAPBUTTON) != 0);
    for (const MouseEvent& release : state.translator.ReleaseLost(now, ::GetTickCount()))
        if (state.handler) state.handler(state.context, release.code, release.data, 0);
}

void ForgetHeldButtons() { State().translator.ForgetHeld(); }

HookHealthSample LowLevelHookSample() {
    const HookState& state = State();
    LASTINPUTINFO input{sizeof input, 0};
    ::GetLastInputInfo(&input);
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const bool same = pointer.x == state.lowLevelLastAt.x && pointer.y == state.lowLevelLastAt.y;
    return {state.lowLevelLastSeen, input.dwTime, same, ::GetTickCount()};
}

void ReinstallLowLevelHook() {
    HookState& state = State();
    if (state.installed) InstallLowLevelHook(state);
}

void SetLowLevelHookStallForTest(DWORD milliseconds) { State().stallForTest = milliseconds; }

void DropLowLevelHookForTest() {
    HookState& state = State();
    // The hooks still count as installed: the program is not told, as after a timeout.
    state.lowLevelHookHandle.reset();
}
