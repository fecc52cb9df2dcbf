// The keyboard display: key caps and the list of keys typed, beside the pointer.
#pragma once

#include "overlays/OverlayWindow_win.h"

class frmKeyBoard : public OverlayWindow<frmKeyBoard> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmKeyBoard"; }
    bool Form_Load() { return Load(1, 1, true); }
    void MakeTrans(int32_t alpha) { ApplyAlpha(alpha); }
    bool LockPos = false;
};
