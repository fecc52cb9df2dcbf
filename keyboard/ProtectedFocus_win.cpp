#include "keyboard/ProtectedFocus_win.h"

#include "base/Handles_win.h"
#include "base/LateFunction_win.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>
#include <utility>

using Microsoft::WRL::ComPtr;

struct ProtectedFocusWatch::Shared {
    std::atomic<HWND> protectedWindow{nullptr};
    std::atomic<bool> stopping{false};
    // Worker only: the latest focus event, and a count of the questions asked, so that an
    // answer that took long is not published over a newer one (a waiting COM call pumps
    // the next events into our callback).
    HWND focusWindow = nullptr;
    LONG focusObject = 0, focusChild = 0;
    unsigned questions = 0;
};

namespace {

// How long the exit waits for a worker that may be stuck in a hung application.
constexpr DWORD kStopWaitMs = 200;
// get_accFocus may hand out a focused descendant that has one in turn.
constexpr int kFocusDepth = 8;

thread_local ProtectedFocusWatch::Shared* t_shared = nullptr;

// The accessibility and COM libraries are loaded by the worker, after the program stands.
void ClearVariant(VARIANT& variant) {
    static const LateFunction<decltype(::VariantClear)> clear(L"oleaut32.dll", "VariantClear");
    clear.Call(E_FAIL, &variant);
}

bool IsProtected(IAccessible* object, const VARIANT& child) {
    VARIANT state{};
    const bool protectedState =
        SUCCEEDED(object->get_accState(child, &state)) && state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_PROTECTED) != 0;
    ClearVariant(state);
    return protectedState;
}

// Publishes unless a newer question was asked while this one waited for its answer.
void Publish(ProtectedFocusWatch::Shared& shared, unsigned asked, HWND window, bool protectedState) {
    if (shared.questions == asked) shared.protectedWindow.store(protectedState ? window : nullptr);
}

void AskEvent(ProtectedFocusWatch::Shared& shared) {
    const unsigned asked = ++shared.questions;
    const HWND window = shared.focusWindow;
    ComPtr<IAccessible> object;
    VARIANT child{};
    bool protectedState = false;
    static const LateFunction<decltype(::AccessibleObjectFromEvent)> fromEvent(L"oleacc.dll",
                                                                              "AccessibleObjectFromEvent");
    if (SUCCEEDED(fromEvent.Call(E_FAIL, window, static_cast<DWORD>(shared.focusObject),
                                 static_cast<DWORD>(shared.focusChild), object.GetAddressOf(), &child)) &&
        object)
        protectedState = IsProtected(object.Get(), child);
    ClearVariant(child);
    Publish(shared, asked, window, protectedState);
}

// The focus as it is when the worker starts: no event announces it.
void AskCurrentFocus(ProtectedFocusWatch::Shared& shared) {
    const unsigned asked = ++shared.questions;
    const HWND foreground = ::GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!foreground || !::GetGUIThreadInfo(::GetWindowThreadProcessId(foreground, nullptr), &info)) return;
    const HWND window = info.hwndFocus ? info.hwndFocus : foreground;
    ComPtr<IAccessible> object;
    static const LateFunction<decltype(::AccessibleObjectFromWindow)> fromWindow(L"oleacc.dll",
                                                                                "AccessibleObjectFromWindow");
    if (FAILED(fromWindow.Call(E_FAIL, window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(object.GetAddressOf()))) ||
        !object)
        return;
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    for (int depth = 0; depth < kFocusDepth; ++depth) {
        VARIANT focus{};
        if (FAILED(object->get_accFocus(&focus))) break;
        // A number is a simple child (or the object itself); an object may have a focused child in turn.
        if (focus.vt == VT_I4) child.lVal = focus.lVal;
        ComPtr<IAccessible> inner;
        const bool deeper = focus.vt == VT_DISPATCH && focus.pdispVal &&
                            SUCCEEDED(focus.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                                     reinterpret_cast<void**>(inner.GetAddressOf())));
        ClearVariant(focus);
        if (!deeper) break;
        object = std::move(inner);
    }
    Publish(shared, asked, window, IsProtected(object.Get(), child));
}

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    ProtectedFocusWatch::Shared* shared = t_shared;
    if (!shared || !window) return;
    if (event == EVENT_OBJECT_FOCUS) {
        shared->focusWindow = window;
        shared->focusObject = object;
        shared->focusChild = child;
    } else if (window != shared->focusWindow || object != shared->focusObject || child != shared->focusChild) {
        return;  // a state change of anything but the focused element ("show password" turns protection off)
    }
    AskEvent(*shared);
}

DWORD WINAPI RunWorker(void* parameter) {
    // Holds the shared state alive, even past an owner that stopped waiting for us.
    const std::unique_ptr<std::shared_ptr<ProtectedFocusWatch::Shared>> owner(
        static_cast<std::shared_ptr<ProtectedFocusWatch::Shared>*>(parameter));
    ProtectedFocusWatch::Shared& shared = **owner;
    MSG msg;
    // The queue exists from here on, so a WM_QUIT posted from now on arrives; one posted
    // before found none, and the flag tells instead.
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    if (shared.stopping.load()) return 0;
    static const LateFunction<decltype(::CoInitializeEx)> comStart(L"ole32.dll", "CoInitializeEx");
    static const LateFunction<decltype(::CoUninitialize)> comEnd(L"ole32.dll", "CoUninitialize");
    const HRESULT com = comStart.Call(E_FAIL, nullptr, DWORD{COINIT_APARTMENTTHREADED});
    t_shared = &shared;
    const HWINEVENTHOOK focusHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnWinEvent, 0, 0,
                                                      WINEVENT_OUTOFCONTEXT);
    const HWINEVENTHOOK stateHook = ::SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                                                      &OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    const handles::ScopeExit cleanUp([&] {
        if (stateHook) ::UnhookWinEvent(stateHook);
        if (focusHook) ::UnhookWinEvent(focusHook);
        t_shared = nullptr;
        if (SUCCEEDED(com)) comEnd.Run();
    });
    AskCurrentFocus(shared);
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

void ProtectedFocusWatch::Start() {
    if (thread_) return;
    shared_ = std::make_shared<Shared>();
    auto* parameter = new std::shared_ptr<Shared>(shared_);
    thread_.reset(::CreateThread(nullptr, 0, &RunWorker, parameter, 0, &threadId_));
    if (!thread_) delete parameter;
}

void ProtectedFocusWatch::Stop() {
    if (!thread_) return;
    shared_->stopping.store(true);
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread_.get(), kStopWaitMs);
    thread_.reset();
    shared_.reset();
    threadId_ = 0;
}

HWND ProtectedFocusWatch::ProtectedWindow() const { return shared_ ? shared_->protectedWindow.load() : nullptr; }
