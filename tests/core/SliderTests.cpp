#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "controls/Slider.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

TEST(Slider, KnobAndValueFollowEachOtherWithinTheRange) {
    struct Case {
        int32_t min, max;
        double value, left, free, knob;
    };
    for (const Case& c : std::vector<Case>{{0, 95, 50, 22, 100, 74.631579}, {-50, 50, -25, 10, 100, 35},
                                           {0, 100, 500, 0, 100, 100},  // clamped to Max first
                                           {7, 7, 7, 13, 100, 13},      // empty range: at the start
                                           {0, 100, 50, 5, 0, 5}})      // no room to travel
        EXPECT_NEAR(MakeSlider(c.min, c.max, c.value, 1, c.left, c.free).KnobLeft(), c.knob, 1e-5) << c.value;

    SliderModel s = MakeSlider(0, 100, 70);
    s.SetMax(50);
    EXPECT_EQ(s.Value(), 50.0f) << "Max lowered below the value pulls it down";
    s.SetValue(kNaN);
    EXPECT_EQ(s.Value(), 50.0f) << "NaN is not a value";
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
    EXPECT_TRUE(s.Drag(5000));
    EXPECT_EQ(s.Value(), 95.0f);
    EXPECT_TRUE(s.Drag(-5000));
    EXPECT_EQ(s.Value(), 0.0f);
    s.Release();
    EXPECT_FALSE(s.Drag(60)) << "a move after the release";
    EXPECT_TRUE(s.Press(SliderPart::Track, 22 + 4.5 + 40)) << "the knob's centre goes under the pointer";
    EXPECT_NEAR(s.Value(), 38, 1e-4);

    for (const auto& [value, step, direction, expected] :
         std::vector<std::tuple<double, double, int, float>>{{95, 1, +1, 95}, {0, 1, -1, 0}, {1, 0.1, +1, 1.1f}}) {
        SliderModel keyed = MakeSlider(0, 95, value, step);
        EXPECT_TRUE(keyed.KeyDown(direction)) << value;
        EXPECT_FLOAT_EQ(keyed.Value(), expected) << value;
    }
}

TEST(Slider, EmptyRangeAndBadInputsLeaveEverythingFinite) {
    SliderModel flat = MakeSlider(30, 30, 99, 1, 10, 100);
    EXPECT_FALSE(flat.Press(SliderPart::Track, 90)) << "the value cannot move";
    EXPECT_DOUBLE_EQ(flat.KnobLeft(), 10);
    EXPECT_EQ(flat.ValueText(L'.'), L"Caption: 30");

    SliderModel s = MakeSlider(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 0);
    const double inf = std::numeric_limits<double>::infinity();
    for (const double x : {kNaN, inf, -inf, 1e300, -1e300}) {
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
    for (const auto& [step, d] : std::vector<std::pair<double, int>>{{1, 0}, {0.1, 1}, {0.25, 2}, {1.05, 2}, {1e-12, 7}})
        EXPECT_EQ(MakeSlider(0, 100, 0, step).Decimals(), d) << step;

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

TEST(Slider, LayoutPutsTheTrackBetweenTheEndLabelsAtAnyDpi) {
    struct Case {
        SliderMetrics metrics;
        Rect track, line;
    };
    for (const Case& c : std::vector<Case>{
             {{{105, 37}, 96, 15, 0, 0}, {22, 16, 81, 32}, {22, 15, 81, 16}},
             {{{182, 56}, 144, 22, 0, 0}, {33, 25, 146, 49}, {33, 23, 146, 25}},
             // Texts wider than their labels widen them; a tall font pushes line and row down.
             {{{121, 40}, 96, 19, 30, 40}, {33, 20, 79, 36}, {33, 19, 79, 20}}}) {
        const auto layout = LayoutSlider(c.metrics);
        ASSERT_TRUE(layout) << c.metrics.control.width;
        EXPECT_EQ(layout->track, c.track) << c.metrics.control.width;
        EXPECT_EQ(layout->line, c.line) << c.metrics.control.width;
    }
    EXPECT_FALSE(LayoutSlider({{55, 37}, 96, 15, 0, 0})) << "no room for the knob to travel";

    const SliderLayout layout = *LayoutSlider({{105, 37}, 96, 15, 0, 0});
    EXPECT_EQ(CaptionLeft(layout, 105, 50), 22);
    EXPECT_EQ(CaptionLeft(layout, 105, 95), 10) << "a long caption moves left rather than being cut";

    SliderModel s;
    s.SetTrack(layout.track.left, layout.track.Width(), layout.knob.width);
    s.SetValue(50);  // knob at 22 + 25 = 47
    for (const auto& [p, part] : std::vector<std::pair<Point, SliderPart>>{
             {{47, 20}, SliderPart::Knob}, {{55, 36}, SliderPart::Knob}, {{56, 20}, SliderPart::Track},
             {{81, 20}, SliderPart::None}, {{10, 20}, SliderPart::None}, {{50, 10}, SliderPart::None}})
        EXPECT_EQ(SliderPartAt(layout, s, p), part) << p.x << "," << p.y;
}
