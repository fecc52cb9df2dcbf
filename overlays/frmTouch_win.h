// The mark of a finger or a pen tap at the pointer; TouchMark decides its shape and time.
#pragma once

#include "overlays/OverlayWindow_win.h"
#include "overlays/TouchMark.h"

class frmTouch : public OverlayWindow<frmTouch> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmTouch"; }
    bool Form_Load() { return Load(1, 1, false); }
    // The click indicator's alpha and left-button colour; scale 1.0 at 96 dpi.
    void SetLook(int32_t alpha, COLORREF colour, double scale);
    // A press: the kind's mark, centred on the pointer, on top.
    void Press(PointerKind kind, Point pointer);
    // Its release: the mark goes once it has shown long enough.
    void Release();

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TouchMarkShape shape_;
    COLORREF colour_ = RGB(255, 0, 0);
    double scale_ = 1.0;
    DWORD pressedAt_ = 0;
    handles::Timer tmrHide;
};
