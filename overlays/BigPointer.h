// The big pointer: a copy of the system's pointer shape, enlarged, with its hot spot on the
// pointer. What the system hands over (a colour image with or without alpha, or a monochrome
// AND/XOR pair) becomes premultiplied BGRA here, and is scaled here; the window only shows it.
#pragma once

#include "base/Geometry.h"

#include <cstdint>
#include <vector>

// Premultiplied BGRA as a layered window takes it: 0xAARRGGBB, each colour at most its alpha;
// rows top-down.
struct PointerImage {
    Size size;
    std::vector<uint32_t> pixels;
    bool operator==(const PointerImage&) const = default;
};

// A cursor's pixels as the system reads them out, one value per pixel, rows top-down.
struct CursorBits {
    Size size;
    // 0xAARRGGBB with straight alpha; empty for a monochrome cursor. With every alpha 0 the
    // AND mask cuts the shape instead.
    std::vector<uint32_t> colour;
    // Non-zero where the screen shows through, or is inverted where the XOR image (or the
    // colour) is not black there.
    std::vector<uint8_t> andMask;
    // Monochrome cursors only: non-zero for white where the AND mask is 0.
    std::vector<uint8_t> xorMask;
};

// An inverting pixel cannot be drawn by an overlay: it shows dark, and the clear pixels
// around it light, so that it stands out on any background (an I-beam on black or white).
inline constexpr uint32_t kInvertingPixel = 0xFF000000;
inline constexpr uint32_t kInvertingOutline = 0xFFFFFFFF;

// Bits that do not fit their size give an empty image.
PointerImage PremultipliedPointer(const CursorBits& bits);
// Each target pixel is the average of the source area it covers, weighted by how much of each
// source pixel lies in it: whole-number enlargements stay sharp blocks, fractional ones blend
// only at block edges, and in premultiplied colours no dark or light fringe appears.
PointerImage ScalePointer(const PointerImage& image, Size to);
// The blink's other phase: every colour turned over within its own alpha.
PointerImage InvertedPointer(const PointerImage& image);

inline constexpr int32_t kFindScaleFactor = 2;
inline constexpr int32_t kMaxBigPointerPercent = 1600;
// The percent the pointer is drawn at: the setting, doubled while a shake finds it, and where
// sizes follow the monitor (monitorDpi not 0) grown by its DPI over the system's, as the
// system's own pointer is drawn at the system's DPI. At most kMaxBigPointerPercent.
int32_t BigPointerPercent(int32_t settingPercent, bool finding, uint32_t monitorDpi, uint32_t systemDpi);

struct BigPointerShape {
    Size size;
    Point hotSpot;
    bool operator==(const BigPointerShape&) const = default;
};
// The cursor's size (to the nearest pixel) and hot spot at percent. The hot spot is the
// top-left corner of the hot pixel, which scales with the image (rounded down).
BigPointerShape ScaleCursor(Size cursor, Point hotSpot, int32_t percent);
// The window's top-left corner that puts the scaled hot spot on the pointer.
Point BigPointerCorner(Point pointer, Point scaledHotSpot);
