#include "overlays/frmButtons_win.h"

#include "base/Text_win.h"
#include "lang/SharedLanguage_win.h"
#include "overlays/OverlayText_win.h"

RingOptions RingOptionsOf(const ClickIndicatorValues& values, double textScale) {
    RingOptions options;
    for (int b = 0; b < kClickButtons; ++b) {
        options.colours[b] = values.colours[b];
        options.widths[b] = values.widths[b];
    }
    options.discs = values.discs;
    options.letters = values.letters;
    options.sameSize = values.sameSize;
    options.textScale = textScale;
    return options;
}

namespace {

constexpr UINT_PTR kDelayTimer = 1;

}  // namespace

bool frmButtons::Form_Load() {
    if (!Load(1, 1, true)) return false;
    ClearTexts();
    languageSubscription_.Subscribe([this] { Lang_LanguageChange(); });
    return true;
}

void frmButtons::MakeTrans(int32_t alpha) {
    state_.MakeTrans(alpha);
    ApplyAlpha(alpha);
}

void frmButtons::SetKeyText(const std::wstring& text) {
    if (text == keyText_) return;
    keyText_ = text;
    Repaint();
}

void frmButtons::ClearTexts() {
    keyText_.clear();
    buttonText_.clear();
}

void frmButtons::MouseEvent(int32_t code, int32_t) {
    switch (state_.MouseEvent(code)) {
    case ClickAction::None:
        return;
    case ClickAction::BeginPress:
        tmrDelay.Stop();
        ClearTexts();
        ApplyAlpha(state_.AlphaOriginal());
        PlaceLetters();
        // Drawn before it shows, so a reused window never flashes its previous ring.
        Repaint();
        ShowOnTop();
        ::UpdateWindow(hwnd());
        return;
    case ClickAction::BeginFade:
        // Nothing drawn changes at a release; the caption came with SetKeyText.
        tmrDelay.Start(hwnd(), kDelayTimer, kFadeTickMs);
        return;
    }
}

void frmButtons::tmrDelay_Timer() {
    const FadeTick tick = state_.Tick();
    switch (tick.kind) {
    case FadeTickKind::Idle:
        tmrDelay.Stop();
        return;
    case FadeTickKind::Alpha:
        ApplyAlpha(tick.alpha);
        return;
    case FadeTickKind::Ended:
        tmrDelay.Stop();
        ClearTexts();
        Repaint();
        HideWindow();
        // Back to the user's alpha now, while nobody waits for it, rather than at the next press.
        ApplyAlpha(state_.AlphaOriginal());
        return;
    }
}

void frmButtons::SetOptions(const RingOptions& options) {
    if (options == options_) return;
    options_ = options;
    OnResize();
    Repaint();
}

void frmButtons::OnResize() {
    std::array<int32_t, kClickButtons> widths{};
    for (int b = 0; b < kClickButtons; ++b) widths[b] = RingPensForWidth(options_.widths[b]).single;
    layout_ = LayoutRings(size_, widths, options_.sameSize, layout_);
    PlaceLetters();
}

void frmButtons::Lang_LanguageChange() {
    PlaceLetters();
    Repaint();
}

HFONT frmButtons::LabelFont() { return OverlayFont(buffer_.Tools(), kRingLabelPoints, options_.textScale); }

void frmButtons::PlaceLetters() {
    if (!options_.letters || !state_.Shown()) {
        buttonText_.clear();
        return;
    }
    const int button = state_.ButtonIndex();
    buttonText_ = Widen(SharedLanguage().GetString(kLetterStringIds[button]));
    const Size letter = MeasureText(buffer_.dc(), LabelFont(), buttonText_);
    letterOrigin_ = LetterOrigin(button, letter, size_, layout_[button].single, options_.widths[button]);
}

void frmButtons::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, ::Display().ColourKey);
    for (int b = 0; b < kClickButtons; ++b) {
        const RingPens pens = RingPensForWidth(options_.widths[b]);
        const COLORREF colour = options_.colours[b];
        const ButtonRings& rings = layout_[b];
        if (state_.RingVisible(b, RingShape::Single))
            DrawEllipse(dc, tools, rings.single, colour, pens.single, RingFilled(RingShape::Single, options_.discs));
        if (state_.RingVisible(b, RingShape::DoubleOuter))
            DrawEllipse(dc, tools, rings.outer, colour, pens.dbl, RingFilled(RingShape::DoubleOuter, options_.discs));
        if (state_.RingVisible(b, RingShape::DoubleInner))
            DrawEllipse(dc, tools, rings.inner, colour, pens.dbl, RingFilled(RingShape::DoubleInner, options_.discs));
    }
    const HFONT font = LabelFont();
    if (!buttonText_.empty()) {
        const auto copies = LetterCopies(letterOrigin_);
        for (int i = 8; i >= 0; --i)
            DrawOutlineCopy(dc, font, buttonText_, RECT{copies[i].x, copies[i].y, copies[i].x + size_.width,
                                                        copies[i].y + size_.height}, i, DT_LEFT);
    }
    if (!keyText_.empty()) {
        const auto copies = CaptionCopies(size_);
        for (int i = 8; i >= 0; --i)
            DrawOutlineCopy(dc, font, keyText_, RECT{copies[i].left, copies[i].top, copies[i].right, copies[i].bottom},
                            i, DT_CENTER);
    }
}

LRESULT frmButtons::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kDelayTimer) {
        tmrDelay_Timer();
        return 0;
    }
    if (message == WM_DESTROY) languageSubscription_.Reset();
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
