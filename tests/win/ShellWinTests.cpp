// The whole program's life under Wine: a start that loads every overlay and answers a second
// start, the settings file read again and reset, the command line, the tray-mode close, and
// an exit that saves and releases every window, timer and hook.
#include "base/LateFunction_win.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"
#include "ui/Dialogs_win.h"
#include "ui/frmHelp_win.h"

#include "tests/win/ProgramTest.h"

#include <map>

namespace {

// This process's top-level windows of the program, by class name.
std::map<std::wstring, int> OwnWindowsByClass() {
    std::map<std::wstring, int> found;
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (process == ::GetCurrentProcessId() && std::wstring(name).starts_with(L"Glimmora_"))
                ++(*reinterpret_cast<std::map<std::wstring, int>*>(param))[name + 9];
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

using Shell = ProgramTest;

}  // namespace

TEST(LateFunction, AMissingLibraryOrExportGivesTheFallbackAndOnlyTheSystemFolderIsSearched) {
    using TickCount = decltype(::GetTickCount);
    EXPECT_EQ(LateFunction<TickCount>(L"glimmora_absent.dll", "GetTickCount").Call(DWORD{7}), 7u);
    EXPECT_EQ(LateFunction<TickCount>(L"kernel32.dll", "GlimmoraAbsent").Call(DWORD{7}), 7u);
    // The hook library lies beside this program, not in the system folder.
    EXPECT_FALSE(LateExport(L"dsmouse.dll", "SetMouseHook"));
    EXPECT_EQ(LateFunction<decltype(::GetCurrentProcessId)>(L"kernel32.dll", "GetCurrentProcessId").Call(DWORD{0}),
              ::GetCurrentProcessId());
}

TEST_F(Shell, StartsAnswersASecondStartReadsAndResetsTheFileAndExitsLeavingNothing) {
    // The mutex stands but the running one has no message window yet: the new one still quits.
    SignalRunningInstance();
    EXPECT_TRUE(SignalRunningInstance()) << "a second start during the first one's start-up went on";

    const handles::LiveCounts before = handles::Live();
    const std::wstring file = TempPath(L"glimmora-shell-test.ini");
    // The keyboard display saved far from where the pointer takes it: 15 twips a pixel.
    WriteBytes(file, "[Settings]\r\nShowKeysWindow=1\r\nListPosX=15000\r\nListPosY=10500\r\n");
    Program& program = TheProgram();
    program.SetSettingsPathForTest(Narrow(file));
    ASSERT_TRUE(program.Start());
    EXPECT_FALSE(program.Loaded()) << "the overlays come from the message loop";
    ASSERT_TRUE(SignalRunningInstance());
    frmSet& settings = program.SettingsWindow();
    ::ShowWindow(settings.hwnd(), SW_MINIMIZE);
    Pump(100);
    EXPECT_TRUE(Visible(HelpWindow().hwnd())) << "a second start shows the help";
    EXPECT_FALSE(::IsIconic(settings.hwnd()));
    HelpWindow().HideDialog();

    EXPECT_EQ(OwnWindowsByClass(), (std::map<std::wstring, int>{{L"frmSet", 1}, {L"frmSpot", 1}, {L"frmCrossHair", 4},
                                                                {L"frmButtons", 17}, {L"frmWheelArrow", 2},
                                                                {L"frmPic", 1}, {L"frmKeyBoard", 1}, {L"frmTouch", 1},
                                                                {L"frmBigPointer", 1}, {L"TrayIcon", 1},
                                                                {L"SessionWatch", 1}, {L"frmHelp", 1}}));
    EXPECT_TRUE(HooksInstalled());
    const Overlays& o = program.overlays();
    const auto halo = [&] { return std::make_tuple(Visible(o.spot.hwnd()), o.spot.ClientSize(), AlphaOf(o.spot.hwnd())); };
    const auto defaults = std::make_tuple(true, Size{201, 201}, BYTE{51});
    EXPECT_EQ(halo(), defaults);

    // The file read again reaches the halo, held to the palette and the sliders' ranges.
    for (const auto& [key, value] : {std::pair{L"HaloSize", L"50"}, {L"HaloColor", L"250"}, {L"HaloTrans", L"300"}})
        ::WritePrivateProfileStringW(L"Settings", key, value, file.c_str());
    program.LoadSettings();
    program.ApplySettings();
    EXPECT_EQ(halo(), std::make_tuple(true, Size{101, 101}, BYTE{13}));
    EXPECT_EQ(o.spot.StoredColor(), RGB(255, 0, 0));

    // The reset asks, empties the file and puts the defaults into the overlays at once.
    {
        BoxAnswerer yes(SharedLanguage().GetString(32), IDYES);
        program.ResetToDefaults(nullptr);
    }
    EXPECT_EQ(halo(), defaults);
    program.ApplySetting(SettingKey::ShowKeysWindow, 1);

    // In tray mode the title-bar close hides the window with the dialogs it owns; they stay
    // hidden when it comes back.
    program.ApplySetting(SettingKey::Taskbar, 0);
    ShowOptions(program, settings.hwnd());
    const HWND options = ::FindWindowW(L"Glimmora_frmOptions", nullptr);
    ASSERT_TRUE(options && Visible(options));
    ::SendMessageW(settings.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(std::make_tuple(Visible(settings.hwnd()), Visible(options), HooksInstalled()), std::make_tuple(false, false, true));
    settings.ShowThisForm();
    EXPECT_EQ(std::make_pair(Visible(settings.hwnd()), Visible(options)), std::make_pair(true, false)) << "the dialog stays hidden";

    ::SetCursorPos(700, 500);
    Pump(100);
    const Point keyBoard = o.keyBoard.Position();
    ASSERT_NE(keyBoard, (Point{1000, 700})) << "the keyboard display follows the pointer";
    program.ApplySetting(SettingKey::Taskbar, 1);
    ::SendMessageW(settings.hwnd(), WM_CLOSE, 0, 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "closing ends the message loop";
    EXPECT_FALSE(HooksInstalled());
    EXPECT_EQ(OwnWindowsByClass(), (std::map<std::wstring, int>{}));
    EXPECT_EQ(::FindWindowW(nullptr, kMessageWindowTitle), nullptr);
    const handles::LiveCounts& after = handles::Live();
    EXPECT_EQ((std::vector<long>{after.windows, after.timers, after.hooks, after.gdiObjects, after.dcs}),
              (std::vector<long>{before.windows, before.timers, before.hooks, before.gdiObjects, before.dcs}));

    // The exit saved the values in use and where the keyboard display stood.
    const auto saved = [&](const wchar_t* key) { return int(::GetPrivateProfileIntW(L"Settings", key, -1, file.c_str())); };
    EXPECT_EQ((std::vector<int>{saved(L"HaloSize"), saved(L"Taskbar"), saved(L"ListPosX"), saved(L"ListPosY")}),
              (std::vector<int>{100, 1, keyBoard.x * 15, keyBoard.y * 15}));
    ::DeleteFileW(file.c_str());
}

TEST_F(Shell, TheCommandLineIsTakenAtStartAndAgainAtTheReset) {
    program().SetCommandLineForTest(L" / Pause/halohole=20.5/ pof=-3 /KOF=2/kof=x=1");
    StartProgram(L"glimmora-command-line-test.ini", "[Settings]\r\nTaskbar=0\r\nWindowState=2\r\nWindowVisible=1\r\n");
    EXPECT_TRUE(program().Paused());
    EXPECT_FALSE(Visible(overlays().spot.hwnd()));
    EXPECT_DOUBLE_EQ(overlays().spot.Hole().width, 201 * 0.2) << "the ring's hole follows the switch";
    EXPECT_EQ(program().store().Offsets().PictureOffsetFactor, -3);
    EXPECT_EQ(program().store().Offsets().KeyboardOffsetFactor, 2);
    // Paused, the window waits minimised, and in tray mode hidden; the record keeps the file's state.
    EXPECT_EQ(program().store().StartupWindowState().state, 1);
    EXPECT_FALSE(program().store().StartupWindowState().visible);
    EXPECT_EQ(settings().GetInt(SettingKey::WindowState), 2);

    program().SetPaused(false);
    EXPECT_TRUE(Visible(overlays().spot.hwnd()));
    {
        BoxAnswerer yes(SharedLanguage().GetString(32), IDYES);
        program().ResetToDefaults(nullptr);
    }
    EXPECT_TRUE(program().Paused()) << "the reset lost the command line's pause";
    EXPECT_FALSE(Visible(overlays().spot.hwnd()));
    TheProgram().Exit();
    // The window's own state was saved, neither the pause's minimised one nor the file's.
    EXPECT_EQ(::GetPrivateProfileIntW(L"Settings", L"WindowState", -1, file_.c_str()), 0);
    EndProgram();
    program().SetCommandLineForTest(std::nullopt);
}
