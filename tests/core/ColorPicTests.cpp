#include <gtest/gtest.h>

#include <vector>

#include "controls/ColorPic.h"

namespace {

// Colours as a designer writes them (RGB hex) to the program's 0x00BBGGRR.
constexpr uint32_t Rgb(uint32_t rgb) { return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

// A picker at the settings window's cell size, with one colour selected.
ColorPicModel Picker(uint32_t rgb, int32_t sizeX = 9, int32_t sizeY = 7) {
    ColorPicModel m;
    m.SetSizeFactorX(sizeX);
    m.SetSizeFactorY(sizeY);
    m.SetRGBColor(Rgb(rgb));
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
    std::vector<uint32_t> colours;
    for (Point c : cells) colours.push_back(PaletteColour(c.x, c.y));
    return colours;
}

}  // namespace

TEST(ColorPic, WritingAColourSnapsToTheNearestCellTiesGoingLeftThenUp) {
    struct Case {
        uint32_t written, read;
        int32_t column, row;
    };
    for (const Case& c : {Case{0xFE0000, 0xFF0000, 0, 2},
                          Case{0x7F6700, 0x7F4F00, 1, 0},    // as near 7F7F00 one column right
                          Case{0xFFBFDF, 0xFFBFBF, 0, 4},    // as near FFBFFF seven columns right
                          Case{0x9F0000, 0x7F0000, 0, 0}}) {  // as near BF0000 one row down
        const ColorPicModel m = Picker(c.written);
        EXPECT_EQ(m.RGBColor(), Rgb(c.read)) << std::hex << c.written;
        EXPECT_EQ((Point{m.XPos(), m.YPos()}), (Point{c.column, c.row})) << std::hex << c.written;
        EXPECT_EQ((Point{m.SelectionX(), m.SelectionY()}), (Point{c.column * 9, c.row * 7}));
    }
}

TEST(ColorPic, PositionsAndArrowsPickCellsHeldToThePalette) {
    // Cells of 9 × 7 start one pixel in: column 0 is x 1..9, column 1 starts at x 10.
    struct At {
        int32_t x, y, column, row;
    };
    for (const At& c : {At{9, 7, 0, 0}, At{10, 8, 1, 1}, At{0, 0, 0, 0}, At{82, 36, 8, 4}, At{-40, 20, 0, 2},
                        At{INT32_MIN, INT32_MAX, 0, 4}}) {
        ColorPicModel m = Picker(0x000000);
        EXPECT_EQ(m.SelectAt(c.x, c.y), PaletteColour(c.column, c.row)) << c.x << "," << c.y;
        EXPECT_EQ((Point{m.XPos(), m.YPos()}), (Point{c.column, c.row})) << c.x << "," << c.y;
    }
    // An arrow at the edge stays there and raises the same colour again.
    struct Key {
        uint32_t from;
        int32_t dx, dy;
        uint32_t to;
    };
    for (const Key& c : {Key{0xFF0000, 1, 0, 0xFF9F00}, Key{0xFF0000, 0, -1, 0xBF0000}, Key{0x7D7D7D, 1, 0, 0x7D7D7D},
                         Key{0xFF0000, -1, 0, 0xFF0000}, Key{0xFFFFFF, 0, 1, 0xFFFFFF}}) {
        ColorPicModel m = Picker(c.from);
        EXPECT_EQ(m.KeyDown(c.dx, c.dy), Rgb(c.to)) << std::hex << c.from << " " << c.dx << "," << c.dy;
    }
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
    EXPECT_FALSE(m.DragTo(1, 1));
    EXPECT_EQ(m.RGBColor(), PaletteColour(8, 4));
}

TEST(ColorPic, TheFlashCycleRunsDarkRisingLightFallingAndWraps) {
    const std::vector<uint32_t> cycle = {0,   0,   0,   0,   0,   0,   0,   32,  96,  160, 224,
                                         255, 255, 255, 255, 255, 255, 255, 255, 191, 127, 63};
    ColorPicModel m;
    for (int round = 0; round < 2; ++round)
        for (size_t i = 0; i < cycle.size(); ++i) EXPECT_EQ(m.NextFlashColour(), cycle[i] * 0x010101u) << round << ":" << i;
    m.NextFlashColour();
    m.RestartFlash();
    EXPECT_EQ(m.NextFlashColour(), 0u);
}

TEST(ColorPic, SizesLayOutTheImageAndBadOnesAreHeldToAUsableCell) {
    ColorPicModel m = Picker(0xFF0000);
    EXPECT_EQ(m.ImageSize(), (Size{83, 37}));
    EXPECT_EQ(m.SelectionRect(), (Rect{1, 15, 10, 22}));
    // A new size keeps the colour and moves the selection to its cell at that size.
    m.SetSizeFactorY(11);
    EXPECT_EQ(m.ImageSize(), (Size{83, 57}));
    EXPECT_EQ(m.SelectionRect(), (Rect{1, 23, 10, 34}));

    for (int32_t bad : {0, -5, INT32_MIN, INT32_MAX}) {
        const int32_t held = bad > 0 ? kMaxSizeFactor : 1;
        ColorPicModel b = Picker(0xA9A9A9, bad, bad);
        EXPECT_EQ(b.ImageSize(), (Size{9 * held + 2, 5 * held + 2})) << bad;
        EXPECT_EQ(b.YPos(), 2) << bad;
        EXPECT_EQ(b.SelectAt(1 + held, 1), PaletteColour(1, 0)) << bad;
        EXPECT_EQ(b.KeyDown(0, 1), PaletteColour(1, 1)) << bad;
    }
    EXPECT_EQ(ColourDescription(Rgb(0x0048BF)), L"Red 0, green 72, blue 191");
}
