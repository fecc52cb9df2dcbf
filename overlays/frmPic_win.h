// The mouse image that trails the pointer and lights its pressed buttons.
#pragma once

#include "overlays/OverlayWindow_win.h"

class frmPic : public OverlayWindow<frmPic> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmPic"; }
    bool Form_Load() { return Load(84, 84, true); }
    void MouseEvent(int32_t /*code*/, int32_t /*data*/) {}
    bool LockPos = false;
};
