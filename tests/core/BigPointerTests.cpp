// The big pointer: the system's cursor pixels as premultiplied BGRA, its scaling, and its size
// and place for the pointer.
#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "overlays/BigPointer.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

CursorBits Mono(Size size, std::vector<uint8_t> andMask, std::vector<uint8_t> xorMask) {
    return {size, {}, std::move(andMask), std::move(xorMask)};
}
CursorBits Colour(Size size, std::vector<uint32_t> colour, std::vector<uint8_t> andMask) {
    return {size, std::move(colour), std::move(andMask), {}};
}

}  // namespace

// Catches: inverting pixels drawn as nothing or as a black box with nothing around them, the
// AND mask read the wrong way round, straight alpha handed to the window, the mask of an alpha
// cursor cutting its shape, bits of the wrong size read past their end.
TEST(BigPointer, CursorPixelsBecomePremultipliedBgra) {
    const struct {
        const char* what;
        CursorBits bits;
        std::vector<uint32_t> want;
    } cases[] = {
        // AND 0: black or white by XOR; AND 1: clear, or inverting where XOR is 1.
        {"monochrome with an inverting pixel",
         Mono({4, 3}, {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}),
         {kBlack, kWhite, kWhite, kWhite, 0, 0, kWhite, kInvertingPixel, 0, 0, kWhite, kWhite}},
        {"monochrome, nothing inverting", Mono({2, 1}, {1, 0}, {0, 0}), {0, kBlack}},
        // No alpha at all: the mask cuts the shape; a colour where it is 1 inverts.
        {"colour without alpha", Colour({3, 1}, {0x00123456, 0x00000000, 0x00808080}, {0, 1, 1}),
         {0xFF123456, kWhite, kInvertingPixel}},
        {"alpha", Colour({3, 1}, {0x80C86432, 0x00FFFFFF, 0xFF0A0B0C}, {1, 0, 0}), {0x80643219, 0, 0xFF0A0B0C}},
        {"mask too short", Mono({2, 2}, {0, 0, 0}, {0, 0, 0, 0}), {}},
        {"no colour for a colour cursor", Colour({1, 1}, {0, 0}, {0}), {}},
        {"empty", Mono({0, 5}, {}, {}), {}},
    };
    for (const auto& c : cases) {
        const PointerImage image = PremultipliedPointer(c.bits);
        EXPECT_EQ(image.pixels, c.want) << c.what;
        EXPECT_EQ(image.size, c.want.empty() ? Size{} : c.bits.size) << c.what;
    }
}

// Catches: nearest-pixel scaling that makes uneven blocks, averaging in straight colours (a
// grey fringe where white meets clear), colours above their alpha, downscaling that drops pixels.
TEST(BigPointer, ScalingAveragesTheCoveredAreaInPremultipliedColours) {
    const struct {
        const char* what;
        PointerImage from;
        Size to;
        std::vector<uint32_t> want;
    } cases[] = {
        {"twice: sharp blocks", {{2, 1}, {kWhite, 0x80402010}}, {4, 2},
         {kWhite, kWhite, 0x80402010, 0x80402010, kWhite, kWhite, 0x80402010, 0x80402010}},
        // 2.5 times: the middle pixel is half white, half clear: white at half alpha, not grey.
        {"two and a half", {{2, 1}, {kWhite, 0}}, {5, 1}, {kWhite, kWhite, 0x80808080, 0, 0}},
        {"halved", {{4, 2}, {kBlack, kWhite, 0, 0, kBlack, kWhite, 0, kWhite}}, {2, 1}, {0xFF808080, 0x40404040}},
        {"same size", {{1, 1}, {0x11223344}}, {1, 1}, {0x11223344}},
        {"to nothing", {{1, 1}, {kWhite}}, {0, 3}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ScalePointer(c.from, c.to).pixels, c.want) << c.what;

    // Any factor: every colour stays within its alpha, and a clear border stays clear.
    const PointerImage arrow{{3, 3}, {kBlack, 0, 0, kBlack, kWhite, 0, kBlack, 0x80643219, 0x01010101}};
    for (const Size to : {Size{7, 7}, Size{8, 5}, Size{5, 4}, Size{13, 11}}) {
        const PointerImage scaled = ScalePointer(arrow, to);
        ASSERT_EQ(scaled.pixels.size(), static_cast<std::size_t>(to.width * to.height));
        for (const uint32_t p : scaled.pixels)
            for (const int shift : {0, 8, 16}) EXPECT_LE((p >> shift) & 0xFF, p >> 24) << std::hex << p;
        EXPECT_EQ(scaled.pixels[to.width - 1], 0u) << "top right of " << to.width << "x" << to.height;
    }
    EXPECT_EQ(InvertedPointer({{3, 1}, {0x80643219, kWhite, 0}}).pixels,
              (std::vector<uint32_t>{0x801C4E67, kBlack, 0}));
}

// Catches: the hot spot rounded past its pixel, the size truncated, the shake's doubling or a
// monitor's DPI lost, a percent without a ceiling.
TEST(BigPointer, SizeAndHotSpotFollowTheScale) {
    const struct {
        Size cursor;
        Point hotSpot;
        int32_t percent;
        BigPointerShape want;
    } shapes[] = {
        {{32, 32}, {0, 0}, 250, {{80, 80}, {0, 0}}},         {{32, 32}, {15, 15}, 250, {{80, 80}, {37, 37}}},
        {{32, 32}, {15, 15}, 400, {{128, 128}, {60, 60}}},   {{48, 48}, {7, 3}, 150, {{72, 72}, {10, 4}}},
        {{33, 31}, {31, 1}, 150, {{50, 47}, {46, 1}}},        {{32, 32}, {31, 31}, 1600, {{512, 512}, {496, 496}}},
    };
    for (const auto& s : shapes) EXPECT_EQ(ScaleCursor(s.cursor, s.hotSpot, s.percent), s.want) << s.percent;
    EXPECT_EQ(BigPointerCorner({500, 400}, {37, 12}), (Point{463, 388}));

    const struct {
        int32_t setting;
        bool finding;
        uint32_t monitorDpi, systemDpi;
        int32_t want;
    } percents[] = {
        {250, false, 0, 96, 250}, {250, true, 0, 96, 500},    {250, false, 192, 96, 500}, {150, false, 144, 96, 225},
        {250, false, 96, 144, 167}, {400, true, 192, 96, 1600}, {400, true, 288, 96, 1600}, {250, false, 192, 0, 250},
        {kMinI, false, 0, 96, 1},   {kMaxI, true, 0, 96, 1600},
    };
    for (const auto& p : percents)
        EXPECT_EQ(BigPointerPercent(p.setting, p.finding, p.monitorDpi, p.systemDpi), p.want) << p.setting << " " << p.monitorDpi;
}
