// What the click-indicator options window holds and where: every control with its place
// at 96 dpi, its caption, the setting it shows and edits, in tab order; and the values
// its "Default settings ..." button restores. The window builds itself from these alone.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/Geometry.h"
#include "settings/SettingsRecord.h"

inline constexpr int32_t kClickOptionsClientWidth = 514;  // at 96 dpi
inline constexpr int32_t kClickOptionsClientHeight = 466;

// Cells of the window's colour pickers at 96 dpi: larger than the settings window's.
inline constexpr int32_t kClickOptionsCellWidth = 14;
inline constexpr int32_t kClickOptionsCellHeight = 11;

// The reset question and its title.
inline constexpr int32_t kResetQuestionText = 111;
inline constexpr int32_t kResetQuestionTitle = 112;
inline constexpr int32_t kClickOptionsTitle = 103;

enum class ClickOptionKind : uint8_t { Label, Picker, Slider, CheckBox, DefaultButton, CloseButton };

// The four things with a colour and a line width: the three buttons' rings and the wheel arrows.
enum class ClickPart : uint8_t { Left = 0, Middle, Right, Wheel };
inline constexpr int kClickParts = 4;

struct ClickOptionControl {
    int32_t id;             // control id
    std::string_view name;  // its name in the window, for tests
    ClickOptionKind kind;
    Rect place;             // pixels at 96 dpi
    int32_t caption = 0;    // string id: the text, a slider's caption, a picker's accessible name
    SettingKey key = SettingKey::Buttons;  // what it shows and edits, where hasKey
    bool hasKey = false;
    ClickPart part = ClickPart::Left;      // pickers and sliders
};

// Every control in tab order.
std::span<const ClickOptionControl> ClickOptionControls();
const ClickOptionControl* FindClickOption(std::string_view name);
const ClickOptionControl* FindClickOption(int32_t id);

struct ClickOptionValue {
    SettingKey key;
    double value;
};

// What "Default settings ..." writes, in the order it is applied: the check boxes, then
// the four colours (as their pickers hold them, on the palette), then the four widths.
// Only this window's settings; the size, transparency and fading stay the user's.
std::span<const ClickOptionValue> ClickOptionDefaults();
