// The overlays inside the whole program: the hooks' events reach the rings, the arrows and the
// mouse image; every control of the settings window and of the click options reaches what the
// overlay it drives shows; the overlays follow the pointer and the monitor's DPI.
#include "base/MonitorDpi_win.h"
#include "hook/MouseEvent.h"
#include "hook/MouseHooks_win.h"
#include "ui/Dialogs_win.h"
#include "ui/frmClickOptions_win.h"
#include "ui/PresetMenu_win.h"

#include "tests/win/ProgramTest.h"

namespace {

// A digest of what the overlay's paint routine draws for its state now.
template <typename Overlay>
uint64_t Painted(Overlay& window) {
    const Size size = window.ClientSize();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.width, -size.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    handles::MemoryDc dc(::CreateCompatibleDC(nullptr));
    handles::Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return 0;
    handles::SelectObjectGuard selected(dc.get(), bitmap.get());
    window.PaintContent(dc.get(), RECT{0, 0, size.width, size.height});
    ::GdiFlush();
    uint64_t digest = 1469598103934665603u;
    for (int i = 0; i < size.width * size.height; ++i) digest = (digest ^ static_cast<const uint32_t*>(bits)[i]) * 1099511628211u;
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

const HMONITOR kRightMonitor = reinterpret_cast<HMONITOR>(0x2000);
int g_dpiQueries = 0;

// Every hide of the watched windows, as their own procedures are asked for it.
std::vector<HWND> g_watched;
int g_hides = 0;
LRESULT CALLBACK CountHides(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && std::count(g_watched.begin(), g_watched.end(), m->hwnd) &&
        ((m->message == WM_SHOWWINDOW && !m->wParam) ||
         (m->message == WM_WINDOWPOSCHANGING && (reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_HIDEWINDOW))))
        ++g_hides;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The whole program with every overlay switched on. Wine gives one monitor: the test stands
// in for two, x < 640 at 96 dpi and the rest at 192.
class OverlaysTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        SetMonitorDpiForTest([](Point p) { return p.x < 640 ? HMONITOR{} : kRightMonitor; },
                             [](HMONITOR monitor) -> uint32_t { return ++g_dpiQueries, monitor == kRightMonitor ? 192 : 96; });
        StartProgram(L"glimmora-overlays-test.ini", "[Settings]\r\nMouseImage=1\r\nCrosshair=1\r\nShowKeysWindow=1\r\n"
                                                    "[Preset Big]\r\nHaloSize=200\r\nCrosshair=0\r\n"
                                                    "[Preset Broken]\r\nHaloSize=junk\r\nCrosshair=0x\r\nLanguage=2\r\n");
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
    for (const int x : {300, 400, 300, 400, 300, 400}) {
        ::SetCursorPos(x, 300);
        ::SendMessageW(program().hwnd(), kPointerMovedMessage, 0, 0);
        Pump(30);
    }
    EXPECT_TRUE(o.spot.Shown());
    ExpectHaloAt({400, 300}, o.spot.ClientSize().width);
    EXPECT_TRUE(PumpUntilTrue([&o] { return !o.spot.Shown(); }, 1500));
    program().ApplySetting(SettingKey::ShakeToFind, 0);
    program().ApplySetting(SettingKey::Halo, halo ? 1 : 0);
}

// With sizes following the monitor, a pointer that crosses to a monitor of twice the DPI finds
// the halo, the rings and the keyboard display twice as large, never hidden on the way.
TEST_F(OverlaysTest, SizesFollowTheMonitorsDpiWithoutHidingAnything) {
    Overlays& o = overlays();
    PointerTo(300, 250);
    const Size keys = o.keyBoard.ClientSize();
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    EXPECT_EQ(o.keyBoard.ClientSize(), keys);
    g_watched = {o.spot.hwnd(), o.keyBoard.hwnd()};
    g_hides = 0;
    const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CountHides, nullptr, ::GetCurrentThreadId());
    g_dpiQueries = 0;
    Point pointer = PointerTo(900, 250);
    for (int x : {950, 1000}) pointer = PointerTo(x, 300);
    EXPECT_EQ(g_dpiQueries, 1) << "moving about on one monitor asks its DPI no more";
    ExpectHaloAt(pointer, 401);
    EXPECT_EQ(o.buttons[0].ClientSize(), (Size{177, 177}));
    EXPECT_NEAR(o.keyBoard.ClientSize().width, 2 * keys.width, 2);
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);  // the record's pixels everywhere
    ExpectHaloAt(pointer, 201);
    EXPECT_EQ(o.keyBoard.ClientSize(), keys);
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 1);
    const long gdiObjects = handles::Live().gdiObjects;
    PointerTo(200, 300);
    PointerTo(900, 300);
    PointerTo(200, 300);
    EXPECT_EQ(handles::Live().gdiObjects, gdiObjects) << "fonts come from the windows' caches";
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_hides, 0) << "a re-size must not hide and show an overlay";
    program().ApplySetting(SettingKey::SameSizeOnEveryMonitor, 0);
}

// Counts the halo window's hides on this thread, where the program's windows live.
int g_haloHides = 0;
HWND g_halo = nullptr;
LRESULT CALLBACK WatchHides(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == g_halo && message->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(message->lParam)->flags & SWP_HIDEWINDOW))
        ++g_haloHides;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Held down together for a moment, as a hand presses a shortcut.
void PressKeys(std::initializer_list<WORD> keys) {
    for (const bool up : {false, true}) {
        for (const WORD key : keys) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki = {key, 0, static_cast<DWORD>(up ? KEYEVENTF_KEYUP : 0), 0, 0};
            ::SendInput(1, &input, sizeof input);
        }
        PumpProgram(150);
    }
}

// A preset from the file switches the overlays the way their controls do, and a halo that stays
// on is never hidden on the way; damage in a preset changes nothing; a preset saved now is in
// the file; the menus check the preset the settings match; the shortcut goes to the next one.
TEST_F(OverlaysTest, PresetsSwitchTheOverlaysRoundTripThroughTheFileAndCycleByShortcut) {
    const SettingsRecord before = settings();
    const Presets& presets = program().PresetList();
    ASSERT_EQ(presets.All().size(), 5u);
    const std::size_t big = 3, broken = 4;
    ASSERT_EQ(presets.All()[big].name, "Big");
    const Point pointer = PointerTo(300, 300);

    g_halo = overlays().spot.hwnd();
    g_haloHides = 0;
    const handles::Hook watch(::SetWindowsHookExW(WH_CALLWNDPROC, &WatchHides, nullptr, ::GetCurrentThreadId()));
    program().SwitchToPreset(big);
    PumpProgram(100);
    EXPECT_EQ(g_haloHides, 0);
    EXPECT_TRUE(Visible(g_halo));
    ExpectHaloAt(pointer, 401);
    EXPECT_FALSE(Visible(overlays().crossHair[0].hwnd()));
    EXPECT_EQ(presets.Current(settings()), big);

    const SettingsRecord atBig = settings();
    program().SwitchToPreset(broken);
    EXPECT_EQ(settings(), atBig);

    ASSERT_TRUE(program().SaveAsPreset("Mine"));
    Presets read;
    read.Load(ReadBytes(file_), 0);
    ASSERT_NE(read.Find("mine"), nullptr);
    EXPECT_EQ(read.Find("mine")->values, presets.Find("Mine")->values);
    const handles::Menu menu(MakePresetMenu(program(), 9000));
    EXPECT_EQ(::GetMenuItemCount(menu.get()), 8);
    EXPECT_TRUE(::GetMenuState(menu.get(), 9000 + big, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(menu.get(), 9000 + 5, MF_BYCOMMAND) & MF_CHECKED);

    // Ctrl+Shift+P goes on from the current preset.
    program().ApplySetting(SettingKey::HotKeyPresetKeyCode, 'P');
    program().SwitchToPreset(0);
    PressKeys({VK_CONTROL, VK_SHIFT, 'P'});
    EXPECT_TRUE(PumpUntilTrue([&] { return presets.Current(settings()) == 1u; }, 1000)) << "Recording to Live";
    for (std::size_t i = 0; i < kSettingCount; ++i)
        program().ApplySetting(static_cast<SettingKey>(i), before.Get(static_cast<SettingKey>(i)));
}
