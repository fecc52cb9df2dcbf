#include "app/OverlayAppearance_win.h"

#include "base/MonitorDpi_win.h"
#include "overlays/BigPointer.h"
#include "overlays/ClickIndicator.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/HaloGeometry.h"

#include <vector>

namespace {

// Shows the window on top when it is switched on and the program runs, hides it otherwise.
template <typename Overlay>
void ShowOrHide(Overlay& window, bool show) {
    if (show)
        window.ShowOnTop();
    else
        window.Hide();
}

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

void OverlayAppearance::LoadOverlays() {
    for (auto& arrow : overlays_.wheelArrow) arrow.Form_Load();
    for (auto& ring : overlays_.buttons) ring.Form_Load();
    overlays_.touch.Form_Load();
    for (int i = 0; i < 4; ++i) overlays_.crossHair[i].Form_Load(i);
    overlays_.spot.SetHolePercent(store_.HaloHolePercent());
    overlays_.spot.Form_Load(HaloValuesOf(record(), SizingDpi()).size);
    overlays_.pic.Form_Load();
    overlays_.keyBoard.Form_Load(WindowScale(SettingKey::ListLockPos, SettingKey::ListPosX, SettingKey::ListPosY).text);
    overlays_.bigPointer.Form_Load();
}

void OverlayAppearance::UnloadOverlays() {
    overlays_.spot.Unload();
    for (auto& arrow : overlays_.wheelArrow) arrow.Unload();
    overlays_.pic.Unload();
    overlays_.keyBoard.Unload();
    for (auto& arm : overlays_.crossHair) arm.Unload();
    for (auto& ring : overlays_.buttons) ring.Unload();
    overlays_.touch.Unload();
    overlays_.bigPointer.Unload();
}

Point OverlayAppearance::LockedPlace(SettingKey x, SettingKey y) const {
    const DisplayValues& display = Display();
    return {RoundEven(record().Get(x) / display.TwipsPerPixelX), RoundEven(record().Get(y) / display.TwipsPerPixelY)};
}

void OverlayAppearance::ApplyAll(bool paused, const std::function<void()>& listKeys) {
    for (int i = 0; i < 2; ++i) {
        overlays_.wheelArrow[i].Direction = i;
        overlays_.wheelArrow[i].Hide();
    }
    ApplyClickIndicator();
    ApplyCrossHair(paused);
    ApplyHalo(paused);
    ApplyMouseImage(paused);
    ApplyBigPointer(paused);
    ApplyKeyboard();
    listKeys();

    // Click-indicator windows wait below the desktop until their first click.
    const int32_t parked = desktop_.screenBounds.height + 1111;
    for (auto& ring : overlays_.buttons) ring.MoveTo({0, parked});
    ApplyOverlayOrder();
}

void OverlayAppearance::ApplyClickIndicator() {
    const DpiScale scale = PointerScale();
    const ClickIndicatorValues v = ClickIndicatorValuesOf(record(), scale.dpi);
    const int32_t side = v.side;
    const RingOptions options = RingOptionsOf(v, scale.text);
    for (auto& ring : overlays_.buttons) {
        ring.MakeTrans(v.alpha);
        ring.SetFadeSeconds(v.fadeSeconds);
        ring.SetOptions(options);
        ring.Resize({side, side});
        if (!v.on) ring.HideWindow();
    }
    const Size arrowSize = v.arrowSize;
    for (auto& arrow : overlays_.wheelArrow) {
        arrow.MakeTrans(v.alpha);
        arrow.SetLine(v.wheelColour, v.wheelWidth);
        arrow.Resize(arrowSize);
    }
    overlays_.touch.SetLook(v.alpha, v.colours[0], scale.dpi / double(kDesignDpi));
    if (!v.on) overlays_.touch.Hide();
}

void OverlayAppearance::ApplyCrossHair(bool paused) {
    const CrossHairValues v = CrossHairValuesOf(record(), SizingDpi());
    for (auto& arm : overlays_.crossHair) {
        arm.MakeTrans(v.alpha, false);
        arm.Gap = v.gap;
        arm.Resize(ArmSize(static_cast<CrossHairArm>(arm.ArmIndex), v.thickness, desktop_.screenBounds));
        arm.SetColors(v.colour, v.lineColour);
        arm.SetArrows(v.arrows);
        if (v.on && !paused)
            arm.MoveTo(arm.Placement(CursorPosition()));
    }
    for (auto& arm : overlays_.crossHair) ShowOrHide(arm, v.on && !paused);
}

void OverlayAppearance::ApplyHalo(bool paused) {
    const HaloValues v = HaloValuesOf(record(), SizingDpi());
    frmSpot& spot = overlays_.spot;
    spot.MakeTrans(v.alpha, false);
    spot.SetFullScreen(v.fullScreen, desktop_.screenBounds);
    spot.SetHoleVisible(v.ring);
    spot.SetHaloSize(v.size);
    spot.SetColor(v.colour, false);
    if (spot.FullScreen()) {
        spot.SetBackColor(v.colour);
        spot.DrawHole(true);
    }
    // Shown in its new size and colour, at the pointer: never a frame of the old halo.
    const bool show = v.on && !paused;
    if (show && !spot.FullScreen()) spot.MoveTo(CentreHaloOnPointer(CursorPosition(), spot.ClientSize()));
    ShowOrHide(spot, show);
}

void OverlayAppearance::ApplyMouseImage(bool paused) {
    const DpiScale scale =
        WindowScale(SettingKey::MouseImageLockPos, SettingKey::MouseImagePosX, SettingKey::MouseImagePosY);
    const MouseImageValues v = MouseImageValuesOf(record(), scale.dpi);
    frmPic& pic = overlays_.pic;
    pic.MakeTrans(v.alpha, false);
    pic.SetColor(v.black);
    pic.SetTextScale(scale.text);
    pic.Resize(v.WindowSize(pic.PictureSize()));
    if (v.lockPos && !pic.LockPos) pic.MoveTo(LockedPlace(SettingKey::MouseImagePosX, SettingKey::MouseImagePosY));
    pic.LockPos = v.lockPos;
    ShowOrHide(pic, v.on && !paused);
}

void OverlayAppearance::ApplyBigPointer(bool paused) {
    frmBigPointer& big = overlays_.bigPointer;
    // No transparency of its own: opaque, and the fade lends a share of that.
    big.MakeTrans(255, false);
    big.SetPercent(BigPointerPercentNow());
    const bool show = record().IsOn(SettingKey::BigPointer) && !paused;
    if (show) big.Follow(CursorPosition());
    ShowOrHide(big, show);
}

void OverlayAppearance::FindBigPointer(bool finding) {
    findingPointer_ = finding;
    overlays_.bigPointer.SetPercent(BigPointerPercentNow());
}

int32_t OverlayAppearance::BigPointerPercentNow() {
    SizingDpi();
    const bool follow = record().IsOn(SettingKey::SameSizeOnEveryMonitor);
    return BigPointerPercent(record().GetInt(SettingKey::BigPointerScale), findingPointer_, follow ? monitorDpi_ : 0,
                             static_cast<uint32_t>(RoundEven(1440.0 / Display().TwipsPerPixelY)));
}

void OverlayAppearance::ApplyKeyboard() {
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    const bool lock = record().IsOn(SettingKey::ListLockPos);
    if (lock && !keyBoard.LockPos)
        keyBoard.MoveTo(LockedPlace(SettingKey::ListPosX, SettingKey::ListPosY));
    keyBoard.LockPos = lock;
    ScaleKeyboard(CursorPosition());
    ApplyKeyboardAlphaAndLines();
}

void OverlayAppearance::ApplyKeyboardAlphaAndLines() {
    overlays_.keyBoard.MakeTrans(TransparencyToAlpha(record().Get(SettingKey::KeyBoardTrans)));
    overlays_.keyBoard.SetFadingTime(static_cast<float>(record().Get(SettingKey::ListKeysFading)));
    overlays_.keyBoard.SetRepeatCount(record().IsOn(SettingKey::ListRepeatCount));
}

void OverlayAppearance::ShowSwitchedOn(bool paused) {
    ShowOrHide(overlays_.spot, record().IsOn(SettingKey::Halo) && !paused);
    ShowOrHide(overlays_.pic, record().IsOn(SettingKey::MouseImage) && !paused);
    for (auto& arm : overlays_.crossHair) ShowOrHide(arm, record().IsOn(SettingKey::Crosshair) && !paused);
    ShowOrHide(overlays_.bigPointer, record().IsOn(SettingKey::BigPointer) && !paused);
}

void OverlayAppearance::ApplyOverlayOrder() {
    // Each comes to the front in turn, so the last ends up on top.
    std::vector<HWND> order{overlays_.spot.hwnd()};
    for (auto& arm : overlays_.crossHair) order.push_back(arm.hwnd());
    order.push_back(overlays_.pic.hwnd());
    for (auto& ring : overlays_.buttons) order.push_back(ring.hwnd());
    order.push_back(overlays_.touch.hwnd());
    order.push_back(overlays_.keyBoard.hwnd());
    for (auto& arrow : overlays_.wheelArrow) order.push_back(arrow.hwnd());
    order.push_back(overlays_.bigPointer.hwnd());
    for (HWND window : order)
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

// Asked only when the pointer moved, and the DPI only when it is on another monitor.
void OverlayAppearance::FollowMonitorDpi(Point pointer) {
    if (!record().IsOn(SettingKey::SameSizeOnEveryMonitor)) {
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

uint32_t OverlayAppearance::SizingDpi() {
    const bool follow = record().IsOn(SettingKey::SameSizeOnEveryMonitor);
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
OverlayAppearance::DpiScale OverlayAppearance::ScaleFor(uint32_t monitorDpi) {
    return {OverlayDpi(true, monitorDpi), monitorDpi ? static_cast<double>(monitorDpi) / kDesignDpi : Display().ScaleY};
}

OverlayAppearance::DpiScale OverlayAppearance::PointerScale() {
    SizingDpi();
    return ScaleFor(record().IsOn(SettingKey::SameSizeOnEveryMonitor) ? monitorDpi_ : 0);
}

// A locked window does not follow the pointer to another monitor, so it keeps the size of the
// one it stays on: measured at its top-left corner, which a re-size leaves in place.
OverlayAppearance::DpiScale OverlayAppearance::WindowScale(SettingKey lock, SettingKey x, SettingKey y) {
    if (!record().IsOn(lock)) return PointerScale();
    const bool follow = record().IsOn(SettingKey::SameSizeOnEveryMonitor);
    return ScaleFor(follow ? MonitorDpi(MonitorAt(LockedPlace(x, y))) : 0);
}

void OverlayAppearance::ScaleKeyboard(Point pointer) {
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    if (!keyBoard.SetScale(WindowScale(SettingKey::ListLockPos, SettingKey::ListPosX, SettingKey::ListPosY).text))
        return;
    const Size size = keyBoard.Display().Layout().window;
    Reshape(keyBoard, size,
            keyBoard.LockPos ? keyBoard.Position()
                             : PositionNearPointer(pointer, size, store_.Offsets().KeyboardOffsetFactor, -11, desktop_.BoundaryRect));
}

// Only sizes change: colours, alphas, fades and what is shown stay as they are.
void OverlayAppearance::ResizeForDpi() {
    const DpiScale scale = PointerScale();
    const uint32_t dpi = scale.dpi;
    const Point pointer = CursorPosition();

    const HaloValues halo = HaloValuesOf(record(), dpi);
    frmSpot& spot = overlays_.spot;
    if (!spot.FullScreen()) {
        const int32_t side = HaloWindowSide(halo.size);
        Reshape(spot, {side, side}, CentreHaloOnPointer(pointer, {side, side}));
    }
    // Full screen: the hole takes the size, and the tick centres it.
    spot.SetHaloSize(halo.size);

    const CrossHairValues cross = CrossHairValuesOf(record(), dpi);
    for (auto& arm : overlays_.crossHair) {
        const auto which = static_cast<CrossHairArm>(arm.ArmIndex);
        const Size size = ArmSize(which, cross.thickness, desktop_.screenBounds);
        arm.Gap = cross.gap;
        Reshape(arm, size, PlaceArm(which, pointer, size, cross.gap));
        arm.MoveTo(arm.Placement(pointer));  // a new gap alone moves the arm without re-sizing it
    }

    const ClickIndicatorValues rings = ClickIndicatorValuesOf(record(), dpi);
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
    const Size picSize = MouseImageValuesOf(record(), picScale.dpi).WindowSize(pic.PictureSize());
    Reshape(pic, picSize,
            pic.LockPos ? pic.Position()
                        : PositionNearPointer(pointer, picSize, store_.Offsets().PictureOffsetFactor, 11, desktop_.BoundaryRect));

    ScaleKeyboard(pointer);
    overlays_.bigPointer.SetPercent(BigPointerPercentNow());
}

void OverlayAppearance::DesktopChanged() {
    const int32_t thickness = CrossHairValuesOf(record(), sizedDpi_).thickness;
    for (auto& arm : overlays_.crossHair)
        arm.Resize(ArmSize(static_cast<CrossHairArm>(arm.ArmIndex), thickness, desktop_.screenBounds));
    if (overlays_.spot.FullScreen()) overlays_.spot.SetFullScreen(true, desktop_.screenBounds);
}
