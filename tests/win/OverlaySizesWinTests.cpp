// A first start on a 144-dpi screen: the overlays take the settings' pixels (a halo of size
// 100 is 201 px across, not 301), and only the keyboard display grows with the system's
// scale; sizes follow the monitor's DPI only once that option is switched on. Wine reports
// 96 dpi, so the test stands in for the screen: every monitor answers 144, and the system
// scale read at start is 1.5.
#include "base/MonitorDpi_win.h"
#include "app/Program_win.h"

#include "tests/win/ProgramTest.h"

#include <gtest/gtest.h>

namespace {

HMONITOR OneMonitor(Point) { return reinterpret_cast<HMONITOR>(0x1000); }
uint32_t At144(HMONITOR) { return 144; }

Size WindowSize(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

class OverlaySizesAt144DpiTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        SetMonitorDpiForTest(&OneMonitor, &At144);
        savedScaleY_ = Display().ScaleY;
        SetScaleYForTest(1.5);
        StartProgram(L"glimmora-overlay-sizes-test.ini");
    }
    static void TearDownTestSuite() {
        EndProgram();
        SetScaleYForTest(savedScaleY_);
        SetMonitorDpiForTest(nullptr, nullptr);
    }
    static Overlays& overlays() { return TheProgram().overlays(); }

    struct Sizes {
        int32_t halo, ring, arm;
        Size arrow;
        int32_t picture;
    };
    static Sizes Measured() {
        ::SetCursorPos(300, 250);
        PumpProgram(100);
        return {WindowSize(overlays().spot.hwnd()).width, overlays().buttons[0].ClientSize().width,
                overlays().crossHair[0].ClientSize().height, overlays().wheelArrow[0].ClientSize(),
                overlays().pic.ClientSize().width};
    }

    static inline double savedScaleY_ = 1;
};

TEST_F(OverlaySizesAt144DpiTest, TheDefaultsDrawTheSettingsPixelsAndTheKeyboardDisplayTheSystemScale) {
    EXPECT_FALSE(settings().IsOn(SettingKey::SameSizeOnEveryMonitor));
    const Sizes pixels = Measured();
    EXPECT_EQ(pixels.halo, 201);                     // 2 × HaloSize + 1
    EXPECT_EQ(pixels.ring, 89);                      // 2 × ButtonsSize + 1
    EXPECT_EQ(pixels.arm, 7);                        // CrosshairSize
    EXPECT_EQ(pixels.arrow, (Size{54, 133}));        // round(1.2 × 44 + 1) × round(3 × 44 + 1)
    EXPECT_EQ(pixels.picture, 84);                   // MouseImageSize

    // The caps stacked: 70 × 79 at 96 dpi, one and a half times that here.
    TheProgram().ApplySetting(SettingKey::ListAnyKeys, 0);
    PumpProgram(50);
    const HWND keyBoard = overlays().keyBoard.hwnd();
    ASSERT_TRUE(::IsWindowVisible(keyBoard));
    const Size caps = WindowSize(keyBoard);
    EXPECT_NEAR(caps.width, 105, 2);
    EXPECT_NEAR(caps.height, 118.5, 2);

    // Switched on, the lengths are 96-dpi lengths drawn for the monitor's 144.
    TheProgram().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    const Sizes scaled = Measured();
    EXPECT_EQ(scaled.halo, 301);
    EXPECT_EQ(scaled.ring, 133);
    EXPECT_EQ(scaled.arm, 11);
    EXPECT_EQ(scaled.arrow, (Size{81, 200}));
    EXPECT_EQ(scaled.picture, 126);
    EXPECT_EQ(WindowSize(keyBoard), caps);

    TheProgram().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);
    const Sizes again = Measured();
    EXPECT_EQ(again.halo, 201);
    EXPECT_EQ(again.ring, 89);
    EXPECT_EQ(again.arm, 7);
    EXPECT_EQ(WindowSize(keyBoard), caps);
}

}  // namespace
