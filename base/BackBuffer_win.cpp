#include "base/BackBuffer_win.h"

#include "base/Geometry.h"

namespace {

// Enough for every colour and width a window uses at once; blinking and colour changes
// bring new ones, and a full cache starts over rather than growing.
constexpr size_t kMaxTools = 16;

template <typename Entries>
void MakeRoom(Entries& entries) {
    if (entries.size() >= kMaxTools) entries.clear();
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontInstalled(const std::wstring& face) {
    handles::WindowDc screen(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(screen.get(), &wanted, &NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

std::wstring FirstInstalledFace(const std::vector<std::wstring>& faces) {
    // Asking the system is slow (it lists every face of a family); the answer holds for the run.
    static std::vector<std::pair<std::vector<std::wstring>, std::wstring>> known;
    for (const auto& [asked, answer] : known)
        if (asked == faces) return answer;
    std::wstring answer = L"Segoe UI";
    for (const std::wstring& candidate : faces)
        if (FontInstalled(candidate)) {
            answer = candidate;
            break;
        }
    known.emplace_back(faces, answer);
    return answer;
}

HBRUSH GdiTools::Brush(COLORREF colour) {
    for (const BrushEntry& e : brushes_)
        if (e.colour == colour) return e.brush.get();
    MakeRoom(brushes_);
    brushes_.push_back({colour, handles::Brush(::CreateSolidBrush(colour))});
    return brushes_.back().brush.get();
}

HPEN GdiTools::Pen(COLORREF colour, int width) {
    for (const PenEntry& e : pens_)
        if (e.colour == colour && e.width == width) return e.pen.get();
    MakeRoom(pens_);
    pens_.push_back({colour, width, handles::Pen(::CreatePen(PS_SOLID, width, colour))});
    return pens_.back().pen.get();
}

HFONT GdiTools::Font(const std::vector<std::wstring>& faces, int pixelHeight, bool bold) {
    const std::wstring& first = faces.empty() ? std::wstring() : faces.front();
    for (const FontEntry& e : fonts_)
        if (e.face == first && e.height == pixelHeight && e.bold == bold) return e.font.get();
    const std::wstring face = FirstInstalledFace(faces);
    LOGFONTW lf{};
    lf.lfHeight = -pixelHeight;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    // Overlays are colour-keyed: smoothed edges would blend with the key into a fringe.
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    MakeRoom(fonts_);
    fonts_.push_back({first, pixelHeight, bold, handles::Font(::CreateFontIndirectW(&lf))});
    return fonts_.back().font.get();
}

void GdiTools::Clear() {
    brushes_.clear();
    pens_.clear();
    fonts_.clear();
}

bool BackBuffer::Resize(int width, int height) {
    if (width == width_ && height == height_ && dc_) return false;
    selection_.reset();
    bitmap_.reset();
    dc_.reset();
    width_ = width;
    height_ = height;
    if (width <= 0 || height <= 0) {
        tools_.Clear();
        return true;
    }

    handles::WindowDc screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), width, height));
    if (dc_ && bitmap_) selection_.emplace(dc_.get(), bitmap_.get());
    return true;
}

void BackBuffer::CopyTo(HDC target, const RECT& area) const {
    if (!dc_) return;
    ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(), area.left,
             area.top, SRCCOPY);
}

std::optional<LRESULT> AnswerPaintFromBuffer(HWND window, const BackBuffer* buffer, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        handles::PaintDc paint(window);
        if (buffer) buffer->CopyTo(paint.get(), paint.area());
        return 0;
    }
    case WM_PRINTCLIENT:
        if (buffer) buffer->CopyTo(reinterpret_cast<HDC>(wParam), RECT{0, 0, buffer->Width(), buffer->Height()});
        return 0;
    }
    return std::nullopt;
}

void FillBox(HDC dc, GdiTools& tools, const RECT& area, COLORREF colour) {
    if (dc) ::FillRect(dc, &area, tools.Brush(colour));
}

void FillEllipse(HDC dc, GdiTools& tools, const ShapeRect& box, COLORREF colour) {
    if (!dc) return;
    handles::SelectObjectGuard brush(dc, tools.Brush(colour));
    handles::SelectObjectGuard pen(dc, tools.Pen(colour, 1));
    ::Ellipse(dc, RoundEven(box.left), RoundEven(box.top), RoundEven(box.left + box.width),
              RoundEven(box.top + box.height));
}

void DrawEllipse(HDC dc, GdiTools& tools, const ShapeRect& box, COLORREF colour, int penWidth, bool fill) {
    if (!dc || (penWidth <= 0 && !fill)) return;
    handles::SelectObjectGuard brush(dc, fill ? tools.Brush(colour) : ::GetStockObject(NULL_BRUSH));
    handles::SelectObjectGuard pen(dc, penWidth > 0 ? tools.Pen(colour, penWidth) : ::GetStockObject(NULL_PEN));
    // A wide pen is centred on the outline, so the outer edge lies half a pen outside the box.
    ::Ellipse(dc, RoundEven(box.left), RoundEven(box.top), RoundEven(box.left + box.width),
              RoundEven(box.top + box.height));
}

void DrawLine(HDC dc, GdiTools& tools, POINT from, POINT to, COLORREF colour, int penWidth) {
    if (!dc) return;
    handles::SelectObjectGuard pen(dc, tools.Pen(colour, penWidth));
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
}

void DrawText(HDC dc, HFONT font, const std::wstring& text, const RECT& box, COLORREF colour, UINT format) {
    if (!dc || text.empty()) return;
    handles::SelectObjectGuard select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    RECT r = box;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}
