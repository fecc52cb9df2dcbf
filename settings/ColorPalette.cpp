#include "settings/ColorPalette.h"

#include <initializer_list>

namespace {

// Written as RGB hex, row by row, as a designer reads a palette.
constexpr uint32_t kPaletteRgb[kPaletteRows][kPaletteColumns] = {
    {0x7F0000, 0x7F4F00, 0x7F7F00, 0x007F00, 0x007F7F, 0x002F7F, 0x5A007F, 0x7F007F, 0x000000},
    {0xBF0000, 0xBF7700, 0xBFBF00, 0x00BF00, 0x00BFBF, 0x0048BF, 0x8700BF, 0xBF00BF, 0x7D7D7D},
    {0xFF0000, 0xFF9F00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0060FF, 0xB400FF, 0xFF00FF, 0xA9A9A9},
    {0xFF8080, 0xFFCF80, 0xFFFF80, 0x80FF80, 0x80FFFF, 0x80B0FF, 0xDA80FF, 0xFF80FF, 0xD4D4D4},
    {0xFFBFBF, 0xFFE7BF, 0xFFFFBF, 0xBFFFBF, 0xBFFFFF, 0xBFD7FF, 0xECBFFF, 0xFFBFFF, 0xFFFFFF},
};

int Channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

}  // namespace

uint32_t PaletteColour(int column, int row) {
    const uint32_t rgb = kPaletteRgb[row][column];
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

PaletteCell SelectNearest(uint32_t colour) {
    PaletteCell best;
    long bestDistance = 200000;
    for (int column = 0; column < kPaletteColumns; ++column) {
        for (int row = 0; row < kPaletteRows; ++row) {
            const uint32_t candidate = PaletteColour(column, row);
            long distance = 0;
            for (int shift : {0, 8, 16}) {
                const long d = Channel(candidate, shift) - Channel(colour, shift);
                distance += d * d;
            }
            if (distance < bestDistance) {
                bestDistance = distance;
                best = {column, row, candidate};
            }
        }
    }
    return best;
}
