// The colour picker's state: the selected palette cell, the cell size in pixels, the
// picking by mouse and arrow keys and the flashing of the selection frame. The window
// around it only draws and forwards input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/Geometry.h"
#include "settings/ColorPalette.h"

inline constexpr int32_t kDefaultSizeFactor = 4;
// Cell sizes are held to this range, so no division by zero and no overflowing image.
inline constexpr int32_t kMinSizeFactor = 1;
inline constexpr int32_t kMaxSizeFactor = 1000;
// The image has this margin around the cells.
inline constexpr int32_t kPaletteMargin = 1;
inline constexpr int32_t kSelectionFrameWidth = 2;
inline constexpr int32_t kFlashColourCount = 22;
inline constexpr uint32_t kFlashIntervalMs = 30;

class ColorPicModel {
public:
    ColorPicModel() { SetRGBColor(0); }

    // 0x00BBGGRR. Writing snaps to the nearest palette cell and raises nothing.
    uint32_t RGBColor() const { return colour_; }
    void SetRGBColor(uint32_t colour);

    // Width and height in pixels of one cell; writing keeps the colour and moves the
    // selection to its cell at the new size.
    int32_t SizeFactorX() const { return cellWidth_; }
    int32_t SizeFactorY() const { return cellHeight_; }
    void SetSizeFactorX(int32_t width);
    void SetSizeFactorY(int32_t height);

    // Top-left pixel of the selected cell among the cells (margin not counted).
    int32_t SelectionX() const { return x_; }
    int32_t SelectionY() const { return y_; }
    int32_t XPos() const;  // column 0..8
    int32_t YPos() const;  // row 0..4

    // Positions are in the image's pixels, margin included. Selects the cell there (the
    // nearest one when outside) and returns the colour to raise RGBChanged with; every
    // position has a cell, so it always returns one.
    std::optional<uint32_t> SelectAt(int32_t x, int32_t y);
    // Arrow keys: one cell in (dx, dy), held at the edges; the colour is raised even
    // when the selection could not move.
    std::optional<uint32_t> KeyDown(int32_t dx, int32_t dy);

    // A press selects at once; each DragTo (moves and the release) steps one cell along
    // the straight line to the pointer's cell and returns that cell's colour, or nothing
    // once there, so a caller loops until nothing comes and every cell crossed is raised
    // with the selection already on it.
    std::optional<uint32_t> MouseDown(int32_t x, int32_t y);
    std::optional<uint32_t> DragTo(int32_t x, int32_t y);
    void EndDrag() { dragging_ = false; }

    // The selection frame's box in the image: one cell, inside the margin.
    Rect SelectionRect() const;
    Size ImageSize() const;

    // The frame's colours while focused: 7 black, four rising greys, 8 white and three
    // falling greys, one per timer tick, then again from the start.
    uint32_t NextFlashColour();
    void RestartFlash() { flashIndex_ = 0; }

private:
    Point CellAt(int32_t x, int32_t y) const;
    Point Cell() const { return {XPos(), YPos()}; }
    Point RunCell(int32_t step) const;
    std::optional<uint32_t> Select(Point cell);

    uint32_t colour_ = 0;
    int32_t cellWidth_ = kDefaultSizeFactor;
    int32_t cellHeight_ = kDefaultSizeFactor;
    int32_t x_ = 0;
    int32_t y_ = 0;
    bool dragging_ = false;
    // The straight run of cells from where the pointer was to where it is now.
    Point dragFrom_;
    Point dragTo_;
    int32_t dragStep_ = 0;
    int32_t flashIndex_ = 0;
};

// What a screen reader says of the colour: "Red 255, green 0, blue 0".
std::wstring ColourDescription(uint32_t colour);
