// The colour picker and the gradient shape as real child windows: what mouse, keys and
// focus do to them, what a screen reader reads, and the pixels they put on screen.
#include "controls/ColorPic_win.h"
#include "controls/GradShape_win.h"

#include "tests/win/Accessible.h"
#include "tests/win/Pump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The centre of a palette cell in the picker's pixels.
LPARAM CellCentre(int column, int row, int cellX = 9, int cellY = 7) {
    return At(1 + column * cellX + cellX / 2, 1 + row * cellY + cellY / 2);
}

// What the window shows once it has painted what it invalidated itself.
COLORREF PixelOf(HWND window, int x, int y) {
    ::UpdateWindow(window);
    handles::WindowDc dc(window);
    return ::GetPixel(dc.get(), x, y);
}

// A shown top-level window for the controls to live in, so focus behaves as in a dialog.
class Host {
public:
    Host()
        : window_(::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700, 300, nullptr,
                                    nullptr, nullptr, nullptr)) {
        ::SetForegroundWindow(window_.get());
        ::SetFocus(window_.get());
        Pump(30);
    }
    HWND hwnd() const { return window_.get(); }

private:
    handles::Window window_;
};

// A picker in a host, at the settings window's 9 × 7 cells, counting its events.
struct PickerFixture {
    Host host;
    ColorPic picker;
    std::vector<COLORREF> raised;
    explicit PickerFixture(UINT dpi = 96) {
        EXPECT_TRUE(picker.Create(host.hwnd(), 101, POINT{10, 10}, 9, 7, dpi));
        picker.RGBChanged = [this] { raised.push_back(picker.RGBColor()); };
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::SendMessageW(picker.hwnd(), message, wParam, lParam);
    }
};

std::vector<COLORREF> Cells(std::initializer_list<POINT> cells) {
    std::vector<COLORREF> colours;
    for (POINT c : cells) colours.push_back(PaletteColour(c.x, c.y));
    return colours;
}

TEST(ColorPicWin, AClickPicksTheCellUnderItOnceAtAnyDpi) {
    struct Case {
        UINT dpi;
        int cellX, cellY;
        RECT placed;  // in the host
    };
    for (const Case& c : {Case{96, 9, 7, {10, 10, 93, 47}}, Case{144, 14, 11, {15, 15, 143, 72}}}) {
        PickerFixture f(c.dpi);
        RECT r{};
        ::GetWindowRect(f.picker.hwnd(), &r);
        ::MapWindowPoints(nullptr, f.host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(::EqualRect(&r, &c.placed)) << c.dpi << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(::GetDlgCtrlID(f.picker.hwnd()), 101);
        f.picker.SetRGBColor(RGB(254, 0, 0));
        EXPECT_EQ(f.picker.RGBColor(), RGB(255, 0, 0));
        f.Send(WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(3, 2, c.cellX, c.cellY));
        f.Send(WM_LBUTTONUP, 0, CellCentre(3, 2, c.cellX, c.cellY));
        EXPECT_EQ(f.raised, Cells({{3, 2}})) << c.dpi << ": written colours raise nothing, a click raises once";
        EXPECT_EQ(::GetFocus(), f.picker.hwnd()) << "a click takes the focus";
    }
}

TEST(ColorPicWin, ADragRaisesOncePerCellCrossedAndArrowsMoveOneCell) {
    PickerFixture f;
    f.Send(WM_MOUSEMOVE, 0, CellCentre(4, 4));  // no press: nothing
    f.Send(WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(0, 1));
    EXPECT_EQ(::GetCapture(), f.picker.hwnd());
    for (LPARAM at : {At(2, 9), CellCentre(1, 1), CellCentre(2, 1)}) f.Send(WM_MOUSEMOVE, MK_LBUTTON, at);
    f.Send(WM_LBUTTONUP, 0, CellCentre(2, 1));
    EXPECT_EQ(f.raised, Cells({{0, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(::GetCapture(), nullptr);
    // One coalesced move far outside to the left: the cells between are picked too.
    f.raised.clear();
    f.Send(WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(2, 0));
    f.Send(WM_MOUSEMOVE, MK_LBUTTON, At(-200, 3));
    f.Send(WM_LBUTTONUP, 0, At(-200, 3));
    f.Send(WM_MOUSEMOVE, 0, CellCentre(4, 4));
    EXPECT_EQ(f.raised, Cells({{2, 0}, {1, 0}, {0, 0}}));

    EXPECT_TRUE(f.Send(WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
    f.picker.SetRGBColor(RGB(0x7D, 0x7D, 0x7D));  // last column, row 1
    f.raised.clear();
    for (WPARAM key : std::initializer_list<WPARAM>{VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, 'A', VK_RETURN})
        f.Send(WM_KEYDOWN, key, 0);
    EXPECT_EQ(f.raised, Cells({{8, 1}, {8, 2}, {7, 2}, {7, 1}}));
}

TEST(ColorPicWin, TheFrameFlashesOnlyWhileFocusedAndInvertsOtherwise) {
    PickerFixture f;
    f.picker.SetRGBColor(RGB(255, 0, 0));  // column 0, row 2: the cell spans x 1..9, y 15..21
    const HWND p = f.picker.hwnd();
    const long timers = handles::Live().timers;
    EXPECT_EQ(PixelOf(p, 1, 15), RGB(0, 255, 255)) << "the frame inverts the red under it";
    EXPECT_EQ(PixelOf(p, 4, 18), RGB(255, 0, 0)) << "inside the frame the cell shows";
    EXPECT_EQ(PixelOf(p, 14, 18), PaletteColour(1, 2));

    ::SetFocus(p);
    EXPECT_EQ(handles::Live().timers, timers + 1);
    EXPECT_EQ(PixelOf(p, 1, 15), RGB(0, 0, 0)) << "the cycle starts dark";
    // White comes eleven ticks (330 ms) in and lasts 240 ms.
    bool white = false;
    for (int i = 0; i < 60 && !white; ++i, Pump(15)) white = PixelOf(p, 9, 21) == RGB(255, 255, 255);
    EXPECT_TRUE(white) << "the frame never turned white";

    ::SetFocus(f.host.hwnd());
    EXPECT_EQ(handles::Live().timers, timers) << "the timer runs only while focused";
    EXPECT_EQ(PixelOf(p, 9, 21), RGB(0, 255, 255));
}

TEST(ColorPicWin, AScreenReaderReadsTheNameRoleAndPickedColourEvenAfterThePickerIsGone) {
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    {
        std::unique_ptr<AccessibleObject> reader;
        {
            PickerFixture f;
            f.picker.SetAccessibleName(L"Halo");
            reader = std::make_unique<AccessibleObject>(f.picker.hwnd());
            ASSERT_TRUE(*reader);
            EXPECT_EQ(reader->Read().name, L"Halo");
            EXPECT_EQ(reader->Read().role, ROLE_SYSTEM_LIST);
            f.Send(WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(0, 2));
            f.Send(WM_LBUTTONUP, 0, CellCentre(0, 2));
            EXPECT_EQ(reader->Read().value, L"Red 255, green 0, blue 0");
            f.Send(WM_KEYDOWN, VK_RIGHT, 0);
            EXPECT_EQ(reader->Read().value, L"Red 255, green 159, blue 0");
        }
        EXPECT_EQ(reader->Read().value, L"") << "a reader may hold the object longer than the picker lives";
    }
    ::CoUninitialize();
}

TEST(GradShapeWin, PaintsFlatBandsAndFadesLiesBelowItsSiblingsAndPassesTheMouseOn) {
    Host host;
    HWND box = ::CreateWindowExW(0, L"BUTTON", L"Halo", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 16, 2, 200, 16,
                                 host.hwnd(), nullptr, nullptr, nullptr);
    GradShape band;
    ASSERT_TRUE(band.Create(host.hwnd(), RECT{0, 0, 581, 20}, {0xC0C0C0, 0xC0C0C0, kGradTopToBottom, 100}));
    EXPECT_EQ(::GetWindow(box, GW_HWNDNEXT), band.hwnd()) << "the check box stays on top";
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const auto check = [&](const char* name, std::initializer_list<Probe> probes) {
        for (const Probe& p : probes) EXPECT_EQ(PixelOf(band.hwnd(), p.x, p.y), p.expected) << name << " " << p.x << "," << p.y;
    };
    check("flat", {{0, 0, 0xC0C0C0}, {300, 10, 0xC0C0C0}, {580, 19, 0xC0C0C0}});
    band.SetStyle({0x000000, 0xFFFFFF, 0, 100});
    check("left to right", {{0, 10, 0x000000}, {290, 0, 0x808080}, {580, 19, 0xFFFFFF}});  // 290 / 580: 127.5 to even
    band.SetStyle(kDefaultGradShapeStyle);
    check("system colours", {{300, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT)}, {300, 19, ::GetSysColor(COLOR_BTNSHADOW)}});

    std::vector<UINT> messages;
    band.MouseEvent = [&](UINT message, POINT at) { messages.push_back(at.x == 570 && at.y == 19 ? message : 0); };
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONUP}) ::SendMessageW(band.hwnd(), message, 0, At(570, 19));
    EXPECT_EQ(messages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONUP}));

    // Painted elsewhere (a key cap in its display), it stays inside its area.
    band.SetStyle({0x000000, 0x000000, kGradTopToBottom, 100});
    ::UpdateWindow(band.hwnd());
    handles::WindowDc dc(band.hwnd());
    GdiTools tools;
    PaintGradShape(dc.get(), tools, RECT{300, 5, 310, 15}, {RGB(255, 0, 0), RGB(0, 0, 255), kGradTopToBottom, 100});
    for (Probe p : {Probe{300, 5, RGB(255, 0, 0)}, Probe{309, 14, RGB(0, 0, 255)}, Probe{299, 5, 0x000000},
                    Probe{310, 14, 0x000000}, Probe{300, 15, 0x000000}})
        EXPECT_EQ(::GetPixel(dc.get(), p.x, p.y), p.expected) << p.x << "," << p.y;
}

TEST(ColorPicWin, CreatingAndDestroyingTwoHundredTimesLeavesNothingBehind) {
    Host host;
    const handles::LiveCounts before = handles::Live();
    for (int i = 0; i < 200; ++i) {
        ColorPic picker;
        ASSERT_TRUE(picker.Create(host.hwnd(), 100 + i, POINT{10, 10}, 9, 7, i % 2 ? 144 : 96));
        GradShape band;
        ASSERT_TRUE(band.Create(host.hwnd(), RECT{0, 50, 581, 70}, {0x000000, 0xFFFFFF, 0, 100}));
        ::SendMessageW(picker.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(1, 1));  // focus, flash timer, capture
        if (i % 3 == 0) picker.SetDpi(120, POINT{20, 20});
        if (i % 2) picker.Unload();  // the rest go with their objects
    }
    const handles::LiveCounts after = handles::Live();
    EXPECT_EQ((std::vector<long>{after.gdiObjects, after.dcs, after.windows, after.timers}),
              (std::vector<long>{before.gdiObjects, before.dcs, before.windows, before.timers}));
}

}  // namespace
