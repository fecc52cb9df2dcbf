// One arm of the cross hair (0 left, 1 right, 2 top, 3 bottom): a band across the desktop
// with a one-pixel centre line and optional arrow heads pointing at the pointer. Hidden
// until the cross hair is switched on.
#pragma once

#include "overlays/CrossHairGeometry.h"
#include "overlays/OverlayWindow_win.h"

class frmCrossHair : public OverlayWindow<frmCrossHair> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmCrossHair"; }
    bool Form_Load(int armIndex) {
        ArmIndex = armIndex;
        return Load(1, 1, false);
    }
    int ArmIndex = 0;
    // The central gap: how far the arm stays from the pointer.
    int32_t Gap = 100;

    // The band's colour and its centre line's shade.
    void SetColors(COLORREF band, COLORREF line);
    // Arrow heads on or off; switching on gives them the centre line's colour.
    void SetArrows(bool on);
    bool ArrowsOn() const { return arrowsOn_; }
    Point Placement(Point pointer) const { return PlaceArm(Arm(), pointer, size_, Gap); }

    void StartBlink();
    void StopBlink();
    void tmrBlink_Timer();
    bool IsBlinking() const { return isBlinking_; }

    void PaintContent(HDC dc, const RECT& area);

private:
    CrossHairArm Arm() const { return static_cast<CrossHairArm>(ArmIndex); }

    COLORREF backColour_ = RGB(192, 255, 255);
    COLORREF lineColour_ = RGB(0, 0, 0);
    COLORREF arrowColour_ = RGB(0, 0, 0);
    bool arrowsOn_ = false;
    bool isBlinking_ = false;
    bool blinkPhase_ = false;
    COLORREF savedBackColour_ = 0;
    COLORREF savedLineColour_ = 0;
};
