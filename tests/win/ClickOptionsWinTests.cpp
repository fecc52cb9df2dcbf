// The click-indicator options inside the whole program: every control reaches the record
// and what all seventeen ring windows and both wheel arrows draw.
#include "base/Text_win.h"
#include "app/Program_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "ui/Dialogs_win.h"
#include "ui/frmClickOptions_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/BoxAnswerer.h"
#include "tests/win/ProgramTest.h"
#include "tests/win/Surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A key as the message loop delivers it to the focused control.
void Key(HWND control, WPARAM key) {
    ::SetFocus(control);
    ::Key(key);
}

// What an overlay paints, on a bitmap of its client size.
template <typename Overlay>
std::unique_ptr<Surface> Drawn(Overlay& overlay) {
    auto s = std::make_unique<Surface>(overlay.ClientSize().width, overlay.ClientSize().height, 0);
    overlay.PaintContent(s->dc(), s->area());
    return s;
}

// Length of the first run of colour on the middle row.
int FirstRunOnMiddleRow(const Surface& s, COLORREF colour) {
    const int y = s.height() / 2;
    int x = 0, run = 0;
    while (x < s.width() && s.At(x, y) != colour) ++x;
    while (x + run < s.width() && s.At(x + run, y) == colour) ++run;
    return run;
}

constexpr SettingKey kColourKeys[] = {SettingKey::LeftButtonColor, SettingKey::MiddleButtonColor,
                                      SettingKey::RightButtonColor, SettingKey::WheelColor};
constexpr SettingKey kWidthKeys[] = {SettingKey::LeftButtonWidth, SettingKey::MiddleButtonWidth,
                                     SettingKey::RightButtonWidth, SettingKey::WheelWidth};
constexpr const char* kPickers[] = {"colpicLeft", "colpicMiddle", "colpicRight", "colpicWheel"};
constexpr const char* kSliders[] = {"sldWidthLeft", "sldWidthMiddle", "sldWidthRight", "sldWidthWheel"};

// The whole program on a settings file of its own, with the options window opened the way
// a user opens it.
class ClickOptionsTest : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-click-options-test.ini"); }
    static void TearDownTestSuite() { EndProgram(); }
    void SetUp() override {
        SharedLanguage().ChangeLanguage(0);
        Click(TheProgram().SettingsWindow().Control("cmdClickOptions"));
        PumpProgram(50);
        ASSERT_TRUE(::IsWindowVisible(window().DialogHwnd()));
    }
    static frmClickOptions& window() { return ClickOptionsWindow(); }
    static Overlays& overlays() { return TheProgram().overlays(); }
    static HWND control(const char* name) { return window().ControlNamed(name); }
    // A left press on every ring window, painted, then released again.
    template <typename Check>
    static void EveryLeftRing(Check check) {
        for (auto& ring : overlays().buttons) {
            ring.MouseEvent(2, 0);
            check(*Drawn(ring));
            ring.MouseEvent(1, 0);
        }
    }
};

}  // namespace

TEST_F(ClickOptionsTest, OpensWithoutOwnerShowingTheRecordAndCloseOrEscapeOnlyHideIt) {
    const HWND dialog = window().DialogHwnd();
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr);
    EXPECT_EQ(WindowText(dialog), L"Options");
    RECT client{};
    ::GetClientRect(dialog, &client);
    const UINT dpi = window().Dpi();
    EXPECT_EQ(client.right, ScaleLength(514, dpi));
    EXPECT_EQ(client.bottom, ScaleLength(466, dpi));
    for (const ClickOptionControl& c : ClickOptionControls()) {
        SCOPED_TRACE(std::string(c.name));
        const HWND child = control(std::string(c.name).c_str());
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(::IsWindowVisible(child));
        if (!c.hasKey) continue;
        if (c.kind == ClickOptionKind::Picker) {
            EXPECT_EQ(window().Picker(c.part).RGBColor(), static_cast<uint32_t>(settings().GetInt(c.key)));
        } else if (c.kind == ClickOptionKind::Slider) {
            EXPECT_EQ(window().Slider(c.part).Value(), settings().Get(c.key));
        } else {
            EXPECT_EQ(Checked(child), settings().IsOn(c.key));
        }
    }
    EXPECT_EQ(window().Slider(ClickPart::Wheel).Min(), 2);
    EXPECT_EQ(window().Slider(ClickPart::Wheel).Max(), 20);
    // Close, Escape and the title bar's close hide it; shown again, it is the same window
    // showing what changed meanwhile.
    Click(control("cmdClose"));
    EXPECT_FALSE(::IsWindowVisible(dialog));
    TheProgram().ApplySetting(SettingKey::RingsSameSize, 1);
    Click(TheProgram().SettingsWindow().Control("cmdClickOptions"));
    EXPECT_EQ(window().DialogHwnd(), dialog);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(Checked(control("chkSameSize")));
    TheProgram().ApplySetting(SettingKey::RingsSameSize, 0);
    RefreshDialogs();
    EXPECT_FALSE(Checked(control("chkSameSize")));
    Key(control("chkDisks"), VK_ESCAPE);
    PumpProgram(50);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    Click(TheProgram().SettingsWindow().Control("cmdClickOptions"));
    ::SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    EXPECT_TRUE(::IsWindow(dialog));
}

// A picker or slider used from the keyboard changes its setting, and every ring window
// (or both arrows) draws with it at once.
TEST_F(ClickOptionsTest, PickersAndSlidersReachTheRecordAndEveryRingWindow) {
    for (int part = 0; part < kClickParts; ++part) {
        SCOPED_TRACE(kPickers[part]);
        const double colourBefore = settings().Get(kColourKeys[part]);
        Key(control(kPickers[part]), VK_DOWN);
        if (settings().Get(kColourKeys[part]) == colourBefore) Key(control(kPickers[part]), VK_UP);  // bottom row
        const auto colour = static_cast<uint32_t>(settings().GetInt(kColourKeys[part]));
        EXPECT_NE(colour, colourBefore);
        EXPECT_EQ(colour, window().Picker(static_cast<ClickPart>(part)).RGBColor());

        const double widthBefore = settings().Get(kWidthKeys[part]);
        Key(control(kSliders[part]), VK_RIGHT);
        EXPECT_EQ(settings().Get(kWidthKeys[part]), widthBefore + 1);
        const int width = settings().GetInt(kWidthKeys[part]);

        if (part == static_cast<int>(ClickPart::Wheel)) {
            for (auto& arrow : overlays().wheelArrow) EXPECT_GT(Drawn(arrow)->Count(colour), 10 * width);
            continue;
        }
        for (auto& ring : overlays().buttons) {
            ring.MouseEvent(2 + 3 * part, 0);
            const auto drawn = Drawn(ring);
            ring.MouseEvent(1 + 3 * part, 0);
            // Only this button's ring is drawn: where the middle row crosses it, its pen.
            EXPECT_NEAR(FirstRunOnMiddleRow(*drawn, colour), width, 1);
        }
    }
}

TEST_F(ClickOptionsTest, CheckBoxesReachTheRecordAndDiscsFillEveryRing) {
    struct Case {
        const char* box;
        SettingKey key;
    } cases[] = {{"chkShowButtonLetter", SettingKey::ShowLettersOnRings},
                 {"chkSameSize", SettingKey::RingsSameSize},
                 {"chkDisks", SettingKey::DisksAsClickIndicators},
                 {"chkWheelVisible", SettingKey::ShowWheelArrows}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const bool before = settings().IsOn(c.key);
        Click(control(c.box));
        EXPECT_NE(settings().IsOn(c.key), before);
        EXPECT_EQ(Checked(control(c.box)), settings().IsOn(c.key));
    }
    const auto red = static_cast<uint32_t>(settings().GetInt(SettingKey::LeftButtonColor));
    const bool discs = settings().IsOn(SettingKey::DisksAsClickIndicators);
    EveryLeftRing([&](const auto& drawn) {
        EXPECT_EQ(drawn.At(drawn.width() / 2, drawn.height() / 2) == red, discs);
    });
    Click(control("chkDisks"));
    EveryLeftRing([&](const auto& drawn) {
        EXPECT_EQ(drawn.At(drawn.width() / 2, drawn.height() / 2) == red, !discs);
    });
}

TEST_F(ClickOptionsTest, DefaultButtonAsksAndOnYesRestoresOnlyThisWindowsDefaults) {
    // Everything away from its default, the ring size too (which is not this window's).
    for (const ClickOptionValue& v : ClickOptionDefaults()) {
        const bool colour = v.value > 20;
        TheProgram().ApplySetting(v.key, colour ? 0x7F7F00 : v.value == 0 ? 1 : v.value == 1 ? 0 : 3);
    }
    TheProgram().ApplySetting(SettingKey::ButtonsSize, 60);
    window().SetAll();
    const SettingsRecord changed = settings();
    const std::string title(strings::TableText(0, kResetQuestionTitle));

    {  // No: nothing changes.
        BoxAnswerer no(title, IDNO);
        Click(control("cmdDefault"));
        no.Wait();
        EXPECT_TRUE(no.seen && no.hasYes && no.hasNo && !no.hasOk);
        EXPECT_TRUE(no.Showed("Really reset all click indicator options to default?"));
        EXPECT_EQ(settings(), changed);
    }
    {  // Yes: the defaults in the record, the controls and the ring windows.
        BoxAnswerer yes(title, IDYES);
        Click(control("cmdDefault"));
        yes.Wait();
        ASSERT_TRUE(yes.seen);
    }
    const SettingsRecord fresh;
    for (const ClickOptionValue& v : ClickOptionDefaults()) EXPECT_EQ(settings().Get(v.key), fresh.Get(v.key));
    EXPECT_EQ(settings().GetInt(SettingKey::ButtonsSize), 60);
    EXPECT_EQ(window().Picker(ClickPart::Middle).RGBColor(), 0x00BF00u);
    EXPECT_EQ(window().Slider(ClickPart::Left).Value(), 11);
    EXPECT_TRUE(Checked(control("chkWheelVisible")));
    EXPECT_FALSE(Checked(control("chkDisks")));
    // A red ring 11 wide whose outer edge is at 0.7 of the window (at the user's ring size).
    EveryLeftRing([](const auto& drawn) {
        const double outer = 0.7 * drawn.width() / 2, inner = outer - 11;
        const double area = 3.14159 * (outer * outer - inner * inner);
        EXPECT_NEAR(drawn.Count(0x0000FF), area, area * 0.15);
    });
    for (auto& arrow : overlays().wheelArrow) EXPECT_GT(Drawn(arrow)->Count(0xBF00BF), 100);
}

TEST_F(ClickOptionsTest, LanguageChangeWhileOpenReachesEveryCaption) {
    for (int32_t language : {1, 5, 0}) {
        SCOPED_TRACE(language);
        SharedLanguage().ChangeLanguage(language);
        const auto text = [language](int32_t id) { return Widen(std::string(strings::TableText(language, id))); };
        EXPECT_EQ(WindowText(window().DialogHwnd()), text(kClickOptionsTitle));
        for (const ClickOptionControl& c : ClickOptionControls()) {
            SCOPED_TRACE(std::string(c.name));
            if (c.kind == ClickOptionKind::Slider) {
                EXPECT_EQ(window().Slider(c.part).Caption(), text(c.caption));
            } else if (c.kind != ClickOptionKind::Picker) {
                EXPECT_EQ(WindowText(control(std::string(c.name).c_str())), text(c.caption));
            }
        }
    }
}
