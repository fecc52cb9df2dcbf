// What each overlay is given, worked out from the settings record: the decisions between
// a stored value and what a window shows (alpha from a transparency, odd thickness, the
// cross hair's line shade, seconds from tenths) live here, not in the windows.
#pragma once

#include "base/Geometry.h"
#include "settings/SettingsRecord.h"

#include <array>
#include <cstdint>

inline constexpr uint32_t kDesignDpi = 96;

// Every field comes from the record through the functions below; none keeps a default of its own.
struct HaloValues {
    bool on = false;
    int32_t size = 0;
    int32_t alpha = 0;
    bool ring = false;
    bool fullScreen = false;
    uint32_t colour = 0;
};

struct CrossHairValues {
    bool on = false;
    int32_t thickness = 0;
    int32_t alpha = 0;
    int32_t gap = 0;
    uint32_t colour = 0;
    uint32_t lineColour = 0;
    bool arrows = false;
};

struct ClickIndicatorValues {
    bool on = false;
    int32_t size = 0;
    int32_t alpha = 0;
    float fadeSeconds = 0;
    std::array<uint32_t, 3> colours{};
    std::array<int32_t, 3> widths{};
    uint32_t wheelColour = 0;
    int32_t wheelWidth = 0;
    bool wheelArrows = false;
    bool letters = false;
    bool sameSize = false;
    bool discs = false;
    int32_t side = 0;  // the ring window's side
    Size arrowSize;    // a wheel arrow's window
};

struct MouseImageValues {
    bool on = false;
    int32_t width = 0;
    int32_t alpha = 0;
    bool black = false;
    bool lockPos = false;
    uint32_t dpi = kDesignDpi;
    // The window for a picture of this size: width by the picture's proportions.
    Size WindowSize(Size picture) const;
};

// The DPI that overlay lengths are drawn for. The record's lengths are physical pixels unless
// sizes follow the monitor; then they are lengths at 96 dpi, and a monitor that reports no DPI
// (0) counts as 96.
uint32_t OverlayDpi(bool sameSizeOnEveryMonitor, uint32_t monitorDpi);

// Every length (halo, cross hair thickness and gap, ring side and widths, wheel arrow and its
// line, mouse image width) comes scaled from 96 dpi to dpi; 96 gives the record's pixels.
HaloValues HaloValuesOf(const SettingsRecord& record, uint32_t dpi = kDesignDpi);
CrossHairValues CrossHairValuesOf(const SettingsRecord& record, uint32_t dpi = kDesignDpi);
ClickIndicatorValues ClickIndicatorValuesOf(const SettingsRecord& record, uint32_t dpi = kDesignDpi);
MouseImageValues MouseImageValuesOf(const SettingsRecord& record, uint32_t dpi = kDesignDpi);

// The cross hair's centre line: a lighter shade of a colour from the darkest palette row,
// a darker shade of any other, so that the line shows on its band.
uint32_t CrossHairLineShade(uint32_t colour);
