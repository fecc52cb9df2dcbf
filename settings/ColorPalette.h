// The 45-colour palette of the colour pickers (9 columns × 5 rows) and the snapping of
// any colour to its nearest cell.
#pragma once

#include <cstdint>

// Colours are 0x00BBGGRR.
inline constexpr int kPaletteColumns = 9;
inline constexpr int kPaletteRows = 5;

uint32_t PaletteColour(int column, int row);

struct PaletteCell {
    int column = 0;
    int row = 0;
    uint32_t colour = 0;
};

// Nearest cell by squared RGB distance, scanning column by column so that ties go to
// the cell further left, then further up.
PaletteCell SelectNearest(uint32_t colour);
