// Every overlay window of the program, created once at start and kept to the end.
#pragma once

#include "overlays/frmBigPointer_win.h"
#include "overlays/frmKeyBoard_win.h"
#include "overlays/frmButtons_win.h"
#include "overlays/frmCrossHair_win.h"
#include "overlays/frmPic_win.h"
#include "overlays/frmSpot_win.h"
#include "overlays/frmTouch_win.h"
#include "overlays/frmWheelArrow_win.h"

#include <array>

struct Overlays {
    frmSpot spot;
    std::array<frmCrossHair, 4> crossHair;
    std::array<frmButtons, 17> buttons;
    std::array<frmWheelArrow, 2> wheelArrow;
    frmPic pic;
    frmKeyBoard keyBoard;
    frmTouch touch;
    frmBigPointer bigPointer;
};
