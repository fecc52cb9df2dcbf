#include "overlays/frmPic_win.h"

#include "overlays/MouseArt_win.h"
#include "overlays/OverlayText_win.h"

namespace {

constexpr UINT_PTR kDelayTimer = 1;
// The built-in art is drawn to any size; this is the size its ratio is taken at.
constexpr int32_t kArtWidth = 100;

}  // namespace

const std::array<const wchar_t*, kMouseImageLayers>& frmPic::PictureFiles() {
    static const std::array<const wchar_t*, kMouseImageLayers> files{
        L"mouse.gif", L"buttonleft.gif", L"buttonmiddle.gif", L"buttonright.gif", L"wheelup.gif", L"wheeldown.gif"};
    return files;
}

bool frmPic::Form_Load() {
    const Size size = MouseImageSize(84, PictureSize());
    if (!Load(size.width, size.height, true)) return false;
    LoadCustomImages();
    return true;
}

void frmPic::LoadCustomImages() {
    bool all = true;
    for (int i = 0; i < kMouseImageLayers; ++i) {
        pictures_[i] = LoadMaskedPicture(PictureFiles()[i]);
        all = all && pictures_[i].has_value();
    }
    customImages_ = all;
}

Size frmPic::PictureSize() const {
    if (UsesPictureFiles()) return pictures_[BodyLayer]->size;
    return {kArtWidth, RoundEven(kArtWidth * kMouseArtAspect)};
}

void frmPic::SetColor(bool black) {
    if (black == black_) return;
    black_ = black;
    Repaint();
}

void frmPic::MouseEvent(int32_t code, int32_t data) {
    if (layers_.MouseEvent(code, data)) tmrDelay.Start(hwnd(), kDelayTimer, kWheelHighlightMs);
    Repaint();
}

void frmPic::ClearButtons() {
    layers_.ClearButtons();
    Repaint();
}

void frmPic::SetKeyText(const std::wstring& text) {
    if (text == keyText_) return;
    keyText_ = text;
    Repaint();
}

void frmPic::SetTextScale(double scale) {
    if (scale == textScale_) return;
    textScale_ = scale;
    if (!keyText_.empty()) Repaint();
}

void frmPic::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, ::Display().ColourKey);
    const int w = area.right - area.left, h = area.bottom - area.top;
    for (int layer = 0; layer < kMouseImageLayers; ++layer) {
        if (!layers_.IsOn(layer)) continue;
        if (!UsesPictureFiles()) {
            DrawMouseLayer(dc, area, layer, black_);
            continue;
        }
        // Transparent parts are white in the one and black in the other, so they leave
        // the buffer as it was; opaque parts end up in the file's colours.
        const MaskedPicture& picture = *pictures_[layer];
        handles::MemoryDc source(::CreateCompatibleDC(dc));
        ::SetStretchBltMode(dc, COLORONCOLOR);
        {
            handles::SelectObjectGuard select(source.get(), picture.onWhite.get());
            ::StretchBlt(dc, 0, 0, w, h, source.get(), 0, 0, picture.size.width, picture.size.height, SRCAND);
        }
        handles::SelectObjectGuard select(source.get(), picture.onBlack.get());
        ::StretchBlt(dc, 0, 0, w, h, source.get(), 0, 0, picture.size.width, picture.size.height, SRCPAINT);
    }
    if (keyText_.empty()) return;
    const HFONT font = OverlayFont(tools, kPictureLabelPoints, textScale_);
    const auto copies = MouseImageCaptionRects(size_);
    for (int i = static_cast<int>(copies.size()) - 1; i >= 0; --i)
        DrawOutlineCopy(dc, font, keyText_, RECT{copies[i].left, copies[i].top, copies[i].right, copies[i].bottom}, i,
                        DT_CENTER);
}

LRESULT frmPic::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kDelayTimer) {
        tmrDelay.Stop();
        layers_.TimerTick();
        Repaint();
        return 0;
    }
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
