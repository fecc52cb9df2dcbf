// A chevron above (Direction 0) or below (1) the pointer for 300 ms after a wheel turn.
#pragma once

#include "overlays/OverlayWindow_win.h"
#include "overlays/WheelArrowGeometry.h"

class frmWheelArrow : public OverlayWindow<frmWheelArrow> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmWheelArrow"; }
    bool Form_Load() { return Load(1, 1, true); }
    // The arrows take the click indicator's alpha and keep none of their own.
    void MakeTrans(int32_t alpha) { ApplyAlpha(alpha); }
    void MouseEvent(int32_t code, int32_t data);
    // The wheel colour and width of the click options.
    void SetLine(COLORREF colour, int32_t width);
    int32_t Direction = kWheelUp;

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF colour_ = RGB(191, 0, 191);
    int32_t width_ = 10;
    handles::Timer tmrDelay;
};
