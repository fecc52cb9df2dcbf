#include "app/SingleInstance_win.h"

bool SignalRunningInstance() {
    ::CreateMutexW(nullptr, FALSE, kMutexName);
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    // One that has only just made its mutex has no message window yet; then nothing is sent.
    HWND other = ::FindWindowW(nullptr, kMessageWindowTitle);
    if (!other) return true;
    // Only the process the user just started may hand over the foreground; without this the
    // running instance's window and its help would only flash in the taskbar.
    DWORD otherProcess = 0;
    if (::GetWindowThreadProcessId(other, &otherProcess) && otherProcess) ::AllowSetForegroundWindow(otherProcess);
    ::PostMessageW(other, ::RegisterWindowMessageW(kMessageIdName), 0, 0);
    return true;
}

bool SingleInstance::CreateMessageWindow(std::function<void()> signalled) {
    signalled_ = std::move(signalled);
    MessageId = ::RegisterWindowMessageW(kMessageIdName);
    MessageWindow.reset(::CreateWindowExW(0, L"STATIC", kMessageWindowTitle, 0, 0, 0, 0, 0, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr));
    if (!MessageWindow) return false;
    ::SetWindowLongPtrW(MessageWindow.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    OldMessageWindowProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        MessageWindow.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageWindowProc)));
    return true;
}

LRESULT CALLBACK SingleInstance::MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SingleInstance*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == self->MessageId && self->MessageId != 0) {
        if (self->signalled_) self->signalled_();
        return 0;
    }
    return ::CallWindowProcW(self->OldMessageWindowProc, window, message, wParam, lParam);
}

void SingleInstance::RestoreMessageWindow() {
    if (MessageWindow && OldMessageWindowProc)
        ::SetWindowLongPtrW(MessageWindow.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldMessageWindowProc));
    OldMessageWindowProc = nullptr;
}

void SingleInstance::Release() {
    RestoreMessageWindow();
    MessageWindow.reset();
}
