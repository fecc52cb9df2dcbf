#include "hook/MouseHooks_win.h"

#include <windows.h>

#include "app/Folders_win.h"
#include "app/Handles_win.h"
#include "app/modMain_win.h"
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

int32_t WINAPI MouseHookCallback(int32_t message, int32_t, int32_t, int32_t, int32_t) noexcept {
    Post(static_cast<uint32_t>(message), 0);
    return 0;
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && TakenFromLowLevelHook(static_cast<uint32_t>(wParam))) {
        const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        Post(static_cast<uint32_t>(wParam), wParam == WM_MOUSEWHEEL ? WheelSign(info.mouseData) : 0);
    }
    return ::CallNextHookEx(State().lowLevelHookHandle.get(), code, wParam, lParam);
}

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
    if (Main().IsWin2000OrLater)
        state.lowLevelHookHandle.reset(
            ::SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, ::GetModuleHandleW(nullptr), 0));
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
