#include "overlays/frmBigPointer_win.h"

#include <vector>

namespace {

BITMAPINFO TopDown32(Size size) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.width, -size.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// A bitmap's pixels as 0xAARRGGBB, rows top-down; a monochrome one reads black and white.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, Size size) {
    std::vector<uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height);
    BITMAPINFO info = TopDown32(size);
    handles::WindowDc screen(nullptr);
    if (pixels.empty() ||
        ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.height), pixels.data(), &info, DIB_RGB_COLORS) !=
            size.height)
        return {};
    return pixels;
}

struct CursorParts {
    Point hotSpot;
    bool fromResource = false;
    CursorBits bits;
};

// Nothing where the system will not hand the cursor over (another process's, on some systems).
std::optional<CursorParts> PartsOf(HCURSOR cursor) {
    ICONINFOEXW info{};
    info.cbSize = sizeof info;
    if (!::GetIconInfoExW(cursor, &info)) return std::nullopt;
    const handles::Bitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP m{};
    if (!mask || !::GetObjectW(mask.get(), sizeof m, &m)) return std::nullopt;
    // A monochrome cursor's mask holds the AND image above the XOR image.
    const bool monochrome = !colour;
    const Size size{m.bmWidth, monochrome ? m.bmHeight / 2 : m.bmHeight};
    const std::vector<uint32_t> masks = PixelsOf(mask.get(), {m.bmWidth, m.bmHeight});
    CursorParts parts{{static_cast<int32_t>(info.xHotspot), static_cast<int32_t>(info.yHotspot)},
                      info.wResID != 0 || info.szResName[0] != L'\0',
                      {size, monochrome ? std::vector<uint32_t>{} : PixelsOf(colour.get(), size), {}, {}}};
    const std::size_t count = static_cast<std::size_t>(size.width) * size.height;
    if (masks.size() < count * (monochrome ? 2 : 1) || (!monochrome && parts.bits.colour.empty())) return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) parts.bits.andMask.push_back((masks[i] & 0xFFFFFF) != 0);
    if (monochrome)
        for (std::size_t i = count; i < 2 * count; ++i) parts.bits.xorMask.push_back((masks[i] & 0xFFFFFF) != 0);
    return parts;
}

struct CursorPicture {
    BigPointerShape shape;
    PointerImage image;
};

std::optional<CursorPicture> PictureOf(HCURSOR cursor, int32_t percent) {
    const std::optional<CursorParts> own = PartsOf(cursor);
    if (!own) return std::nullopt;
    const BigPointerShape shape = ScaleCursor(own->bits.size, own->hotSpot, percent);
    const CursorBits* bits = &own->bits;
    // The resource may hold larger images than the one in use: the system's copy at the size
    // wanted is made from the best of them, sharper than the small one enlarged.
    std::optional<CursorParts> large;
    if (own->fromResource) {
        const handles::Cursor copy(static_cast<HCURSOR>(
            ::CopyImage(cursor, IMAGE_CURSOR, shape.size.width, shape.size.height, LR_COPYFROMRESOURCE)));
        if (copy && (large = PartsOf(copy.get()))) bits = &large->bits;
    }
    return CursorPicture{shape, ScalePointer(PremultipliedPointer(*bits), shape.size)};
}

}  // namespace

bool frmBigPointer::Form_Load() {
    stale_ = true;
    if (!Load(1, 1, false)) return false;
    OverlayCeiling() = hwnd();
    return true;
}

void frmBigPointer::SetPercent(int32_t percent) {
    if (percent == percent_) return;
    percent_ = percent;
    stale_ = true;
    if (Shown()) TakeShape(cursor_);
}

void frmBigPointer::Follow(Point pointer) {
    pointer_ = pointer;
    // Moved first with the shape it has: reading the system's pointer must not hold the move up.
    MoveTo(BigPointerCorner(pointer, shape_.hotSpot));
    CURSORINFO info{};
    info.cbSize = sizeof info;
    const bool showing = ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING);
    // Some systems name only the cursor the foreground program set, none for another's
    // window: the standard arrow stands in, as for a cursor that cannot be read.
    const HCURSOR cursor = !showing ? nullptr : info.hCursor ? info.hCursor : ::LoadCursorW(nullptr, IDC_ARROW);
    if (cursor != cursor_ || stale_) TakeShape(cursor);
}

void frmBigPointer::FollowShape() {
    if (Shown()) Follow(pointer_);
}

void frmBigPointer::TakeShape(HCURSOR cursor) {
    cursor_ = cursor;
    stale_ = false;
    std::optional<CursorPicture> picture;
    if (cursor) {
        picture = PictureOf(cursor, percent_);
        // Another process's pointer cannot be read on every system: the standard arrow stands in.
        if (!picture) picture = PictureOf(::LoadCursorW(nullptr, IDC_ARROW), percent_);
    }
    // A pointer hidden (by the program under it) shows nothing here either.
    if (!picture || picture->image.pixels.empty()) picture = CursorPicture{{{1, 1}, {}}, {{1, 1}, {0}}};
    shape_ = picture->shape;
    image_ = std::move(picture->image);
    inverted_ = InvertedPointer(image_);
    Present();
}

void frmBigPointer::PaintContent(HDC dc, const RECT& area) {
    const PointerImage& picture = Picture();
    const BITMAPINFO info = TopDown32(picture.size);
    ::SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(picture.size.width),
                        static_cast<DWORD>(picture.size.height), 0, 0, 0, static_cast<UINT>(picture.size.height),
                        picture.pixels.data(), &info, DIB_RGB_COLORS);
}

void frmBigPointer::Present() {
    const Size size = Picture().size;
    if (size != bufferSize_) {
        selection_.reset();
        bitmap_.reset();
        void* bits = nullptr;
        const BITMAPINFO info = TopDown32(size);
        if (!dc_) dc_.reset(::CreateCompatibleDC(nullptr));
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dc_ || !bitmap_) return;
        selection_.emplace(dc_.get(), bitmap_.get());
        bufferSize_ = size;
    }
    PaintContent(dc_.get(), RECT{0, 0, size.width, size.height});
    ::GdiFlush();
    position_ = BigPointerCorner(pointer_, shape_.hotSpot);
    size_ = size;
    pendingPosition_.reset();
    Update();
}

void frmBigPointer::Update() {
    POINT at{position_.x, position_.y}, origin{0, 0};
    SIZE extent{bufferSize_.width, bufferSize_.height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
    handles::WindowDc screen(nullptr);
    ::UpdateLayeredWindow(hwnd(), screen.get(), &at, &extent, dc_.get(), &origin, 0, &blend, ULW_ALPHA);
}

void frmBigPointer::MakeTrans(int32_t alpha, bool temporary) {
    if (!temporary) {
        alphaOriginal_ = alpha;
        hidden_ = false;
    }
    const BYTE a = static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
    if (a == alpha_) return;
    alpha_ = a;
    // The picture stays as painted; only the window's share of it changes.
    if (bufferSize_ != Size{}) Update();
}

void frmBigPointer::StopBlink() {
    if (!isBlinking_) return;
    isBlinking_ = false;
    Present();
}

void frmBigPointer::tmrBlink_Timer() {
    if (!isBlinking_) return;
    blinkPhase_ = !blinkPhase_;
    Present();
}

LRESULT frmBigPointer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        // The picture sets the size; there is no colour-keyed buffer to lay out.
        size_ = {LOWORD(lParam), HIWORD(lParam)};
        return 0;
    case WM_DESTROY:
        if (OverlayCeiling() == hwnd()) OverlayCeiling() = nullptr;
        selection_.reset();
        bitmap_.reset();
        dc_.reset();
        bufferSize_ = {};
        cursor_ = nullptr;
        stale_ = true;
        break;
    }
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
