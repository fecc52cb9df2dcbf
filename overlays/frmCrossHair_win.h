// One arm of the cross hair (0 left, 1 right, 2 top, 3 bottom). Hidden until the cross
// hair is switched on.
#pragma once

#include "overlays/OverlayWindow_win.h"

class frmCrossHair : public OverlayWindow<frmCrossHair> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmCrossHair"; }
    bool Form_Load(int armIndex) {
        ArmIndex = armIndex;
        return Load(1, 1, false);
    }
    int ArmIndex = 0;
};
