#include "app/Program_win.h"

#include "app/CrashReport_win.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"
#include "ui/DialogWindow_win.h"
#include "ui/PresetMenu_win.h"

namespace {

constexpr UINT kLoadOverlaysMessage = WM_APP + 40;

MouseEventTrace g_trace = nullptr;
ProgramLoadedTrace g_loadedTrace = nullptr;

void DispatchMouseEvent(void* context, int32_t code, int32_t data, uint32_t held) {
    static_cast<Program*>(context)->HookEvent(code, data, held);
}

}  // namespace

void SetMouseEventTrace(MouseEventTrace trace) { g_trace = trace; }
void SetProgramLoadedTrace(ProgramLoadedTrace trace) { g_loadedTrace = trace; }

Program& TheProgram() {
    static Program program;
    return program;
}

int StartProgram() {
    InstallCrashReport();
    WaitForHandover(ArgumentsOf(::GetCommandLineW()));
    if (SignalRunningInstance()) return 0;
    Program& program = TheProgram();
    if (!program.Start()) return 1;
    return program.Run();
}

bool Program::Start() {
    loaded_ = exited_ = false;
    if (!CreateWindowOf(0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE)) return false;
    // At once, so that a second start from now on finds this instance: its signal waits in
    // the queue until the settings window stands.
    instance_.CreateMessageWindow([this] {
        settingsWindow_.ShowThisForm();
        settingsWindow_.ShowHelp();
    });
    presence_.SetTimerWindow(hwnd());
    Display();
    desktop_ = {};
    desktop_.UpdateScreenBounds();
    // The record and its language now, so that the settings window opens showing them; the
    // overlays, hooks and timers come once it stands painted, as the message loop runs.
    isLoadingSettings_ = true;
    store_.Choose(SharedLanguage().SystemLanguage());
    SettingsRead();
    if (!settingsWindow_.Show(*this, store_.StartupWindowState())) return false;
    ::PostMessageW(hwnd(), kLoadOverlaysMessage, 0, 0);
    return true;
}

void Program::LoadOverlays() {
    if (loaded_ || exited_) return;
    look_.LoadOverlays();
    presence_.ResetIdleTimer();
    ApplySettings();
    InstallMouseHooks(hwnd(), &DispatchMouseEvent, this);
    guards_.Start([this] { EverySecond(); }, [this] { tracking_.CheckDesktop(); });
    tray_.Add(frmSet::ClassIcon(),
              {[this] { settingsWindow_.ShowThisForm(); }, [this] { TogglePause(PauseSource::Menu); }, [this] { Exit(); },
               [this] { return Paused(); }, [this] { return OfferRestartElevated(); }, [this] { RestartElevated(); },
               [this](UINT firstId) { return MakePresetMenu(*this, firstId); },
               [this](UINT id, UINT firstId) { return RunPresetMenu(*this, id, firstId, nullptr); }},
              TakeCrashAnnouncement());
    zOrder_.Start(hwnd());
    adminWindows_.Start(elevation_);
    keys_.StartKeyEvents(hwnd());
    loaded_ = true;
    ApplyRestPlan();
    if (g_loadedTrace) g_loadedTrace();
}

int Program::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The settings window's own keys and its Tab and arrow navigation come first.
        if (settingsWindow_.PreTranslateMessage(msg) || RouteDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Program::Exit() {
    if (exited_ || !hwnd()) return;
    exited_ = true;
    instance_.RestoreMessageWindow();
    if (loaded_) {
        loaded_ = false;
        tray_.Remove();
        zOrder_.Stop();
        adminWindows_.Stop();
        guards_.Stop();
        RemoveMouseHooks();
        sounds_.Stop();
        keys_.Stop();
        for (handles::Timer* timer : {&tmrMain, &tmrKeyBoard, &tmrFind}) timer->Stop();
        presence_.Stop();
        SaveWithWindowState();
        look_.UnloadOverlays();
    }
    // Closed before the overlays came: nothing was shown or changed yet, nothing is saved.
    settingsWindow_.Form_Unload();
    Unload();
    instance_.Release();
    ::PostQuitMessage(0);
}

void Program::SaveWithWindowState() {
    SettingsRecord& record = store_.Record();
    const SettingsWindowState state = settingsWindow_.State();
    record.Set(SettingKey::WindowState, state.state);
    record.Set(SettingKey::WindowVisible, state.visible ? 1 : 0);
    const DisplayValues& display = Display();
    const Point pic = overlays_.pic.Position(), keyBoard = overlays_.keyBoard.Position();
    record.Set(SettingKey::MouseImagePosX, pic.x * display.TwipsPerPixelX);
    record.Set(SettingKey::MouseImagePosY, pic.y * display.TwipsPerPixelY);
    record.Set(SettingKey::ListPosX, keyBoard.x * display.TwipsPerPixelX);
    record.Set(SettingKey::ListPosY, keyBoard.y * display.TwipsPerPixelY);
    SaveSettings();
}

void Program::RestartElevated() {
    if (!OfferRestartElevated() || !elevation_.startElevated) return;
    // Saved before the copy starts: should this process hang on its way out, the copy still
    // reads what the user set once its wait runs out.
    SaveWithWindowState();
    // The system's prompt holds this thread; our hooks would hold up every mouse input meanwhile.
    RemoveMouseHooks();
    if (!elevation_.startElevated(HandoverArguments())) {
        InstallMouseHooks(hwnd(), &DispatchMouseEvent, this);  // refused: this one goes on
        return;
    }
    Exit();
}

void Program::LookAtForeground() {
    adminWindows_.Look(Paused(), [this] {
        const double scale = overlays_.keyBoard.Display().Scale();
        const int32_t alpha = TransparencyToAlpha(Settings().Get(SettingKey::KeyBoardTrans));
        return NoticeLook{CursorPosition(), desktop_.screenBounds.AsRect(), scale, alpha};
    });
}

void Program::SettingsRead() {
    SharedLanguage().ChangeLanguage(Settings().GetInt(SettingKey::Language));
    // ApplySettings ends with the pause; the window waits minimised, and in tray mode hidden.
    if (store_.PauseAsked()) presence_.SetPaused(true);
    isLoadingSettings_ = false;
}

void Program::LoadSettings() {
    isLoadingSettings_ = true;
    store_.Reload(SharedLanguage().SystemLanguage());
    SettingsRead();
}

void Program::SaveSettings() {
    store_.Record().Set(SettingKey::Language, SharedLanguage().CurrentLanguage());
    store_.Save();
}

void Program::ResetToDefaults(HWND owner) {
    const auto reload = [this] {
        LoadSettings();
        ApplySettings();
    };
    store_.ResetToDefaults(owner, reload, [this] { SaveSettings(); });
}

// A value changed outside the window's controls (a shortcut, the pause, the reset): the
// window shows the record again.
void Program::ShowSettings() {
    if (settingsWindow_.hwnd()) settingsWindow_.ShowSettings();
}

void Program::ApplySettings() {
    look_.ApplyAll(Paused(), [this] {
        if (!isLoadingSettings_) ShowHideKeyboardWindow();
    });
    ShowPaused(Paused());
    ApplyRestPlan();
    SetTouchMarks(Settings().IsOn(SettingKey::ShowTouch));
    sounds_.Apply(Settings());
    ShowSettings();
}

void Program::ApplySetting(SettingKey key, double value) {
    store_.Record().Set(key, value);
    const SettingsRecord& record = Settings();
    switch (key) {
    case SettingKey::Buttons: case SettingKey::ButtonsSize: case SettingKey::ButtonsTrans:
    case SettingKey::ButtonsFading: case SettingKey::LeftButtonColor: case SettingKey::LeftButtonWidth:
    case SettingKey::MiddleButtonColor: case SettingKey::MiddleButtonWidth: case SettingKey::RightButtonColor:
    case SettingKey::RightButtonWidth: case SettingKey::WheelColor: case SettingKey::WheelWidth:
    case SettingKey::ShowWheelArrows: case SettingKey::ShowLettersOnRings: case SettingKey::RingsSameSize:
    case SettingKey::DisksAsClickIndicators:
        look_.ApplyClickIndicator();
        break;
    case SettingKey::MouseImage: case SettingKey::MouseImageSize: case SettingKey::MouseImageTrans:
    case SettingKey::MouseImageColor:
        look_.ApplyMouseImage(Paused());
        presence_.RefreshAutoHide(true);
        break;
    case SettingKey::MouseImageLockPos:
        look_.LockMouseImage(record.IsOn(key));
        presence_.RefreshAutoHide(true);
        break;
    case SettingKey::ListLockPos:
        look_.LockKeyboard(record.IsOn(key));
        break;
    case SettingKey::Halo: case SettingKey::HaloSize: case SettingKey::HaloTrans: case SettingKey::HaloRing:
    case SettingKey::HaloFullScreen: case SettingKey::HaloColor:
        look_.ApplyHalo(Paused());
        presence_.RefreshAutoHide(true);
        break;
    case SettingKey::BigPointer: case SettingKey::BigPointerScale:
        look_.ApplyBigPointer(Paused());
        presence_.RefreshAutoHide(true);
        break;
    case SettingKey::Crosshair: case SettingKey::CrosshairSize: case SettingKey::CrosshairTrans:
    case SettingKey::CrosshairGap: case SettingKey::CrosshairColor: case SettingKey::CrosshairArrows:
        look_.ApplyCrossHair(Paused());
        presence_.RefreshAutoHide(true);
        break;
    // Only the alpha and the lines' time and count: re-arranging the display would empty its list.
    case SettingKey::KeyBoardTrans: case SettingKey::ListKeysFading: case SettingKey::ListRepeatCount:
        look_.ApplyKeyboardAlphaAndLines();
        break;
    case SettingKey::ListSpecialKeys: case SettingKey::ListCharacterKeys: case SettingKey::ListCharacterSpecialKeys:
    case SettingKey::ListCursorKeys: case SettingKey::ListFunctionKeys: case SettingKey::ListInputKeys:
    case SettingKey::ListMouseButtons: case SettingKey::ListAnyKeys: case SettingKey::ShowKeysWindow:
    case SettingKey::ShowKeysClick:
        if (!isLoadingSettings_) ShowHideKeyboardWindow();
        break;
    case SettingKey::AutoHideKeyboard:
        presence_.SyncAutoHideTimer();
        break;
    case SettingKey::AutoHideMouse: case SettingKey::FadeAutoHide:
        presence_.ResetIdleTimer();
        presence_.SyncAutoHideTimer();
        break;
    case SettingKey::SameSizeOnEveryMonitor:
        look_.ResizeForDpi();
        break;
    case SettingKey::FollowPointerMoves:
        ApplyRestPlan();
        break;
    case SettingKey::ShowTouch:
        SetTouchMarks(record.IsOn(key));
        break;
    case SettingKey::ClickSounds: case SettingKey::ClickVolume:
        if (loaded_) sounds_.Apply(record);
        break;
    case SettingKey::LowRefresh:
        if (tmrMain.Enabled()) tmrMain.Start(hwnd(), MainTimer, MainInterval());
        break;
    default:
        // A shortcut's keys: the window's labels and menu and the other dialogs show them.
        if (SettingRowOf(key).group == SettingGroup::Shortcut) ShowSettings();
        break;
    }
}

void Program::SetPaused(bool paused) {
    if (paused != Paused()) ShowPaused(paused);
}

void Program::TogglePause(PauseSource source) {
    const std::optional<bool> paused = presence_.TogglePause(source);
    if (!paused) return;
    ShowPaused(*paused);
    ShowSettings();
}

void Program::ShowPaused(bool paused) {
    if (paused) {
        presence_.Pause();
        return;
    }
    presence_.SetPaused(false);
    // Everything is at the pointer before it shows; rings and arrows wait for the next event.
    tracking_.PlaceOverlays(true);
    look_.ShowSwitchedOn(false);
    ShowHideKeyboardWindow();
    presence_.RefreshAutoHide(true);
}

void Program::MouseEvent(int32_t code, int32_t data) {
    if (Paused()) return;
    if (g_trace) g_trace(code, data);
    const Point pointer = CursorPosition();
    const SettingsRecord& record = Settings();
    if (record.IsOn(SettingKey::Buttons)) {
        if (code == WheelTurned) {
            if (record.IsOn(SettingKey::ShowWheelArrows)) {
                frmWheelArrow& arrow = overlays_.wheelArrow[WheelArrowFor(data)];
                arrow.MoveTo(CentreOnPointer(pointer, arrow.ClientSize()));
                arrow.MouseEvent(WheelTurned, data);
            }
        } else if (const auto index = rings_.ClickIndicatorFor(code)) {
            frmButtons& ring = overlays_.buttons[*index];
            if (code == LeftUp || code == MiddleUp || code == RightUp) ring.SetKeyText(keys_.ModifierCaption());
            ring.MoveTo(CentreOnPointer(pointer, ring.ClientSize()));
            ring.MouseEvent(code, data);
        }
    }
    if (overlays_.pic.Shown()) overlays_.pic.MouseEvent(code, data);
    presence_.ResetIdleTimer();
}

void Program::TouchEvent(PointerKind kind, bool down) {
    PointerActivity();
    presence_.ResetIdleTimer();
    // A tap marks the screen where a click would ring, and only then.
    if (Paused() || !Settings().IsOn(SettingKey::Buttons)) return;
    if (down)
        overlays_.touch.Press(kind, CursorPosition());
    else
        overlays_.touch.Release();
}

void Program::HookEvent(int32_t code, int32_t data, uint32_t held) {
    keys_.SetHeldAtEvent(held);
    PointerActivity();
    MouseEvent(code, data);
    // The ring's modifier caption, and buttons listed as keys, come from the keyboard poll.
    WakeKeyPoll();
}

void Program::RunShortcut(HotKeyAction action) {
    const auto toggle = [this](SettingKey key) { ApplySetting(key, Settings().IsOn(key) ? 0 : 1); };
    switch (action) {
    case HotKeyAction::Blink: presence_.StartBlink(); break;
    case HotKeyAction::Pause: TogglePause(PauseSource::Shortcut); break;
    case HotKeyAction::Buttons: toggle(SettingKey::Buttons); break;
    case HotKeyAction::Picture: toggle(SettingKey::MouseImage); break;
    case HotKeyAction::Spot: toggle(SettingKey::Halo); break;
    case HotKeyAction::CrossHair: toggle(SettingKey::Crosshair); break;
    case HotKeyAction::KeyBoard: toggle(SettingKey::ListAnyKeys); break;
    case HotKeyAction::Preset: SwitchToPreset(store_.PresetList().Next(Settings())); break;
    }
    ShowSettings();
}

LRESULT Program::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == MainTimer)
            tmrMain_Timer();
        else if (wParam == KeyBoardTimer)
            tmrKeyBoard_Timer();
        else if (wParam == FindTimer)
            tmrFind_Timer();
        else
            presence_.OnTimer(wParam);
        return 0;
    case kMouseHookMessage:
        ::MouseMessage(wParam, lParam);
        // After the ring, and only handed over: this loop never waits for the sound.
        if (!Paused()) sounds_.Heard(static_cast<uint32_t>(wParam), static_cast<int16_t>(LOWORD(lParam)));
        return 0;
    case kPointerMovedMessage:
        PointerMoved();
        return 0;
    case kTouchHookMessage:
        TouchEvent(static_cast<PointerKind>(wParam), lParam != 0);
        return 0;
    case kLoadOverlaysMessage:
        LoadOverlays();
        return 0;
    case kZOrderChangedMessage:
        ZOrderWatch::Handled();
        if (!Paused()) tracking_.KeepOnTop();
        LookAtForeground();
        return 0;
    case WM_INPUT:
        KeyActivity();
        break;  // the default handling frees the input's data
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}
