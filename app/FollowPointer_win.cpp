// Two ways the overlays keep up with the pointer beyond the tick: a move seen by the hook
// places them at once, and crossing to a monitor of another DPI re-sizes them so that they
// keep one physical size.
#include "app/Program_win.h"

#include "base/MonitorDpi_win.h"
#include "app/modMain_win.h"
#include "hook/MouseHooks_win.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/HaloGeometry.h"
#include "overlays/OverlayValues.h"

namespace {

// New size and place in one call, painted before it returns: a visible window is never seen
// at its old place in its new size, nor with an unpainted frame. A hidden one only takes the
// size; it is placed when it shows.
template <typename Overlay>
void Reshape(Overlay& window, Size size, Point place) {
    if (window.ClientSize() == size) return;
    if (!window.Shown()) {
        window.Resize(size);
        return;
    }
    ::SetWindowPos(window.hwnd(), nullptr, place.x, place.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::UpdateWindow(window.hwnd());
}

// The same centre in a new size: rings fading out where they were released stay there.
Point KeepCentre(Point place, Size from, Size to) {
    return {place.x + (from.width - to.width) / 2, place.y + (from.height - to.height) / 2};
}

}  // namespace

void Program::PointerMoved() {
    PointerMoveHandled();
    if (settings_.IsOn(SettingKey::FollowPointerMoves) && !Paused()) tracking_.FollowPointer();
}

// Asked only when the pointer moved, and the DPI only when it is on another monitor.
void Program::FollowMonitorDpi(Point pointer) {
    if (!settings_.IsOn(SettingKey::SameSizeOnEveryMonitor)) {
        pointerMonitor_ = nullptr;  // measured afresh when switched on again
        return;
    }
    if (pointerMonitor_ && pointer == dpiPointer_) return;
    dpiPointer_ = pointer;
    const HMONITOR monitor = MonitorAt(pointer);
    if (monitor == pointerMonitor_) return;
    pointerMonitor_ = monitor;
    monitorDpi_ = MonitorDpi(monitor);
    if (OverlayDpi(true, monitorDpi_) != sizedDpi_) ResizeForDpi();
}

uint32_t Program::SizingDpi() {
    const bool follow = settings_.IsOn(SettingKey::SameSizeOnEveryMonitor);
    if (follow && !pointerMonitor_) {
        dpiPointer_ = CursorPosition();
        pointerMonitor_ = MonitorAt(dpiPointer_);
        monitorDpi_ = MonitorDpi(pointerMonitor_);
    }
    sizedDpi_ = OverlayDpi(follow, monitorDpi_);
    return sizedDpi_;
}

// Text was always drawn at the system's scale; on a monitor whose DPI is known and followed it
// takes that DPI, as every other length does.
Program::DpiScale Program::ScaleFor(uint32_t monitorDpi) {
    return {OverlayDpi(true, monitorDpi), monitorDpi ? static_cast<double>(monitorDpi) / kDesignDpi : Main().ScaleY};
}

Program::DpiScale Program::PointerScale() {
    SizingDpi();
    return ScaleFor(settings_.IsOn(SettingKey::SameSizeOnEveryMonitor) ? monitorDpi_ : 0);
}

// A locked window does not follow the pointer to another monitor, so it keeps the size of the
// one it stays on: measured at its top-left corner, which a re-size leaves in place.
Program::DpiScale Program::WindowScale(SettingKey lock, SettingKey x, SettingKey y) {
    if (!settings_.IsOn(lock)) return PointerScale();
    const bool follow = settings_.IsOn(SettingKey::SameSizeOnEveryMonitor);
    return ScaleFor(follow ? MonitorDpi(MonitorAt(LockedPlace(x, y))) : 0);
}

void Program::ScaleKeyboard(Point pointer) {
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    if (!keyBoard.SetScale(WindowScale(SettingKey::ListLockPos, SettingKey::ListPosX, SettingKey::ListPosY).text))
        return;
    const Size size = keyBoard.Display().Layout().window;
    Reshape(keyBoard, size,
            keyBoard.LockPos ? keyBoard.Position()
                             : PositionNearPointer(pointer, size, KeyboardOffsetFactor, -11, Main().BoundaryRect));
}

// Only sizes change: colours, alphas, fades and what is shown stay as they are.
void Program::ResizeForDpi() {
    const DpiScale scale = PointerScale();
    const uint32_t dpi = scale.dpi;
    const Point pointer = CursorPosition();

    const HaloValues halo = HaloValuesOf(settings_, dpi);
    frmSpot& spot = overlays_.spot;
    if (!spot.FullScreen()) {
        const int32_t side = HaloWindowSide(halo.size);
        Reshape(spot, {side, side}, CentreHaloOnPointer(pointer, {side, side}));
    }
    // Full screen: the hole takes the size, and the tick centres it.
    spot.SetHaloSize(halo.size);

    const CrossHairValues cross = CrossHairValuesOf(settings_, dpi);
    for (auto& arm : overlays_.crossHair) {
        const auto which = static_cast<CrossHairArm>(arm.ArmIndex);
        const Size size = ArmSize(which, cross.thickness, Main().screenBounds);
        arm.Gap = cross.gap;
        Reshape(arm, size, PlaceArm(which, pointer, size, cross.gap));
        arm.MoveTo(arm.Placement(pointer));  // a new gap alone moves the arm without re-sizing it
    }

    const ClickIndicatorValues rings = ClickIndicatorValuesOf(settings_, dpi);
    const RingOptions options = RingOptionsOf(rings, scale.text);
    const Size ringSize{rings.side, rings.side};
    for (auto& ring : overlays_.buttons) {
        ring.SetOptions(options);
        Reshape(ring, ringSize,
                ring.Tracking() ? CentreOnPointer(pointer, ringSize)
                                : KeepCentre(ring.Position(), ring.ClientSize(), ringSize));
    }
    for (auto& arrow : overlays_.wheelArrow) {
        arrow.SetLine(rings.wheelColour, rings.wheelWidth);
        Reshape(arrow, rings.arrowSize, KeepCentre(arrow.Position(), arrow.ClientSize(), rings.arrowSize));
    }

    frmPic& pic = overlays_.pic;
    const DpiScale picScale = WindowScale(SettingKey::MouseImageLockPos, SettingKey::MouseImagePosX,
                                          SettingKey::MouseImagePosY);
    pic.SetTextScale(picScale.text);
    const Size picSize = MouseImageValuesOf(settings_, picScale.dpi).WindowSize(pic.PictureSize());
    Reshape(pic, picSize,
            pic.LockPos ? pic.Position()
                        : PositionNearPointer(pointer, picSize, PictureOffsetFactor, 11, Main().BoundaryRect));

    ScaleKeyboard(pointer);
}
