#include "app/Program_win.h"

#include "app/CommandLine.h"
#include "app/CrashReport_win.h"
#include "settings/SettingsFile_win.h"
#include "app/modMain_win.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/OverlayValues.h"

namespace {

constexpr UINT kMainInterval = 15;
constexpr UINT kLowRefreshInterval = 45;
constexpr UINT kKeyBoardInterval = 100;
constexpr UINT kLoadOverlaysMessage = WM_APP + 40;

MouseEventTrace g_trace = nullptr;

void DispatchMouseEvent(void* context, int32_t code, int32_t data, uint32_t held) {
    static_cast<Program*>(context)->HookEvent(code, data, held);
}

}  // namespace

void SetMouseEventTrace(MouseEventTrace trace) { g_trace = trace; }

Program& TheProgram() {
    static Program program;
    return program;
}

bool Program::Form_Load(SettingsWindowLink link) {
    if (!CreateWindowOf(0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE)) return false;
    link_ = std::move(link);
    SharedLanguage();
    PictureOffsetFactor = KeyboardOffsetFactor = 1.0;
    Main().HaloHolePercent = kHaloHolePercentDefault;
    // The record and its language now, so that the settings window opens showing them; the
    // overlays, hooks and timers come once it stands painted, as the message loop runs.
    ChooseSettingsFile();
    ::PostMessageW(hwnd(), kLoadOverlaysMessage, 0, 0);
    return true;
}

void Program::LoadOverlays() {
    if (loaded_) return;
    for (auto& arrow : overlays_.wheelArrow) arrow.Form_Load();
    for (auto& ring : overlays_.buttons) ring.Form_Load();
    for (int i = 0; i < 4; ++i) overlays_.crossHair[i].Form_Load(i);
    overlays_.spot.Form_Load(HaloValuesOf(settings_, SizingDpi()).size);
    overlays_.pic.Form_Load();
    overlays_.keyBoard.Form_Load(WindowScale(SettingKey::ListLockPos, SettingKey::ListPosX, SettingKey::ListPosY).text);

    ResetIdleTimer();
    ApplySettings();
    InstallMouseHooks(hwnd(), &DispatchMouseEvent, this);
    StartSafeguards();
    tray_.Add(link_.icon,
              {link_.showThisForm, [this] { TogglePause(PauseSource::Menu); }, link_.exit, [this] { return Paused(); }},
              TakeCrashAnnouncement());
    tmrMain.Start(hwnd(), MainTimer, MainInterval());
    tmrKeyBoard.Start(hwnd(), KeyBoardTimer, kKeyBoardInterval);
    SyncAutoHideTimer();
    loaded_ = true;
}

void Program::Form_Unload(const SettingsWindowState& window) {
    // Loaded or not: the message window has stood since the process began.
    RestoreMessageWindow();
    if (!loaded_) {
        // Closed before the overlays came: nothing was shown or changed yet.
        Unload();
        return;
    }
    loaded_ = false;
    tray_.Remove();
    StopSafeguards();
    RemoveMouseHooks();
    passwordFocus_.Stop();
    for (handles::Timer* timer : {&tmrMain, &tmrKeyBoard, &tmrBlink, &tmrAutoHide, &tmrFade}) timer->Stop();
    settings_.Set(SettingKey::WindowState, window.state);
    settings_.Set(SettingKey::WindowVisible, window.visible ? 1 : 0);
    const ProcessValues& main = Main();
    const Point pic = overlays_.pic.Position(), keyBoard = overlays_.keyBoard.Position();
    settings_.Set(SettingKey::MouseImagePosX, pic.x * main.TwipsPerPixelX);
    settings_.Set(SettingKey::MouseImagePosY, pic.y * main.TwipsPerPixelY);
    settings_.Set(SettingKey::ListPosX, keyBoard.x * main.TwipsPerPixelX);
    settings_.Set(SettingKey::ListPosY, keyBoard.y * main.TwipsPerPixelY);
    SaveSettings();

    overlays_.spot.Unload();
    for (auto& arrow : overlays_.wheelArrow) arrow.Unload();
    overlays_.pic.Unload();
    overlays_.keyBoard.Unload();
    for (auto& arm : overlays_.crossHair) arm.Unload();
    for (auto& ring : overlays_.buttons) ring.Unload();
    Unload();
}

UINT Program::MainInterval() const {
    if (mainIntervalOverride_) return mainIntervalOverride_;
    return settings_.IsOn(SettingKey::LowRefresh) ? kLowRefreshInterval : kMainInterval;
}

void Program::ChooseSettingsFile() {
    isLoadingSettings_ = true;
    const int32_t systemLanguage = SharedLanguage().SystemLanguage();
    // Loading sets every key, to its default where the file has none, and makes each
    // value one its control can hold.
    if (settingsPathOverride_.empty()) {
        settingsPath_ = ::ChooseSettingsFile(settings_, systemLanguage);
    } else {
        settingsPath_ = settingsPathOverride_;
        LoadSettingsAtStart(settings_, settingsPath_, systemLanguage);
    }
    SetCrashReportFolder(settingsPath_);
    SettingsRead();
}

void Program::LoadSettings() {
    isLoadingSettings_ = true;
    LoadSettingsFile(settings_, settingsPath_, SharedLanguage().SystemLanguage());
    SettingsRead();
}

void Program::SettingsRead() {
    ApplyCommandLine();
    SharedLanguage().ChangeLanguage(settings_.GetInt(SettingKey::Language));
    pollSettings_ = KeyPollSettingsFrom(settings_);
    tracking_.PictureOffsetFactor = PictureOffsetFactor;
    tracking_.KeyboardOffsetFactor = KeyboardOffsetFactor;
    isLoadingSettings_ = false;
}

// After every load of the settings file, so that its values win over the file's; none of
// them is written into the record that is saved.
void Program::ApplyCommandLine() {
    const std::wstring_view arguments =
        commandLineOverride_ ? std::wstring_view(*commandLineOverride_) : ArgumentsOf(::GetCommandLineW());
    const CommandLineValues values = ParseCommandLine(arguments);
    startupWindowState_ = {settings_.GetInt(SettingKey::WindowState), settings_.IsOn(SettingKey::WindowVisible)};
    if (values.pictureOffsetFactor) PictureOffsetFactor = *values.pictureOffsetFactor;
    if (values.keyboardOffsetFactor) KeyboardOffsetFactor = *values.keyboardOffsetFactor;
    if (values.haloHolePercent && *values.haloHolePercent != Main().HaloHolePercent) {
        Main().HaloHolePercent = *values.haloHolePercent;
        // A halo already laid out takes the new hole at once; one created later reads it.
        if (loaded_) {
            overlays_.spot.OnResize();
            overlays_.spot.Repaint();
        }
    }
    if (values.pause) {
        // ApplySettings ends with optPause_Click; the window waits minimised, and in tray
        // mode hidden.
        pause_.Paused = true;
        startupWindowState_ = {1, settings_.IsOn(SettingKey::Taskbar)};
    }
}

void Program::SaveSettings() {
    settings_.Set(SettingKey::Language, SharedLanguage().CurrentLanguage());
    // A write-protected or locked file keeps what it had; nothing to tell the user at exit.
    SaveSettingsFile(settings_, settingsPath_);
}

void Program::ResetToDefaults(HWND owner) {
    const auto reload = [this] {
        LoadSettings();
        ApplySettings();
    };
    ::ResetToDefaults(owner, SharedLanguage(), settingsPath_, reload, [this] { SaveSettings(); });
}

void Program::MouseEvent(int32_t code, int32_t data) {
    if (Paused()) return;
    if (g_trace) g_trace(code, data);
    const Point pointer = CursorPosition();

    if (settings_.IsOn(SettingKey::Buttons)) {
        if (code == WheelTurned) {
            if (settings_.IsOn(SettingKey::ShowWheelArrows)) {
                frmWheelArrow& arrow = overlays_.wheelArrow[WheelArrowFor(data)];
                arrow.MoveTo(CentreOnPointer(pointer, arrow.ClientSize()));
                arrow.MouseEvent(WheelTurned, data);
            }
        } else if (const auto index = rings_.ClickIndicatorFor(code)) {
            frmButtons& ring = overlays_.buttons[*index];
            if (code == LeftUp || code == MiddleUp || code == RightUp) ring.SetKeyText(ModifierCaption());
            ring.MoveTo(CentreOnPointer(pointer, ring.ClientSize()));
            ring.MouseEvent(code, data);
        }
    }
    if (overlays_.pic.Shown()) overlays_.pic.MouseEvent(code, data);
    ResetIdleTimer();
}

void Program::HookEvent(int32_t code, int32_t data, uint32_t held) {
    heldAtEvent_ = held;
    MouseEvent(code, data);
}

void Program::tmrMain_Timer() {
    if (!Paused()) tracking_.KeepOnTop();
    tracking_.PlaceOverlays(false);
    FollowMonitorDpi(tracking_.LastPointer());
    ReleaseLostClicks();
}

void Program::DesktopChanged() {
    const int32_t thickness = CrossHairValuesOf(settings_, sizedDpi_).thickness;
    for (auto& arm : overlays_.crossHair)
        arm.Resize(ArmSize(static_cast<CrossHairArm>(arm.ArmIndex), thickness, Main().screenBounds));
    if (overlays_.spot.FullScreen()) overlays_.spot.SetFullScreen(true);
}

LRESULT Program::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        switch (wParam) {
        case MainTimer: tmrMain_Timer(); break;
        case KeyBoardTimer: tmrKeyBoard_Timer(); break;
        case BlinkTimer: tmrBlink_Timer(); break;
        case AutoHideTimer: tmrAutoHide_Timer(); break;
        case FadeTimer: tmrFade_Timer(); break;
        }
        return 0;
    case kMouseHookMessage:
        ::MouseMessage(wParam, lParam);
        return 0;
    case kPointerMovedMessage:
        PointerMoved();
        return 0;
    case kLoadOverlaysMessage:
        LoadOverlays();
        return 0;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}
