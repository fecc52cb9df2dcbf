// The controls: the colour picker and the palette it snaps to, and the slider.
#include <gtest/gtest.h>

#include <ranges>

#include "CoreTestSupport.h"
#include "controls/ColorPic.h"
#include "controls/Slider.h"
#include "settings/ColorPalette.h"

namespace {

// Colours as a designer writes them (RGB hex) to the program's 0x00BBGGRR.
constexpr uint32_t Hex(uint32_t rgb) { return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

// A picker at the settings window's cell size, with one colour selected.
ColorPicModel Picker(uint32_t rgb, int32_t sizeX = 9, int32_t sizeY = 7) {
    ColorPicModel m;
    m.SetSizeFactorX(sizeX);
    m.SetSizeFactorY(sizeY);
    m.SetRGBColor(Hex(rgb));
    return m;
}

// Every colour a drag to (x, y) raises, as the window raises them.
std::vector<uint32_t> DragPicks(ColorPicModel& m, int32_t x, int32_t y) {
    std::vector<uint32_t> picks;
    while (auto colour = m.DragTo(x, y)) {
        picks.push_back(*colour);
        if (picks.size() > 20) break;  // a drag that never arrives
    }
    return picks;
}

std::vector<uint32_t> Cells(std::initializer_list<Point> cells) {
    const auto colours = cells | std::views::transform([](Point c) { return PaletteColour(c.x, c.y); });
    return {colours.begin(), colours.end()};
}

// A slider on a track whose knob (9 px) can travel `free` pixels from `left`.
SliderModel MakeSlider(int32_t min, int32_t max, double value, double step = 1, double left = 0, double free = 100) {
    SliderModel s;
    s.SetTrack(left, free + 9, 9);
    s.SetMin(min);
    s.SetMax(max);
    s.SetStep(step);
    s.SetValue(value);
    return s;
}

}  // namespace

// Ties go to the left cell, then the upper one; a system-colour flag does not disturb the channels.
TEST(ColorPic, WritingAColourSnapsToTheNearestCellTiesGoingLeftThenUp) {
    // Each as near one column right, seven columns right, one row down.
    const std::tuple<uint32_t, uint32_t, int32_t, int32_t> cases[] = {
        {0x7F6700, 0x7F4F00, 1, 0}, {0xFFBFDF, 0xFFBFBF, 0, 4}, {0x9F0000, 0x7F0000, 0, 0}};
    for (const auto& [written, read, column, row] : cases) {
        const ColorPicModel m = Picker(written);
        EXPECT_TRUE(m.RGBColor() == Hex(read) && m.XPos() == column && m.YPos() == row) << std::hex << written;
        EXPECT_EQ((Point{m.SelectionX(), m.SelectionY()}), (Point{column * 9, row * 7}));
    }
    // The cross hair's default RGB(192, 255, 255) lands on BFFFFF.
    for (auto [written, snapped] : {std::pair{0x00A0u, 0x00BFu}, {0x800000FFu, 0x0000FFu}, {16777152u, 0xFFFFBFu}})
        EXPECT_EQ(SelectNearest(written).colour, snapped) << std::hex << written;
    EXPECT_EQ(ColourDescription(Hex(0x0048BF)), L"Red 0, green 72, blue 191");
}

TEST(ColorPic, PositionsAndArrowsPickCellsHeldToThePalette) {
    // Cells of 9 × 7 start one pixel in: column 0 is x 1..9, column 1 starts at x 10.
    for (auto [x, y, column, row] : {std::array{9, 7, 0, 0}, {10, 8, 1, 1}, {0, 0, 0, 0}, {82, 36, 8, 4}, {-40, 20, 0, 2},
                                     {kMinI, kMaxI, 0, 4}}) {
        ColorPicModel m = Picker(0x000000);
        EXPECT_TRUE(m.SelectAt(x, y) == PaletteColour(column, row) && m.XPos() == column && m.YPos() == row) << x << "," << y;
    }
    // An arrow at the edge stays there and raises the same colour again.
    const std::tuple<uint32_t, int32_t, int32_t, uint32_t> keys[] = {
        {0xFF0000, 1, 0, 0xFF9F00}, {0xFF0000, 0, -1, 0xBF0000}, {0x7D7D7D, 1, 0, 0x7D7D7D},
        {0xFF0000, -1, 0, 0xFF0000}, {0xFFFFFF, 0, 1, 0xFFFFFF}};
    for (const auto& [from, dx, dy, to] : keys) EXPECT_EQ(Picker(from).KeyDown(dx, dy), Hex(to)) << std::hex << from;
}

TEST(ColorPic, DraggingRaisesEveryCellCrossedInOrderAndNothingAfterTheRelease) {
    ColorPicModel m = Picker(0x000000);
    EXPECT_FALSE(m.DragTo(50, 20)) << "a move without a press picks nothing";
    ASSERT_EQ(m.MouseDown(5, 5), PaletteColour(0, 0));
    EXPECT_TRUE(DragPicks(m, 8, 6).empty()) << "moves inside the pressed cell raise nothing";
    EXPECT_EQ(DragPicks(m, 30, 4), Cells({{1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(DragPicks(m, 30, 10), Cells({{3, 1}}));
    // Diagonally and along a shallow slope: the cells of a straight line, each once.
    EXPECT_EQ(DragPicks(m, 12, 25), Cells({{2, 2}, {1, 3}}));
    EXPECT_EQ(DragPicks(m, 999, 30), Cells({{2, 3}, {3, 3}, {4, 3}, {5, 4}, {6, 4}, {7, 4}, {8, 4}}));
    // An arrow key mid-drag: the next move runs from where the key left the selection.
    m.KeyDown(-1, -1);
    EXPECT_EQ(DragPicks(m, 81, 35), Cells({{8, 4}}));

    m.EndDrag();
    EXPECT_TRUE(!m.DragTo(1, 1) && m.RGBColor() == PaletteColour(8, 4));
    // A new size keeps the colour and its cell; sizes no window has are held to a usable cell.
    ColorPicModel sized = Picker(0xFF0000);
    sized.SetSizeFactorY(11);
    EXPECT_TRUE(sized.ImageSize() == (Size{83, 57}) && sized.SelectionRect() == (Rect{1, 23, 10, 34}));
    for (int32_t bad : {0, -5, kMinI, kMaxI}) {
        const int32_t held = bad > 0 ? kMaxSizeFactor : 1;
        ColorPicModel b = Picker(0xA9A9A9, bad, bad);
        EXPECT_TRUE(b.ImageSize() == (Size{9 * held + 2, 5 * held + 2}) && b.YPos() == 2) << bad;
        EXPECT_EQ(b.SelectAt(1 + held, 1), PaletteColour(1, 0)) << bad;
    }
}

TEST(Slider, KnobAndValueFollowEachOtherWithinTheRange) {
    // min, max, value, left, free, knob: clamped to Max first; an empty range or no room: at the start.
    for (auto [min, max, value, left, free, knob] : {std::array{0., 95., 50., 22., 100., 74.631579}, {-50., 50., -25., 10., 100., 35.},
                                                      {0., 100., 500., 0., 100., 100.}, {7., 7., 7., 13., 100., 13.},
                                                      {0., 100., 50., 5., 0., 5.}})
        EXPECT_NEAR(MakeSlider(int32_t(min), int32_t(max), value, 1, left, free).KnobLeft(), knob, 1e-5) << value;

    SliderModel s = MakeSlider(0, 100, 70);
    s.SetMax(50);  // pulls the value down
    s.SetValue(kNaN);
    EXPECT_EQ(s.Value(), 50.0f);
    for (const double step : {0.0, -2.0, kNaN}) {
        s.SetStep(step);
        EXPECT_EQ(s.Step(), 1.0f) << step;
    }
}

TEST(Slider, DragsKeepTheGrabPointStopExactlyAtTheEndsAndKeysAlwaysRaise) {
    SliderModel s = MakeSlider(0, 95, 50, 1, 22, 100);
    const double knob = s.KnobLeft();
    EXPECT_FALSE(s.Press(SliderPart::Knob, knob + 3));
    EXPECT_TRUE(s.Drag(knob + 13));
    EXPECT_NEAR(s.KnobLeft(), knob + 10, 1e-9) << "grabbed 3 px in, the knob moves with the pointer";
    EXPECT_FALSE(s.Drag(knob + 13)) << "no movement, no Change";
    EXPECT_TRUE(s.Drag(5000) && s.Value() == 95.0f);
    EXPECT_TRUE(s.Drag(-5000) && s.Value() == 0.0f);
    s.Release();
    EXPECT_FALSE(s.Drag(60)) << "a move after the release";
    EXPECT_TRUE(s.Press(SliderPart::Track, 22 + 4.5 + 40) && std::fabs(s.Value() - 38) < 1e-4) << "the knob's centre goes there";

    for (auto [value, step, direction, expected] : {std::tuple{95., 1., +1, 95.f}, {0., 1., -1, 0.f}, {1., 0.1, +1, 1.1f}}) {
        SliderModel keyed = MakeSlider(0, 95, value, step);
        EXPECT_TRUE(keyed.KeyDown(direction) && std::fabs(keyed.Value() - expected) < 1e-6) << value;
    }
}

TEST(Slider, EmptyRangeAndBadInputsLeaveEverythingFinite) {
    SliderModel flat = MakeSlider(30, 30, 99, 1, 10, 100);
    EXPECT_FALSE(flat.Press(SliderPart::Track, 90)) << "the value cannot move";
    EXPECT_EQ(flat.ValueText(L'.'), L"Caption: 30");
    SliderModel s = MakeSlider(kMinI, kMaxI, 0);
    for (const double x : {kNaN, kInf, -kInf, 1e300, -1e300}) {
        s.SetTrack(0, x, x);
        s.SetTrack(3, 109, 9);
        s.SetValue(x);
        s.Press(SliderPart::Knob, x);
        s.Drag(x);
        s.SetStep(x);
        s.KeyDown(-1);
        EXPECT_TRUE(s.KnobLeft() >= 3 && s.KnobLeft() <= 103 && std::isfinite(s.Value())) << x;
    }
}

TEST(Slider, CaptionShowsTheValueRoundedToTheStepsDecimals) {
    for (auto [step, d] : {std::pair{1., 0}, {0.1, 1}, {0.25, 2}, {1e-12, 7}}) EXPECT_EQ(MakeSlider(0, 100, 0, step).Decimals(), d) << step;

    const std::vector<std::tuple<float, int, const wchar_t*>> cases = {
        {40, 0, L"40"},     {1.25f, 1, L"1.2"},  // an exact half, to even
        {0.35f, 1, L"0.4"},  // stored as 0.3499999, read as 0.35
        {0.45f, 1, L"0.4"}, {3.5f, 0, L"4"},    {2.51f, 0, L"3"},      {1.2631579f, 1, L"1.3"},
        {99.95f, 1, L"100.0"}, {1, 2, L"1.00"}, {-1.25f, 1, L"-1.2"}, {-0.04f, 1, L"0.0"},
    };
    for (const auto& [value, decimals, text] : cases) EXPECT_EQ(FormatSliderNumber(value, decimals, L'.'), text) << value;

    SliderModel fading = MakeSlider(0, 5, 1.3, 0.1);
    fading.SetCaption(L"Fading");
    EXPECT_EQ(fading.ValueText(L','), L"Fading: 1,3");
}

