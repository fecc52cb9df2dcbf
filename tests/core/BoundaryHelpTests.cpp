// The boundary made from the boundary window's frame, and the help window's version text.
#include "ui/Boundary.h"
#include "ui/HelpText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Two monitors side by side, the second lower and smaller: 1920x1080 at the origin and
// 1280x1024 to its right, starting 200 px down.
const std::vector<Rect> kTwo{{0, 0, 1920, 1080}, {1920, 200, 3200, 1224}};
// A monitor left of the primary, at negative coordinates.
const std::vector<Rect> kLeftOfPrimary{{-1600, 0, 0, 900}, {0, 0, 1920, 1080}};
const Size kMinimum{480, 360};

struct BoundaryCase {
    const char* what;
    std::vector<Rect> monitors;
    Rect frame;
    Point pointer;
    Rect expected;
};

}  // namespace

TEST(BoundaryFromFrame, KeepsUsableFramesAndRepairsTheRest) {
    const BoundaryCase cases[] = {
        {"a frame well inside one monitor is taken exactly", kTwo, {100, 50, 900, 650}, {10, 10},
         {100, 50, 900, 650}},
        {"a frame across both monitors keeps its whole width", kTwo, {1500, 300, 2500, 900}, {10, 10},
         {1500, 300, 2500, 900}},
        {"a frame hanging over the desktop's left and top is cut to it", kTwo, {-200, -100, 700, 500}, {10, 10},
         {0, 0, 700, 500}},
        {"negative monitor coordinates are kept", kLeftOfPrimary, {-1500, 100, -700, 700}, {10, 10},
         {-1500, 100, -700, 700}},
        {"dragged off every monitor: the monitor under the pointer", kTwo, {5000, 5000, 5800, 5600},
         {2000, 500}, {1920, 200, 3200, 1224}},
        {"off every monitor, pointer on the primary", kTwo, {-3000, -3000, -2200, -2400}, {300, 300},
         {0, 0, 1920, 1080}},
        {"off every monitor, pointer off too: the monitor nearest the pointer", kTwo, {5000, 0, 5800, 600},
         {3500, 700}, {1920, 200, 3200, 1224}},
        {"a frame in the gap below the smaller monitor counts as off", kTwo, {1920, 0, 2400, 190}, {100, 100},
         {0, 0, 1920, 1080}},
        {"a sliver left at the right edge grows inside that monitor", kTwo, {3190, 400, 4000, 1000}, {10, 10},
         {2720, 400, 3200, 1000}},
        {"a sliver at the bottom edge grows upwards", kTwo, {100, 1070, 900, 1700}, {10, 10},
         {100, 720, 900, 1080}},
        {"a low frame across both monitors grows inside the one holding most of it", kTwo,
         {1900, 900, 2500, 1000}, {10, 10}, {1900, 770, 2500, 1130}},
        {"a tiny frame grows around its centre", kTwo, {500, 500, 510, 504}, {10, 10}, {265, 322, 745, 682}},
        {"a tiny frame in a corner grows into the monitor", kTwo, {0, 0, 20, 20}, {10, 10}, {0, 0, 480, 360}},
        {"corners given the wrong way round are put in order", kTwo, {900, 650, 100, 50}, {10, 10},
         {100, 50, 900, 650}},
        {"a monitor smaller than the minimum gives the whole monitor",
         {{0, 0, 320, 240}},
         {10, 10, 20, 20},
         {5, 5},
         {0, 0, 320, 240}},
        {"an empty frame covers no monitor: the one under the pointer", kTwo, {960, 540, 960, 540},
         {2000, 300}, {1920, 200, 3200, 1224}},
        {"no monitors: the frame as given", {}, {30, 40, 10, 20}, {0, 0}, {10, 20, 30, 40}},
    };
    for (const BoundaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Rect got = BoundaryFromFrame(c.frame, c.monitors, c.pointer, kMinimum);
        EXPECT_EQ(got, c.expected) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
}

// Whatever the frame, the overlays get room: the result lies on one monitor at least in
// part and is never smaller than the minimum or that monitor.
TEST(BoundaryFromFrame, AlwaysGivesRoomOnAMonitor) {
    for (int32_t x = -4000; x <= 6000; x += 370)
        for (int32_t y = -3000; y <= 3000; y += 410)
            for (int32_t size : {0, 1, 50, 479, 800}) {
                const Rect frame{x, y, x + size, y + size * 3 / 4};
                const Rect r = BoundaryFromFrame(frame, kTwo, {2500, 300}, kMinimum);
                SCOPED_TRACE(testing::Message() << "frame at " << x << "," << y << " size " << size);
                bool onAMonitor = false;
                for (const Rect& m : kTwo)
                    onAMonitor |= r.left < m.right && m.left < r.right && r.top < m.bottom && m.top < r.bottom;
                EXPECT_TRUE(onAMonitor);
                EXPECT_GE(r.Width(), kMinimum.width);
                EXPECT_GE(r.Height(), kMinimum.height);
            }
}

TEST(HelpVersionText, VersionLineAndYearRange) {
    const ProgramVersion version{"Glimmora", 1, 2, 3, "Copyright (C) Glimmora developers 2026-"};
    EXPECT_EQ(VersionLine(version, " version "), "Glimmora version 1.2.3");
    EXPECT_EQ(VersionLine({"Glimmora", 10, 0, 250, ""}, " Version "), "Glimmora Version 10.0.250");
    // The language's word is used as it is, blanks included.
    EXPECT_EQ(VersionLine({"G", 0, 0, 0, ""}, "  wersja  "), "G  wersja  0.0.0");

    // The notice always ends in a range up to the clock's year, in the first year too.
    struct Case {
        int32_t year;
        const char* notice;
    } cases[] = {
        {2026, "Legal notice: Copyright (C) Glimmora developers 2026-2026"},
        {2027, "Legal notice: Copyright (C) Glimmora developers 2026-2027"},
        {2031, "Legal notice: Copyright (C) Glimmora developers 2026-2031"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(HelpVersionText(version, " version ", c.year), std::string("Glimmora version 1.2.3\r\n") + c.notice);
    }
}
