// What every overlay shares: a borderless, taskbar-less, topmost popup that never takes
// focus or mouse input (WS_EX_TRANSPARENT), drawn with a colour key and a window alpha.
#pragma once

#include "base/BaseWindow_win.h"
#include "base/Geometry.h"
#include "base/Display_win.h"
#include "base/BackBuffer_win.h"

#include <windows.h>

#include <cstdint>
#include <optional>

inline constexpr DWORD kOverlayExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
inline constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
inline constexpr UINT kSizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

// The overlay that stays above every other (the big pointer): one that shows goes just below it.
inline HWND& OverlayCeiling() {
    static HWND ceiling = nullptr;
    return ceiling;
}

template <typename Derived>
class OverlayWindow : public BaseWindow<Derived> {
public:
    using BaseWindow<Derived>::hwnd;

    // Creates the window and puts it on top; shown at once unless showNow is false
    // (the cross-hair arms wait until the cross hair is switched on).
    bool Load(int width, int height, bool showNow) {
        if (!this->CreateWindowOf(kOverlayExStyle, WS_POPUP, L"", 0, 0, width, height)) return false;
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        position_ = {r.left, r.top};
        size_ = {r.right - r.left, r.bottom - r.top};
        ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | (showNow ? SWP_SHOWWINDOW : 0));
        return true;
    }

    // temporary = true is the fade: the user's alpha is kept for the way back.
    void MakeTrans(int32_t alpha, bool temporary) {
        ApplyAlpha(alpha);
        if (!temporary) {
            alphaOriginal_ = alpha;
            hidden_ = false;
        }
    }
    int32_t AlphaOriginal() const { return alphaOriginal_; }
    bool Hidden() const { return hidden_; }
    void SetHidden(bool hidden) { hidden_ = hidden; }

    // Position, size and visibility are cached from WM_WINDOWPOSCHANGED, so the tracking
    // tick can compare without asking the window system.
    Size ClientSize() const { return size_; }
    Point Position() const { return position_; }
    bool Shown() const { return shown_; }

    // Moves without touching size or z-order; skipped when already there, so a still
    // pointer costs the window system nothing. A hidden window only notes the place and
    // goes there when it shows: a click then costs one window-system call, not two.
    void MoveTo(Point p) {
        if (!shown_) {
            pendingPosition_ = p;
            return;
        }
        if (p == position_) return;
        ::SetWindowPos(hwnd(), nullptr, p.x, p.y, 0, 0, kMoveFlags);
    }
    // Topmost and shown at the place it was last given, without activating it.
    void ShowOnTop() {
        UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW;
        Point p = position_;
        if (pendingPosition_ && *pendingPosition_ != position_)
            p = *pendingPosition_;
        else
            flags |= SWP_NOMOVE;
        pendingPosition_.reset();
        const HWND ceiling = OverlayCeiling();
        const bool below = ceiling && ceiling != hwnd() && ::IsWindowVisible(ceiling);
        ::SetWindowPos(hwnd(), below ? ceiling : HWND_TOPMOST, p.x, p.y, 0, 0, flags);
    }
    void Resize(Size s) { ::SetWindowPos(hwnd(), nullptr, 0, 0, s.width, s.height, kSizeFlags); }
    void Hide() { ::ShowWindow(hwnd(), SW_HIDE); }

    // Until an overlay draws something of its own, all of it is the key colour: invisible.
    void PaintContent(HDC dc, const RECT& area) { FillBox(dc, buffer_.Tools(), area, ::Display().ColourKey); }

    // Redraws the whole buffer through PaintContent and shows it.
    void Repaint() {
        buffer_.Resize(size_.width, size_.height);
        static_cast<Derived*>(this)->PaintContent(buffer_.dc(), RECT{0, 0, size_.width, size_.height});
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }

protected:
    // Called when the client size changed, before the repaint; overlays lay out here.
    void OnResize() {}

    // Skipped when the window has that alpha already: the call is a round trip to the
    // display server under some window systems.
    void ApplyAlpha(int32_t alpha) {
        const BYTE a = static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
        if (a == appliedAlpha_) return;
        appliedAlpha_ = a;
        ::SetLayeredWindowAttributes(hwnd(), ::Display().ColourKey, a, LWA_COLORKEY | LWA_ALPHA);
    }

    // Overlays paint from their back buffer; PaintContent redraws the buffer.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_PAINT: {
            handles::PaintDc paint(hwnd());
            buffer_.CopyTo(paint.get(), paint.area());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE)) position_ = {pos->x, pos->y};
            if (pos->flags & SWP_SHOWWINDOW) shown_ = true;
            if (pos->flags & SWP_HIDEWINDOW) shown_ = false;
            // Default handling turns this into WM_SIZE and WM_MOVE.
            return BaseWindow<Derived>::HandleMessage(message, wParam, lParam);
        }
        case WM_SIZE:
            size_ = {LOWORD(lParam), HIWORD(lParam)};
            static_cast<Derived*>(this)->OnResize();
            Repaint();
            return 0;
        case WM_DESTROY:
            buffer_.Resize(0, 0);
            appliedAlpha_ = -1;
            shown_ = false;
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        }
        return BaseWindow<Derived>::HandleMessage(message, wParam, lParam);
    }

    BackBuffer buffer_;
    Point position_;
    Size size_;
    bool shown_ = false;
    std::optional<Point> pendingPosition_;
    int32_t appliedAlpha_ = -1;
    int32_t alphaOriginal_ = 0;
    bool hidden_ = false;
};
