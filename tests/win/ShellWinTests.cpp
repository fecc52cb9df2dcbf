// The shell under Wine: real windows, real layered attributes, the tracking tick and
// the start-up / tear-down of the settings window.
#include "base/Text_win.h"
#include "app/Tracking_win.h"
#include "app/Program_win.h"
#include "hook/MouseHooks_win.h"
#include "ui/Dialogs_win.h"
#include "ui/frmHelp_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/Pump.h"
#include "tests/win/TempFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

void PrepareDisplay() {
}

struct Layered {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
Layered LayeredOf(HWND window) {
    Layered l;
    ::GetLayeredWindowAttributes(window, &l.key, &l.alpha, &l.flags);
    return l;
}

// Counts the moves and restacks the window system is asked for, by watching
// WM_WINDOWPOSCHANGING on this thread.
int g_positionChanges = 0;
LRESULT CALLBACK CountPositionChanges(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGING) ++g_positionChanges;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Our top-level windows by class name.
std::map<std::wstring, int> OwnWindowsByClass() {
    std::map<std::wstring, int> found;
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process != ::GetCurrentProcessId()) return TRUE;
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            ++(*reinterpret_cast<std::map<std::wstring, int>*>(param))[name];
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

TEST(Display, ColourKeyReadsBackTheDesignColourOnATrueColourScreen) {
    EXPECT_EQ(ReadColourKey(), RGB(255, 245, 255));
    Desktop desktop;
    EXPECT_TRUE(desktop.UpdateScreenBounds());
    EXPECT_EQ(desktop.screenBounds, (ScreenBounds{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}));
    EXPECT_EQ(desktop.BoundaryRect, desktop.screenBounds.AsRect());
}

TEST(Halo, StylesAndFadeKeepTheUsersAlphaAndTheHoleRepaintsOnlyWhenItChanges) {
    PrepareDisplay();
    frmSpot spot;
    ASSERT_TRUE(spot.Form_Load());
    // Transparent: clicks go through.
    const LONG_PTR styles = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    EXPECT_EQ(::GetWindowLongPtrW(spot.hwnd(), GWL_EXSTYLE) & styles, styles);
    EXPECT_TRUE(::IsWindowVisible(spot.hwnd()));
    EXPECT_EQ(spot.ClientSize(), (Size{201, 201}));

    spot.MakeTrans(51, false);
    const Layered l = LayeredOf(spot.hwnd());
    EXPECT_TRUE(l.key == Display().ColourKey && l.alpha == 51 && l.flags == (LWA_COLORKEY | LWA_ALPHA))
        << std::hex << l.key << " " << int(l.alpha) << " " << l.flags;

    // A fade step changes what shows but not what the user chose.
    spot.SetHidden(true);
    spot.MakeTrans(20, true);
    EXPECT_EQ(LayeredOf(spot.hwnd()).alpha, 20);
    EXPECT_EQ(spot.AlphaOriginal(), 51);
    EXPECT_TRUE(spot.Hidden());
    spot.MakeTrans(128, false);
    EXPECT_EQ(spot.AlphaOriginal(), 128);
    EXPECT_FALSE(spot.Hidden());

    // Full screen, the hole repaints only when its pixels change.
    spot.SetColor(RGB(255, 0, 0), false);
    spot.SetFullScreen(true, MeasureScreenBounds());
    RECT r{};
    ::GetWindowRect(spot.hwnd(), &r);
    const ScreenBounds desktop = MeasureScreenBounds();
    EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), desktop.AsRect());

    spot.SetHole(FullScreenHole({300, 200}, spot.Position(), 100));
    spot.DrawHole(false);
    EXPECT_EQ(spot.LastHoleRect(), (Rect{200, 100, 400, 300}));
    ::ValidateRect(spot.hwnd(), nullptr);

    // Same pixels: nothing is invalidated.
    spot.SetHole(FullScreenHole({300, 200}, spot.Position(), 100));
    spot.DrawHole(false);
    EXPECT_FALSE(::GetUpdateRect(spot.hwnd(), nullptr, FALSE));
    // A colour change forces it.
    spot.DrawHole(true);
    EXPECT_TRUE(::GetUpdateRect(spot.hwnd(), nullptr, FALSE));
    ::ValidateRect(spot.hwnd(), nullptr);

    // While fading out the hole stays where it was.
    spot.SetHidden(true);
    spot.SetHole(FullScreenHole({600, 400}, spot.Position(), 100));
    spot.DrawHole(false);
    EXPECT_EQ(spot.LastHoleRect(), (Rect{200, 100, 400, 300}));
    EXPECT_FALSE(::GetUpdateRect(spot.hwnd(), nullptr, FALSE));

    // Blinking has no visible effect in full-screen mode, so it does not start.
    spot.StartBlink();
    EXPECT_FALSE(spot.IsBlinking());
    spot.SetFullScreen(false, MeasureScreenBounds());
    spot.StartBlink();
    EXPECT_TRUE(spot.IsBlinking());
    spot.tmrBlink_Timer();
    spot.StopBlink();
    EXPECT_EQ(spot.StoredColor(), RGB(255, 0, 0));
}

TEST(Tracking, FollowsThePointerAndLeavesStillWindowsAlone) {
    PrepareDisplay();
    Overlays overlays;
    ASSERT_TRUE(overlays.spot.Form_Load());
    for (int i = 0; i < 4; ++i) overlays.crossHair[i].Form_Load(i);
    for (auto& ring : overlays.buttons) ring.Form_Load();
    for (auto& arrow : overlays.wheelArrow) arrow.Form_Load();
    overlays.pic.Form_Load();
    overlays.keyBoard.Form_Load();
    for (auto& arrow : overlays.wheelArrow) arrow.Hide();
    overlays.pic.Hide();
    overlays.keyBoard.Hide();

    int desktopChanges = 0;
    Desktop desktop;
    desktop.UpdateScreenBounds();
    const PointerOffsets offsets;
    Tracking tracking(overlays, desktop, offsets, [&] { ++desktopChanges; });
    ASSERT_TRUE(::SetCursorPos(300, 250));
    Pump(50);
    const Point pointer = CursorPosition();
    tracking.PlaceOverlays(false);
    EXPECT_EQ(overlays.spot.Position(), CentreHaloOnPointer(pointer, {201, 201}));
    tracking.KeepOnTop();

    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CountPositionChanges, nullptr, ::GetCurrentThreadId());
    g_positionChanges = 0;
    for (int i = 0; i < 20; ++i) {
        tracking.KeepOnTop();
        tracking.PlaceOverlays(false);
    }
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_positionChanges, 0) << "a still pointer must not move or restack any window";

    // The desktop is measured again on every 101st tick.
    for (int i = tracking.TickCounter(); i < 101; ++i) tracking.PlaceOverlays(false);
    EXPECT_EQ(tracking.TickCounter(), 0);
    EXPECT_EQ(desktopChanges, 0);
}

TEST(Startup, SettingsWindowLoadsOverlaysAnswersASecondStartAndTearsDownInOrder) {
    PrepareDisplay();
    const handles::LiveCounts before = handles::Live();
    const std::wstring file = TempPath(L"glimmora-shell-test\\Glimmora.ini");
    ::DeleteFileW(file.c_str());
    Program& program = TheProgram();
    program.SetSettingsPathForTest(Narrow(file));
    ASSERT_TRUE(program.Start());
    // A second start while the overlays have not come yet is answered as the loop runs.
    EXPECT_FALSE(program.Loaded());
    ::PostMessageW(::FindWindowW(nullptr, kMessageWindowTitle), ::RegisterWindowMessageW(kMessageIdName), 0, 0);
    frmSet& settings = program.SettingsWindow();
    Pump(100);
    EXPECT_TRUE(::IsWindowVisible(HelpWindow().hwnd())) << "a second start during the start-up opens no help";
    HelpWindow().HideDialog();

    auto windows = OwnWindowsByClass();
    for (const auto& [name, count] : std::map<std::wstring, int>{{L"frmSet", 1}, {L"frmSpot", 1}, {L"frmCrossHair", 4},
                                                                 {L"frmButtons", 17}, {L"frmWheelArrow", 2},
                                                                 {L"frmPic", 1}, {L"frmKeyBoard", 1}})
        EXPECT_EQ(windows[L"Glimmora_" + name], count) << Narrow(name);
    EXPECT_TRUE(HooksInstalled());
    // Defaults: halo on, 201 px, alpha of 80 % transparency; cross hair off.
    EXPECT_TRUE(program.overlays().spot.Shown());
    EXPECT_EQ(program.overlays().spot.ClientSize(), (Size{201, 201}));
    EXPECT_EQ(LayeredOf(program.overlays().spot.hwnd()).alpha, 51);
    EXPECT_FALSE(::IsWindowVisible(program.overlays().crossHair[0].hwnd()));

    // Edited values reach the halo when the settings are read and applied again: snapped to
    // the palette, and held within the ranges of their sliders.
    ::CreateDirectoryW(TempPath(L"glimmora-shell-test").c_str(), nullptr);
    auto write = [&](const wchar_t* key, const wchar_t* value) {
        ::WritePrivateProfileStringW(L"Settings", key, value, file.c_str());
    };
    auto reload = [&] {
        program.LoadSettings();
        program.ApplySettings();
    };
    write(L"HaloSize", L"50");
    write(L"HaloColor", L"250");
    write(L"HaloTrans", L"0");
    reload();
    EXPECT_EQ(program.overlays().spot.ClientSize(), (Size{101, 101}));
    EXPECT_EQ(LayeredOf(program.overlays().spot.hwnd()).alpha, 255);
    EXPECT_EQ(program.overlays().spot.StoredColor(), RGB(255, 0, 0));
    write(L"HaloSize", L"100000");
    write(L"HaloTrans", L"300");
    write(L"HaloFullScreen", L"1");
    reload();
    RECT r{};
    ::GetWindowRect(program.overlays().spot.hwnd(), &r);
    EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), TheProgram().desktop().screenBounds.AsRect());
    EXPECT_EQ(LayeredOf(program.overlays().spot.hwnd()).alpha, 13);
    write(L"HaloFullScreen", L"0");
    reload();
    EXPECT_EQ(program.overlays().spot.ClientSize(), (Size{601, 601}));
    ::DeleteFileW(file.c_str());
    reload();

    // A second start finds the message window by title and posts the message id.
    HWND message = ::FindWindowW(nullptr, kMessageWindowTitle);
    ASSERT_NE(message, nullptr);
    wchar_t className[32] = {};
    ::GetClassNameW(message, className, 32);
    EXPECT_STREQ(className, L"Static");
    ::ShowWindow(settings.hwnd(), SW_MINIMIZE);
    ::ShowWindow(settings.hwnd(), SW_HIDE);
    ::PostMessageW(message, ::RegisterWindowMessageW(kMessageIdName), 0, 0);
    Pump(100);
    EXPECT_TRUE(::IsWindowVisible(settings.hwnd()));
    EXPECT_FALSE(::IsIconic(settings.hwnd()));

    // In tray mode the title-bar close only hides the window, with the dialogs it owns; they
    // stay hidden when the window comes back from the tray.
    TheProgram().ApplySetting(SettingKey::Taskbar, 0);
    ShowOptions(program, settings.hwnd());
    const HWND options = ::FindWindowW(L"Glimmora_frmOptions", nullptr);
    ASSERT_TRUE(options && ::IsWindowVisible(options));
    ::SendMessageW(settings.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(settings.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(options));
    EXPECT_NE(::FindWindowW(L"Glimmora_frmSpot", nullptr), nullptr);
    EXPECT_TRUE(HooksInstalled());
    settings.ShowThisForm();
    Pump(100);
    EXPECT_TRUE(::IsWindowVisible(settings.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(options)) << "a dialog closed with the window came back with it";

    TheProgram().ApplySetting(SettingKey::Taskbar, 1);
    ::SendMessageW(settings.hwnd(), WM_CLOSE, 0, 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "closing ends the message loop";
    EXPECT_FALSE(HooksInstalled());
    windows = OwnWindowsByClass();
    for (const auto& [name, count] : windows)
        EXPECT_TRUE(name.rfind(L"Glimmora_", 0) != 0) << "left behind: " << std::string(name.begin(), name.end());
    const handles::LiveCounts& after = handles::Live();
    // Nothing lives on, the window a second start looks for included.
    EXPECT_EQ(::FindWindowW(nullptr, kMessageWindowTitle), nullptr);
    EXPECT_EQ((std::vector<long>{after.windows, after.timers, after.hooks, after.gdiObjects, after.dcs}),
              (std::vector<long>{before.windows, before.timers, before.hooks, before.gdiObjects, before.dcs}));

    // The exit saved every key, with the values in use.
    EXPECT_EQ(::GetPrivateProfileIntW(L"Settings", L"HaloSize", -1, file.c_str()), 100);
    EXPECT_EQ(::GetPrivateProfileIntW(L"Settings", L"Taskbar", -1, file.c_str()), 1);
    EXPECT_EQ(::GetPrivateProfileIntW(L"Settings", L"HotKeyKeyBoardKeyCode", 0, file.c_str()), -1);
    ::DeleteFileW(file.c_str());
}
