// A chevron above (Direction 0) or below (1) the pointer while the wheel turns.
#pragma once

#include "overlays/OverlayWindow_win.h"

class frmWheelArrow : public OverlayWindow<frmWheelArrow> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmWheelArrow"; }
    bool Form_Load() { return Load(1, 1, true); }
    void MakeTrans(int32_t alpha) { ApplyAlpha(alpha); }
    void MouseEvent(int32_t /*code*/, int32_t /*data*/) {}
    int32_t Direction = 0;
};
