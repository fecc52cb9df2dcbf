#include "overlays/BigPointer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

uint32_t Premultiply(uint32_t pixel) {
    const uint32_t a = Channel(pixel, 24);
    uint32_t out = a << 24;
    for (int shift : {0, 8, 16}) out |= ((Channel(pixel, shift) * a + 127) / 255) << shift;
    return out;
}

// Along one axis: which source pixels a target pixel covers, and how much of each, in units
// of 1/to of a source pixel (so a target pixel's weights add up to from).
struct Tap {
    int32_t index;
    int64_t weight;
};
std::vector<std::vector<Tap>> Taps(int32_t from, int32_t to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    for (int32_t t = 0; t < to; ++t) {
        const int64_t low = int64_t{t} * from, high = int64_t{t + 1} * from;
        for (int64_t s = low / to; s * to < high; ++s)
            taps[t].push_back({static_cast<int32_t>(s), std::min(high, (s + 1) * to) - std::max(low, s * to)});
    }
    return taps;
}

}  // namespace

PointerImage PremultipliedPointer(const CursorBits& bits) {
    const int32_t w = bits.size.width, h = bits.size.height;
    const bool monochrome = bits.colour.empty();
    const auto count = static_cast<std::size_t>(std::max(w, 0)) * static_cast<std::size_t>(std::max(h, 0));
    if (count == 0 || bits.andMask.size() != count || (monochrome ? bits.xorMask.size() : bits.colour.size()) != count)
        return {};
    PointerImage image{bits.size, std::vector<uint32_t>(count, 0)};
    const bool alpha = std::any_of(bits.colour.begin(), bits.colour.end(), [](uint32_t p) { return p >> 24 != 0; });
    if (alpha) {
        // The system draws such a cursor by its alpha alone; the mask is for old systems.
        std::transform(bits.colour.begin(), bits.colour.end(), image.pixels.begin(), Premultiply);
        return image;
    }
    std::vector<bool> inverting(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        const uint32_t rgb = monochrome ? (bits.xorMask[i] ? kRgb : 0) : bits.colour[i] & kRgb;
        if (!bits.andMask[i])
            image.pixels[i] = 0xFF000000 | rgb;
        else if (rgb != 0)
            inverting[i] = true;
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (!inverting[i]) continue;
            image.pixels[i] = kInvertingPixel;
            for (int32_t ny = std::max(y - 1, 0); ny <= std::min(y + 1, h - 1); ++ny)
                for (int32_t nx = std::max(x - 1, 0); nx <= std::min(x + 1, w - 1); ++nx) {
                    const std::size_t n = static_cast<std::size_t>(ny) * w + nx;
                    if (!inverting[n] && image.pixels[n] == 0) image.pixels[n] = kInvertingOutline;
                }
        }
    return image;
}

PointerImage ScalePointer(const PointerImage& image, Size to) {
    const Size from = image.size;
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) return {};
    if (from == to) return image;
    const auto columns = Taps(from.width, to.width), rows = Taps(from.height, to.height);
    const int64_t whole = int64_t{from.width} * from.height;
    PointerImage out{to, std::vector<uint32_t>(static_cast<std::size_t>(to.width) * to.height)};
    for (int32_t ty = 0; ty < to.height; ++ty)
        for (int32_t tx = 0; tx < to.width; ++tx) {
            std::array<int64_t, 4> sum{};
            for (const Tap& row : rows[ty])
                for (const Tap& column : columns[tx]) {
                    const uint32_t p = image.pixels[static_cast<std::size_t>(row.index) * from.width + column.index];
                    for (int c = 0; c < 4; ++c) sum[c] += row.weight * column.weight * Channel(p, 8 * c);
                }
            uint32_t pixel = 0;
            // Rounding never lifts a colour above its alpha: both are rounded sums of the same weights.
            for (int c = 0; c < 4; ++c) pixel |= static_cast<uint32_t>((sum[c] + whole / 2) / whole) << (8 * c);
            out.pixels[static_cast<std::size_t>(ty) * to.width + tx] = pixel;
        }
    return out;
}

PointerImage InvertedPointer(const PointerImage& image) {
    PointerImage out = image;
    for (uint32_t& p : out.pixels) {
        const uint32_t a = Channel(p, 24);
        uint32_t inverted = a << 24;
        for (int shift : {0, 8, 16}) inverted |= (a - std::min(Channel(p, shift), a)) << shift;
        p = inverted;
    }
    return out;
}

int32_t BigPointerPercent(int32_t settingPercent, bool finding, uint32_t monitorDpi, uint32_t systemDpi) {
    double percent = static_cast<double>(std::max(settingPercent, 1)) * (finding ? kFindScaleFactor : 1);
    if (monitorDpi != 0 && systemDpi != 0) percent = percent * monitorDpi / systemDpi;
    return std::min(RoundEven(percent), kMaxBigPointerPercent);
}

BigPointerShape ScaleCursor(Size cursor, Point hotSpot, int32_t percent) {
    const auto scale = [percent](int32_t length, int64_t half) {
        return static_cast<int32_t>((int64_t{length} * percent + half) / 100);
    };
    return {{scale(cursor.width, 50), scale(cursor.height, 50)}, {scale(hotSpot.x, 0), scale(hotSpot.y, 0)}};
}

Point BigPointerCorner(Point pointer, Point scaledHotSpot) {
    return {pointer.x - scaledHotSpot.x, pointer.y - scaledHotSpot.y};
}
