#include "settings/SettingsRecord.h"
#include "controls/ColorPic.h"
#include "lang/StringTable.h"
#include "ui/ClickOptionsLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CoreTestSupport.h"

// A control over another or off the window hides something; a picker whose place is not
// the size it draws itself at would overlap its slider or leave a gap.
TEST(ClickOptionsLayout, EveryControlLiesInsideTheWindowAndNoTwoOverlap) {
    ColorPicModel picker;
    picker.SetSizeFactorX(kClickOptionsCellWidth);
    picker.SetSizeFactorY(kClickOptionsCellHeight);
    const auto controls = ClickOptionControls();
    std::set<int32_t> ids;
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ClickOptionControl& a = controls[i];
        SCOPED_TRACE(std::string(a.name));
        EXPECT_TRUE(ids.insert(a.id).second);
        EXPECT_TRUE(names.insert(a.name).second);
        EXPECT_GT(a.id, 2);  // IDOK and IDCANCEL belong to the dialog navigation
        EXPECT_GE(a.place.left, 0);
        EXPECT_GE(a.place.top, 0);
        EXPECT_LE(a.place.right, kClickOptionsClientWidth);
        EXPECT_LE(a.place.bottom, kClickOptionsClientHeight);
        EXPECT_GT(a.place.Width(), 0);
        EXPECT_GT(a.place.Height(), 0);
        EXPECT_EQ(FindClickOption(a.name), &a);
        EXPECT_EQ(FindClickOption(a.id), &a);
        if (a.kind == ClickOptionKind::Picker) {
            EXPECT_EQ(a.place.Width(), picker.ImageSize().width);
            EXPECT_EQ(a.place.Height(), picker.ImageSize().height);
        }
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(Overlap(a.place, controls[j].place)) << controls[j].name;
    }
    EXPECT_EQ(FindClickOption("cmdNothing"), nullptr);
}

// Each part's label, picker and slider stand in one column, in that order from the top,
// and tab order visits a part's picker before its slider.
TEST(ClickOptionsLayout, EachPartHasOneLabelPickerAndSliderInAColumn) {
    struct Column {
        const char* label;
        const char* picker;
        const char* slider;
        ClickPart part;
        SettingKey colour;
        SettingKey width;
    } columns[] = {
        {"lblLeft", "colpicLeft", "sldWidthLeft", ClickPart::Left, SettingKey::LeftButtonColor, SettingKey::LeftButtonWidth},
        {"lblMiddle", "colpicMiddle", "sldWidthMiddle", ClickPart::Middle, SettingKey::MiddleButtonColor,
         SettingKey::MiddleButtonWidth},
        {"lblRight", "colpicRight", "sldWidthRight", ClickPart::Right, SettingKey::RightButtonColor,
         SettingKey::RightButtonWidth},
        {"lblWheel", "colpicWheel", "sldWidthWheel", ClickPart::Wheel, SettingKey::WheelColor, SettingKey::WheelWidth},
    };
    for (const Column& c : columns) {
        SCOPED_TRACE(c.picker);
        const auto* label = FindClickOption(c.label);
        const auto* picker = FindClickOption(c.picker);
        const auto* slider = FindClickOption(c.slider);
        ASSERT_TRUE(label && picker && slider);
        EXPECT_EQ(picker->kind, ClickOptionKind::Picker);
        EXPECT_EQ(slider->kind, ClickOptionKind::Slider);
        EXPECT_EQ(picker->part, c.part);
        EXPECT_EQ(slider->part, c.part);
        EXPECT_TRUE(picker->hasKey && slider->hasKey);
        EXPECT_EQ(picker->key, c.colour);
        EXPECT_EQ(slider->key, c.width);
        // The picker is named after its label for screen readers.
        EXPECT_EQ(picker->caption, label->caption);
        EXPECT_EQ(label->place.left, picker->place.left);
        EXPECT_EQ(picker->place.left, slider->place.left);
        EXPECT_LE(label->place.bottom, picker->place.top);
        EXPECT_LE(picker->place.bottom, slider->place.top);
        EXPECT_LT(picker, slider);
        EXPECT_EQ(SettingRange(c.width), (ValueRange{2, 20}));
    }
}

// A wrong string id puts one option's words on another's box.
TEST(ClickOptionsLayout, CaptionsAreTheirEnglishTexts) {
    struct Case {
        const char* name;
        std::string_view english;
    } cases[] = {
        {"lblLeft", "Left button"}, {"lblMiddle", "Middle button"}, {"lblRight", "Right button"},
        {"lblWheel", "Wheel direction arrows"}, {"sldWidthMiddle", "Line width"}, {"sldWidthWheel", "Line width"},
        {"chkShowButtonLetter", "Show \"L\", \"M\" or \"R\" on the rings to indicate the button."},
        {"chkSameSize", "The rings of all three buttons have the same size."},
        {"chkDisks", "Discs instead of rings."}, {"chkWheelVisible", "Show wheel direction arrows."},
        {"cmdDefault", "Default settings ..."}, {"cmdClose", "Close"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* control = FindClickOption(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(strings::TableText(0, control->caption), c.english);
    }
    EXPECT_EQ(strings::TableText(0, kClickOptionsTitle), "Options");
    EXPECT_EQ(strings::TableText(0, kResetQuestionText), "Really reset all click indicator options to default?");
    EXPECT_EQ(strings::TableText(0, kResetQuestionTitle), "Click indicator default settings");
}

// The reset restores exactly the settings this window shows, each to its default as its
// holder shows it, and touches nothing else (the ring size is the settings window's).
TEST(ClickOptionsLayout, DefaultsCoverExactlyTheWindowsSettingsInApplyOrder) {
    using enum SettingKey;
    const SettingKey order[] = {ShowWheelArrows,   ShowLettersOnRings, RingsSameSize,     DisksAsClickIndicators,
                                LeftButtonColor,   MiddleButtonColor,  RightButtonColor,  WheelColor,
                                LeftButtonWidth,   MiddleButtonWidth,  RightButtonWidth,  WheelWidth};
    // The values are the settings file's defaults, which the record's own tests pin down.
    const SettingsRecord fresh;
    const auto defaults = ClickOptionDefaults();
    ASSERT_EQ(defaults.size(), std::size(order));
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        SCOPED_TRACE(std::string(SettingRowOf(order[i]).name));
        EXPECT_EQ(defaults[i].key, order[i]);
        EXPECT_EQ(defaults[i].value, fresh.Get(order[i]));
    }

    std::set<SettingKey> shown;
    for (const ClickOptionControl& c : ClickOptionControls()) {
        if (c.hasKey) {
            EXPECT_TRUE(shown.insert(c.key).second) << c.name;
        }
    }
    std::set<SettingKey> reset;
    for (const ClickOptionValue& v : defaults) reset.insert(v.key);
    EXPECT_EQ(shown, reset);
}
