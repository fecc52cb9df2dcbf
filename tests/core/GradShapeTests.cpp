#include <gtest/gtest.h>

#include <vector>

#include "controls/GradShape.h"

TEST(GradShape, BlendRunsFromTopLeftAtTheFirstToBottomRightAtTheLast) {
    const Rgb black{0, 0, 0}, white{255, 255, 255}, grey{192, 192, 192}, red{100, 0, 0}, blue{0, 0, 200};
    struct Case {
        int32_t i, n;
        Rgb from, to;
        int32_t reduce;
        Rgb expected;
    };
    const std::vector<Case> cases = {
        {0, 40, grey, grey, 100, grey},   {39, 40, grey, grey, 100, grey},
        {0, 256, black, white, 100, black}, {255, 256, black, white, 100, white},
        {127, 256, black, white, 100, {127, 127, 127}},
        {300, 256, black, white, 100, white},        // past the last position
        {1, 3, black, white, 100, {128, 128, 128}},  // 127.5, to even
        {0, 1, red, white, 100, red},     {0, 0, black, blue, 100, blue},
        {0, 5, red, blue, 50, {200, 0, 0}}, {4, 5, red, blue, 50, {0, 0, 100}},  // top-left doubled, bottom-right halved
        {9, 10, black, white, 0, black},                                          // reduce 0 all but drops the bottom-right
    };
    for (const Case& c : cases) EXPECT_EQ(Blend(c.i, c.n, c.from, c.to, c.reduce), c.expected) << c.i << "/" << c.n << " " << c.reduce;
}

TEST(GradShape, LinesCoverTheSurfaceRowByRowOrColumnByColumn) {
    // Black to white left to right: black at the left edge, white at the right, grey between.
    const GradShapeStyle fade{0x000000, 0xFFFFFF, 0, 100};
    ASSERT_EQ(GradLineCount(fade, {256, 20}), 256);
    EXPECT_EQ(GradLineAt(fade, {256, 20}, 0), (GradLine{{0, 0}, {0, 20}, 0x000000}));
    EXPECT_EQ(GradLineAt(fade, {256, 20}, 100), (GradLine{{100, 0}, {100, 20}, 0x646464}));
    EXPECT_EQ(GradLineAt(fade, {256, 20}, 255), (GradLine{{255, 0}, {255, 20}, 0xFFFFFF}));

    const GradShapeStyle flat{0xC0C0C0, 0xC0C0C0, kGradTopToBottom, 100};
    ASSERT_EQ(GradLineCount(flat, {30, 12}), 12);
    for (int32_t y = 0; y < 12; ++y) EXPECT_EQ(GradLineAt(flat, {30, 12}, y), (GradLine{{0, y}, {30, y}, 0xC0C0C0}));

    // Channels keep their places, and out-of-range ones are held to a byte.
    const GradShapeStyle redToBlue{0x0000FF, 0xFF0000, kGradTopToBottom, 100};
    EXPECT_EQ(GradLineAt(redToBlue, {5, 2}, 0).colour, 0x0000FFu);
    EXPECT_EQ(GradLineAt(redToBlue, {5, 2}, 1).colour, 0xFF0000u);
    EXPECT_EQ(GradLineCount(redToBlue, {5, -3}), 0);
    EXPECT_EQ(RgbToColour({300, -4, 128}), 0x8000FFu);
}
