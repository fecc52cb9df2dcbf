// The tracking tick: keeps the overlays above other windows and at the pointer.
#pragma once

#include "app/SettingsStore_win.h"
#include "base/Display_win.h"
#include "overlays/Overlays_win.h"

#include <cstdint>
#include <functional>

class Tracking {
public:
    // desktopChanged runs when the desktop was found re-sized, before anything is placed
    // on that tick, so that whatever is sized to the desktop is placed in its new size.
    Tracking(Overlays& overlays, Desktop& desktop, const PointerOffsets& offsets, std::function<void()> desktopChanged)
        : overlays_(overlays), desktop_(desktop), offsets_(offsets), desktopChanged_(std::move(desktopChanged)) {}

    // Raises the keyboard display when no overlay is the top window.
    void KeepOnTop();

    // Moves every shown overlay (all of them when force is set) to the pointer. Every
    // 101st tick it re-measures the desktop first.
    void PlaceOverlays(bool force);
    // Re-measures the desktop; a new size is passed on before anything is placed in it.
    void CheckDesktop();
    // A pointer move seen by the hook: the shown overlays go to the pointer now, between
    // ticks. The desktop check stays with the tick.
    void FollowPointer();

    int32_t TickCounter() const { return tickCounter_; }
    // Where the pointer was at the latest placement.
    Point LastPointer() const { return lastPointer_; }

private:
    bool IsOverlayOnTop(HWND top) const;
    void Place(bool force);

    Overlays& overlays_;
    Desktop& desktop_;
    const PointerOffsets& offsets_;
    std::function<void()> desktopChanged_;
    int32_t tickCounter_ = 0;
    Point lastPointer_;
};
