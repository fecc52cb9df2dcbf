#include "controls/ColorPic.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr uint32_t Grey(uint32_t level) { return level | level << 8 | level << 16; }

constexpr std::array<uint32_t, kFlashColourCount> kFlashColours = {
    Grey(0),   Grey(0),   Grey(0),   Grey(0),   Grey(0),   Grey(0),   Grey(0),   Grey(32),
    Grey(96),  Grey(160), Grey(224), Grey(255), Grey(255), Grey(255), Grey(255), Grey(255),
    Grey(255), Grey(255), Grey(255), Grey(191), Grey(127), Grey(63),
};

int32_t HeldSizeFactor(int32_t size) { return std::clamp(size, kMinSizeFactor, kMaxSizeFactor); }

int32_t Sign(int32_t v) { return (v > 0) - (v < 0); }

}  // namespace

void ColorPicModel::SetRGBColor(uint32_t colour) {
    const PaletteCell cell = SelectNearest(colour);
    colour_ = cell.colour;
    x_ = cell.column * cellWidth_;
    y_ = cell.row * cellHeight_;
}

void ColorPicModel::SetSizeFactorX(int32_t width) {
    cellWidth_ = HeldSizeFactor(width);
    SetRGBColor(colour_);
}

void ColorPicModel::SetSizeFactorY(int32_t height) {
    cellHeight_ = HeldSizeFactor(height);
    SetRGBColor(colour_);
}

int32_t ColorPicModel::XPos() const { return x_ / cellWidth_; }
int32_t ColorPicModel::YPos() const { return y_ / cellHeight_; }

Point ColorPicModel::CellAt(int32_t x, int32_t y) const {
    // Snapped down, so a pixel left of or above the cells is outside them (column -1),
    // then held to the nearest cell. In 64 bits: any int32 position is safe.
    const auto cell = [](int64_t position, int32_t size, int32_t count) {
        const int64_t index = position >= 0 ? position / size : -((-position + size - 1) / size);
        return static_cast<int32_t>(std::clamp<int64_t>(index, 0, count - 1));
    };
    return {cell(int64_t{x} - kPaletteMargin, cellWidth_, kPaletteColumns),
            cell(int64_t{y} - kPaletteMargin, cellHeight_, kPaletteRows)};
}

std::optional<uint32_t> ColorPicModel::Select(Point cell) {
    x_ = cell.x * cellWidth_;
    y_ = cell.y * cellHeight_;
    colour_ = PaletteColour(cell.x, cell.y);
    return colour_;
}

std::optional<uint32_t> ColorPicModel::SelectAt(int32_t x, int32_t y) { return Select(CellAt(x, y)); }

std::optional<uint32_t> ColorPicModel::KeyDown(int32_t dx, int32_t dy) {
    const Point cell{std::clamp(XPos() + Sign(dx), 0, kPaletteColumns - 1),
                     std::clamp(YPos() + Sign(dy), 0, kPaletteRows - 1)};
    return Select(cell);
}

std::optional<uint32_t> ColorPicModel::MouseDown(int32_t x, int32_t y) {
    dragging_ = true;
    const auto colour = SelectAt(x, y);
    dragFrom_ = dragTo_ = Cell();
    dragStep_ = 0;
    return colour;
}

Point ColorPicModel::RunCell(int32_t step) const {
    const int32_t dx = dragTo_.x - dragFrom_.x, dy = dragTo_.y - dragFrom_.y;
    const int32_t steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return dragFrom_;
    const double t = static_cast<double>(step) / steps;
    return {dragFrom_.x + RoundEven(t * dx), dragFrom_.y + RoundEven(t * dy)};
}

std::optional<uint32_t> ColorPicModel::DragTo(int32_t x, int32_t y) {
    if (!dragging_) return std::nullopt;
    const Point target = CellAt(x, y);
    if (target == Cell()) return std::nullopt;
    // A new run when the pointer went elsewhere or an arrow key moved the selection off
    // this one; either way it starts at the selection and ends at the pointer's cell.
    if (target != dragTo_ || RunCell(dragStep_) != Cell()) {
        dragFrom_ = Cell();
        dragTo_ = target;
        dragStep_ = 0;
    }
    return Select(RunCell(++dragStep_));
}

Rect ColorPicModel::SelectionRect() const {
    return {x_ + kPaletteMargin, y_ + kPaletteMargin, x_ + kPaletteMargin + cellWidth_,
            y_ + kPaletteMargin + cellHeight_};
}

Size ColorPicModel::ImageSize() const {
    return {kPaletteColumns * cellWidth_ + 2 * kPaletteMargin, kPaletteRows * cellHeight_ + 2 * kPaletteMargin};
}

uint32_t ColorPicModel::NextFlashColour() {
    const uint32_t colour = kFlashColours[static_cast<size_t>(flashIndex_)];
    flashIndex_ = (flashIndex_ + 1) % kFlashColourCount;
    return colour;
}

std::wstring ColourDescription(uint32_t colour) {
    return L"Red " + std::to_wstring(colour & 0xFF) + L", green " + std::to_wstring((colour >> 8) & 0xFF) +
           L", blue " + std::to_wstring((colour >> 16) & 0xFF);
}
