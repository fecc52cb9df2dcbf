// The only code that writes the overlays' looks: one apply function per overlay takes its
// values from the record at the DPI the overlays are sized for; start-up, the controls, the
// reset, a DPI change and a desktop change all go through here.
#pragma once

#include "app/SettingsStore_win.h"
#include "base/Display_win.h"
#include "overlays/OverlayValues.h"
#include "overlays/Overlays_win.h"

#include <cstdint>
#include <functional>

class OverlayAppearance {
public:
    OverlayAppearance(Overlays& overlays, const SettingsStore& store, const Desktop& desktop)
        : overlays_(overlays), store_(store), desktop_(desktop) {}

    // Creates every overlay window at the size its settings give.
    void LoadOverlays();
    void UnloadOverlays();

    // Every overlay takes every value; shown as switched on unless paused. listKeys runs
    // once the keyboard display has its values, before the overlays are put in order.
    void ApplyAll(bool paused, const std::function<void()>& listKeys);
    void ApplyClickIndicator();
    void ApplyCrossHair(bool paused);
    void ApplyHalo(bool paused);
    void ApplyMouseImage(bool paused);
    // Shown at the pointer with the system's pointer shape when switched on, unless paused.
    void ApplyBigPointer(bool paused);
    // A shake: the big pointer at twice its size while finding, as set again after.
    void FindBigPointer(bool finding);
    // Alpha, lock, scale and fade of the keyboard display; what it lists is the keyboard pass's.
    void ApplyKeyboard();
    // Only the keyboard display's alpha and its lines' time and counts: re-arranging it would
    // empty its list.
    void ApplyKeyboardAlphaAndLines();
    // A lock leaves the window where it is now: the saved place is taken at start only.
    void LockMouseImage(bool lock) { overlays_.pic.LockPos = lock; }
    void LockKeyboard(bool lock) { overlays_.keyBoard.LockPos = lock; }
    // Halo, mouse image and cross hair shown as they are switched on, unless paused.
    void ShowSwitchedOn(bool paused);

    // Crossing to a monitor of another DPI re-sizes everything to keep one physical size.
    void FollowMonitorDpi(Point pointer);
    // Only sizes change: colours, alphas, fades and what is shown stay as they are.
    void ResizeForDpi();
    // A changed desktop: everything sized to it follows.
    void DesktopChanged();

private:
    // Lengths at a DPI and text at a scale (1.0 at 96 dpi): for the monitor under the
    // pointer, or for a window locked by the setting lock, the monitor it stays on.
    struct DpiScale {
        uint32_t dpi;
        double text;
    };
    // monitorDpi 0: sizes do not follow the monitor, or its DPI is not known.
    static DpiScale ScaleFor(uint32_t monitorDpi);
    // The DPI the overlays are sized for now.
    uint32_t SizingDpi();
    DpiScale PointerScale();
    DpiScale WindowScale(SettingKey lock, SettingKey x, SettingKey y);
    // Where a window stays while locked: its place in the record.
    Point LockedPlace(SettingKey x, SettingKey y) const;
    // The keyboard display at its scale, re-sized in place.
    void ScaleKeyboard(Point pointer);
    void ApplyOverlayOrder();
    // The big pointer's percent for the setting, the shake and the monitor under the pointer.
    int32_t BigPointerPercentNow();
    const SettingsRecord& record() const { return store_.Record(); }

    Overlays& overlays_;
    const SettingsStore& store_;
    const Desktop& desktop_;
    HMONITOR pointerMonitor_ = nullptr;
    uint32_t monitorDpi_ = 0;
    uint32_t sizedDpi_ = kDesignDpi;
    Point dpiPointer_;
    bool findingPointer_ = false;
};
