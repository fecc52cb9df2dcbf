// dsmouse.dll and the program's hook layer under real input (SendInput reaches low-level
// hooks), over a window of the test's so that the client/non-client answer is known.
#include "tests/win/Pump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "base/Handles_win.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "hook/dsmouse/dsmouse.h"

namespace {

struct Report {
    int32_t message, x, y, hitTest, xButton;
};
std::vector<Report> g_reports, g_otherReports;

template <std::vector<Report>& into>
int32_t WINAPI RecordInto(int32_t message, int32_t x, int32_t y, int32_t hitTest, int32_t xButton) {
    into.push_back({message, x, y, hitTest, xButton});
    return 0;
}
constexpr auto Record = &RecordInto<g_reports>;
constexpr auto RecordOther = &RecordInto<g_otherReports>;

std::vector<int32_t> Messages(const std::vector<Report>& reports) {
    std::vector<int32_t> messages;
    for (const Report& report : reports) messages.push_back(report.message);
    return messages;
}

// The hooks run inside the message pump.
void PumpOnce() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
}

// Until done() or a second has passed, then a little longer so that anything extra shows.
template <typename Done>
void PumpUntil(Done done) {
    for (const DWORD start = ::GetTickCount(); !done() && ::GetTickCount() - start < 1000;) PumpOnce();
    Pump(60);
}

// A time stamp for the injected input, so that "slow" second clicks need no waiting.
DWORD g_clock = 0;

void Send(DWORD flags, DWORD mouseData = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = mouseData;
    input.mi.time = g_clock += 10;
    ::SendInput(1, &input, sizeof input);
}

void Click(POINT at, DWORD down, DWORD up, DWORD mouseData = 0) {
    ::SetCursorPos(at.x, at.y);
    Send(down, mouseData);
    Send(up, mouseData);
}

// Its top band answers the hit test as a caption, the way custom-framed windows do.
constexpr int kCaptionHeight = 30;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ScreenToClient(window, &point);
        return point.y < kCaptionHeight ? HTCAPTION : HTCLIENT;
    }
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    // Keep the default frame handling (move loops, the system menu) out of the test.
    if ((message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK) || message == WM_CONTEXTMENU) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A window of this thread under the clicks. Never activated: Wine on a display without
// a window manager takes two seconds to destroy a window that was.
class Target {
public:
    Target() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = TargetProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlimmoraHookTarget";
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::RegisterClassW(&windowClass);
        window_.reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, L"GlimmoraHookTarget",
                                        L"target", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                                        windowClass.hInstance, nullptr));
        ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
        Pump(50);
    }
    POINT Client() const { return ToScreen(200, 150); }
    POINT Caption() const { return ToScreen(200, kCaptionHeight / 2); }
    HWND get() const { return window_.get(); }

private:
    POINT ToScreen(int x, int y) const {
        POINT point{x, y};
        ::ClientToScreen(window_.get(), &point);
        return point;
    }
    handles::Window window_;
};

class DsMouse {
public:
    DsMouse() {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(::GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"dsmouse.dll";
        library_.reset(::LoadLibraryW(path.c_str()));
        const auto address = reinterpret_cast<void (*)()>(::GetProcAddress(library_.get(), kSetMouseHookExport));
        SetMouseHook = reinterpret_cast<SetMouseHookFunction>(address);
    }
    ~DsMouse() {
        if (SetMouseHook) SetMouseHook(kDsMouseStop, nullptr);
    }
    SetMouseHookFunction SetMouseHook = nullptr;

private:
    handles::Module library_;
};

TEST(DsMouse, ReportsClicksDoubleClicksAndNonClientVariantsUntilStopped) {
    Target target;
    DsMouse dsmouse;
    ASSERT_NE(dsmouse.SetMouseHook, nullptr);
    g_reports.clear();
    g_otherReports.clear();
    EXPECT_EQ(dsmouse.SetMouseHook(7, RecordOther), 0);
    // Started twice, the second callback replaces the first.
    ASSERT_EQ(dsmouse.SetMouseHook(kDsMouseStart, RecordOther), 1);
    ASSERT_EQ(dsmouse.SetMouseHook(kDsMouseStart, Record), 1);

    const POINT at = target.Client();
    Click(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return g_reports.size() >= 2; });
    ASSERT_EQ(Messages(g_reports), (std::vector<int32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_TRUE(g_reports[0].x == at.x && g_reports[0].y == at.y && g_reports[0].hitTest == HTCLIENT &&
                g_reports[0].xButton == 0);
    EXPECT_TRUE(g_otherReports.empty());

    // Second click → double-click; the third starts afresh.
    Click(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Click(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return g_reports.size() >= 6; });
    EXPECT_EQ(Messages(g_reports), (std::vector<int32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                                         WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

    // Too late, too far, or another button in between: plain presses.
    g_reports.clear();
    const POINT away{at.x + ::GetSystemMetrics(SM_CXDOUBLECLK) + 1, at.y};
    Click(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    g_clock += ::GetDoubleClickTime() + 1;
    Click(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Click(away, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Click(away, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    Click(away, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    PumpUntil([] { return g_reports.size() >= 10; });
    EXPECT_EQ(Messages(g_reports),
              (std::vector<int32_t>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDOWN,
                                    WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));

    // Over the frame the non-client messages, with the X button's number.
    g_reports.clear();
    g_clock += ::GetDoubleClickTime() + 1;
    const POINT caption = target.Caption();
    ASSERT_EQ(::SendMessageW(target.get(), WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
    Click(caption, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Click(caption, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Click(caption, MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON2);
    Click(at, MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
    PumpUntil([] { return g_reports.size() >= 8; });
    ASSERT_EQ(Messages(g_reports),
              (std::vector<int32_t>{WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP,
                                    WM_NCXBUTTONDOWN, WM_NCXBUTTONUP, WM_XBUTTONDOWN, WM_XBUTTONUP}));
    EXPECT_TRUE(g_reports[0].hitTest == HTCAPTION && g_reports[4].xButton == 2 && g_reports[6].xButton == 1 &&
                g_reports[6].hitTest == HTCLIENT);

    // Stop between a press and its release: whatever came before, nothing after.
    g_reports.clear();
    Send(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(dsmouse.SetMouseHook(kDsMouseStop, nullptr), 1);
    const size_t reportsAtStop = g_reports.size();
    Send(MOUSEEVENTF_LEFTUP);
    Click(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Pump(200);
    EXPECT_EQ(g_reports.size(), reportsAtStop);
    EXPECT_TRUE(g_otherReports.empty());

    // And it starts again.
    ASSERT_EQ(dsmouse.SetMouseHook(kDsMouseStart, RecordOther), 1);
    g_clock += ::GetDoubleClickTime() + 1;
    Click(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return g_otherReports.size() >= 2; });
    EXPECT_EQ(Messages(g_otherReports), (std::vector<int32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

std::vector<MouseEvent> g_events;
std::vector<uint32_t> g_held;

void RecordEvent(void* context, int32_t code, int32_t data, uint32_t held) {
    EXPECT_EQ(context, &g_events);
    g_events.push_back({code, data});
    g_held.push_back(held);
}

// The modifier as this thread's key state shows it, which is what a hook procedure reads.
void SetHeld(int key, bool down) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

// The program's side of the hooks: a window that takes the posted messages in the loop.
LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMouseHookMessage) {
        MouseMessage(wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class Receiver {
public:
    Receiver() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReceiverProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlimmoraHookReceiver";
        ::RegisterClassW(&windowClass);
        window_.reset(::CreateWindowExW(0, L"GlimmoraHookReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
    }
    HWND get() const { return window_.get(); }

private:
    handles::Window window_;
};

// Without the library the low-level hook alone runs: releases and the wheel, no presses.
TEST(MouseHooks, WithoutTheLibraryHookProceduresPostAndTheDispatchRunsFromTheLoop) {
    Target target;
    Receiver receiver;
    ASSERT_FALSE(HooksInstalled());
    const long hooksBefore = handles::Live().hooks;
    g_events.clear();
    SetMouseHookLibraryName(L"no-such-dsmouse.dll");
    handles::ScopeExit restore([] { SetMouseHookLibraryName(L"dsmouse.dll"); });
    InstallMouseHooks(receiver.get(), RecordEvent, &g_events);
    handles::ScopeExit remove([] { RemoveMouseHooks(); });
    EXPECT_TRUE(HooksInstalled());
    EXPECT_FALSE(MouseHookLibraryLoaded());
    EXPECT_EQ(handles::Live().hooks, hooksBefore + 1);

    MSLLHOOKSTRUCT release{};
    release.pt = {10, 10};
    MSLLHOOKSTRUCT wheel{};
    wheel.mouseData = static_cast<DWORD>(-WHEEL_DELTA) << 16;
    g_held.clear();
    // Ctrl is held at the release and let go before the loop gets to it.
    SetHeld(VK_CONTROL, true);
    LowLevelMouseProc(HC_ACTION, WM_RBUTTONUP, reinterpret_cast<LPARAM>(&release));
    SetHeld(VK_CONTROL, false);
    LowLevelMouseProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&wheel));
    LowLevelMouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&release));
    MouseHookCallback(WM_LBUTTONDOWN, 0, 0, 0, 0);
    EXPECT_TRUE(g_events.empty()) << "a hook procedure must not dispatch inside the hook";
    MSG queued{};
    EXPECT_TRUE(::PeekMessageW(&queued, receiver.get(), kMouseHookMessage, kMouseHookMessage, PM_NOREMOVE));
    PumpUntil([] { return g_events.size() >= 3; });
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightUp, 0}, {WheelTurned, -1}, {LeftDown, 0}}));
    EXPECT_EQ(g_held, (std::vector<uint32_t>{HeldCtrl, 0, 0})) << "the modifiers are those the hook saw";

    // Real input.
    g_events.clear();
    Click(target.Client(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Send(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA));
    PumpUntil([] { return g_events.size() >= 2; });
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{RightUp, 0}, {WheelTurned, -1}}));

    // What was posted before the hooks went is not delivered after.
    g_events.clear();
    LowLevelMouseProc(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&release));
    RemoveMouseHooks();
    EXPECT_EQ(handles::Live().hooks, hooksBefore);
    Pump(50);
    EXPECT_TRUE(g_events.empty());
}

TEST(MouseHooks, TakePressesFromTheLibraryAndReleasesAndWheelFromBoth) {
    Target target;
    Receiver receiver;
    ASSERT_FALSE(HooksInstalled());
    const long hooksBefore = handles::Live().hooks;
    g_events.clear();
    InstallMouseHooks(receiver.get(), RecordEvent, &g_events);
    InstallMouseHooks(receiver.get(), RecordEvent, &g_events);
    ASSERT_TRUE(HooksInstalled());
    ASSERT_TRUE(MouseHookLibraryLoaded());
    EXPECT_EQ(handles::Live().hooks, hooksBefore + 1);

    g_clock += ::GetDoubleClickTime() + 1;
    const POINT at = target.Client();
    Click(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Click(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Click(target.Caption(), MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
    Click(at, MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
    Send(MOUSEEVENTF_WHEEL, static_cast<DWORD>(WHEEL_DELTA));
    Send(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-2 * WHEEL_DELTA));
    PumpUntil([] { return g_events.size() >= 10; });
    // Both hooks pass a release on; the press comes once.
    EXPECT_EQ(g_events, (std::vector<MouseEvent>{{LeftDown, 0}, {LeftUp, 0}, {LeftUp, 0}, {LeftDouble, 0}, {LeftUp, 0},
                                                 {LeftUp, 0}, {MiddleDown, 0}, {MiddleUp, 0}, {WheelTurned, 1},
                                                 {WheelTurned, -1}}));

    RemoveMouseHooks();
    EXPECT_FALSE(HooksInstalled());
    EXPECT_EQ(handles::Live().hooks, hooksBefore);
    g_events.clear();
    Click(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Send(MOUSEEVENTF_WHEEL, static_cast<DWORD>(WHEEL_DELTA));
    Pump(200);
    EXPECT_TRUE(g_events.empty());
}

}  // namespace
