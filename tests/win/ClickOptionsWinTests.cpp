// The click-indicator options under Wine, inside the whole program: opened from the
// settings window's "More options ..." button, every control reaches the settings record
// and what all seventeen ring windows and both wheel arrows draw, the reset asks first and
// restores this window's defaults only, Close and Escape hide it, and a language change
// while it is open reaches every caption.
#include "app/Text_win.h"
#include "app/modMain_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "ui/Dialogs_win.h"
#include "ui/frmClickOptions_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/ProgramTest.h"

#include "tests/win/BoxAnswerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

// Messages as the program's loop runs them: the settings window's keys, then the dialogs'.

// A key as the message loop delivers it to the focused control.
void Key(HWND control, WPARAM key) {
    ::SetFocus(control);
    MSG msg{control, WM_KEYDOWN, key, 0, 0, {}};
    if (!RouteDialogMessage(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// What an overlay draws, read back from a 32-bit DIB as 0x00BBGGRR.
template <typename Overlay>
struct Drawn {
    explicit Drawn(Overlay& overlay) : size(overlay.ClientSize()) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.width, -size.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC dc = ::CreateCompatibleDC(nullptr);
        const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        const RECT area{0, 0, size.width, size.height};
        overlay.PaintContent(dc, area);
        ::GdiFlush();
        const auto* quads = static_cast<const uint32_t*>(bits);
        for (int i = 0; i < size.width * size.height; ++i) {
            const uint32_t q = quads[i];  // 0x00RRGGBB in a DIB
            pixels.push_back(((q & 0xFF) << 16) | (q & 0xFF00) | ((q >> 16) & 0xFF));
        }
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * size.width + x)]; }
    int Count(uint32_t colour) const {
        int n = 0;
        for (uint32_t p : pixels) n += p == colour;
        return n;
    }
    // Length of the first run of colour on the middle row, from the left edge.
    int FirstRunOnMiddleRow(uint32_t colour) const {
        const int y = size.height / 2;
        int x = 0;
        while (x < size.width && At(x, y) != colour) ++x;
        int run = 0;
        while (x + run < size.width && At(x + run, y) == colour) ++run;
        return run;
    }
    Size size;
    std::vector<uint32_t> pixels;
};

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
        ::SendMessageW(SettingsWindow().Control("cmdClickOptions"), BM_CLICK, 0, 0);
        PumpProgram(50);
        ASSERT_TRUE(::IsWindowVisible(window().DialogHwnd()));
    }
    static frmClickOptions& window() { return ClickOptionsWindow(); }
    static const SettingsRecord& settings() { return TheProgram().Settings(); }
    static Overlays& overlays() { return TheProgram().overlays(); }
    static HWND control(const char* name) { return window().ControlNamed(name); }
    // A left press on every ring window, painted, then released again.
    template <typename Check>
    static void EveryLeftRing(Check check) {
        for (auto& ring : overlays().buttons) {
            ring.MouseEvent(2, 0);
            check(Drawn(ring));
            ring.MouseEvent(1, 0);
        }
    }
};

}  // namespace

TEST_F(ClickOptionsTest, OpensFromMoreOptionsWithoutOwnerShowingTheRecord) {
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
    // Shown again after a change made elsewhere, it shows the change.
    ::SendMessageW(control("cmdClose"), BM_CLICK, 0, 0);
    TheProgram().ApplySetting(SettingKey::RingsSameSize, 1);
    ::SendMessageW(SettingsWindow().Control("cmdClickOptions"), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(control("chkSameSize")));
    TheProgram().ApplySetting(SettingKey::RingsSameSize, 0);
    RefreshDialogs();
    EXPECT_FALSE(Checked(control("chkSameSize")));
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
            for (auto& arrow : overlays().wheelArrow) EXPECT_GT(Drawn(arrow).Count(colour), 10 * width);
            continue;
        }
        for (auto& ring : overlays().buttons) {
            ring.MouseEvent(2 + 3 * part, 0);
            const Drawn drawn(ring);
            ring.MouseEvent(1 + 3 * part, 0);
            // Only this button's ring is drawn: where the middle row crosses it, its pen.
            EXPECT_NEAR(drawn.FirstRunOnMiddleRow(colour), width, 1);
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
        ::SendMessageW(control(c.box), BM_CLICK, 0, 0);
        EXPECT_NE(settings().IsOn(c.key), before);
        EXPECT_EQ(Checked(control(c.box)), settings().IsOn(c.key));
    }
    const auto red = static_cast<uint32_t>(settings().GetInt(SettingKey::LeftButtonColor));
    const bool discs = settings().IsOn(SettingKey::DisksAsClickIndicators);
    EveryLeftRing([&](const auto& drawn) {
        EXPECT_EQ(drawn.At(drawn.size.width / 2, drawn.size.height / 2) == red, discs);
    });
    ::SendMessageW(control("chkDisks"), BM_CLICK, 0, 0);
    EveryLeftRing([&](const auto& drawn) {
        EXPECT_EQ(drawn.At(drawn.size.width / 2, drawn.size.height / 2) == red, !discs);
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
        ::SendMessageW(control("cmdDefault"), BM_CLICK, 0, 0);
        no.Wait();
        EXPECT_TRUE(no.seen && no.hasYes && no.hasNo && !no.hasOk);
        EXPECT_TRUE(no.Showed("Really reset all click indicator options to default?"));
        EXPECT_EQ(settings(), changed);
    }
    {  // Yes: the defaults in the record, the controls and the ring windows.
        BoxAnswerer yes(title, IDYES);
        ::SendMessageW(control("cmdDefault"), BM_CLICK, 0, 0);
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
        const double outer = 0.7 * drawn.size.width / 2, inner = outer - 11;
        const double area = 3.14159 * (outer * outer - inner * inner);
        EXPECT_NEAR(drawn.Count(0x0000FF), area, area * 0.15);
    });
    for (auto& arrow : overlays().wheelArrow) EXPECT_GT(Drawn(arrow).Count(0xBF00BF), 100);
}

TEST_F(ClickOptionsTest, CloseAndEscapeHideItAndItComesBackAsItWas) {
    const HWND dialog = window().DialogHwnd();
    ::SendMessageW(control("cmdClose"), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    ::SendMessageW(SettingsWindow().Control("cmdClickOptions"), BM_CLICK, 0, 0);
    EXPECT_EQ(window().DialogHwnd(), dialog);  // hidden, not destroyed
    EXPECT_TRUE(::IsWindowVisible(dialog));
    Key(control("chkDisks"), VK_ESCAPE);
    PumpProgram(50);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    ::SendMessageW(SettingsWindow().Control("cmdClickOptions"), BM_CLICK, 0, 0);
    ::SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    EXPECT_TRUE(::IsWindow(dialog));
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
