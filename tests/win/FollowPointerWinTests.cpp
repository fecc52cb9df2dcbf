// The overlays between ticks and across monitors, inside the whole program: a pointer move
// reported by the hook places the halo before any tick runs, and, with sizes following the
// monitor switched on, a pointer that crosses to a monitor of twice the DPI finds the halo,
// the rings, the keyboard display and the captions twice as large, never hidden on the way.
// Wine gives one monitor, so the test stands in for two: x < 640 at 96 dpi, the rest at 192.
#include "base/MonitorDpi_win.h"
#include "app/Program_win.h"
#include "hook/MouseHooks_win.h"

#include "tests/win/ProgramTest.h"

#include <gtest/gtest.h>

namespace {

const HMONITOR kLeftMonitor = reinterpret_cast<HMONITOR>(0x1000);
const HMONITOR kRightMonitor = reinterpret_cast<HMONITOR>(0x2000);
int g_dpiQueries = 0;

HMONITOR FakeMonitorAt(Point p) { return p.x < 640 ? kLeftMonitor : kRightMonitor; }
uint32_t FakeMonitorDpi(HMONITOR monitor) {
    ++g_dpiQueries;
    return monitor == kRightMonitor ? 192 : 96;
}

// Every hide of the watched window, as its own procedure is asked for it.
HWND g_watched = nullptr;
int g_hides = 0;
LRESULT CALLBACK CountHides(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->hwnd == g_watched) {
        if (m->message == WM_SHOWWINDOW && !m->wParam) ++g_hides;
        if (m->message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_HIDEWINDOW))
            ++g_hides;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

Size WindowSize(HWND window) {
    const RECT r = WindowRect(window);
    return {r.right - r.left, r.bottom - r.top};
}

// Rows holding black in what an overlay paints (its one paint routine, into a bitmap of ours):
// the caption's letters, whose outline is white; rings are coloured, the rest is the colour key.
template <typename Overlay>
int BlackRows(Overlay& window) {
    const Size size = window.ClientSize();
    handles::WindowDc screen(nullptr);
    handles::MemoryDc dc(::CreateCompatibleDC(screen.get()));
    handles::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), size.width, size.height));
    handles::SelectObjectGuard selected(dc.get(), bitmap.get());
    window.PaintContent(dc.get(), RECT{0, 0, size.width, size.height});
    int rows = 0;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            if (::GetPixel(dc.get(), x, y) == RGB(0, 0, 0)) {
                ++rows;
                break;
            }
    return rows;
}

// The halo as the window system has it: centred on the pointer with this side.
void ExpectHaloAt(Point pointer, int32_t side) {
    const RECT r = WindowRect(TheProgram().overlays().spot.hwnd());
    const Point corner = CentreHaloOnPointer(pointer, {side, side});
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_EQ(r.right - r.left, side);
    EXPECT_EQ(r.bottom - r.top, side);
}

class FollowPointerTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        SetMonitorDpiForTest(&FakeMonitorAt, &FakeMonitorDpi);
        StartProgram(L"glimmora-follow-pointer-test.ini");
        TheProgram().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    }
    static void TearDownTestSuite() {
        EndProgram();
        SetMonitorDpiForTest(nullptr, nullptr);
    }
    // The pointer goes there and the ticks run.
    static Point PointerTo(int x, int y) {
        EXPECT_TRUE(::SetCursorPos(x, y));
        PumpProgram(100);
        return CursorPosition();
    }
    static Overlays& overlays() { return TheProgram().overlays(); }
};

TEST_F(FollowPointerTest, AMoveFromTheHookPlacesTheHaloBeforeAnyTick) {
    PointerTo(300, 250);
    ExpectHaloAt(CursorPosition(), 201);

    // Sent, not pumped: no timer can run between the move and the check.
    ASSERT_TRUE(::SetCursorPos(420, 330));
    ::SendMessageW(TheProgram().hwnd(), kPointerMovedMessage, 0, 0);
    ExpectHaloAt({420, 330}, 201);

    // Switched off, the message moves nothing: the tick alone follows, as before.
    TheProgram().ApplySetting(SettingKey::FollowPointerMoves, 0);
    ASSERT_TRUE(::SetCursorPos(500, 400));
    ::SendMessageW(TheProgram().hwnd(), kPointerMovedMessage, 0, 0);
    ExpectHaloAt({420, 330}, 201);
    PumpProgram(100);
    ExpectHaloAt({500, 400}, 201);
    TheProgram().ApplySetting(SettingKey::FollowPointerMoves, 1);
}

TEST_F(FollowPointerTest, SizesFollowTheMonitorsDpiWithoutHidingAnything) {
    PointerTo(300, 250);
    ExpectHaloAt(CursorPosition(), 201);
    EXPECT_EQ(overlays().buttons[0].ClientSize(), (Size{89, 89}));

    g_watched = overlays().spot.hwnd();
    g_hides = 0;
    g_dpiQueries = 0;
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CountHides, nullptr, ::GetCurrentThreadId());

    Point pointer = PointerTo(900, 250);
    ExpectHaloAt(pointer, 401);  // 100 px at 96 dpi is 200 at 192: side 2 × 200 + 1
    EXPECT_EQ(overlays().buttons[0].ClientSize(), (Size{177, 177}));
    EXPECT_TRUE(::IsWindowVisible(g_watched));
    // Moving about on one monitor asks its DPI no more.
    for (int x : {950, 1000, 1100}) pointer = PointerTo(x, 300);
    ExpectHaloAt(pointer, 401);
    EXPECT_EQ(g_dpiQueries, 1);

    // Off: the record's pixels on every monitor.
    TheProgram().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);
    ExpectHaloAt(pointer, 201);
    EXPECT_EQ(overlays().buttons[0].ClientSize(), (Size{89, 89}));
    pointer = PointerTo(1000, 350);
    ExpectHaloAt(pointer, 201);
    TheProgram().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    ExpectHaloAt(pointer, 401);

    pointer = PointerTo(200, 300);
    ExpectHaloAt(pointer, 201);
    EXPECT_TRUE(::IsWindowVisible(g_watched));
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_hides, 0) << "a re-size must not hide and show the halo";
}

// The keyboard display and the captions take the monitor's DPI as the shapes do: the caps
// twice as large on the 192-dpi side, re-sized in place, and a ring's caption in letters twice
// as high; switched off, the system's scale (Wine's is 96 dpi, the left monitor's). Fonts come
// from the windows' caches: crossing back and forth creates no GDI object.
TEST_F(FollowPointerTest, TheKeyboardDisplayAndTheCaptionsFollowTheMonitorsDpi) {
    Program& program = TheProgram();
    ASSERT_EQ(Display().ScaleY, 1.0);
    PointerTo(300, 250);
    program.ApplySetting(SettingKey::ShowKeysWindow, 1);
    frmKeyBoard& keyBoard = overlays().keyBoard;
    frmButtons& ring = overlays().buttons[0];
    ring.SetKeyText(L"Ctrl");
    PumpProgram(50);
    ASSERT_TRUE(::IsWindowVisible(keyBoard.hwnd()));
    const Size small = WindowSize(keyBoard.hwnd());
    const int smallLetters = BlackRows(ring);
    ASSERT_GT(smallLetters, 5);

    g_watched = keyBoard.hwnd();
    g_hides = 0;
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CountHides, nullptr, ::GetCurrentThreadId());
    PointerTo(900, 250);
    const Size large = WindowSize(keyBoard.hwnd());
    EXPECT_NEAR(large.width, 2 * small.width, 2);
    EXPECT_NEAR(large.height, 2 * small.height, 2);
    EXPECT_NEAR(BlackRows(ring), 2 * smallLetters, 3);
    EXPECT_TRUE(::IsWindowVisible(keyBoard.hwnd()));

    program.ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);
    EXPECT_EQ(WindowSize(keyBoard.hwnd()), small);
    EXPECT_EQ(BlackRows(ring), smallLetters);
    program.ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    EXPECT_EQ(WindowSize(keyBoard.hwnd()), large);

    const long gdiObjects = handles::Live().gdiObjects;
    for (int i = 0; i < 5; ++i) {
        PointerTo(200, 300);
        PointerTo(900, 300);
    }
    EXPECT_EQ(handles::Live().gdiObjects, gdiObjects);
    PointerTo(200, 300);
    EXPECT_EQ(WindowSize(keyBoard.hwnd()), small);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_hides, 0) << "a re-size must not hide and show the keyboard display";

    ring.SetKeyText(L"");
    program.ApplySetting(SettingKey::ShowKeysWindow, 0);
}

}  // namespace
