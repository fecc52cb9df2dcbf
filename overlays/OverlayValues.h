// What each overlay is given, worked out from the settings record: the decisions between
// a stored value and what a window shows (alpha from a transparency, odd thickness, the
// cross hair's line shade, seconds from tenths) live here, not in the windows.
#pragma once

#include "app/SettingsRecord.h"

#include <array>
#include <cstdint>

struct HaloValues {
    bool on = true;
    int32_t size = 100;
    int32_t alpha = 51;
    bool ring = false;
    bool fullScreen = false;
    uint32_t colour = 0;
};

struct CrossHairValues {
    bool on = false;
    int32_t thickness = 7;
    int32_t alpha = 153;
    int32_t gap = 100;
    uint32_t colour = 0;
    uint32_t lineColour = 0;
    bool arrows = true;
};

struct ClickIndicatorValues {
    bool on = true;
    int32_t size = 44;
    int32_t alpha = 128;
    float fadeSeconds = 1.0f;
    std::array<uint32_t, 3> colours{};
    std::array<int32_t, 3> widths{};
    uint32_t wheelColour = 0;
    int32_t wheelWidth = 10;
    bool wheelArrows = true;
    bool letters = false;
    bool sameSize = false;
    bool discs = false;
};

struct MouseImageValues {
    bool on = false;
    int32_t width = 84;
    int32_t alpha = 179;
    bool black = false;
    bool lockPos = false;
};

HaloValues HaloValuesOf(const SettingsRecord& record);
CrossHairValues CrossHairValuesOf(const SettingsRecord& record);
ClickIndicatorValues ClickIndicatorValuesOf(const SettingsRecord& record);
MouseImageValues MouseImageValuesOf(const SettingsRecord& record);

// The cross hair's centre line: a lighter shade of a colour from the darkest palette row,
// a darker shade of any other, so that the line shows on its band.
uint32_t CrossHairLineShade(uint32_t colour);
