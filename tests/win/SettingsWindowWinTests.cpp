// The settings window: every control reaches the overlay it drives, and the window is usable
// from the keyboard alone, at another DPI and in another language.
#include "base/Text_win.h"
#include "app/Program_win.h"
#include "lang/SharedLanguage_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/ProgramTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_steps;

// The settings window of this test process, on a settings file of its own.
class SettingsWindowTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        SetApplySettingsTrace([](const char* step) { g_steps.emplace_back(step); });
        StartProgram(L"glimmora-settings-window-test.ini");
    }
    static void TearDownTestSuite() { EndProgram(); }
    static frmSet& window() { return TheProgram().SettingsWindow(); }
};

}  // namespace

TEST_F(SettingsWindowTest, ApplySettingsRunsItsStepsInTheirFixedOrder) {
    g_steps.clear();
    TheProgram().ApplySettings();
    // The record as it stands: the file was read once, at start.
    const std::vector<std::string> expected{"ApplyClickIndicator", "ApplyCrossHair",    "ApplyHalo",    "ApplyMouseImage",
                                            "ApplyKeyboard",       "ApplyOverlayOrder", "Play"};
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
    EXPECT_EQ(TheProgram().overlays().spot.StoredColor(), static_cast<COLORREF>(settings().GetInt(SettingKey::HaloColor)));
    EXPECT_TRUE(::IsWindowVisible(TheProgram().overlays().crossHair[0].hwnd()));
    EXPECT_FALSE(::IsWindowEnabled(window().Control("chkRing")));  // full screen was ticked
    ::SendMessageW(window().Control("chkFullScreen"), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowEnabled(window().Control("chkRing")));
    EXPECT_EQ(TheProgram().overlays().spot.ClientSize().width, 2 * settings().GetInt(SettingKey::HaloSize) + 1);
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
