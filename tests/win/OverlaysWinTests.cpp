// The overlays driven through the program as the hooks drive them: which window a
// click reaches and what it shows, and thousands of events without a handle left behind.
#include "app/Program_win.h"
#include "base/Text_win.h"
#include "app/Program_win.h"
#include "hook/MouseEvent.h"

#include "tests/win/Pump.h"
#include "tests/win/TempFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

BYTE AlphaOf(HWND window) {
    BYTE alpha = 0;
    ::GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
    return alpha;
}

// Every ring and arrow faded out and no button of the mouse image lit.
bool Settled(const Overlays& o) {
    bool lit = false;
    for (int layer = 1; layer < kMouseImageLayers; ++layer) lit = lit || o.pic.Layers().IsOn(layer);
    for (const frmButtons& ring : o.buttons) lit = lit || ::IsWindowVisible(ring.hwnd());
    for (const frmWheelArrow& arrow : o.wheelArrow) lit = lit || ::IsWindowVisible(arrow.hwnd());
    return !lit;
}

// A program of its own with a settings file of the test's.
class RunningProgram {
public:
    explicit RunningProgram(const wchar_t* settings) {
        file_ = TempPath(L"glimmora-overlays-test.ini");
        ::DeleteFileW(file_.c_str());
        ::WritePrivateProfileSectionW(L"Settings", settings, file_.c_str());
        program_.SetSettingsPathForTest(Narrow(file_));
        loaded_ = program_.Start();
        Pump(1);  // the overlays come from the message loop
    }
    ~RunningProgram() {
        program_.Exit();
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        ::DeleteFileW(file_.c_str());
    }
    bool loaded() const { return loaded_; }
    Program& operator*() { return program_; }
    Program* operator->() { return &program_; }

private:
    std::wstring file_;
    Program program_;
    bool loaded_ = false;
};

TEST(Overlays, ClicksReachTheirRingsWheelTheArrowsAndTheMouseImageLightsItsButtons) {
    const handles::LiveCounts before = handles::Live();
    {
        RunningProgram program(L"MouseImage=1\0ButtonsFading=3\0");
        ASSERT_TRUE(program.loaded());
        Overlays& o = program->overlays();
        ::SetCursorPos(400, 300);

        program->MouseEvent(LeftDown, 0);
        frmButtons& first = o.buttons[1];
        EXPECT_TRUE(::IsWindowVisible(first.hwnd()));
        EXPECT_TRUE(first.Tracking());
        EXPECT_EQ(first.Position(), CentreOnPointer({400, 300}, {89, 89}));
        EXPECT_EQ(AlphaOf(first.hwnd()), 128);
        EXPECT_TRUE(o.pic.Layers().IsOn(1));

        // A double-click turns the same window's ring into the double ring.
        program->MouseEvent(LeftUp, 0);
        program->MouseEvent(LeftDouble, 0);
        EXPECT_TRUE(first.State().RingVisible(0, RingShape::DoubleOuter));
        EXPECT_FALSE(first.State().RingVisible(0, RingShape::Single));
        program->MouseEvent(LeftUp, 0);
        EXPECT_FALSE(first.Tracking());
        EXPECT_FALSE(o.pic.Layers().IsOn(1));

        // Right goes to the next window; its release finds it after other presses.
        program->MouseEvent(RightDown, 0);
        program->MouseEvent(MiddleDown, 0);
        program->MouseEvent(RightUp, 0);
        EXPECT_FALSE(o.buttons[2].Tracking());
        EXPECT_TRUE(o.buttons[3].Tracking());
        program->MouseEvent(MiddleUp, 0);

        // A 0.3 s fade at alpha 128: fading at 0.15 s, gone soon after 0.3 s.
        Pump(150);
        EXPECT_LT(AlphaOf(first.hwnd()), 128);
        EXPECT_TRUE(PumpUntilTrue([&] { return !::IsWindowVisible(first.hwnd()); }, 500));

        program->MouseEvent(WheelTurned, 1);
        EXPECT_TRUE(::IsWindowVisible(o.wheelArrow[0].hwnd()));
        EXPECT_FALSE(::IsWindowVisible(o.wheelArrow[1].hwnd()));
        EXPECT_TRUE(o.pic.Layers().IsOn(4));
        EXPECT_TRUE(
            PumpUntilTrue([&] { return !::IsWindowVisible(o.wheelArrow[0].hwnd()) && !o.pic.Layers().IsOn(4); }, 400));

        // With the click indicator off the mouse image still gets every event.
        program->ApplySetting(SettingKey::Buttons, 0);
        program->MouseEvent(RightDown, 0);
        program->MouseEvent(WheelTurned, -1);
        for (const frmButtons& ring : o.buttons) EXPECT_FALSE(::IsWindowVisible(ring.hwnd()));
        EXPECT_FALSE(::IsWindowVisible(o.wheelArrow[1].hwnd()));
        EXPECT_TRUE(o.pic.Layers().IsOn(3));
        EXPECT_TRUE(o.pic.Layers().IsOn(5));
        program->MouseEvent(RightUp, 0);
    }
    EXPECT_EQ(handles::Live().windows, before.windows);
    EXPECT_EQ(handles::Live().timers, before.timers);
    EXPECT_EQ(handles::Live().gdiObjects, before.gdiObjects);
}

TEST(Overlays, ThousandsOfClicksAndWheelTurnsLeaveTheLiveCountsFlat) {
    RunningProgram program(L"MouseImage=1\0ShowLettersOnRings=1\0Crosshair=1\0ButtonsFading=1\0");
    ASSERT_TRUE(program.loaded());
    constexpr int32_t kClick[] = {LeftDown, LeftUp, LeftDouble, LeftUp, MiddleDown, MiddleUp,
                                  MiddleDouble, MiddleUp, RightDown, RightUp, RightDouble, RightUp};
    // Each round is 1000 clicks of every kind (single and double, three buttons) and 200
    // wheel turns, then the fades run out.
    const auto round = [&] {
        for (int i = 0; i < 1000; ++i) {
            program->MouseEvent(kClick[(2 * i) % 12], 0);
            program->MouseEvent(kClick[(2 * i + 1) % 12], 0);
            if (i % 5 == 0) program->MouseEvent(WheelTurned, i % 10 == 0 ? 1 : -1);
            if (i % 20 == 0) Pump(1);
        }
        EXPECT_TRUE(PumpUntilTrue([&] { return Settled(program->overlays()); }, 1300));
        Pump(50);  // a last timer tick
    };
    round();
    const handles::LiveCounts settled = handles::Live();
    for (int i = 0; i < 2; ++i) round();
    const handles::LiveCounts& after = handles::Live();
    EXPECT_EQ(after.gdiObjects, settled.gdiObjects);
    EXPECT_EQ(after.dcs, settled.dcs);
    EXPECT_EQ(after.windows, settled.windows);
    EXPECT_EQ(after.timers, settled.timers);
    for (const frmButtons& ring : program->overlays().buttons) EXPECT_FALSE(::IsWindowVisible(ring.hwnd()));
}

TEST(Overlays, PauseHidesEveryOverlayAndResumeShowsWhatIsSwitchedOn) {
    RunningProgram program(L"MouseImage=1\0Crosshair=1\0ShowKeysWindow=1\0");
    ASSERT_TRUE(program.loaded());
    Overlays& o = program->overlays();
    program->MouseEvent(LeftDown, 0);
    ASSERT_TRUE(::IsWindowVisible(o.buttons[1].hwnd()));

    program->TogglePause();
    EXPECT_TRUE(program->Paused());
    for (HWND window : {o.spot.hwnd(), o.pic.hwnd(), o.keyBoard.hwnd(), o.crossHair[0].hwnd(), o.buttons[1].hwnd()})
        EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_FALSE(o.buttons[1].Tracking());
    EXPECT_FALSE(o.pic.Layers().IsOn(1)) << "pausing clears the lit buttons";
    // Paused, the mouse is ignored; a second menu toggle within half a second is too.
    program->MouseEvent(RightDown, 0);
    EXPECT_FALSE(::IsWindowVisible(o.buttons[2].hwnd()));
    program->TogglePause();
    EXPECT_TRUE(program->Paused());

    // The shortcut toggles at once, and everything switched on comes back at the pointer.
    ::SetCursorPos(500, 400);
    program->TogglePause(PauseSource::Shortcut);
    EXPECT_FALSE(program->Paused());
    for (HWND window : {o.spot.hwnd(), o.pic.hwnd(), o.keyBoard.hwnd(), o.crossHair[3].hwnd()})
        EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(o.spot.Position(), CentreHaloOnPointer({500, 400}, o.spot.ClientSize()));
    EXPECT_FALSE(::IsWindowVisible(o.buttons[1].hwnd())) << "rings wait for the next click";
}

TEST(Overlays, AutoHideFadesToNothingAndBackToTheUsersAlpha) {
    RunningProgram program(L"MouseImage=1\0AutoHideMouse=1\0FadeAutoHide=1\0HaloTrans=0\0");
    ASSERT_TRUE(program.loaded());
    frmSpot& spot = program->overlays().spot;
    ::SetCursorPos(300, 300);
    // Hidden a second after the last activity, then 27 fade steps of 37 ms.
    EXPECT_TRUE(PumpUntilTrue([&] { return AlphaOf(spot.hwnd()) == 0; }, 2700));
    EXPECT_TRUE(spot.Hidden());
    EXPECT_EQ(spot.AlphaOriginal(), 255) << "the fade lends the alpha; the user's stays";

    program->MouseEvent(WheelTurned, 1);
    program->presence().RefreshAutoHide(false);
    EXPECT_FALSE(spot.Hidden());
    // 11 steps back in, well before the next second of rest.
    EXPECT_TRUE(PumpUntilTrue([&] { return AlphaOf(spot.hwnd()) == 255; }, 600));
    EXPECT_FALSE(spot.Hidden());
}

}  // namespace
