// The boundary and help windows inside the whole program, opened where the user opens them.
#include "Version.h"
#include "base/Text_win.h"
#include "app/Program_win.h"
#include "lang/Language.h"
#include "lang/SharedLanguage_win.h"
#include "ui/Dialogs_win.h"
#include "ui/frmHelp_win.h"
#include "ui/frmSetBoundary_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/ProgramTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A key going down and up as the program's loop delivers it, and what follows it.
void KeyStroke(WPARAM key) {
    Key(key);
    MSG up{::GetFocus(), WM_KEYUP, key, 0, 0, {}};
    if (!RouteDialogMessage(up)) ::DispatchMessageW(&up);
    PumpProgram(30);
}

void Press(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    PumpProgram(30);
}

Rect WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

Rect ClientInScreen(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

class BoundaryHelpTest : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-boundary-help-test.ini"); }
    static void TearDownTestSuite() {
        frmHelp::SetLinkOpenerForTest({});
        EndProgram();
        EXPECT_EQ(HelpWindow().hwnd(), nullptr);
        EXPECT_EQ(SetBoundaryWindow().hwnd(), nullptr);
    }
    void TearDown() override {
        SharedLanguage().ChangeLanguage(English);
        HelpWindow().HideDialog();
        SetBoundaryWindow().HideDialog();
        TheProgram().SetBoundary(std::nullopt);
    }
    // The boundary window opened as from the menu, its frame moved to place (outer rectangle).
    static HWND OpenBoundary(const Rect& place) {
        ShowSetBoundary(TheProgram());
        const HWND window = SetBoundaryWindow().hwnd();
        ::SetWindowPos(window, nullptr, place.left, place.top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        PumpProgram(50);
        return window;
    }
};

}  // namespace

TEST_F(BoundaryHelpTest, BoundaryWindowIsATranslucentSizableWindowOfItsOwn) {
    const HWND window = OpenBoundary({100, 80, 900, 700});
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(WindowText(window), Widen(SharedLanguage().GetString(124)));
    EXPECT_TRUE(::GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE, DWORD{WS_EX_LAYERED});
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, frmSetBoundary::kAlpha);
    EXPECT_EQ(flags, DWORD{LWA_ALPHA});

    // Dragging or sizing below the minimum stops at it, and the buttons keep to the
    // bottom right corner whatever the size.
    for (const Rect& place : {Rect{50, 40, 150, 120}, Rect{20, 30, 1000, 760}}) {
        ::SetWindowPos(window, nullptr, place.left, place.top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        PumpProgram(30);
        const Rect frame = WindowRect(window);
        EXPECT_EQ(frame.Width(), std::max(480, place.Width()));
        EXPECT_GE(frame.Height(), 360);
        const Rect client = ClientInScreen(window);
        const Rect ok = WindowRect(::GetDlgItem(window, frmSetBoundary::cmdOK));
        const Rect full = WindowRect(::GetDlgItem(window, frmSetBoundary::cmdFullScreen));
        EXPECT_EQ((std::vector<int>{ok.right, ok.bottom, full.right, full.top}),
                  (std::vector<int>{client.right - 12, client.bottom - 12, ok.left - 16, ok.top}));
        const Rect info = WindowRect(::GetDlgItem(window, frmSetBoundary::lblInfo));
        EXPECT_NEAR((info.left + info.right) / 2, (client.left + client.right) / 2, 1);
        EXPECT_LE(info.bottom, ok.top);
    }
}

TEST_F(BoundaryHelpTest, OKTakesTheFrameAndFullScreenGivesTheDesktopBack) {
    const Rect desktop = TheProgram().desktop().screenBounds.AsRect();
    const HWND window = OpenBoundary({100, 80, 700, 560});
    const Rect frame = SetBoundaryWindow().FrameRect();
    // The visible frame lies within the window rectangle (equal where there is no composition).
    const Rect outer = WindowRect(window);
    EXPECT_GE(frame.left, outer.left);
    EXPECT_LE(frame.right, outer.right);
    EXPECT_GT(frame.Width(), 400);

    Press(window, frmSetBoundary::cmdOK);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(TheProgram().desktop().CustomBoundary);
    EXPECT_EQ(TheProgram().desktop().BoundaryRect, frame);
    // The tracking loop's desktop check leaves a boundary the user set alone.
    EXPECT_EQ(TheProgram().desktop().BoundaryRect, frame);

    // Closed from the title bar: hidden, nothing changed, even after moving it.
    ShowSetBoundary(TheProgram());
    EXPECT_EQ(SetBoundaryWindow().hwnd(), window);
    EXPECT_EQ(WindowRect(window), outer);
    ::SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpProgram(30);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(::IsWindow(window), TRUE);
    EXPECT_TRUE(TheProgram().desktop().CustomBoundary);
    EXPECT_EQ(TheProgram().desktop().BoundaryRect, frame);

    ShowSetBoundary(TheProgram());
    Press(window, frmSetBoundary::cmdFullScreen);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_FALSE(TheProgram().desktop().CustomBoundary);
    EXPECT_EQ(TheProgram().desktop().BoundaryRect, desktop);

    // Return takes the frame as OK does (the keyboard's way).
    ShowSetBoundary(TheProgram());
    ::SetFocus(::GetDlgItem(window, frmSetBoundary::cmdFullScreen));
    KeyStroke(VK_TAB);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(window, frmSetBoundary::cmdOK));
    KeyStroke(VK_RETURN);
    EXPECT_TRUE(TheProgram().desktop().CustomBoundary);
    EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(BoundaryHelpTest, AFrameOffTheDesktopGivesTheMonitorUnderThePointer) {
    const std::vector<Rect> monitors = MonitorRects();
    ASSERT_FALSE(monitors.empty());
    POINT pointer{};
    ::GetCursorPos(&pointer);
    Rect under = monitors.front();
    for (const Rect& m : monitors)
        if (m.Contains({pointer.x, pointer.y})) under = m;

    const Rect desktop = TheProgram().desktop().screenBounds.AsRect();
    const HWND window = OpenBoundary({desktop.right + 500, desktop.bottom + 500, desktop.right + 1100,
                                      desktop.bottom + 1000});
    Press(window, frmSetBoundary::cmdOK);
    EXPECT_TRUE(TheProgram().desktop().CustomBoundary);
    EXPECT_EQ(TheProgram().desktop().BoundaryRect, under);

    // Mostly off the right edge: what is left grows to room the overlays fit in.
    OpenBoundary({desktop.right - 20, 100, desktop.right + 580, 600});
    Press(window, frmSetBoundary::cmdOK);
    const Rect r = TheProgram().desktop().BoundaryRect;
    EXPECT_EQ(r.right, desktop.right);
    EXPECT_GE(r.Width(), 240);
    EXPECT_GE(r.left, desktop.left);
}

TEST_F(BoundaryHelpTest, HelpOpensFromF1AndFromASecondStart) {
    HelpWindow().UnloadDialog();
    ::SetFocus(TheProgram().SettingsWindow().hwnd());
    KeyStroke(VK_F1);
    const HWND help = HelpWindow().hwnd();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(::IsWindowVisible(help));
    EXPECT_EQ(::GetWindow(help, GW_OWNER), TheProgram().SettingsWindow().hwnd());
    EXPECT_EQ(WindowText(help), Widen(SharedLanguage().GetString(77)));

    // Close and Escape hide it; the window stays.
    Press(help, frmHelp::cmdClose);
    EXPECT_FALSE(::IsWindowVisible(help));
    EXPECT_EQ(HelpWindow().hwnd(), help);
    ShowHelpWindow(TheProgram(), TheProgram().SettingsWindow().hwnd());
    ::SetFocus(::GetDlgItem(help, frmHelp::cmdClose));
    KeyStroke(VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(help));
    EXPECT_EQ(HelpWindow().hwnd(), help);

    // A second start signals the running program through its message window.
    ::ShowWindow(TheProgram().SettingsWindow().hwnd(), SW_MINIMIZE);
    const SingleInstance& instance = TheProgram().instance();
    ASSERT_NE(instance.MessageWindow.get(), nullptr);
    ::PostMessageW(instance.MessageWindow.get(), instance.MessageId, 0, 0);
    PumpProgram(100);
    EXPECT_TRUE(::IsWindowVisible(HelpWindow().hwnd()));
    EXPECT_FALSE(::IsIconic(TheProgram().SettingsWindow().hwnd()));
}

TEST_F(BoundaryHelpTest, HelpShowsThisBuildsVersionOpensItsLinkAndIsRebuiltAfterTheTitleBarClose) {
    ShowHelpWindow(TheProgram(), TheProgram().SettingsWindow().hwnd());
    const HWND help = HelpWindow().hwnd();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const std::wstring version = WindowText(::GetDlgItem(help, frmHelp::lblVersion));
    const std::wstring first = L"Glimmora version " + std::to_wstring(GLIMMORA_VERSION_MAJOR) + L"." +
                               std::to_wstring(GLIMMORA_VERSION_MINOR) + L"." +
                               std::to_wstring(GLIMMORA_VERSION_PATCH);
    const size_t lineEnd = version.find(L"\r\n");
    ASSERT_NE(lineEnd, std::wstring::npos) << Narrow(version);
    EXPECT_EQ(version.substr(0, lineEnd), first);
    // The resource's notice ends in the hyphen after its first year; this year closes the range.
    const ProgramVersion read = ReadProgramVersion();
    EXPECT_EQ(read.productName, "Glimmora");
    const std::string& resource = read.legalCopyright;
    ASSERT_GE(resource.size(), 5u);
    EXPECT_EQ(resource.back(), '-') << resource;
    EXPECT_TRUE(std::all_of(resource.end() - 5, resource.end() - 1, [](char c) { return c >= '0' && c <= '9'; }))
        << resource;
    const std::wstring notice = version.substr(lineEnd + 2);
    EXPECT_EQ(notice, L"Legal notice: " + Widen(resource) + std::to_wstring(now.wYear));

    std::vector<std::wstring> opened;
    HWND parent = nullptr;
    frmHelp::SetLinkOpenerForTest([&](HWND p, const std::wstring& address) {
        parent = p;
        opened.push_back(address);
    });
    const HWND link = ::GetDlgItem(help, frmHelp::lblLink);
    ASSERT_NE(link, nullptr);
    EXPECT_NE(WindowText(link).find(Widen(kHomePageAddress)), std::wstring::npos);

    // Tab from Close reaches the link; Return opens it.
    ::SetFocus(::GetDlgItem(help, frmHelp::cmdClose));
    for (int i = 0; i < 3 && ::GetFocus() != link; ++i) KeyStroke(VK_TAB);
    ASSERT_EQ(::GetFocus(), link);
    KeyStroke(VK_RETURN);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], Widen(kHomePageAddress));
    EXPECT_EQ(parent, help);

    // A click on the link's text.
    ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
    ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    PumpProgram(30);
    EXPECT_EQ(opened.size(), 2u);

    // The title bar's close destroys it; the next opening builds it anew.
    ::SendMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpProgram(30);
    EXPECT_FALSE(::IsWindow(help));
    EXPECT_EQ(HelpWindow().hwnd(), nullptr);
    TheProgram().SettingsWindow().ShowHelp();
    const HWND again = HelpWindow().hwnd();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(::IsWindowVisible(again));
    EXPECT_EQ(WindowText(::GetDlgItem(again, frmHelp::lblVersion)), version);
    EXPECT_EQ(WindowText(::GetDlgItem(again, frmHelp::cmdClose)), Widen(SharedLanguage().GetString(43)));
}

TEST_F(BoundaryHelpTest, LanguageChangeReachesTranslatedTextsOnly) {
    ShowHelpWindow(TheProgram(), TheProgram().SettingsWindow().hwnd());
    ShowSetBoundary(TheProgram());
    const HWND help = HelpWindow().hwnd();
    const HWND boundary = SetBoundaryWindow().hwnd();
    const auto text = [](HWND w, int id) { return WindowText(::GetDlgItem(w, id)); };
    const std::wstring important = text(help, frmHelp::lblImportant);
    const std::wstring tray = text(help, frmHelp::lblTray);
    const std::wstring version = text(help, frmHelp::lblVersion);

    SharedLanguage().ChangeLanguage(German);
    const auto german = [](int32_t id) { return Widen(SharedLanguage().GetString(id)); };
    EXPECT_EQ(WindowText(help), german(77));
    EXPECT_EQ(text(help, frmHelp::lblText), german(78));
    EXPECT_EQ(text(help, frmHelp::cmdClose), german(43));
    EXPECT_NE(german(43), L"Close");
    EXPECT_EQ(text(help, frmHelp::lblImportant), important);
    EXPECT_EQ(text(help, frmHelp::lblTray), tray);
    EXPECT_EQ(text(help, frmHelp::lblVersion), version);

    EXPECT_EQ(WindowText(boundary), german(124));
    EXPECT_EQ(text(boundary, frmSetBoundary::lblInfo), german(125));
    EXPECT_EQ(text(boundary, frmSetBoundary::cmdOK), german(126));
    EXPECT_EQ(text(boundary, frmSetBoundary::cmdFullScreen), german(127));
}
