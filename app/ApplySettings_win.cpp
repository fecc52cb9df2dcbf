// The one path from the settings record to the overlays. Start-up, the reset and the
// settings window's controls all end here, so an overlay never shows a value that did
// not come through its apply function.
#include "app/Program_win.h"

#include "app/modMain_win.h"
#include "overlays/ClickIndicator.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/HaloGeometry.h"
#include "overlays/OverlayValues.h"

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

ApplySettingsTrace g_applyTrace = nullptr;

void Trace(const char* step) {
    if (g_applyTrace) g_applyTrace(step);
}

}  // namespace

void SetApplySettingsTrace(ApplySettingsTrace trace) { g_applyTrace = trace; }

Point Program::LockedPlace(SettingKey x, SettingKey y) const {
    const ProcessValues& main = Main();
    return {RoundEven(settings_.Get(x) / main.TwipsPerPixelX), RoundEven(settings_.Get(y) / main.TwipsPerPixelY)};
}

void Program::ApplySettings() {
    for (int i = 0; i < 2; ++i) {
        overlays_.wheelArrow[i].Direction = i;
        overlays_.wheelArrow[i].Hide();
    }
    ApplyClickIndicator();
    ApplyCrossHair();
    ApplyHalo();
    ApplyMouseImage();
    ApplyKeyboard();

    // Click-indicator windows wait below the desktop until their first click.
    const int32_t parked = Main().screenBounds.height + 1111;
    for (auto& ring : overlays_.buttons) ring.MoveTo({0, parked});
    ApplyOverlayOrder();
    Trace("ApplyOverlayOrder");
    if (Paused())
        optPause_Click();
    else
        optPlay_Click();
    Trace(Paused() ? "optPause_Click" : "optPlay_Click");
    if (link_.settingsChanged) link_.settingsChanged();
}

void Program::ApplySetting(SettingKey key, double value) {
    settings_.Set(key, value);
    switch (key) {
    case SettingKey::Buttons: case SettingKey::ButtonsSize: case SettingKey::ButtonsTrans:
    case SettingKey::ButtonsFading: case SettingKey::LeftButtonColor: case SettingKey::LeftButtonWidth:
    case SettingKey::MiddleButtonColor: case SettingKey::MiddleButtonWidth: case SettingKey::RightButtonColor:
    case SettingKey::RightButtonWidth: case SettingKey::WheelColor: case SettingKey::WheelWidth:
    case SettingKey::ShowWheelArrows: case SettingKey::ShowLettersOnRings: case SettingKey::RingsSameSize:
    case SettingKey::DisksAsClickIndicators:
        ApplyClickIndicator();
        break;
    case SettingKey::MouseImage: case SettingKey::MouseImageSize: case SettingKey::MouseImageTrans:
    case SettingKey::MouseImageColor:
        ApplyMouseImage();
        break;
    // A lock leaves the window where it is now: the saved place is taken at start only.
    case SettingKey::MouseImageLockPos:
        overlays_.pic.LockPos = settings_.IsOn(key);
        RefreshAutoHide(true);
        break;
    case SettingKey::ListLockPos:
        overlays_.keyBoard.LockPos = settings_.IsOn(key);
        break;
    case SettingKey::Halo: case SettingKey::HaloSize: case SettingKey::HaloTrans: case SettingKey::HaloRing:
    case SettingKey::HaloFullScreen: case SettingKey::HaloColor:
        ApplyHalo();
        break;
    case SettingKey::Crosshair: case SettingKey::CrosshairSize: case SettingKey::CrosshairTrans:
    case SettingKey::CrosshairGap: case SettingKey::CrosshairColor: case SettingKey::CrosshairArrows:
        ApplyCrossHair();
        break;
    // Only the alpha and the lines' time: re-arranging the display would empty its list.
    case SettingKey::KeyBoardTrans:
        overlays_.keyBoard.MakeTrans(TransparencyToAlpha(settings_.Get(key)));
        break;
    case SettingKey::ListKeysFading:
        overlays_.keyBoard.SetFadingTime(static_cast<float>(settings_.Get(key)));
        break;
    case SettingKey::ListSpecialKeys: case SettingKey::ListCharacterKeys: case SettingKey::ListCharacterSpecialKeys:
    case SettingKey::ListCursorKeys: case SettingKey::ListFunctionKeys: case SettingKey::ListInputKeys:
    case SettingKey::ListMouseButtons: case SettingKey::ListAnyKeys: case SettingKey::ShowKeysWindow:
    case SettingKey::ShowKeysClick:
        pollSettings_ = KeyPollSettingsFrom(settings_);
        ShowHideKeyboardWindow();
        break;
    case SettingKey::AutoHideKeyboard: case SettingKey::HidePasswordKeys: case SettingKey::KeyNamesFromLayout:
        pollSettings_ = KeyPollSettingsFrom(settings_);
        SyncAutoHideTimer();
        break;
    case SettingKey::AutoHideMouse: case SettingKey::FadeAutoHide:
        ResetIdleTimer();
        SyncAutoHideTimer();
        break;
    case SettingKey::SameSizeOnEveryMonitor:
        ResizeForDpi();
        break;
    case SettingKey::LowRefresh:
        if (tmrMain.Enabled()) tmrMain.Start(hwnd(), MainTimer, MainInterval());
        break;
    default:
        // The shortcuts: the poller takes them from the record.
        if (SettingRowOf(key).group == SettingGroup::Shortcut) pollSettings_ = KeyPollSettingsFrom(settings_);
        break;
    }
}

void Program::ApplyClickIndicator() {
    Trace("ApplyClickIndicator");
    const DpiScale scale = PointerScale();
    const ClickIndicatorValues v = ClickIndicatorValuesOf(settings_, scale.dpi);
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
}

void Program::ApplyCrossHair() {
    Trace("ApplyCrossHair");
    const CrossHairValues v = CrossHairValuesOf(settings_, SizingDpi());
    for (auto& arm : overlays_.crossHair) {
        arm.MakeTrans(v.alpha, false);
        arm.Gap = v.gap;
        arm.Resize(ArmSize(static_cast<CrossHairArm>(arm.ArmIndex), v.thickness, Main().screenBounds));
        arm.SetColors(v.colour, v.lineColour);
        arm.SetArrows(v.arrows);
        if (v.on && !Paused())
            arm.MoveTo(arm.Placement(CursorPosition()));
    }
    for (auto& arm : overlays_.crossHair) ShowOrHide(arm, v.on && !Paused());
    RefreshAutoHide(true);
}

void Program::ApplyHalo() {
    Trace("ApplyHalo");
    const HaloValues v = HaloValuesOf(settings_, SizingDpi());
    frmSpot& spot = overlays_.spot;
    spot.MakeTrans(v.alpha, false);
    spot.SetFullScreen(v.fullScreen);
    spot.SetHoleVisible(v.ring);
    spot.SetHaloSize(v.size);
    spot.SetColor(v.colour, false);
    if (spot.FullScreen()) {
        spot.SetBackColor(v.colour);
        spot.DrawHole(true);
    }
    // Shown in its new size and colour, at the pointer: never a frame of the old halo.
    const bool show = v.on && !Paused();
    if (show && !spot.FullScreen()) spot.MoveTo(CentreHaloOnPointer(CursorPosition(), spot.ClientSize()));
    ShowOrHide(spot, show);
    RefreshAutoHide(true);
}

void Program::ApplyMouseImage() {
    Trace("ApplyMouseImage");
    const DpiScale scale =
        WindowScale(SettingKey::MouseImageLockPos, SettingKey::MouseImagePosX, SettingKey::MouseImagePosY);
    const MouseImageValues v = MouseImageValuesOf(settings_, scale.dpi);
    frmPic& pic = overlays_.pic;
    pic.MakeTrans(v.alpha, false);
    pic.SetColor(v.black);
    pic.SetTextScale(scale.text);
    pic.Resize(v.WindowSize(pic.PictureSize()));
    if (v.lockPos && !pic.LockPos) pic.MoveTo(LockedPlace(SettingKey::MouseImagePosX, SettingKey::MouseImagePosY));
    pic.LockPos = v.lockPos;
    ShowOrHide(pic, v.on && !Paused());
    RefreshAutoHide(true);
}

void Program::ApplyKeyboard() {
    Trace("ApplyKeyboard");
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    keyBoard.MakeTrans(TransparencyToAlpha(settings_.Get(SettingKey::KeyBoardTrans)));
    const bool lock = settings_.IsOn(SettingKey::ListLockPos);
    if (lock && !keyBoard.LockPos)
        keyBoard.MoveTo(LockedPlace(SettingKey::ListPosX, SettingKey::ListPosY));
    keyBoard.LockPos = lock;
    ScaleKeyboard(CursorPosition());
    keyBoard.SetFadingTime(static_cast<float>(settings_.Get(SettingKey::ListKeysFading)));
    ShowHideKeyboardWindow();
}

void Program::ShowSwitchedOn() {
    ShowOrHide(overlays_.spot, settings_.IsOn(SettingKey::Halo) && !Paused());
    ShowOrHide(overlays_.pic, settings_.IsOn(SettingKey::MouseImage) && !Paused());
    for (auto& arm : overlays_.crossHair) ShowOrHide(arm, settings_.IsOn(SettingKey::Crosshair) && !Paused());
}

void Program::ApplyOverlayOrder() {
    // Each comes to the front in turn, so the last ends up on top.
    std::vector<HWND> order{overlays_.spot.hwnd()};
    for (auto& arm : overlays_.crossHair) order.push_back(arm.hwnd());
    order.push_back(overlays_.pic.hwnd());
    for (auto& ring : overlays_.buttons) order.push_back(ring.hwnd());
    order.push_back(overlays_.keyBoard.hwnd());
    for (auto& arrow : overlays_.wheelArrow) order.push_back(arrow.hwnd());
    for (HWND window : order)
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}
