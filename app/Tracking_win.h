// The tracking tick: keeps the overlays above other windows and at the pointer.
#pragma once

#include "overlays/Overlays_win.h"

#include <cstdint>
#include <functional>

class Tracking {
public:
    // desktopChanged runs when the desktop was found re-sized, before anything is placed
    // on that tick, so that whatever is sized to the desktop is placed in its new size.
    Tracking(Overlays& overlays, std::function<void()> desktopChanged)
        : overlays_(overlays), desktopChanged_(std::move(desktopChanged)) {}

    // Raises the keyboard display when no overlay is the top window.
    void KeepOnTop();

    // Moves every shown overlay (all of them when force is set) to the pointer. Every
    // 101st tick it re-measures the desktop first.
    void PlaceOverlays(bool force);
    // A pointer move seen by the hook: the shown overlays go to the pointer now, between
    // ticks. The desktop check stays with the tick.
    void FollowPointer();

    int32_t TickCounter() const { return tickCounter_; }
    // Where the pointer was at the latest placement.
    Point LastPointer() const { return lastPointer_; }

    // Scales of the mouse image's and the keyboard display's distance from the pointer;
    // the command line may set them.
    double PictureOffsetFactor = 1.0;
    double KeyboardOffsetFactor = 1.0;

private:
    bool IsOverlayOnTop(HWND top) const;
    void Place(bool force);

    Overlays& overlays_;
    std::function<void()> desktopChanged_;
    int32_t tickCounter_ = 0;
    Point lastPointer_;
};

// The pointer in screen pixels.
Point CursorPosition();
