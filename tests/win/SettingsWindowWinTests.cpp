// The settings window: every control reaches the overlay it drives, and the window is usable
// from the keyboard alone, at another DPI and in another language.
#include "app/Text_win.h"
#include "app/modMain_win.h"
#include "hook/MouseEvent.h"
#include "lang/SharedLanguage_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/ProgramTest.h"
#include "tests/win/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_steps;

// Places of the mouse image and the keyboard display saved at an earlier exit, far from
// where the pointer takes them: 15 twips a pixel, (900, 600) and (1000, 700).
constexpr const char* kSavedPlaces =
    "[Settings]\r\nMouseImagePosX=13500\r\nMouseImagePosY=9000\r\nListPosX=15000\r\nListPosY=10500\r\n";

Point TopLeft(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.left, r.top};
}

// The client area as the window shows it now.
std::vector<COLORREF> Shown(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    Surface shot(r.right, r.bottom, RGB(0, 0, 0));
    handles::WindowDc dc(window);
    ::BitBlt(shot.dc(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

// What the overlay's paint routine draws for its state now.
template <typename Overlay>
std::vector<COLORREF> Painted(Overlay& window) {
    const Size size = window.ClientSize();
    Surface drawn(size.width, size.height, RGB(0, 0, 0));
    window.PaintContent(drawn.dc(), drawn.area());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) pixels.push_back(drawn.At(x, y));
    return pixels;
}

// Menus opened while the counter runs; each is closed as soon as it is seen.
int g_menusOpened = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
    if (info.flags & GUI_INMENUMODE) {
        ++g_menusOpened;
        ::EndMenu();
    }
}

// A right click at the pointer as the hooks report it: the ring it showed, fading out now.
frmButtons* RightClickRing() {
    Program& program = TheProgram();
    program.MouseEvent(RightDown, 0);
    frmButtons* pressed = nullptr;
    for (frmButtons& ring : program.overlays().buttons)
        if (ring.Tracking()) pressed = &ring;
    program.MouseEvent(RightUp, 0);
    if (pressed) ::UpdateWindow(pressed->hwnd());
    return pressed;
}

void RightClickAt(POINT screen) {
    ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ASSERT_EQ(::SendInput(2, input, sizeof input[0]), 2u);
    PumpProgram(300);
}

// The settings window of this test process, on a settings file of its own.
class SettingsWindowTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        SetApplySettingsTrace([](const char* step) { g_steps.emplace_back(step); });
        StartProgram(L"glimmora-settings-window-test.ini", kSavedPlaces);
    }
    static void TearDownTestSuite() { EndProgram(); }
    static frmSet& window() { return SettingsWindow(); }
};

}  // namespace

TEST_F(SettingsWindowTest, ApplySettingsRunsItsStepsInTheirFixedOrder) {
    g_steps.clear();
    window().ApplySettings();
    const std::vector<std::string> expected{"ChooseSettingsFile", "ApplyClickIndicator", "ApplyCrossHair", "ApplyHalo",
                                            "ApplyMouseImage",    "ApplyKeyboard",       "ApplyOverlayOrder",
                                            "optPlay_Click"};
    EXPECT_EQ(g_steps, expected);
}

// Each control, used as a user uses it, changes its setting and reaches its overlay.
TEST_F(SettingsWindowTest, EveryControlHandsItsValueToTheOverlayItDrives) {
    struct Case {
        const char* control;
        const char* step;  // the overlay's apply function
    } cases[] = {
        {"chkButtons", "ApplyClickIndicator"},  {"sldFadeButtons", "ApplyClickIndicator"},
        {"sldSizeButtons", "ApplyClickIndicator"}, {"sldTransButtons", "ApplyClickIndicator"},
        {"chkPicture", "ApplyMouseImage"},      {"chkPictureLockPos", nullptr},
        {"sldSizePicture", "ApplyMouseImage"},  {"optColorPicture1", "ApplyMouseImage"},
        {"sldTransPicture", "ApplyMouseImage"}, {"chkSpot", "ApplyHalo"},
        {"chkRing", "ApplyHalo"},               {"chkFullScreen", "ApplyHalo"},
        {"sldSizeSpot", "ApplyHalo"},           {"colpicSpot", "ApplyHalo"},
        {"sldTransSpot", "ApplyHalo"},          {"chkCrossHair", "ApplyCrossHair"},
        {"chkArrows", "ApplyCrossHair"},        {"sldGapCrossHair", "ApplyCrossHair"},
        {"sldSizeCrossHair", "ApplyCrossHair"}, {"colpicCrossHair", "ApplyCrossHair"},
        {"sldTransCrossHair", "ApplyCrossHair"}, {"sldFadeKeys", nullptr},
        {"chkKeyLockPos", nullptr},             {"sldTransKeyBoard", nullptr},
        {"chkListSpecialKeys", nullptr},        {"chkShowKeysWindow", nullptr},
        {"chkShowKeysClick", nullptr},          {"chkAutoHideMouse", nullptr},
        {"sldFadeAutoHide", nullptr},           {"chkSlowRefresh", nullptr},
        {"chkAutoHideKeyboard", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        const SettingsControl* control = FindSettingsControl(c.control);
        ASSERT_NE(control, nullptr);
        const double before = settings().Get(control->key);
        g_steps.clear();
        const HWND target = window().Control(c.control);
        ::SetFocus(target);
        if (control->kind == ControlKind::Slider) {
            Key(VK_LEFT);
            if (settings().Get(control->key) == before) Key(VK_RIGHT);  // it was at its minimum
        } else if (control->kind == ControlKind::ColourPicker) {
            Key(VK_DOWN);
            if (settings().Get(control->key) == before) Key(VK_UP);  // it was in the bottom row
        } else {
            ::SendMessageW(target, BM_CLICK, 0, 0);
        }
        EXPECT_NE(settings().Get(control->key), before);
        if (c.step) {
            EXPECT_NE(std::find(g_steps.begin(), g_steps.end(), c.step), g_steps.end());
        }
    }
    // And the overlays show it: the halo's colour and size, the cross hair switched on.
    EXPECT_EQ(window().overlays().spot.StoredColor(), static_cast<COLORREF>(settings().GetInt(SettingKey::HaloColor)));
    EXPECT_TRUE(::IsWindowVisible(window().overlays().crossHair[0].hwnd()));
    EXPECT_FALSE(::IsWindowEnabled(window().Control("chkRing")));  // full screen was ticked
    ::SendMessageW(window().Control("chkFullScreen"), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowEnabled(window().Control("chkRing")));
    EXPECT_EQ(window().overlays().spot.ClientSize().width, 2 * settings().GetInt(SettingKey::HaloSize) + 1);
}

TEST_F(SettingsWindowTest, TabReachesEveryControlInTableOrderAndArrowsChangeTheFocusedOne) {
    std::vector<HWND> expected;
    for (const SettingsControl& c : SettingsControls()) {
        const HWND control = window().Control(c.name);
        // Tab enters a group of options at the chosen one.
        if (c.kind == ControlKind::ColourOption) {
            if (settings().GetInt(c.key) == c.value) expected.push_back(control);
        } else if (::GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) {
            expected.push_back(control);
        }
    }
    ASSERT_GT(expected.size(), 35u);
    ::SetFocus(expected.front());
    std::vector<HWND> reached{::GetFocus()};
    for (size_t i = 1; i < expected.size(); ++i) {
        Key(VK_TAB);
        reached.push_back(::GetFocus());
    }
    EXPECT_EQ(reached, expected);
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), expected.front());  // round again

    ctlSlider* size = window().Slider("sldSizeSpot");
    ::SetFocus(size->hwnd());
    const int32_t before = settings().GetInt(SettingKey::HaloSize);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(settings().GetInt(SettingKey::HaloSize), std::min(before + 2, 300));
    EXPECT_EQ(::GetFocus(), size->hwnd());  // the arrows stayed with the slider
}

TEST_F(SettingsWindowTest, F10OpensTheMenuFromAnyControl) {
    // The menu runs its own loop: a timer looks at it and closes it.
    static bool sawMenu = false;
    ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
        sawMenu = (info.flags & GUI_INMENUMODE) != 0;
        ::EndMenu();
    });
    ::SetFocus(window().Control("chkSpot"));
    MSG f10{::GetFocus(), WM_SYSKEYDOWN, VK_F10, 0, 0, {}};
    EXPECT_TRUE(window().PreTranslateMessage(f10));
    EXPECT_TRUE(sawMenu);
}

// F3 and F4 lock the mouse image and the keyboard display where they are; the places saved
// at the last exit are taken at start only, so neither window jumps there.
TEST_F(SettingsWindowTest, F3AndF4LockTheWindowsWhereTheyAreNotAtTheirSavedPlaces) {
    Program& program = TheProgram();
    program.ApplySetting(SettingKey::MouseImageLockPos, 0);
    program.ApplySetting(SettingKey::ListLockPos, 0);
    program.ApplySetting(SettingKey::MouseImage, 1);
    program.ApplySetting(SettingKey::ShowKeysWindow, 1);
    ASSERT_TRUE(::SetCursorPos(300, 250));
    PumpProgram(100);
    const HWND pic = window().overlays().pic.hwnd(), keyBoard = window().overlays().keyBoard.hwnd();
    ASSERT_TRUE(::IsWindowVisible(pic));
    ASSERT_TRUE(::IsWindowVisible(keyBoard));
    const Point picAt = TopLeft(pic), keyBoardAt = TopLeft(keyBoard);
    ASSERT_NE(picAt, (Point{900, 600}));
    ASSERT_NE(keyBoardAt, (Point{1000, 700}));

    ::SetFocus(window().Control("chkSpot"));
    Key(VK_F3);
    Key(VK_F4);
    EXPECT_TRUE(settings().IsOn(SettingKey::MouseImageLockPos));
    EXPECT_TRUE(settings().IsOn(SettingKey::ListLockPos));
    EXPECT_EQ(TopLeft(pic), picAt);
    EXPECT_EQ(TopLeft(keyBoard), keyBoardAt);
    // Locked: the pointer goes, they stay.
    ASSERT_TRUE(::SetCursorPos(500, 400));
    PumpProgram(100);
    EXPECT_EQ(TopLeft(pic), picAt);
    EXPECT_EQ(TopLeft(keyBoard), keyBoardAt);

    // Free again: from where they are, after the pointer.
    Key(VK_F3);
    Key(VK_F4);
    EXPECT_FALSE(settings().IsOn(SettingKey::MouseImageLockPos));
    EXPECT_FALSE(settings().IsOn(SettingKey::ListLockPos));
    EXPECT_EQ(TopLeft(pic), picAt);
    PumpProgram(100);
    EXPECT_NE(TopLeft(pic), picAt);
    EXPECT_NE(TopLeft(keyBoard), keyBoardAt);
    program.ApplySetting(SettingKey::ShowKeysWindow, 0);
}

// The keyboard display's transparency, its fading time and its lock change only those: the
// keys it lists stay listed.
TEST_F(SettingsWindowTest, TheKeyboardDisplaysSlidersAndLockKeepTheKeysItLists) {
    Program& program = TheProgram();
    const SettingKey list = FindSettingsControl("chkListSpecialKeys")->key;
    program.ApplySetting(SettingKey::ListCharacterKeys, 1);
    program.ApplySetting(list, 1);
    frmKeyBoard& keyBoard = window().overlays().keyBoard;
    ASSERT_TRUE(keyBoard.Display().ListMode());
    for (int32_t code : {'A', 'B', 'C'}) keyBoard.AddKey(code);
    ASSERT_EQ(keyBoard.Display().LineCount(), 3u);

    for (const char* name : {"sldTransKeyBoard", "sldFadeKeys"}) {
        SCOPED_TRACE(name);
        const SettingKey key = FindSettingsControl(name)->key;
        const double before = settings().Get(key);
        ::SetFocus(window().Control(name));
        Key(VK_LEFT);
        if (settings().Get(key) == before) Key(VK_RIGHT);  // it was at its minimum
        ASSERT_NE(settings().Get(key), before);
        EXPECT_EQ(keyBoard.Display().LineCount(), 3u);
    }
    BYTE alpha = 0;
    ::GetLayeredWindowAttributes(keyBoard.hwnd(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, TransparencyToAlpha(settings().Get(SettingKey::KeyBoardTrans)));
    EXPECT_EQ(keyBoard.Display().FadingTime(), static_cast<float>(settings().Get(SettingKey::ListKeysFading)));

    ::SetFocus(window().Control("chkSpot"));
    Key(VK_F4);
    EXPECT_EQ(keyBoard.Display().LineCount(), 3u);
    Key(VK_F4);
    EXPECT_EQ(keyBoard.Display().LineCount(), 3u);
    program.ApplySetting(list, 0);
}

// Only the menu button, F10 and the menu key open the program menu. A right click opens
// nothing; on the mouse picture it pauses.
TEST_F(SettingsWindowTest, ARightClickOpensNoMenuAndPausesOnlyOnTheMousePicture) {
    Program& program = TheProgram();
    ASSERT_FALSE(program.Paused());
    const HWND settingsWindow = window().hwnd();
    ::SetForegroundWindow(settingsWindow);
    const auto onScreen = [&](int x96, int y96) {
        POINT p{ScaleToDpi(x96, window().Dpi()), ScaleToDpi(y96, window().Dpi())};
        ::ClientToScreen(settingsWindow, &p);
        return p;
    };
    RECT box{};
    ::GetWindowRect(window().Control("chkSpot"), &box);
    const POINT bare = onScreen(460, 24), checkBox{(box.left + box.right) / 2, (box.top + box.bottom) / 2},
                picture = onScreen(37, 171);
    ASSERT_EQ(::WindowFromPoint(bare), settingsWindow);
    ASSERT_EQ(::WindowFromPoint(checkBox), window().Control("chkSpot"));
    ASSERT_EQ(::WindowFromPoint(picture), settingsWindow);

    g_menusOpened = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseMenu);
    RightClickAt(bare);
    EXPECT_EQ(g_menusOpened, 0);
    EXPECT_FALSE(program.Paused());
    RightClickAt(checkBox);
    EXPECT_EQ(g_menusOpened, 0);
    EXPECT_FALSE(program.Paused());
    RightClickAt(picture);
    EXPECT_EQ(g_menusOpened, 0);
    EXPECT_TRUE(program.Paused());
    program.optPlay_Click();

    // The keyboard's way to a context menu (the menu key, Shift+F10) still opens it.
    ::SendMessageW(settingsWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(settingsWindow), MAKELPARAM(-1, -1));
    EXPECT_EQ(g_menusOpened, 1);
    ::KillTimer(nullptr, timer);
}

// A language change reaches the overlays that show text: the letter of a ring that is fading
// out and the key caps of the keyboard display change at once, with no event of their own.
TEST_F(SettingsWindowTest, ALanguageChangeReachesTheRingLettersAndTheKeyboardDisplay) {
    Program& program = TheProgram();
    clsLanguage& language = SharedLanguage();
    language.ChangeLanguage(English);
    program.ApplySetting(SettingKey::Buttons, 1);
    program.ApplySetting(SettingKey::ShowLettersOnRings, 1);
    program.ApplySetting(SettingKey::ButtonsFading, 5);
    ASSERT_TRUE(::SetCursorPos(400, 300));
    frmButtons* fading = RightClickRing();
    ASSERT_NE(fading, nullptr);
    const std::vector<COLORREF> english = Shown(fading->hwnd());

    language.ChangeLanguage(Spanish);  // "R" becomes "D"
    ::UpdateWindow(fading->hwnd());
    frmButtons* fresh = RightClickRing();
    ASSERT_NE(fresh, nullptr);
    ASSERT_NE(fresh, fading);
    const std::vector<COLORREF> spanish = Shown(fresh->hwnd());
    ASSERT_TRUE(english != spanish) << "the letters must show";
    EXPECT_TRUE(Shown(fading->hwnd()) == spanish) << "the fading ring shows the letter of the old language";

    // The Shift cap, held: "Shift" in English, "Umsch" in German.
    language.ChangeLanguage(English);
    program.ApplySetting(SettingKey::ShowKeysWindow, 1);
    frmKeyBoard& keyBoard = window().overlays().keyBoard;
    keyBoard.SetSpecialKeys(true, false, false);
    ::UpdateWindow(keyBoard.hwnd());
    const std::vector<COLORREF> shift = Shown(keyBoard.hwnd());
    language.ChangeLanguage(German);
    ::UpdateWindow(keyBoard.hwnd());
    const std::vector<COLORREF> umsch = Painted(keyBoard);
    ASSERT_TRUE(shift != umsch) << "the cap's caption must show";
    EXPECT_TRUE(Shown(keyBoard.hwnd()) == umsch) << "the cap shows the old language's name";

    keyBoard.SetSpecialKeys(false, false, false);
    language.ChangeLanguage(English);
    program.ApplySetting(SettingKey::ShowKeysWindow, 0);
    program.ApplySetting(SettingKey::ShowLettersOnRings, 0);
}

TEST_F(SettingsWindowTest, ANewDpiLaysTheWindowOutAgainInProportion) {
    const auto placeOf = [&](const char* name) {
        RECT r{};
        ::GetWindowRect(window().Control(name), &r);
        ::MapWindowPoints(nullptr, window().hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return Rect{r.left, r.top, r.right, r.bottom};
    };
    const UINT dpi = window().Dpi();
    RECT frame{};
    ::GetWindowRect(window().hwnd(), &frame);
    const UINT next = dpi == 144 ? 96 : 144;
    // The system suggests the frame scaled by the same factor.
    RECT suggested{frame.left, frame.top, frame.left + static_cast<LONG>((frame.right - frame.left) * next / dpi),
                   frame.top + static_cast<LONG>((frame.bottom - frame.top) * next / dpi)};
    ::SendMessageW(window().hwnd(), WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window().Dpi(), next);
    for (const SettingsControl& c : SettingsControls()) {
        if (c.kind == ControlKind::ColourPicker) continue;  // sized by its cells
        SCOPED_TRACE(std::string(c.name));
        const Rect r = placeOf(std::string(c.name).c_str());
        EXPECT_EQ(r, ScaleRect(c.place, next));
    }
    ::SendMessageW(window().hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
    EXPECT_EQ(placeOf("sldTransButtons"), ScaleRect(FindSettingsControl("sldTransButtons")->place, dpi));
}

TEST_F(SettingsWindowTest, ALanguageChangeReachesEveryCaptionTooltipAndTheMenu) {
    clsLanguage& language = SharedLanguage();
    language.ChangeLanguage(German);
    for (const SettingsControl& c : SettingsControls()) {
        if (!c.caption || c.kind == ControlKind::ColourPicker) continue;
        SCOPED_TRACE(std::string(c.name));
        const std::wstring german = Widen(language.GetString(c.caption));
        const std::wstring shown =
            c.kind == ControlKind::Slider ? window().Slider(c.name)->Caption() : WindowText(window().Control(c.name));
        EXPECT_EQ(shown, german);
    }
    EXPECT_EQ(WindowText(window().Control("optPause")), Widen(language.GetString(8)));
    language.ChangeLanguage(English);
    EXPECT_EQ(WindowText(window().Control("chkSpot")), L"Halo");
    EXPECT_EQ(window().Slider("sldGapCrossHair")->Caption(), L"Central gap");
}

TEST_F(SettingsWindowTest, DraggingASliderRepaintsThatSliderAndNothingElseOfTheWindow) {
    static std::set<HWND> painted;
    ctlSlider* size = window().Slider("sldSizeSpot");
    ::SetFocus(size->hwnd());
    PumpProgram(200);
    const HHOOK hook = ::SetWindowsHookExW(
        WH_GETMESSAGE,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (code == HC_ACTION && msg->message == WM_PAINT) painted.insert(msg->hwnd);
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    RECT r{};
    ::GetClientRect(size->hwnd(), &r);
    const RECT knob = size->KnobRect();
    const int y = (knob.top + knob.bottom) / 2;
    ::SendMessageW(size->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((knob.left + knob.right) / 2, y));
    for (int x = 5; x < r.right; x += 8) {
        ::SendMessageW(size->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        PumpProgram(5);
    }
    ::SendMessageW(size->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(r.right, y));
    PumpProgram(100);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(settings().GetInt(SettingKey::HaloSize), 300);
    std::set<HWND> ofTheWindow;
    for (HWND w : painted)
        if (w == window().hwnd() || ::IsChild(window().hwnd(), w)) ofTheWindow.insert(w);
    EXPECT_EQ(ofTheWindow, std::set<HWND>{size->hwnd()});
}

// Last: the window is gone afterwards.
TEST_F(SettingsWindowTest, CtrlQEndsTheProgramWhicheverControlHasTheFocus) {
    ::SetFocus(window().Slider("sldSizeSpot")->hwnd());
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    Key('Q');
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(window().hwnd(), nullptr);
    EXPECT_EQ(::FindWindowW(L"Glimmora_frmSpot", nullptr), nullptr);
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the exit ends the message loop";
}
