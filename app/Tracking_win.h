// The tracking tick: keeps the overlays above other windows and at the pointer.
#pragma once

#include "overlays/Overlays_win.h"

#include <cstdint>

// What the tick needs from the settings window's controls.
struct TrackingInputs {
    int32_t haloSize = 100;
    double pictureOffsetFactor = 1.0;
    double keyboardOffsetFactor = 1.0;
};

class Tracking {
public:
    explicit Tracking(Overlays& overlays) : overlays_(overlays) {}

    // Raises the keyboard display when no overlay is the top window.
    void KeepOnTop();

    // Moves every shown overlay (all of them when force is set) to the pointer. Every
    // 101st tick it re-measures the desktop; true then means it changed and whatever is
    // sized to the desktop must follow.
    bool PlaceOverlays(bool force, const TrackingInputs& inputs);

    int32_t TickCounter() const { return tickCounter_; }

private:
    bool IsOverlayOnTop(HWND top) const;

    Overlays& overlays_;
    int32_t tickCounter_ = 0;
};

// The pointer in screen pixels.
Point CursorPosition();
