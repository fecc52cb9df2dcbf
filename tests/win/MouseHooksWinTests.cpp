// The program's hook layer under real input (SendInput reaches low-level hooks), over a window
// of the test's that takes the hooks' posts; and the safeguards: a release the hooks missed, a
// hook the system dropped, a lock mid-click, a menu kept above the overlays.
#include "app/SessionWatch_win.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "hook/MouseMessage.h"

#include "tests/win/ProgramTest.h"

#include <wtsapi32.h>

namespace {

std::vector<MouseEvent> g_events;
std::vector<uint32_t> g_held;
void RecordEvent(void*, int32_t code, int32_t data, uint32_t held) {
    g_events.push_back({code, data});
    g_held.push_back(held);
}

// Until done() or a second has passed, then a little longer so that anything extra shows.
void PumpUntil(const std::function<bool()>& done) { PumpUntilTrue(done, 1000), Pump(60); }

// The program's side: a window that takes the hooks' posts in the loop, with the low-level
// hook alone installed on it (no library), so that every event seen is that hook's.
class Hooks {
public:
    Hooks() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message == kMouseHookMessage) return MouseMessage(wParam, lParam), 0;
            if (message == kPointerMovedMessage) return PointerMoveHandled(), 0;
            return ::DefWindowProcW(window, message, wParam, lParam);
        };
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlimmoraHookReceiver";
        ::RegisterClassW(&windowClass);
        window_.reset(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
        SetMouseHookLibraryName(L"no-such-dsmouse.dll");
        g_events.clear(), g_held.clear();
        InstallMouseHooks(window_.get(), RecordEvent, nullptr);
    }
    ~Hooks() {
        RemoveMouseHooks();
        SetMouseHookLibraryName(L"dsmouse.dll");
    }

private:
    handles::Window window_;
};

}  // namespace

// The hook procedures only post; the events come from the loop, in order, with the modifiers
// the hook saw. Without the library our hook alone gives the releases and the wheel.
TEST(MouseHooks, TheHooksPostToTheWindowAndTheEventsComeFromTheLoop) {
    const long hooksBefore = handles::Live().hooks;
    Hooks hooks;
    InstallMouseHooks(nullptr, RecordEvent, nullptr);  // installed already: nothing happens
    ASSERT_TRUE(HooksInstalled());
    EXPECT_FALSE(MouseHookLibraryLoaded());
    EXPECT_EQ(handles::Live().hooks, hooksBefore + 1);

    MSLLHOOKSTRUCT release{};
    SetHeld(VK_CONTROL, true);  // held at the release, let go before the loop gets to it
    LowLevelMouseProc(HC_ACTION, WM_RBUTTONUP, reinterpret_cast<LPARAM>(&release));
    SetHeld(VK_CONTROL, false);
    MouseHookCallback(WM_LBUTTONDOWN, 0, 0, 0, 0);
    EXPECT_TRUE(g_events.empty()) << "a hook procedure must not dispatch inside the hook";
    PumpUntil([] { return g_events.size() >= 2; });
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightUp, 0}, {LeftDown, 0}}));
    EXPECT_EQ(g_held, (std::vector<uint32_t>{HeldCtrl, 0}));

    g_events.clear();
    SendMouse(MOUSEEVENTF_RIGHTDOWN), SendMouse(MOUSEEVENTF_RIGHTUP);
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(WHEEL_DELTA));
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-2 * WHEEL_DELTA));
    PumpUntil([] { return g_events.size() >= 3; });
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightUp, 0}, {WheelTurned, 1}, {WheelTurned, -1}}));

    // What was posted before the hooks went is not delivered after.
    g_events.clear();
    LowLevelMouseProc(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&release));
    RemoveMouseHooks();
    EXPECT_EQ(handles::Live().hooks, hooksBefore);
    SendMouse(MOUSEEVENTF_RIGHTDOWN), SendMouse(MOUSEEVENTF_RIGHTUP);
    Pump(100);
    EXPECT_TRUE(g_events.empty());
}

TEST(MouseHooks, SafeguardsMakeAMissedReleaseOnceHealADroppedHookAndCoalesceMoves) {
    Hooks hooks;
    // Reported pressed, no button down as far as the system knows: released once, after the
    // wait for a release the hook may still deliver.
    g_events.clear();
    MouseHookCallback(WM_LBUTTONDOWN, 0, 0, 0, 0);
    Pump(20);
    ReleaseLostButtons();
    EXPECT_EQ(g_events.size(), 1u);
    ::Sleep(MouseMessageTranslator::kLostReleaseAfterMs + 20);
    ReleaseLostButtons();
    ReleaseLostButtons();
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{LeftDown, 0}, {LeftUp, 0}}));

    // Moves post one notification until it is handled.
    MSLLHOOKSTRUCT move{};
    const auto posted = [&](int moves) {
        for (int i = 0; i < moves; ++i) LowLevelMouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&move));
        int count = 0;
        for (MSG msg; ::PeekMessageW(&msg, nullptr, kPointerMovedMessage, kPointerMovedMessage, PM_REMOVE);) ++count;
        return count;
    };
    EXPECT_EQ(posted(5), 1);
    EXPECT_EQ(posted(1), 0) << "not handled yet";
    PointerMoveHandled();
    EXPECT_EQ(posted(1), 1);

    // A hook that stalled past the system's timeout is found lost and installed again.
    const auto clickReaches = [] {
        g_events.clear();
        SendMouse(MOUSEEVENTF_RIGHTDOWN), SendMouse(MOUSEEVENTF_RIGHTUP);
        return PumpUntilTrue([] { return std::count(g_events.begin(), g_events.end(), MouseEvent{RightUp, 0}) > 0; }, 500);
    };
    ASSERT_TRUE(clickReaches());
    HookHealth health;
    EXPECT_FALSE(health.ReinstallNeeded(LowLevelHookSample())) << "a working hook";
    SetLowLevelHookStallForTest(2500);
    SendMouse(MOUSEEVENTF_MOVE, 0, 7, 5);
    Pump(100);
    SendMouse(MOUSEEVENTF_MOVE, 0, 9, 3);
    // Where the system keeps a hook that stalled, it is taken away here as it is elsewhere.
    if (clickReaches()) DropLowLevelHookForTest();
    ::Sleep(HookHealth::kMissedInputMs + 50);
    SendMouse(MOUSEEVENTF_MOVE, 0, 5, 5);
    EXPECT_FALSE(clickReaches()) << "the hook is gone";
    ASSERT_TRUE(health.ReinstallNeeded(LowLevelHookSample())) << "input reached the system and not the hook";
    ReinstallLowLevelHook();
    EXPECT_TRUE(clickReaches()) << "the hook was installed again";
}

// The whole program across a lock in the middle of a click with Ctrl held: the lock itself,
// before any tick, lets go of the button, the ring, the mouse image's lit button and the Ctrl
// cap. Switched off, all of it stays as the hooks left it.
class MouseHooksInProgram : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-hooks-test.ini", "[Settings]\r\nMouseImage=1\r\n"); }
    static void TearDownTestSuite() { EndProgram(); }
};

TEST_F(MouseHooksInProgram, ALockMidClickLetsGoOfTheButtonTheRingTheImageAndTheModifiers) {
    const HWND watch = ::FindWindowW(SessionWatch::ClassName(), nullptr);
    ASSERT_NE(watch, nullptr);
    const auto held = [] {
        const Overlays& o = overlays();
        const bool ring = std::any_of(o.buttons.begin(), o.buttons.end(), [](const frmButtons& r) { return r.Shown(); });
        return std::vector<bool>{ButtonIsDown(0), ring, o.pic.Layers().IsOn(LeftLayer),
                                 o.keyBoard.Display().Layout().capVisible[static_cast<size_t>(KeyCap::Ctrl)]};
    };
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "ReleaseLostClicks on" : "ReleaseLostClicks off");
        program().ApplySetting(SettingKey::ReleaseLostClicks, on ? 1 : 0);
        MouseHookCallback(WM_LBUTTONDOWN, 0, 0, 0, 0);
        PumpProgram(50);
        overlays().keyBoard.SetSpecialKeys(false, true, false);
        ASSERT_EQ(held(), std::vector<bool>(4, true));
        ::SendMessageW(watch, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);  // sent: before any tick
        EXPECT_EQ(held(), std::vector<bool>(4, !on));
        ForgetHeldButtons(), overlays().keyBoard.SetSpecialKeys(false, false, false), overlays().pic.ClearButtons();
        for (frmButtons& ring : overlays().buttons) ring.Pause();
    }
    program().ApplySetting(SettingKey::ReleaseLostClicks, 1);
}

// At rest nothing ticks or polls; a move, a press and a key each bring their timer back, and
// a held button keeps the tick running past the rest.
TEST_F(MouseHooksInProgram, ARestStopsTheTimersAndAMoveAPressAndAKeyBringThemBack) {
    const auto resting = [] { return !program().Ticking() && !program().KeyPolling(); };
    ASSERT_TRUE(PumpUntilTrue(resting, 3000));
    const DWORD timersAtRest = handles::Live().timers;

    SendMouse(MOUSEEVENTF_MOVE, 0, 7, 5);
    EXPECT_TRUE(PumpUntilTrue([] { return program().Ticking(); }, 500)) << "a move";
    EXPECT_TRUE(PumpUntilTrue(resting, 2000));

    SendMouse(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntilTrue([] { return program().Ticking() && program().KeyPolling(); }, 500)) << "a press";
    PumpProgram(1300);
    EXPECT_TRUE(program().Ticking()) << "the button is still held";
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntilTrue(resting, 2000));

    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_SHIFT;
    ::SendInput(1, &key, sizeof key);
    EXPECT_TRUE(PumpUntilTrue([] { return program().KeyPolling(); }, 500)) << "a key";
    EXPECT_TRUE(overlays().keyBoard.Display().Layout().capVisible[static_cast<size_t>(KeyCap::Shift)]);
    PumpProgram(300);
    EXPECT_TRUE(program().KeyPolling()) << "the key is still held";
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &key, sizeof key);
    EXPECT_TRUE(PumpUntilTrue(resting, 2000));
    EXPECT_EQ(handles::Live().timers, timersAtRest);

    // Auto-hide at rest waits with one timer for its delay, no tick.
    program().ApplySetting(SettingKey::FadeAutoHide, 1);
    program().ApplySetting(SettingKey::AutoHideMouse, 1);
    EXPECT_TRUE(PumpUntilTrue([] { return program().presence().AutoHide().AutoHidden; }, 3000));
    EXPECT_FALSE(program().Ticking());
    program().ApplySetting(SettingKey::AutoHideMouse, 0);
    // Polled as designed, nothing rests.
    program().ApplySetting(SettingKey::FollowPointerMoves, 0);
    PumpProgram(1500);
    EXPECT_TRUE(program().Ticking() && program().KeyPolling());
    program().ApplySetting(SettingKey::FollowPointerMoves, 1);
}

// A menu open above the overlays keeps its place when the z-order changes under it: the
// keyboard display raised over it would cover its entries.
wchar_t g_topClass[16];

TEST_F(MouseHooksInProgram, AnOpenMenuStaysAboveTheOverlays) {
    program().ApplySetting(SettingKey::ShowKeysWindow, 1);
    const handles::Menu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, 1, L"Entry");
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        ::SendMessageW(TheProgram().hwnd(), kZOrderChangedMessage, 0, 0);
        ::GetClassNameW(::GetTopWindow(nullptr), g_topClass, 16);
        ::EndMenu();
    });
    ::TrackPopupMenu(menu.get(), TPM_RETURNCMD, 100, 100, 0, window().hwnd(), nullptr);
    EXPECT_STREQ(g_topClass, L"#32768");
}
