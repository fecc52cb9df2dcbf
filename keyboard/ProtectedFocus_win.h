// Whether the element with the keyboard focus is protected (a password field) as
// accessibility clients see it: the fields of browsers, XAML, Qt and Java windows, which
// are no edit windows. Asking crosses into the focused application, which may hang for
// seconds; so a worker thread of ours asks on every focus change and publishes the
// answer, and the keyboard pass only reads what it published.
#pragma once

#include "base/Handles_win.h"

#include <windows.h>

#include <memory>

class ProtectedFocusWatch {
public:
    ProtectedFocusWatch() = default;
    ~ProtectedFocusWatch() { Stop(); }
    ProtectedFocusWatch(const ProtectedFocusWatch&) = delete;
    ProtectedFocusWatch& operator=(const ProtectedFocusWatch&) = delete;

    // Starts the worker unless it runs; its first answer is about the focus of that moment.
    void Start();
    // Ends the worker. It is waited for briefly only: one stuck in a hung application's
    // answer is left behind, and ends with the process.
    void Stop();

    // The window of the focused element when that element is protected; null when it is
    // not, or not known yet.
    HWND ProtectedWindow() const;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    handles::KernelObject thread_;
    DWORD threadId_ = 0;
};
