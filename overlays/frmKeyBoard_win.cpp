#include "overlays/frmKeyBoard_win.h"

#include "base/Text_win.h"
#include "keyboard/KeyNames_win.h"
#include "keyboard/KeyPoller.h"
#include "overlays/ctlKey_win.h"
#include "lang/SharedLanguage_win.h"
#include "overlays/OverlayText_win.h"

namespace {

constexpr UINT_PTR kClearTimer = 1;
constexpr UINT kClearInterval = 100;

}  // namespace

bool frmKeyBoard::Form_Load(double scale) {
    display_.emplace(SharedLanguage(), scale);
    const Size size = display_->Layout().window;
    if (!Load(size.width, size.height, true)) return false;
    languageSubscription_.Subscribe([this] { Lang_LanguageChange(); });
    return true;
}

void frmKeyBoard::Lang_LanguageChange() { Repaint(); }

void frmKeyBoard::SetSpecialKeys(bool shift, bool ctrl, bool alt, bool altGr) {
    if (display_->SetSpecialKeys(shift, ctrl, alt, altGr)) FitWindow();
}

void frmKeyBoard::AddKey(int32_t code, bool fromLayout) {
    if (display_->AddKey(DisplayKeyName(code, fromLayout))) FitWindow();
}

void frmKeyBoard::ShowKeysHidden() {
    if (display_->AddNotice(SharedLanguage().GetString(kKeysHiddenId))) FitWindow();
}

void frmKeyBoard::SetViewMode(bool listKeys, bool showCaps) {
    if (display_->SetViewMode(listKeys, showCaps)) FitWindow();
}

void frmKeyBoard::SetFadingTime(float seconds) { display_->SetFadingTime(seconds); }

bool frmKeyBoard::SetScale(double scale) {
    if (scale == display_->Scale()) return false;
    display_->SetScale(scale);
    if (display_->Layout().window != size_) return true;
    Repaint();
    ::UpdateWindow(hwnd());
    return false;
}

void frmKeyBoard::FitWindow() {
    // Every change of the lines comes through here; a running timer is left alone, so that
    // steady typing does not keep postponing its ticks.
    if (!display_->ClearTimerEnabled())
        tmrClear.Stop();
    else if (!tmrClear.Enabled())
        tmrClear.Start(hwnd(), kClearTimer, kClearInterval);
    const Size size = display_->Layout().window;
    if (size == size_)
        Repaint();
    else
        Resize(size);  // the resize repaints
    // Painted now, not when the queue runs dry: a grown window never shows a stale frame.
    ::UpdateWindow(hwnd());
}

void frmKeyBoard::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, ::Display().ColourKey);
    if (!display_) return;
    const KeyDisplayLayout layout = display_->Layout();
    const double scale = display_->Scale();
    const HFONT font = OverlayFont(tools, kRingLabelPoints, scale);
    for (KeyCap cap : {KeyCap::Shift, KeyCap::Ctrl, KeyCap::Alt}) {
        const auto index = static_cast<size_t>(cap);
        if (!layout.capVisible[index]) continue;
        const Rect& r = layout.caps[index];
        DrawKeyCap(dc, tools, font, RECT{r.left, r.top, r.right, r.bottom}, Widen(display_->CapCaption(cap)), scale);
    }
    if (!layout.listVisible) return;
    const RECT list{layout.list.left, layout.list.top, layout.list.right, layout.list.bottom};
    DrawKeyListBox(dc, tools, list);
    const int pad = RoundEven(4 * scale);
    for (size_t i = 0; i < layout.lineCount; ++i) {
        const Rect line = layout.LineRect(i);
        DrawText(dc, font, Widen(display_->Line(i).Shown()), RECT{line.left + pad, line.top, line.right - pad, line.bottom},
                 kKeyListText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

LRESULT frmKeyBoard::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kClearTimer) {
        if (display_->ClearTick()) FitWindow();
        return 0;
    }
    if (message == WM_DESTROY) languageSubscription_.Reset();
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
