#include "base/Geometry.h"
#include "settings/SettingsRecord.h"
#include "ui/SettingsLayout.h"

#include <gtest/gtest.h>

#include <set>

#include "CoreTestSupport.h"

// A control placed over another or off the window hides something from the user.
TEST(SettingsLayout, EveryControlLiesInsideTheWindowAndNoTwoOverlap) {
    const auto controls = SettingsControls();
    std::set<int32_t> ids;
    std::set<std::string_view> names;
    for (size_t i = 0; i < controls.size(); ++i) {
        const SettingsControl& a = controls[i];
        SCOPED_TRACE(std::string(a.name));
        EXPECT_TRUE(ids.insert(a.id).second);
        EXPECT_TRUE(names.insert(a.name).second);
        EXPECT_GE(a.place.left, 0);
        EXPECT_GE(a.place.top, 0);
        // The low-refresh box's designed width runs 3 px past the edge; nothing else may.
        EXPECT_LE(a.place.right, kSettingsClientWidth + (a.name == "chkSlowRefresh" ? 3 : 0));
        EXPECT_LE(a.place.bottom, kSettingsClientHeight);
        EXPECT_GT(a.place.Width(), 0);
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(Overlap(a.place, controls[j].place)) << controls[j].name;
        // No control crosses a band's edge: it stands on the band or beside it.
        for (int32_t top : kBandTops) {
            const Rect band{0, top - 1, kBandWidth, top + kBandHeight};
            if (Overlap(a.place, band)) {
                EXPECT_TRUE(OnBand(a.place));
            }
        }
    }
}

// Places as designed: the two modifier options one under the other below their label, the
// low-refresh box wide enough for its text in two lines.
TEST(SettingsLayout, TheKeyboardOptionsAndTheRefreshBoxStandWhereDesigned) {
    struct Case {
        const char* name;
        int32_t left, top, width;
    } cases[] = {
        {"lblShowKeys", 236, 368, 217},
        {"chkShowKeysWindow", 236, 388, 217},
        {"chkShowKeysClick", 236, 405, 217},
        {"chkSlowRefresh", 452, 464, 131},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsControl* control = FindSettingsControl(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->place.left, c.left);
        EXPECT_EQ(control->place.top, c.top);
        EXPECT_EQ(control->place.Width(), c.width);
    }
}

TEST(SettingsLayout, EachSettingHasOneHolderAndEverySliderARange) {
    std::set<SettingKey> held;
    for (const SettingsControl& c : SettingsControls()) {
        if (!c.hasKey) continue;
        SCOPED_TRACE(std::string(c.name));
        // A swatch shows its picker's colour; the two colour options share one setting.
        if (c.kind == ControlKind::Swatch || (c.kind == ControlKind::ColourOption && c.value == 1)) continue;
        EXPECT_TRUE(held.insert(c.key).second);
        if (c.kind == ControlKind::Slider) {
            EXPECT_TRUE(SettingRange(c.key).has_value());
        }
    }
    EXPECT_EQ(held.size(), 31u);  // 13 sliders, 13 check boxes, 2 locks, 2 pickers, the mouse colour
    EXPECT_EQ(FindSettingsControl("chkListSpecialKeys")->key, SettingKey::ListAnyKeys);
    EXPECT_EQ(SliderStep(SettingKey::ButtonsFading), 0.1);
    EXPECT_EQ(SliderStep(SettingKey::HaloSize), 1.0);
}

TEST(SettingsLayout, PlacesScaleWithTheDpiAndNeighboursStillTouch) {
    EXPECT_EQ(ScaleLength(kSettingsClientWidth, 144), 870);
    EXPECT_EQ(ScaleLength(kSettingsClientHeight, 120), 693);  // 692.5 rounds away from zero
    EXPECT_EQ(ScaleLength(-3, 144), -5);                       // -4.5
    EXPECT_EQ(ScaleLength(100, 96), 100);
    const Rect picker = FindSettingsControl("colpicSpot")->place, swatch = FindSettingsControl("lblSpot")->place;
    for (uint32_t dpi : {96u, 120u, 144u, 168u, 192u}) {
        EXPECT_EQ(ScaleRect(picker, dpi).right, ScaleRect(swatch, dpi).left) << dpi;
        EXPECT_EQ(ScaleRect(picker, dpi).left, ScaleLength(picker.left, dpi));
    }
}

TEST(SettingsLayout, APressRightAfterTheMenuClosedIsTheOneThatClosedIt) {
    struct Case {
        double closedAt, now;
        bool closedIt;
    } cases[] = {
        {100.0, 100.0, true}, {100.0, 100.015, true}, {100.0, 100.05, false},
        {86399.995, 0.01, true},   // across midnight
        {-1, 0.0, false},          // never closed
        {100.0, 50.0, false},      // half a day later, after midnight
    };
    for (const Case& c : cases) EXPECT_EQ(PressClosedMenu(c.closedAt, c.now), c.closedIt) << c.closedAt << " " << c.now;
}
