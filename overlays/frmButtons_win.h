// One click-indicator window; seventeen of them take turns.
#pragma once

#include "overlays/OverlayWindow_win.h"

class frmButtons : public OverlayWindow<frmButtons> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmButtons"; }
    bool Form_Load() { return Load(1, 1, true); }
    // The click indicator keeps its alpha for its own fade-out.
    void MakeTrans(int32_t alpha) { OverlayWindow::MakeTrans(alpha, false); }
    void MouseEvent(int32_t /*code*/, int32_t /*data*/) {}
    // Set while the button is held: the ring follows the pointer.
    bool Tracking = false;
};
