// The hooks' safeguards under real input: a release the hooks never saw is made from the
// button state the system has, and a low-level hook that the system dropped after a stall
// is found missing and installed again.
#include "tests/win/Pump.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <wtsapi32.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "base/Handles_win.h"
#include "app/SessionWatch_win.h"
#include "hook/HookHealth.h"
#include "hook/MouseEvent.h"
#include "hook/MouseMessage.h"
#include "hook/MouseHooks_win.h"
#include "tests/win/ProgramTest.h"

namespace {

std::vector<MouseEvent> g_events;

void RecordEvent(void*, int32_t code, int32_t data, uint32_t) { g_events.push_back({code, data}); }

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMouseHookMessage) {
        MouseMessage(wParam, lParam);
        return 0;
    }
    if (message == kPointerMovedMessage) {
        PointerMoveHandled();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    ::SendInput(1, &input, sizeof input);
}

template <typename Done>
bool PumpUntil(Done done, DWORD limit = 1000) {
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < limit;) {
        if (done()) return true;
        Pump(5);
    }
    return done();
}

// The program's side: a window that takes the hooks' posts in the loop, with the hooks
// installed on it (the low-level hook alone, so that every event seen is that hook's).
class Hooks {
public:
    Hooks() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReceiverProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlimmoraSafeguardReceiver";
        ::RegisterClassW(&windowClass);
        window_.reset(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
        SetMouseHookLibraryName(L"no-such-dsmouse.dll");
        g_events.clear();
        InstallMouseHooks(window_.get(), RecordEvent, nullptr);
    }
    ~Hooks() {
        RemoveMouseHooks();
        SetMouseHookLibraryName(L"dsmouse.dll");
        // No button left down for the next test.
        for (DWORD up : {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP}) Send(up);
        Pump(30);
    }
    // A press as the mouse-hook library reports it.
    static void Press(UINT message) {
        MouseHookCallback(static_cast<int32_t>(message), 0, 0, 0, 0);
        Pump(20);
    }

private:
    handles::Window window_;
};

bool Received(MouseEvent event) {
    for (const MouseEvent& e : g_events)
        if (e == event) return true;
    return false;
}

// The tick's check, seeing the button up once and again after the wait for a late release.
void ReleaseLostButtonsAfterTheWait() {
    ReleaseLostButtons();
    ::Sleep(MouseMessageTranslator::kLostReleaseAfterMs + 20);
    ReleaseLostButtons();
}

TEST(Safeguards, AReleaseTheHooksMissedIsMadeOnceFromTheSystemsButtons) {
    Hooks hooks;
    // Reported pressed, but no button is down as far as the system knows.
    Hooks::Press(WM_LBUTTONDOWN);
    Hooks::Press(WM_MBUTTONDOWN);
    ASSERT_EQ(g_events, (std::vector<MouseEvent>{{LeftDown, 0}, {MiddleDown, 0}}));
    ASSERT_TRUE(AnyButtonHeld());
    ReleaseLostButtons();
    EXPECT_EQ(g_events.size(), 2u) << "a release the hook may still deliver is waited for";
    ReleaseLostButtonsAfterTheWait();
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{LeftDown, 0}, {MiddleDown, 0}, {LeftUp, 0}, {MiddleUp, 0}}));
    EXPECT_FALSE(ButtonIsDown(0));
    EXPECT_FALSE(ButtonIsDown(1));
    ReleaseLostButtons();
    EXPECT_EQ(g_events.size(), 4u) << "a release is made once";

    // Really held: nothing is released while the system has the button down.
    g_events.clear();
    Send(MOUSEEVENTF_RIGHTDOWN);
    Hooks::Press(WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([] { return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0; }));
    ReleaseLostButtons();
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightDown, 0}}));
    EXPECT_TRUE(ButtonIsDown(2));

    // The release happens where no hook sees it: the next check makes it.
    DropLowLevelHookForTest();
    Send(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([] { return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0; }));
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightDown, 0}})) << "the dropped hook still reported the release";
    ReleaseLostButtonsAfterTheWait();
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightDown, 0}, {RightUp, 0}}));

    // Forgotten after a lock: nothing left to release.
    Hooks::Press(WM_LBUTTONDOWN);
    ForgetHeldButtons();
    EXPECT_FALSE(AnyButtonHeld());
    g_events.clear();
    ReleaseLostButtons();
    EXPECT_TRUE(g_events.empty());
}

TEST(Safeguards, AStalledLowLevelHookIsFoundLostAndInstalledAgain) {
    Hooks hooks;
    const auto clickReaches = [] {
        g_events.clear();
        Send(MOUSEEVENTF_RIGHTDOWN);
        Send(MOUSEEVENTF_RIGHTUP);
        return PumpUntil([] { return Received({RightUp, 0}); }, 500);
    };
    ASSERT_TRUE(clickReaches());
    HookHealth health;
    EXPECT_FALSE(health.ReinstallNeeded(LowLevelHookSample())) << "a working hook";

    // Keeps the system waiting past its timeout, once.
    SetLowLevelHookStallForTest(2500);
    Send(MOUSEEVENTF_MOVE, 7, 5);
    Pump(100);
    Send(MOUSEEVENTF_MOVE, 9, 3);
    const bool lostByTheSystem = !clickReaches();
    // Where the system keeps a hook that stalled, it is taken away here as it is elsewhere.
    if (!lostByTheSystem) DropLowLevelHookForTest();
    std::printf("[          ] the system %s the stalled hook\n", lostByTheSystem ? "removed" : "kept");
    // Input the hook misses for longer than a hook's latency.
    ::Sleep(HookHealth::kMissedInputMs + 50);
    Send(MOUSEEVENTF_MOVE, 5, 5);
    EXPECT_FALSE(clickReaches()) << "the hook is gone";

    ASSERT_TRUE(health.ReinstallNeeded(LowLevelHookSample())) << "input reached the system and not the hook";
    ReinstallLowLevelHook();
    EXPECT_TRUE(clickReaches()) << "the hook was installed again";
    EXPECT_FALSE(health.ReinstallNeeded(LowLevelHookSample())) << "the healed hook sees the input";
}

TEST(Safeguards, PointerMovesPostOneNotificationUntilHandled) {
    Hooks hooks;
    MSLLHOOKSTRUCT move{};
    move.pt = {20, 30};
    for (int i = 0; i < 5; ++i) LowLevelMouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&move));
    int pending = 0;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, kPointerMovedMessage, kPointerMovedMessage, PM_REMOVE)) ++pending;
    EXPECT_EQ(pending, 1) << "moves are coalesced";
    // Not yet handled: still no second post.
    LowLevelMouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&move));
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, kPointerMovedMessage, kPointerMovedMessage, PM_NOREMOVE));
    PointerMoveHandled();
    LowLevelMouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&move));
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, kPointerMovedMessage, kPointerMovedMessage, PM_REMOVE));
    EXPECT_TRUE(g_events.empty()) << "a move makes no mouse event";
}

TEST(Safeguards, TheSessionWatchHearsDisplayBroadcastsAndTheSessionChangesThatLoseHeldButtons) {
    int lost = 0;
    SessionWatch watch;
    ASSERT_TRUE(watch.Create({[&lost] { ++lost; }, {}}));
    // A broadcast, which never reaches a message-only window.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
                          MAKELPARAM(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
                          SMTO_ABORTIFHUNG, 500, &result);
    Pump(20);
    EXPECT_EQ(lost, 1);
    struct Case {
        WPARAM change;
        int lost;
    };
    const Case cases[] = {{WTS_SESSION_LOCK, 1},    {WTS_SESSION_UNLOCK, 1},   {WTS_REMOTE_CONNECT, 1},
                          {WTS_REMOTE_DISCONNECT, 1}, {WTS_CONSOLE_CONNECT, 1}, {WTS_SESSION_LOGON, 0},
                          {WTS_SESSION_REMOTE_CONTROL, 0}};
    for (const Case& c : cases) {
        lost = 0;
        ::SendMessageW(watch.hwnd(), WM_WTSSESSION_CHANGE, c.change, 0);
        EXPECT_EQ(lost, c.lost) << "session change " << c.change;
    }
    watch.Release();
    EXPECT_EQ(watch.hwnd(), nullptr);
}

// The whole program across a lock in the middle of a click with Ctrl held: the lock itself,
// before any tick could find the button up, lets go of the button, the ring, the mouse
// image's lit button and the Ctrl cap. Switched off, all of it stays as the hooks left it.
class SafeguardsInProgram : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-session-lock-test.ini"); }
    static void TearDownTestSuite() { EndProgram(); }
};

TEST_F(SafeguardsInProgram, ALockMidClickLetsGoOfTheButtonTheRingTheImageAndTheModifiers) {
    Program& program = TheProgram();
    program.ApplySetting(SettingKey::MouseImage, 1);
    Overlays& overlays = program.overlays();
    const HWND watch = ::FindWindowW(SessionWatch::ClassName(), nullptr);
    ASSERT_NE(watch, nullptr);
    const auto ringShown = [&overlays] {
        for (const frmButtons& ring : overlays.buttons)
            if (ring.Shown()) return true;
        return false;
    };
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "ReleaseLostClicks on" : "ReleaseLostClicks off");
        program.ApplySetting(SettingKey::ReleaseLostClicks, on ? 1 : 0);
        MouseHookCallback(WM_LBUTTONDOWN, 0, 0, 0, 0);
        PumpProgram(50);
        overlays.keyBoard.SetSpecialKeys(false, true, false);
        ASSERT_TRUE(ButtonIsDown(0));
        ASSERT_TRUE(ringShown());
        ASSERT_TRUE(overlays.pic.Layers().IsOn(LeftLayer));
        ASSERT_TRUE(overlays.keyBoard.Display().Layout().capVisible[static_cast<size_t>(KeyCap::Ctrl)]);

        // Sent: the lock is handled before any tick runs.
        ::SendMessageW(watch, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
        EXPECT_EQ(ButtonIsDown(0), !on);
        EXPECT_EQ(ringShown(), !on);
        EXPECT_EQ(overlays.pic.Layers().IsOn(LeftLayer), !on);
        EXPECT_EQ(overlays.keyBoard.Display().Layout().capVisible[static_cast<size_t>(KeyCap::Ctrl)], !on);

        // The release the hooks never got, for the next round.
        ForgetHeldButtons();
        overlays.keyBoard.SetSpecialKeys(false, false, false);
        overlays.pic.ClearButtons();
        for (frmButtons& ring : overlays.buttons) ring.Pause();
    }
    program.ApplySetting(SettingKey::ReleaseLostClicks, 1);
}

// A still program wakes for its tick, its keyboard pass and the session watch alone: the
// auto-hide check runs while an auto-hide option is on, the list's clear timer while lines
// are listed.
std::vector<std::pair<HWND, WPARAM>> g_timerTicks;
LRESULT CALLBACK RecordTimerTicks(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && m->message == WM_TIMER) g_timerTicks.emplace_back(m->hwnd, m->wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SafeguardsInProgram, TimersWithNothingToDoDoNotTick) {
    Program& program = TheProgram();
    const HWND keyBoard = program.overlays().keyBoard.hwnd();
    const auto ticks = [&](HWND window, WPARAM id, DWORD milliseconds) {
        g_timerTicks.clear();
        PumpProgram(milliseconds);
        int count = 0;
        for (const auto& [hwnd, timer] : g_timerTicks) count += hwnd == window && (window == keyBoard || timer == id);
        return count;
    };
    HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &RecordTimerTicks, nullptr, ::GetCurrentThreadId());
    program.ApplySetting(SettingKey::ListCharacterKeys, 1);
    program.ApplySetting(SettingKey::ListAnyKeys, 1);
    program.ApplySetting(SettingKey::ListKeysFading, 1);

    EXPECT_EQ(ticks(program.hwnd(), PauseAndFade::AutoHideTimer, 600), 0);
    program.ApplySetting(SettingKey::AutoHideMouse, 1);
    EXPECT_GE(ticks(program.hwnd(), PauseAndFade::AutoHideTimer, 600), 2);
    program.ApplySetting(SettingKey::AutoHideMouse, 0);
    EXPECT_EQ(ticks(program.hwnd(), PauseAndFade::AutoHideTimer, 600), 0);

    EXPECT_EQ(ticks(keyBoard, 0, 300), 0);
    program.overlays().keyBoard.AddKey('A');
    EXPECT_GE(ticks(keyBoard, 0, 1200), 8);  // the line's 0.9 s
    EXPECT_EQ(program.overlays().keyBoard.Display().LineCount(), 0u);
    EXPECT_EQ(ticks(keyBoard, 0, 300), 0);
    ::UnhookWindowsHookEx(hook);
}

// A menu open above the overlays keeps its place while the ticks run in its loop: the
// keyboard display raised over it would cover its entries.
wchar_t g_topClass[16];
void CALLBACK LookAtTopAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ::GetClassNameW(::GetTopWindow(nullptr), g_topClass, 16);
    ::EndMenu();
}

TEST_F(SafeguardsInProgram, AnOpenMenuStaysAboveTheOverlays) {
    const handles::Menu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, 1, L"Entry");
    g_topClass[0] = 0;
    ::SetTimer(nullptr, 0, 300, &LookAtTopAndCloseMenu);  // the tick runs some twenty times first
    ::TrackPopupMenu(menu.get(), TPM_RETURNCMD, 100, 100, 0, TheProgram().SettingsWindow().hwnd(), nullptr);
    EXPECT_STREQ(g_topClass, L"#32768");
}

}  // namespace
