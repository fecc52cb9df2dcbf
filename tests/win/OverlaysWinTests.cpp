// The overlays inside the whole program: the hooks' events reach the rings, the arrows and the
// mouse image; every control of the settings window and of the click options reaches what the
// overlay it drives shows; the overlays follow the pointer and the monitor's DPI.
#include "base/MonitorDpi_win.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "ui/Dialogs_win.h"
#include "ui/frmClickOptions_win.h"

#include "tests/win/ProgramTest.h"

namespace {

// What the overlay's paint routine draws for its state now, as 0xAARRGGBB rows.
template <typename Overlay>
std::vector<uint32_t> PaintedPixels(Overlay& window) {
    const Size size = window.ClientSize();
    return DrawnPixels(size, [&](HDC dc) { window.PaintContent(dc, RECT{0, 0, size.width, size.height}); });
}
// A digest of it.
template <typename Overlay>
uint64_t Painted(Overlay& window) {
    uint64_t digest = 1469598103934665603u;
    for (const uint32_t p : PaintedPixels(window)) digest = (digest ^ p) * 1099511628211u;
    return digest;
}

// What an overlay shows: shown or not, alpha, frame and drawing.
using Look = std::vector<uint64_t>;
template <typename Overlay>
void Add(Look& look, Overlay& window) {
    const Rect r = WindowRect(window.hwnd());
    look.insert(look.end(), {Visible(window.hwnd()), AlphaOf(window.hwnd()), uint64_t(r.Width()), uint64_t(r.Height()),
                             Painted(window)});
}

enum class Part { Record, Halo, CrossHair, Rings, Picture, Keyboard };

Look LookOf(Overlays& o, Part part) {
    Look look;
    if (part == Part::Halo) Add(look, o.spot);
    if (part == Part::CrossHair)
        for (frmCrossHair& arm : o.crossHair) Add(look, arm), look.push_back(arm.ArrowsOn()), look.push_back(uint64_t(arm.Gap));
    if (part == Part::Picture) Add(look, o.pic), look.push_back(o.pic.LockPos);
    if (part == Part::Keyboard)
        Add(look, o.keyBoard), look.push_back(o.keyBoard.LockPos), look.push_back(uint64_t(o.keyBoard.Display().FadingTime() * 1000));
    if (part == Part::Rings) {
        // The first and the last ring, each button's drawing while pressed; the arrows.
        for (frmButtons* ring : {&o.buttons[0], &o.buttons.back()}) {
            for (int button = 0; button < 3; ++button) {
                ring->MouseEvent(LeftDown + 3 * button, 0);
                Add(look, *ring);
                ring->MouseEvent(LeftUp + 3 * button, 0);
            }
            look.push_back(uint64_t(ring->State().FadeSeconds * 1000));
        }
        for (frmWheelArrow& arrow : o.wheelArrow) Add(look, arrow);
    }
    return look;
}

frmButtons* TrackingRing(Overlays& o) {
    for (frmButtons& ring : o.buttons)
        if (ring.Tracking()) return &ring;
    return nullptr;
}

// A cursor's own size and hot spot, as the system gives them.
BigPointerShape CursorShape(HCURSOR cursor) {
    ICONINFO info{};
    ::GetIconInfo(cursor, &info);
    const handles::Bitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP m{};
    ::GetObjectW(mask.get(), sizeof m, &m);
    return {{m.bmWidth, colour ? m.bmHeight : m.bmHeight / 2}, {LONG(info.xHotspot), LONG(info.yHotspot)}};
}

// Whether lower lies below upper in the z-order.
bool Below(HWND lower, HWND upper) {
    for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

const HMONITOR kRightMonitor = reinterpret_cast<HMONITOR>(0x2000);
int g_dpiQueries = 0;

// The whole program with every overlay switched on. Wine gives one monitor: the test stands
// in for two, x < 640 at 96 dpi and the rest at 192.
class OverlaysTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        SetMonitorDpiForTest([](Point p) { return p.x < 640 ? HMONITOR{} : kRightMonitor; },
                             [](HMONITOR monitor) -> uint32_t { return ++g_dpiQueries, monitor == kRightMonitor ? 192 : 96; });
        StartProgram(L"glimmora-overlays-test.ini", "[Settings]\r\nMouseImage=1\r\nCrosshair=1\r\nShowKeysWindow=1\r\n");
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
    // Quick swings about (350, 300), ending at (400, 300), each reported by the hook.
    static void Shake() {
        for (const int x : {300, 400, 300, 400, 300, 400}) {
            ::SetCursorPos(x, 300);
            ::SendMessageW(program().hwnd(), kPointerMovedMessage, 0, 0);
            Pump(30);
        }
    }
    static void ExpectHaloAt(Point pointer, int32_t side) {
        const Point corner = CentreHaloOnPointer(pointer, {side, side});
        EXPECT_EQ(WindowRect(overlays().spot.hwnd()), Rect::At(corner.x, corner.y, side, side));
    }
};

}  // namespace

TEST_F(OverlaysTest, MouseEventsReachTheRingsFadingInTheirTimeTheArrowsAndTheMouseImage) {
    Overlays& o = overlays();
    program().ApplySetting(SettingKey::ButtonsFading, 0.3);
    ::SetCursorPos(400, 300);
    program().MouseEvent(LeftDown, 0);
    frmButtons* ring = TrackingRing(o);
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(std::make_tuple(Visible(ring->hwnd()), ring->Position(), AlphaOf(ring->hwnd()), o.pic.Layers().IsOn(LeftLayer)),
              std::make_tuple(true, CentreOnPointer({400, 300}, {89, 89}), BYTE{128}, true));
    program().MouseEvent(LeftUp, 0);
    EXPECT_FALSE(ring->Tracking() || o.pic.Layers().IsOn(LeftLayer));
    // A 0.3 s fade: fading at 0.15 s, gone soon after 0.3 s.
    Pump(150);
    EXPECT_LT(AlphaOf(ring->hwnd()), 128);
    EXPECT_TRUE(PumpUntilTrue([&] { return !Visible(ring->hwnd()); }, 500));

    for (const int32_t direction : {1, -1}) {
        program().MouseEvent(WheelTurned, direction);
        EXPECT_EQ(Visible(o.wheelArrow[0].hwnd()), direction > 0);
        EXPECT_EQ(Visible(o.wheelArrow[1].hwnd()), direction < 0);
        EXPECT_TRUE(o.pic.Layers().IsOn(direction > 0 ? WheelUpLayer : WheelDownLayer));
        EXPECT_TRUE(PumpUntilTrue([&] { return !Visible(o.wheelArrow[direction < 0].hwnd()); }, 500));
    }
}

// Each control, used as a user uses it, changes its setting and what the overlay it drives shows.
TEST_F(OverlaysTest, EveryControlReachesWhatItsOverlayShows) {
    Click(window().Control("cmdClickOptions"));
    PumpProgram(50);
    frmClickOptions& options = ClickOptionsWindow();
    ASSERT_TRUE(Visible(options.DialogHwnd()));
    // A class to list, the list off: both the list option and the key caps' box show.
    program().ApplySetting(SettingKey::ListCharacterKeys, 1);
    program().ApplySetting(SettingKey::ListAnyKeys, 0);
    const struct {
        const char* name;
        Part part;
        bool inOptions = false;
    } cases[] = {
        {"chkButtons", Part::Record}, {"sldFadeButtons", Part::Rings}, {"sldSizeButtons", Part::Rings},
        {"sldTransButtons", Part::Rings}, {"chkPicture", Part::Picture}, {"chkPictureLockPos", Part::Picture},
        {"sldSizePicture", Part::Picture}, {"optColorPicture1", Part::Picture}, {"sldTransPicture", Part::Picture},
        {"chkSpot", Part::Halo}, {"chkRing", Part::Halo}, {"chkFullScreen", Part::Halo}, {"sldSizeSpot", Part::Halo},
        {"colpicSpot", Part::Halo}, {"sldTransSpot", Part::Halo}, {"chkCrossHair", Part::CrossHair},
        {"chkArrows", Part::CrossHair}, {"sldGapCrossHair", Part::CrossHair}, {"sldSizeCrossHair", Part::CrossHair},
        {"colpicCrossHair", Part::CrossHair}, {"sldTransCrossHair", Part::CrossHair}, {"sldFadeKeys", Part::Keyboard},
        {"chkKeyLockPos", Part::Keyboard}, {"sldTransKeyBoard", Part::Keyboard}, {"chkListSpecialKeys", Part::Keyboard},
        {"chkShowKeysWindow", Part::Keyboard}, {"chkShowKeysClick", Part::Record}, {"chkAutoHideMouse", Part::Record},
        {"sldFadeAutoHide", Part::Record}, {"chkSlowRefresh", Part::Record}, {"chkAutoHideKeyboard", Part::Record},
        {"colpicLeft", Part::Rings, true}, {"colpicMiddle", Part::Rings, true}, {"colpicRight", Part::Rings, true},
        {"colpicWheel", Part::Rings, true}, {"sldWidthLeft", Part::Rings, true}, {"sldWidthMiddle", Part::Rings, true},
        {"sldWidthRight", Part::Rings, true}, {"sldWidthWheel", Part::Rings, true},
        {"chkShowButtonLetter", Part::Rings, true}, {"chkSameSize", Part::Rings, true}, {"chkDisks", Part::Rings, true},
        {"chkWheelVisible", Part::Record, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string_view name = c.name;
        const SettingKey key = c.inOptions ? std::ranges::find(ClickOptionControls(), name, &ClickOptionControl::name)->key
                                           : FindSettingsControl(name)->key;
        const HWND control = c.inOptions ? options.ControlNamed(name) : window().Control(name);
        ASSERT_NE(control, nullptr);
        const double before = settings().Get(key);
        const Look look = LookOf(overlays(), c.part);
        // Sliders go three steps left and pickers one down, or the other way at their end.
        const bool slider = name.starts_with("sld"), picker = name.starts_with("colpic");
        const auto use = [&](bool back) {
            ::SetFocus(control);
            for (int i = 0; i < (slider ? 3 : picker ? 1 : 0); ++i) Key(picker ? (back ? VK_UP : VK_DOWN) : back ? VK_RIGHT : VK_LEFT);
            if (!slider && !picker) Click(control);
        };
        use(false);
        if (settings().Get(key) == before) use(true);
        EXPECT_NE(settings().Get(key), before);
        EXPECT_TRUE(c.part == Part::Record || LookOf(overlays(), c.part) != look) << "its overlay shows no change";
        program().ApplySetting(key, before), window().ShowSettings(), RefreshDialogs();
    }
    options.HideDialog();
}

TEST_F(OverlaysTest, TheOverlaysFollowThePointerAndF3AndF4LockThem) {
    Overlays& o = overlays();
    // The mouse image right of the pointer, the keyboard display left of it.
    Point pointer = PointerTo(600, 400);
    EXPECT_GT(o.pic.Position().x, pointer.x);
    EXPECT_LT(o.keyBoard.Position().x + o.keyBoard.ClientSize().width, pointer.x);

    // A move the hook reports places the halo before any tick: sent, not pumped. Switched
    // off, the tick alone follows.
    ASSERT_TRUE(::SetCursorPos(420, 330));
    ::SendMessageW(program().hwnd(), kPointerMovedMessage, 0, 0);
    ExpectHaloAt({420, 330}, 201);
    program().ApplySetting(SettingKey::FollowPointerMoves, 0);
    ASSERT_TRUE(::SetCursorPos(500, 400));
    ::SendMessageW(program().hwnd(), kPointerMovedMessage, 0, 0);
    ExpectHaloAt({420, 330}, 201);
    pointer = PointerTo(500, 400);
    ExpectHaloAt(pointer, 201);
    program().ApplySetting(SettingKey::FollowPointerMoves, 1);

    // F3 and F4 lock the mouse image and the keyboard display where they are.
    const Point picAt = o.pic.Position(), keyBoardAt = o.keyBoard.Position();
    for (const bool locked : {true, false}) {
        ::SetFocus(window().Control("chkSpot"));
        Key(VK_F3);
        Key(VK_F4);
        EXPECT_EQ(settings().IsOn(SettingKey::MouseImageLockPos), locked);
        EXPECT_EQ(settings().IsOn(SettingKey::ListLockPos), locked);
        PointerTo(locked ? 300 : 500, 250);
        EXPECT_EQ(o.pic.Position() == picAt, locked);
        EXPECT_EQ(o.keyBoard.Position() == keyBoardAt, locked);
    }

    // A shake shows the halo that is off for a second, at the pointer.
    const bool halo = settings().IsOn(SettingKey::Halo);
    program().ApplySetting(SettingKey::Halo, 0);
    program().ApplySetting(SettingKey::ShakeToFind, 1);
    Shake();
    EXPECT_TRUE(o.spot.Shown());
    ExpectHaloAt({400, 300}, o.spot.ClientSize().width);
    EXPECT_TRUE(PumpUntilTrue([&o] { return !o.spot.Shown(); }, 1500));
    program().ApplySetting(SettingKey::ShakeToFind, 0);
    program().ApplySetting(SettingKey::Halo, halo ? 1 : 0);
}

// With sizes following the monitor, a pointer that crosses to a monitor of twice the DPI finds
// the halo, the rings, the keyboard display and the big pointer twice as large, never hidden on the way.
TEST_F(OverlaysTest, SizesFollowTheMonitorsDpiWithoutHidingAnything) {
    Overlays& o = overlays();
    PointerTo(300, 250);
    const Size keys = o.keyBoard.ClientSize();
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    program().ApplySetting(SettingKey::BigPointer, 1);
    EXPECT_EQ(o.keyBoard.ClientSize(), keys);
    const HideCounter hides({o.spot.hwnd(), o.keyBoard.hwnd()});
    g_dpiQueries = 0;
    Point pointer = PointerTo(900, 250);
    for (int x : {950, 1000}) pointer = PointerTo(x, 300);
    EXPECT_EQ(g_dpiQueries, 1) << "moving about on one monitor asks its DPI no more";
    ExpectHaloAt(pointer, 401);
    EXPECT_EQ(o.bigPointer.Percent(), 500);
    EXPECT_EQ(o.buttons[0].ClientSize(), (Size{177, 177}));
    EXPECT_NEAR(o.keyBoard.ClientSize().width, 2 * keys.width, 2);
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);  // the record's pixels everywhere
    ExpectHaloAt(pointer, 201);
    EXPECT_EQ(o.bigPointer.Percent(), 250);
    program().ApplySetting(SettingKey::BigPointer, 0);
    EXPECT_EQ(o.keyBoard.ClientSize(), keys);
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    const long gdiObjects = handles::Live().gdiObjects;
    PointerTo(200, 300);
    PointerTo(900, 300);
    PointerTo(200, 300);
    EXPECT_EQ(handles::Live().gdiObjects, gdiObjects) << "fonts come from the windows' caches";
    EXPECT_EQ(hides.Hides(), 0) << "a re-size must not hide and show an overlay";
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);
}

// The big pointer copies the pointer over a window of this process (another's cannot be read
// under Wine), enlarged with its hot spot on the pointer and above the other overlays. Catches:
// a shape taken once and kept, one set at rest never shown, a misplaced hot spot, a scale or a
// shake's doubling not applied, a ring over it, no blink or fade, one left on screen while paused.
TEST_F(OverlaysTest, TheBigPointerShowsThePointersShapeAtItsHotSpot) {
    frmBigPointer& big = overlays().bigPointer;
    const HCURSOR beam = ::LoadCursorW(nullptr, IDC_IBEAM), hand = ::LoadCursorW(nullptr, IDC_HAND);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW, wc.hInstance = ::GetModuleHandleW(nullptr), wc.hCursor = beam;
    wc.lpszClassName = L"GlimmoraTestText";
    ::RegisterClassW(&wc);
    // Shows the I-beam wherever the pointer is on it, as a text field does.
    const handles::Window text(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                                                 WS_POPUP | WS_VISIBLE, 150, 100, 500, 400, nullptr, nullptr,
                                                 wc.hInstance, nullptr));
    Point pointer = PointerTo(300, 250);
    ::SetCursor(beam);
    EXPECT_FALSE(Visible(big.hwnd())) << "off unless switched on";
    program().ApplySetting(SettingKey::BigPointer, 1);
    const auto expectAt = [&big](Point p, HCURSOR cursor, int32_t percent) {
        const BigPointerShape own = CursorShape(cursor);
        EXPECT_EQ(big.Cursor(), cursor);
        EXPECT_EQ(WindowRect(big.hwnd()), Rect::At(p.x - own.hotSpot.x * percent / 100, p.y - own.hotSpot.y * percent / 100,
                                                   own.size.width * percent / 100, own.size.height * percent / 100));
    };
    EXPECT_TRUE(Visible(big.hwnd()));
    expectAt(pointer, beam, 250);
    // The hot pixel is drawn where the pointer is, not a clear corner.
    const Point hot = big.Shape().hotSpot;
    EXPECT_NE(PaintedPixels(big).at(size_t(hot.y + 1) * big.ClientSize().width + hot.x + 1) >> 24, 0u);

    pointer = PointerTo(350, 300);
    expectAt(pointer, beam, 250);
    program().MouseEvent(LeftDown, 0);
    frmButtons* ring = TrackingRing(overlays());
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(Below(ring->hwnd(), big.hwnd())) << "a click's ring shows below the big pointer";
    program().MouseEvent(LeftUp, 0);

    ASSERT_TRUE(PumpUntilTrue([] { return !program().Ticking(); }, 3000));
    ::SetClassLongPtrW(text.get(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
    ::SetCursor(hand);
    EXPECT_TRUE(PumpUntilTrue([&big, hand] { return big.Cursor() == hand; }, 1300)) << "a shape set at rest";
    expectAt(pointer, hand, 250);
    program().ApplySetting(SettingKey::BigPointerScale, 400);
    expectAt(pointer, hand, 400);

    program().ApplySetting(SettingKey::ShakeToFind, 1);
    Shake();
    expectAt({400, 300}, hand, 800);
    EXPECT_TRUE(PumpUntilTrue([&big] { return big.Percent() == 400; }, 1500));
    expectAt({400, 300}, hand, 400);

    // A blink shows the inverse on every other tick and ends as it began; a fade takes the alpha.
    const std::vector<uint32_t> still = PaintedPixels(big);
    program().StartBlink();
    EXPECT_TRUE(PumpUntilTrue([&big, &still] { return PaintedPixels(big) != still; }, 400));
    EXPECT_TRUE(PumpUntilTrue([] { return !program().presence().Animating(); }, 4000));
    EXPECT_EQ(PaintedPixels(big), still);
    const double delay = settings().Get(SettingKey::FadeAutoHide);
    program().ApplySetting(SettingKey::FadeAutoHide, 0);
    program().ApplySetting(SettingKey::AutoHideMouse, 1);
    EXPECT_TRUE(PumpUntilTrue([&big] { return big.Alpha() == 0; }, 2000));
    PointerTo(300, 300);
    EXPECT_TRUE(PumpUntilTrue([&big] { return big.Alpha() == 255; }, 2000));
    program().ApplySetting(SettingKey::AutoHideMouse, 0);
    program().ApplySetting(SettingKey::FadeAutoHide, delay);

    program().SetPaused(true);
    EXPECT_FALSE(Visible(big.hwnd()));
    program().SetPaused(false);
    EXPECT_TRUE(Visible(big.hwnd()));
    for (const SettingKey key : {SettingKey::ShakeToFind, SettingKey::BigPointer}) program().ApplySetting(key, 0);
    program().ApplySetting(SettingKey::BigPointerScale, 250);
    EXPECT_FALSE(Visible(big.hwnd()));
}
