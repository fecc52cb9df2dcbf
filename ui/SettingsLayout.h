// What the settings window holds and where: every control with its place at 96 dpi, the
// text it shows, the setting it shows and edits, and its tab order (the table's order).
// The window creates, lays out, captions and wires its controls from this table alone.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/Geometry.h"
#include "settings/SettingsRecord.h"
#include "keyboard/HotKeyInfo.h"

inline constexpr int32_t kSettingsClientWidth = 580;  // at 96 dpi
inline constexpr int32_t kSettingsClientHeight = 554;

enum class ControlKind : uint8_t {
    CheckBox,      // a setting switched on and off
    LockToggle,    // a push-like check box ("F3", "F4")
    ColourOption,  // one of the mouse image's two colours; value says which
    PlayOption,    // the graphical "On" and "Pause" pair; value 1 is the pause
    Button,        // a push button that opens a dialog
    MenuButton,
    HotkeyButton,  // opens the shortcut dialog of its group
    HotkeyLabel,   // the group's shortcut as text
    Label,
    Slider,
    ColourPicker,
    Swatch,        // the colour shown flush right of a picker
};

struct SettingsControl {
    int32_t id;             // the control id
    std::string_view name;  // its name in the window, for tests and the accessible tree
    ControlKind kind;
    Rect place;             // pixels at 96 dpi
    int32_t caption = 0;    // string id of the caption (sliders: the caption before the value)
    std::string_view fixedText;  // a caption no language changes ("F3"), where caption is 0
    int32_t tooltip = 0;    // string id of the tooltip
    SettingKey key = SettingKey::Buttons;  // what it shows and edits, where hasKey
    bool hasKey = false;
    int32_t value = 0;      // options: the value the setting takes when it is chosen
    HotKeyAction action = HotKeyAction::Blink;  // hotkey labels and buttons
};

// Every control in tab order.
std::span<const SettingsControl> SettingsControls();
const SettingsControl* FindSettingsControl(int32_t id);
const SettingsControl* FindSettingsControl(std::string_view name);

// The six grey bands the groups stand on (tops at 96 dpi), each 581 × 20, with a dark
// line one pixel above it.
inline constexpr int32_t kBandTops[6] = {56, 128, 200, 272, 344, 440};
inline constexpr int32_t kBandWidth = 581;
inline constexpr int32_t kBandHeight = 20;
inline constexpr uint32_t kBandColour = 0xC0C0C0;
inline constexpr uint32_t kBandLineColour = 0x404040;
// True when the control stands on a band (and so paints on its grey).
bool OnBand(const Rect& place);
// True for what the window paints itself instead of a control window of its own: what takes
// no focus (a swatch's click goes to its picker). Each child window costs the opening its
// creation and a paint of its own.
bool PaintedByWindow(ControlKind kind);

// The keyboard step of a slider: tenths of a second for the click fading, else 1.
double SliderStep(SettingKey key);

// A press on the menu button within 0.02 s after the menu closed is the press that closed
// it. Times are seconds since midnight; a smaller now means midnight has passed.
bool PressClosedMenu(double menuClosedAt, double now);
