// Move-only owners for Win32 handles. Each way of giving a handle back has its own
// type, so a paint DC cannot be released like a window DC, nor a memory DC deleted
// like a bitmap. Nothing outside this file calls DeleteObject, DeleteDC, ReleaseDC,
// DestroyWindow, KillTimer or UnhookWindowsHookEx directly.
#pragma once

#include <windows.h>

#include <utility>

namespace handles {

// Live counts of what this layer owns; under Wine GetGuiResources is a stub, so the
// leak tests read these instead.
struct LiveCounts {
    long gdiObjects = 0;
    long dcs = 0;
    long windows = 0;
    long timers = 0;
    long hooks = 0;
};
LiveCounts& Live();

template <typename T, typename Traits>
class Unique {
public:
    Unique() noexcept = default;
    explicit Unique(T value) noexcept : value_(value) { Traits::Count(value_, +1); }
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : value_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset();
            value_ = other.release();
        }
        return *this;
    }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }
    // The old value is detached before it is closed, so a close that calls back into
    // the owner (DestroyWindow sends WM_NCDESTROY) finds it empty.
    void reset(T value = Traits::Invalid()) noexcept {
        const T old = std::exchange(value_, value);
        if (old != Traits::Invalid()) {
            Traits::Count(old, -1);
            Traits::Close(old);
        }
        Traits::Count(value_, +1);
    }
    // Gives up ownership; the count moves with the handle to whoever takes it.
    T release() noexcept { return std::exchange(value_, Traits::Invalid()); }

private:
    T value_ = Traits::Invalid();
};

template <typename T, long LiveCounts::*Counter>
struct CountedTraits {
    static T Invalid() noexcept { return nullptr; }
    static void Count(T value, int delta) noexcept {
        if (value) Live().*Counter += delta;
    }
};

struct GdiTraits : CountedTraits<HGDIOBJ, &LiveCounts::gdiObjects> {
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
template <typename T>
struct TypedGdiTraits : CountedTraits<T, &LiveCounts::gdiObjects> {
    static void Close(T h) noexcept { ::DeleteObject(h); }
};
struct MemoryDcTraits : CountedTraits<HDC, &LiveCounts::dcs> {
    static void Close(HDC h) noexcept { ::DeleteDC(h); }
};
struct WindowTraits : CountedTraits<HWND, &LiveCounts::windows> {
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
struct HookTraits : CountedTraits<HHOOK, &LiveCounts::hooks> {
    static void Close(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, not as a null handle.
struct FileTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Count(HANDLE, int) noexcept {}
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
// A file search (FindFirstFile) ends with FindClose; it fails as INVALID_HANDLE_VALUE.
struct FileSearchTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Count(HANDLE, int) noexcept {}
    static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
// A menu destroys its submenus with it.
struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static void Count(HMENU, int) noexcept {}
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};
// Threads and events report failure as a null handle.
struct KernelObjectTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Count(HANDLE, int) noexcept {}
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
// A cursor made by the program (a copy): a shared one, as LoadCursor gives, is never destroyed.
struct CursorTraits {
    static HCURSOR Invalid() noexcept { return nullptr; }
    static void Count(HCURSOR, int) noexcept {}
    static void Close(HCURSOR h) noexcept { ::DestroyCursor(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Count(HMODULE, int) noexcept {}
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};

using Brush = Unique<HBRUSH, TypedGdiTraits<HBRUSH>>;
using Pen = Unique<HPEN, TypedGdiTraits<HPEN>>;
using Bitmap = Unique<HBITMAP, TypedGdiTraits<HBITMAP>>;
using Font = Unique<HFONT, TypedGdiTraits<HFONT>>;
using Region = Unique<HRGN, TypedGdiTraits<HRGN>>;
using MemoryDc = Unique<HDC, MemoryDcTraits>;
using Window = Unique<HWND, WindowTraits>;
using Hook = Unique<HHOOK, HookTraits>;
using File = Unique<HANDLE, FileTraits>;
using FileSearch = Unique<HANDLE, FileSearchTraits>;
using KernelObject = Unique<HANDLE, KernelObjectTraits>;
using Module = Unique<HMODULE, ModuleTraits>;
using Menu = Unique<HMENU, MenuTraits>;
using Cursor = Unique<HCURSOR, CursorTraits>;

// GetDC / ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {
        if (dc_) ++Live().dcs;
    }
    ~WindowDc() {
        if (dc_) {
            --Live().dcs;
            ::ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window) { ::BeginPaint(window_, &ps_); }
    ~PaintDc() { ::EndPaint(window_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const noexcept { return ps_.hdc; }
    const RECT& area() const noexcept { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and selects the previous one back; never deletes either.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectObjectGuard() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC / RestoreDC: clipping, modes and selections a drawing step changed go back.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_) ::RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

// SetTimer / KillTimer on a window.
class Timer {
public:
    Timer() noexcept = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { Stop(); }

    void Start(HWND window, UINT_PTR id, UINT milliseconds) noexcept {
        Stop();
        if (::SetTimer(window, id, milliseconds, nullptr)) {
            window_ = window;
            id_ = id;
            interval_ = milliseconds;
            ++Live().timers;
        }
    }
    void Stop() noexcept {
        if (window_) {
            ::KillTimer(window_, id_);
            --Live().timers;
            window_ = nullptr;
        }
    }
    bool Enabled() const noexcept { return window_ != nullptr; }
    UINT Interval() const noexcept { return interval_; }
    UINT_PTR Id() const noexcept { return id_; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
    UINT interval_ = 0;
};

// Runs a callable when the scope ends; for one-off clean-up only.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) noexcept : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};

}  // namespace handles
