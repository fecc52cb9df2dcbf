#include "ui/frmSet_win.h"

#include "app/SettingsFile_win.h"
#include "app/modMain_win.h"
#include "controls/ColorPalette.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"
#include "res/resource.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kClientWidth = 580;  // at 96 dpi
constexpr int kClientHeight = 554;
constexpr UINT kMainInterval = 15;
constexpr UINT kLowRefreshInterval = 45;
constexpr UINT kStartupDelay = 777;

MouseEventTrace g_trace = nullptr;

void DispatchMouseEvent(void* context, int32_t code, int32_t data) {
    static_cast<frmSet*>(context)->MouseEvent(code, data);
}

}  // namespace

void SetMouseEventTrace(MouseEventTrace trace) { g_trace = trace; }

frmSet& SettingsWindow() {
    static frmSet window;
    return window;
}

HICON frmSet::ClassIcon() {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GLIMMORA), IMAGE_ICON, 0,
                                           0, LR_DEFAULTSIZE | LR_SHARED));
}

bool frmSet::Show() {
    handles::WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    RECT frame{0, 0, ::MulDiv(kClientWidth, dpi, 96), ::MulDiv(kClientHeight, dpi, 96)};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!CreateWindowOf(0, style, L"Glimmora - Settings", CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top))
        return false;
    Form_Load();
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd());
    return true;
}

void frmSet::Form_Load() {
    SharedLanguage();
    PictureOffsetFactor = KeyboardOffsetFactor = 1.0;
    Main().HaloHolePercent = kHaloHolePercentDefault;

    for (auto& arrow : overlays_.wheelArrow) arrow.Form_Load();
    for (auto& ring : overlays_.buttons) ring.Form_Load();
    for (int i = 0; i < 4; ++i) overlays_.crossHair[i].Form_Load(i);
    overlays_.spot.Form_Load();
    overlays_.pic.Form_Load();
    overlays_.keyBoard.Form_Load();

    ApplySettings();
    InstallMouseHooks(hwnd(), &DispatchMouseEvent, this);
    // The tray icon and its start balloon will be added here, before the message window.
    CreateMessageWindow();

    tmrMain.Start(hwnd(), MainTimer, settings_.IsOn(SettingKey::LowRefresh) ? kLowRefreshInterval : kMainInterval);
    tmrStartup.Start(hwnd(), StartupTimer, kStartupDelay);
}

void frmSet::ApplySettings() {
    ChooseSettingsFile();

    for (int i = 0; i < 2; ++i) {
        overlays_.wheelArrow[i].Direction = i;
        overlays_.wheelArrow[i].Hide();
    }
    for (auto& arm : overlays_.crossHair) arm.Hide();
    ApplyHaloSettings();
    // The mouse image and the keyboard display stay hidden until they have something to draw.
    overlays_.pic.Hide();
    overlays_.keyBoard.Hide();

    // Click-indicator windows wait below the desktop until their first click.
    const ScreenBounds& desktop = Main().screenBounds;
    const int32_t ringAlpha = TransparencyToAlpha(settings_.Get(SettingKey::ButtonsTrans));
    for (auto& ring : overlays_.buttons) {
        ring.MakeTrans(ringAlpha);
        ring.MoveTo({0, desktop.height + 1111});
    }

    // Each comes to the front in turn, so the last ends up on top.
    std::vector<HWND> order{overlays_.spot.hwnd()};
    for (auto& arm : overlays_.crossHair) order.push_back(arm.hwnd());
    order.push_back(overlays_.pic.hwnd());
    for (auto& ring : overlays_.buttons) order.push_back(ring.hwnd());
    order.push_back(overlays_.keyBoard.hwnd());
    for (auto& arrow : overlays_.wheelArrow) order.push_back(arrow.hwnd());
    for (HWND window : order)
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    colpicSpot_RGBChanged();
}

int32_t frmSet::HaloSize() const {
    return std::clamp(settings_.GetInt(SettingKey::HaloSize), kHaloSizeMin, kHaloSizeMax);
}

void frmSet::ApplyHaloSettings() {
    // The sliders and the colour picker hold their values within their ranges and on
    // the palette; until they exist the record stands in for them.
    settings_.Set(SettingKey::HaloSize, HaloSize());
    settings_.Set(SettingKey::HaloTrans, std::clamp(settings_.GetInt(SettingKey::HaloTrans), 0, 95));
    settings_.Set(SettingKey::HaloColor, SelectNearest(static_cast<uint32_t>(settings_.GetInt(SettingKey::HaloColor))).colour);

    sldTransSpot_Change();
    chkSpot_Click();
    sldSizeSpot_Change();
    chkRing_Click();
    chkFullScreen_Click();
}

void frmSet::sldTransSpot_Change() {
    overlays_.spot.MakeTrans(TransparencyToAlpha(settings_.Get(SettingKey::HaloTrans)), false);
}

void frmSet::sldSizeSpot_Change() {
    frmSpot& spot = overlays_.spot;
    const int32_t size = HaloSize();
    if (!spot.FullScreen()) {
        const int32_t side = HaloWindowSide(size);
        spot.Resize({side, side});
    } else {
        ShapeRect hole = spot.Hole();
        hole.width = hole.height = 2.0 * size;
        spot.SetHole(hole);
    }
}

void frmSet::chkSpot_Click() {
    if (settings_.IsOn(SettingKey::Halo) && !Paused())
        SetTopmost(overlays_.spot.hwnd());
    else
        overlays_.spot.Hide();
}

void frmSet::chkRing_Click() { overlays_.spot.SetHoleVisible(settings_.IsOn(SettingKey::HaloRing)); }

void frmSet::chkFullScreen_Click() {
    if (settings_.IsOn(SettingKey::HaloFullScreen)) {
        overlays_.spot.SetFullScreen(true);
    } else {
        overlays_.spot.SetFullScreen(false);
        chkRing_Click();
        sldSizeSpot_Change();
    }
}

void frmSet::colpicSpot_RGBChanged() {
    const COLORREF colour = static_cast<COLORREF>(settings_.GetInt(SettingKey::HaloColor));
    frmSpot& spot = overlays_.spot;
    spot.SetColor(colour, false);
    if (spot.FullScreen()) {
        spot.SetBackColor(colour);
        spot.DrawHole(true);
    }
}

void frmSet::MouseEvent(int32_t code, int32_t data) {
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
            // Releases will also carry the held modifiers' caption once the keyboard is polled.
            ring.MoveTo(CentreOnPointer(pointer, ring.ClientSize()));
            ring.MouseEvent(code, data);
        }
    }
    if (overlays_.pic.Shown()) overlays_.pic.MouseEvent(code, data);
}

void frmSet::ShowThisForm() {
    if (!::IsWindowVisible(hwnd()) || ::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(hwnd());
}

void frmSet::ApplyWindowState(int16_t state) {
    if (!::IsWindowVisible(hwnd())) return;
    ::ShowWindow(hwnd(), state == 1 ? SW_MINIMIZE : state == 2 ? SW_MAXIMIZE : SW_RESTORE);
}

void frmSet::tmrStartup_Timer() {
    tmrStartup.Stop();
    ApplyWindowState(SavedWindowState);
    if (!SavedWindowVisible) ::ShowWindow(hwnd(), SW_HIDE);
}

void frmSet::tmrMain_Timer() {
    if (!Paused()) tracking_.KeepOnTop();
    const TrackingInputs inputs{HaloSize(), PictureOffsetFactor, KeyboardOffsetFactor};
    if (tracking_.PlaceOverlays(false, inputs) && overlays_.spot.FullScreen()) {
        const ScreenBounds& b = Main().screenBounds;
        ::SetWindowPos(overlays_.spot.hwnd(), nullptr, b.left, b.top, b.width, b.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool frmSet::Form_QueryUnload(int unloadMode) {
    if (unloadMode != 0 || TaskbarMode) return true;
    // Closing from the title bar in tray mode keeps the program running.
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_HIDE);
    return false;
}

void frmSet::mnuExit_Click() { Form_Unload(); }

void frmSet::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    RestoreMessageWindow();
    // The tray icon will be removed here, before the hooks.
    RemoveMouseHooks();
    tmrMain.Stop();
    tmrStartup.Stop();
    SaveSettings();

    overlays_.spot.Unload();
    for (auto& arrow : overlays_.wheelArrow) arrow.Unload();
    overlays_.pic.Unload();
    overlays_.keyBoard.Unload();
    for (auto& arm : overlays_.crossHair) arm.Unload();
    for (auto& ring : overlays_.buttons) ring.Unload();
    Unload();
    ::PostQuitMessage(0);
}

LRESULT frmSet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        switch (wParam) {
        case MainTimer: tmrMain_Timer(); return 0;
        case StartupTimer: tmrStartup_Timer(); return 0;
        }
        break;
    case kMouseHookMessage:
        ::MouseMessage(static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam));
        return 0;
    case WM_CLOSE:
        // Only a close from the title bar or system menu arrives here.
        if (Form_QueryUnload(0)) Form_Unload();
        return 0;
    case WM_DPICHANGED: {
        // Keep the layout's physical size in step with the monitor it moved to.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ENDSESSION:
        if (wParam) Form_Unload();
        return 0;
    case WM_ERASEBKGND: {
        RECT area{};
        ::GetClientRect(hwnd(), &area);
        ::FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

void frmSet::ChooseSettingsFile() {
    IsLoadingSettings = true;
    clsLanguage& language = SharedLanguage();
    const int32_t systemLanguage = language.SystemLanguage();
    // Loading sets every key, to its default where the file has none.
    if (settingsPathOverride_.empty()) {
        settingsPath_ = ::ChooseSettingsFile(settings_, systemLanguage);
    } else {
        settingsPath_ = settingsPathOverride_;
        LoadSettingsFile(settings_, settingsPath_, systemLanguage);
    }
    // The values whose holders already exist take them over; the rest wait in the record.
    language.ChangeLanguage(settings_.GetInt(SettingKey::Language));
    TaskbarMode = settings_.IsOn(SettingKey::Taskbar);
    SavedWindowState = static_cast<int16_t>(settings_.GetInt(SettingKey::WindowState));
    SavedWindowVisible = settings_.IsOn(SettingKey::WindowVisible);
    IsLoadingSettings = false;
}

void frmSet::SaveSettings() {
    settings_.Set(SettingKey::Language, SharedLanguage().CurrentLanguage());
    settings_.Set(SettingKey::Taskbar, TaskbarMode ? 1 : 0);
    settings_.Set(SettingKey::WindowState, ::IsIconic(hwnd()) ? 1 : ::IsZoomed(hwnd()) ? 2 : 0);
    settings_.Set(SettingKey::WindowVisible, ::IsWindowVisible(hwnd()) ? 1 : 0);
    // A write-protected or locked file keeps what it had; nothing to tell the user at exit.
    SaveSettingsFile(settings_, settingsPath_);
}

void frmSet::mnuDefault_Click() {
    ResetToDefaults(hwnd(), SharedLanguage(), settingsPath_, [this] { ApplySettings(); }, [this] { SaveSettings(); });
}
