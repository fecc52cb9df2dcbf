// A top-down 32-bit bitmap in a memory DC for a test to draw on, its pixels read straight
// from memory as COLORREF.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "base/Handles_win.h"

class Surface {
public:
    Surface(int width, int height, COLORREF fill) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        selection_.emplace(dc_.get(), bitmap_.get());
        std::fill_n(bits_, width * height,
                    uint32_t(GetRValue(fill)) << 16 | uint32_t(GetGValue(fill)) << 8 | GetBValue(fill));
    }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    RECT area() const { return {0, 0, width_, height_}; }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const uint32_t p = bits_[y * width_ + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    int Count(COLORREF colour) const {
        int n = 0;
        for (int i = 0; i < width_ * height_; ++i) n += At(i % width_, i / width_) == colour;
        return n;
    }

private:
    int width_;
    int height_;
    handles::MemoryDc dc_;
    handles::Bitmap bitmap_;
    uint32_t* bits_ = nullptr;
    std::optional<handles::SelectObjectGuard> selection_;
};
