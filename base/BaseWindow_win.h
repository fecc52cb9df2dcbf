// CRTP base for every window class: one static window procedure binds `this` at
// WM_NCCREATE (so even the earliest messages reach the object), clears it at
// WM_NCDESTROY and never lets an exception escape into the system.
#pragma once

#include "base/Handles_win.h"

#include <windows.h>

template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() = default;

    HWND hwnd() const noexcept { return window_.get(); }
    bool IsVisible() const noexcept { return window_ && ::IsWindowVisible(window_.get()); }

    // Destroys the window now; the object stays and can create it again.
    void Unload() noexcept { window_.reset(); }

protected:
    // Registers the class on first use; Derived provides ClassName() and may override
    // ClassStyle() and ClassIcon().
    static bool Register() {
        static ATOM atom = 0;
        if (!atom) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.style = Derived::ClassStyle();
            wc.lpfnWndProc = &BaseWindow::WindowProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hIcon = Derived::ClassIcon();
            wc.lpszClassName = Derived::ClassName();
            atom = ::RegisterClassExW(&wc);
        }
        return atom != 0;
    }
    static UINT ClassStyle() { return 0; }
    static HICON ClassIcon() { return nullptr; }

    bool CreateWindowOf(DWORD exStyle, DWORD style, const wchar_t* title, int x, int y, int width, int height,
                        HWND owner = nullptr) {
        if (!Register()) return false;
        // The handle is adopted at WM_NCCREATE, before CreateWindowExW returns.
        ::CreateWindowExW(exStyle, Derived::ClassName(), title, style, x, y, width, height, owner, nullptr,
                          ::GetModuleHandleW(nullptr), static_cast<Derived*>(this));
        return static_cast<bool>(window_);
    }

    // Derived overrides to handle messages; unhandled ones go to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->window_.reset(window);
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (!self) return ::DefWindowProcW(window, message, wParam, lParam);

        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            // Destroyed from outside (not through window_): let go without destroying twice.
            if (self->window_.get() == window) {
                self->window_.release();
                --handles::Live().windows;
            }
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        try {
            // Through the base, where the virtual is reachable whatever Derived made of it.
            return static_cast<BaseWindow*>(self)->HandleMessage(message, wParam, lParam);
        } catch (...) {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
    }

    handles::Window window_;
};
