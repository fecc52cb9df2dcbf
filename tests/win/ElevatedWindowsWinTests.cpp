// Windows of an elevated program inside the whole program, with the integrity levels and the
// elevated start of a stand-in system: the notice on a change of the foreground (through the
// once-a-second look, since no event reports our own windows), the menu entry in both menus,
// and the restart's hand-over or, refused, the program going on.
#include "app/CommandLine.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"

#include "tests/win/ProgramTest.h"

namespace {

struct StandIn {
    uint32_t own = kMediumIntegrity;
    HWND elevated = nullptr;  // the one window whose process runs above us
    bool startWorks = false;
    std::vector<std::wstring> starts;
    std::vector<bool> hookedDuringStart;
} g_system;

Elevation StandInElevation() {
    return {[] { return g_system.own; },
            [](HWND window) { return window == g_system.elevated ? kHighIntegrity : kMediumIntegrity; },
            [](const std::wstring& arguments) {
                g_system.starts.push_back(arguments);
                g_system.hookedDuringStart.push_back(HooksInstalled());
                return g_system.startWorks;
            }};
}

// A plain window of another program, as far as the stand-in says.
class ForeignWindow {
public:
    explicit ForeignWindow(int left) {
        window_.reset(::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP | WS_VISIBLE | WS_BORDER, left, 400, 200, 100,
                                        nullptr, nullptr, nullptr, nullptr));
    }
    HWND get() const { return window_.get(); }
    void ComeToFront() const { ::SetForegroundWindow(window_.get()); }

private:
    handles::Window window_;
};

std::wstring RestartCaption() { return Widen(SharedLanguage().GetString(strings::kRestartElevatedId)); }

std::vector<std::wstring> Captions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[200] = {};
        ::GetMenuStringW(menu, i, text, 200, MF_BYPOSITION);
        captions.push_back(std::wstring(text).substr(0, std::wstring(text).find(L'\t')));
    }
    return captions;
}

// The program menu's entries as it pops up, read from inside its modal loop and closed.
std::vector<std::wstring> g_programMenu;
void CALLBACK ReadProgramMenu(HWND, UINT, UINT_PTR, DWORD) {
    const HWND popup = ::FindWindowW(L"#32768", nullptr);
    if (!popup) return;
    g_programMenu = Captions(reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0)));
    ::EndMenu();
}

std::vector<std::wstring> ProgramMenu(frmSet& window) {
    g_programMenu.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ReadProgramMenu);
    window.ShowMenu(true);
    ::KillTimer(nullptr, timer);
    return g_programMenu;
}

bool Lists(const std::vector<std::wstring>& captions, const std::wstring& caption) {
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
}
bool Lists(const handles::Menu& menu, const std::wstring& caption) { return Lists(Captions(menu.get()), caption); }

class ElevatedWindows : public ProgramTest {
protected:
    void SetUp() override {
        g_system = {};
        program().SetElevationForTest(StandInElevation());
    }
    void TearDown() override { program().SetElevationForTest(SystemElevation()); }
    static const frmNotice& notice() { return program().adminWindows().Notice(); }
    static bool NoticeShown() { return notice().hwnd() && Visible(notice().hwnd()); }
};

}  // namespace

TEST_F(ElevatedWindows, TheNoticeShowsOnceForAnElevatedWindowInFrontAndTheMenusOfferTheRestart) {
    StartProgram(L"glimmora-elevated-test.ini");
    ForeignWindow plain(100), elevated(400);
    g_system.elevated = elevated.get();
    EXPECT_FALSE(Lists(ProgramMenu(window()), RestartCaption()));
    EXPECT_FALSE(Lists(TrayMenu(), RestartCaption()));

    plain.ComeToFront();
    PumpProgram(1300);
    EXPECT_FALSE(NoticeShown()) << "a window of our own level";
    elevated.ComeToFront();
    ASSERT_TRUE(PumpUntilTrue(NoticeShown, 2500)) << "no notice for the elevated window";
    EXPECT_EQ(::GetForegroundWindow(), elevated.get()) << "the notice took the foreground";
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(notice().hwnd(), GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOPMOST),
              static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOPMOST));
    EXPECT_EQ(Narrow(notice().Text()), "Administrator window: Glimmora cannot see its input");
    EXPECT_EQ(AlphaOf(notice().hwnd()), AlphaOf(overlays().keyBoard.hwnd())) << "the keyboard display's transparency";
    const Rect box = WindowRect(notice().hwnd());
    const Point pointer = CursorPosition();
    EXPECT_LT(std::max({box.left - pointer.x, pointer.x - box.right, box.top - pointer.y, pointer.y - box.bottom}), 60)
        << "not near the pointer";

    // Gone after a few seconds, and not again while the same window stays in front.
    EXPECT_TRUE(PumpUntilTrue([] { return !NoticeShown(); }, kNoticeShownMs + 1500));
    PumpProgram(1500);
    EXPECT_FALSE(NoticeShown()) << "repeated while the elevated window stayed in front";
    EXPECT_TRUE(Lists(ProgramMenu(window()), RestartCaption()));
    EXPECT_TRUE(Lists(TrayMenu(), RestartCaption()));
    EndProgram();
}

TEST_F(ElevatedWindows, AnElevatedGlimmoraSaysNothingAndOffersNoRestart) {
    g_system.own = kHighIntegrity;
    StartProgram(L"glimmora-elevated-test.ini");
    ForeignWindow elevated(400);
    g_system.elevated = elevated.get();
    elevated.ComeToFront();
    PumpProgram(2500);
    EXPECT_FALSE(NoticeShown());
    EXPECT_FALSE(Lists(ProgramMenu(window()), RestartCaption()));
    EXPECT_FALSE(Lists(TrayMenu(), RestartCaption()));
    EndProgram();
}

// Refused, the program goes on with its settings saved and its hooks back; started, the copy is
// told our process and this one ends. No hook of ours holds up the input while the system asks.
TEST_F(ElevatedWindows, TheRestartSavesStartsACopyNamingThisProcessAndEndsUnlessRefused) {
    StartProgram(L"glimmora-elevated-test.ini");
    ForeignWindow elevated(400);
    g_system.elevated = elevated.get();
    elevated.ComeToFront();
    ASSERT_TRUE(PumpUntilTrue(NoticeShown, 2500));
    program().ApplySetting(SettingKey::HaloSize, 150);
    const HWND tray = TrayWindow();
    ::PostMessageW(tray, WM_COMMAND, TrayIcon::mnuTrayRestartElevated, 0);
    PumpProgram(100);
    ASSERT_EQ(g_system.starts.size(), 1u);
    EXPECT_EQ(ParseCommandLine(g_system.starts[0]).handoverFrom, ::GetCurrentProcessId()) << Narrow(g_system.starts[0]);
    EXPECT_TRUE(program().Loaded()) << "a refused restart ended the program";
    EXPECT_TRUE(HooksInstalled()) << "the hooks stayed away after a refused restart";
    EXPECT_NE(ReadBytes(file_).find("HaloSize=150"), std::string::npos) << "not saved before the copy started";

    g_system.startWorks = true;
    ::PostMessageW(tray, WM_COMMAND, TrayIcon::mnuTrayRestartElevated, 0);
    PumpProgram(100);
    EXPECT_EQ(g_system.starts.size(), 2u);
    EXPECT_EQ(g_system.hookedDuringStart, (std::vector<bool>{false, false})) << "hooked while the system asked";
    EXPECT_FALSE(program().Loaded()) << "the old one stays after handing over";
    EXPECT_EQ(::FindWindowW(TrayIcon::ClassName(), nullptr), nullptr);
    EndProgram();
}
