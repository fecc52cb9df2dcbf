// A short notice near the pointer in the keyboard display's look: one line of its list,
// standing alone, for a few seconds. Click-through and never active, like every overlay;
// once it is gone nothing of it runs.
#pragma once

#include "keyboard/KeyDisplay.h"
#include "overlays/OverlayWindow_win.h"

#include <string>

inline constexpr UINT kNoticeShownMs = 4000;

class frmNotice : public OverlayWindow<frmNotice> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmNotice"; }

    // Shows the text beside and below the pointer, kept inside the desktop, at the keyboard
    // display's scale (1.0 at 96 dpi) and alpha; made on first use.
    void ShowNotice(const std::wstring& text, Point pointer, const Rect& desktop, double scale, int32_t alpha);
    const std::wstring& Text() const { return text_; }
    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum TimerId : UINT_PTR { HideTimer = 1 };

    std::wstring text_;
    double scale_ = 1.0;
    ListLineLayout layout_;
    handles::Timer tmrHide;
};
