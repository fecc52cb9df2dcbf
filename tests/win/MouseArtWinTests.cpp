// The mouse image's pictures: the built-in drawing rendered into real GDI bitmaps and read
// back pixel by pixel, and picture files decoded by the system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "base/Handles_win.h"
#include "overlays/MouseArt_win.h"
#include "overlays/PictureFile_win.h"
#include "overlays/frmPic_win.h"
#include "tests/win/Surface.h"
#include "tests/win/TempFiles.h"

namespace {

constexpr COLORREF kKey = RGB(255, 245, 255);

bool IsKey(const Surface& s, int x, int y) { return s.At(x, y) == kKey; }

// ---------------------------------------------------------------------------------------
// The built-in drawing

// The layers stacked on a buffer cleared to the key colour, as the mouse image composes them;
// the DC is left as it was and no GDI object stays behind.
std::unique_ptr<Surface> Render(int width, bool black, const std::vector<int>& layers) {
    auto s = std::make_unique<Surface>(width, RoundEven(width * kMouseArtAspect), kKey);
    const HGDIOBJ pen = ::GetCurrentObject(s->dc(), OBJ_PEN), brush = ::GetCurrentObject(s->dc(), OBJ_BRUSH);
    const long objects = handles::Live().gdiObjects;
    for (int layer : layers) DrawMouseLayer(s->dc(), s->area(), layer, black);
    EXPECT_EQ(handles::Live().gdiObjects, objects);
    EXPECT_TRUE(::GetCurrentObject(s->dc(), OBJ_PEN) == pen && ::GetCurrentObject(s->dc(), OBJ_BRUSH) == brush);
    EXPECT_EQ(::GetClipRgn(s->dc(), handles::Region(::CreateRectRgn(0, 0, 0, 0)).get()), 0) << "clipping stayed behind";
    return s;
}

// Key-coloured pixels that cannot be reached from the border without crossing the drawing.
int EnclosedKeyPixels(const Surface& s) {
    const int w = s.width(), h = s.height();
    std::vector<char> outside(size_t(w) * h, 0);
    std::vector<POINT> todo;
    const auto reach = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || outside[y * w + x] || !IsKey(s, x, y)) return;
        outside[y * w + x] = 1;
        todo.push_back({x, y});
    };
    for (int x = 0; x < w; ++x) reach(x, 0), reach(x, h - 1);
    for (int y = 0; y < h; ++y) reach(0, y), reach(w - 1, y);
    while (!todo.empty()) {
        const POINT p = todo.back();
        todo.pop_back();
        reach(p.x + 1, p.y), reach(p.x - 1, p.y), reach(p.x, p.y + 1), reach(p.x, p.y - 1);
    }
    int enclosed = 0;
    for (int i = 0; i < w * h; ++i) enclosed += IsKey(s, i % w, i / w) && !outside[i];
    return enclosed;
}

const int kWidths[] = {20, 84, 150};

TEST(MouseArt, BodyIsOneSolidSymmetricMouseOfItsVersionsColour) {
    for (int width : kWidths) {
        for (bool black : {false, true}) {
            SCOPED_TRACE(testing::Message() << "width " << width << (black ? " black" : " white"));
            const std::unique_ptr<Surface> s = Render(width, black, {BodyLayer});
            const int w = s->width(), h = s->height();
            EXPECT_TRUE(IsKey(*s, 0, 0) && IsKey(*s, w - 1, 0) && IsKey(*s, 0, h - 1) && IsKey(*s, w - 1, h - 1));
            EXPECT_EQ(EnclosedKeyPixels(*s), 0);
            int drawn = 0, palmPixels = 0;
            double palmLight = 0;
            for (int y = 0; y < h; ++y) {
                int left = w, right = -1;
                for (int x = 0; x < w; ++x) {
                    if (IsKey(*s, x, y)) continue;
                    ++drawn, left = std::min(left, x), right = x;
                    const COLORREF c = s->At(x, y);
                    if (y > h * 3 / 4)
                        palmLight += 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c), ++palmPixels;
                }
                // Symmetric to a pixel or two below the cable, which swings aside.
                if (y > h / 8 && right >= 0) {
                    EXPECT_LE(std::abs(left - (w - 1 - right)), 2) << "row " << y;
                }
            }
            EXPECT_GT(drawn, w * h * 6 / 10);
            EXPECT_LT(drawn, w * h * 9 / 10);
            ASSERT_GT(palmPixels, 0);
            EXPECT_TRUE(black ? palmLight / palmPixels < 80 : palmLight / palmPixels > 170) << palmLight / palmPixels;
        }
    }
}

TEST(MouseArt, EachLitLayerRecoloursOnlyItsOwnPartOfTheMouse) {
    struct Lit {
        int layer;
        double left, right;  // where it may change pixels, as parts of the width; all in the upper half
        bool warm;           // buttons warm, wheel marks cool
    };
    const Lit lits[] = {{LeftLayer, 0, 0.5, true},
                        {MiddleLayer, 0.35, 0.65, true},
                        {RightLayer, 0.5, 1, true},
                        {WheelUpLayer, 0.3, 0.7, false},
                        {WheelDownLayer, 0.3, 0.7, false}};
    for (int width : kWidths) {
        for (bool black : {false, true}) {
            const std::unique_ptr<Surface> plain = Render(width, black, {BodyLayer});
            const int w = plain->width(), h = plain->height();
            double markY[2] = {};
            for (const Lit& lit : lits) {
                SCOPED_TRACE(testing::Message()
                             << "width " << width << (black ? " black" : " white") << " layer " << lit.layer);
                const std::unique_ptr<Surface> s = Render(width, black, {BodyLayer, lit.layer});
                int changed = 0, misplaced = 0;
                double warmth = 0, sumY = 0;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        const COLORREF before = plain->At(x, y), after = s->At(x, y);
                        if (before == after) continue;
                        ++changed, sumY += y, warmth += GetRValue(after) - GetBValue(after);
                        misplaced +=
                            before == kKey || after == kKey || x < lit.left * w || x >= lit.right * w || y >= h / 2;
                    }
                }
                const bool button = lit.layer == LeftLayer || lit.layer == RightLayer;
                ASSERT_GT(changed, button ? w * h / 20 : 4);
                EXPECT_EQ(misplaced, 0);
                EXPECT_GT((lit.warm ? warmth : -warmth) / changed, 120);
                if (lit.layer >= WheelUpLayer) markY[lit.layer - WheelUpLayer] = sumY / changed;
            }
            EXPECT_LT(markY[0], markY[1]) << "the up mark sits above the down mark";
            EXPECT_EQ(EnclosedKeyPixels(*Render(width, black, {0, 1, 2, 3, 4, 5})), 0);
        }
    }
}

TEST(MouseArt, EveryLayerStaysInsideAnAreaAnywhereOnTheSurface) {
    for (int width : {1, 2, 7, 21, 33, 149}) {
        SCOPED_TRACE(testing::Message() << "width " << width);
        const RECT area{9, 5, 9 + width, 5 + RoundEven(width * kMouseArtAspect)};
        Surface s(area.right + 9, area.bottom + 5, kKey);
        for (int layer = 0; layer < kMouseImageLayers; ++layer) DrawMouseLayer(s.dc(), area, layer, width % 2 == 1);
        int inside = 0, outside = 0;
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) (::PtInRect(&area, {x, y}) ? inside : outside) += !IsKey(s, x, y);
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, width < 7 ? -1 : width * (area.bottom - area.top) / 2);
    }
}

// ---------------------------------------------------------------------------------------
// Picture files

const COLORREF kPalette[4] = {RGB(230, 20, 10), RGB(10, 200, 40), RGB(20, 40, 220), RGB(0, 0, 0)};

// A GIF89a with the four-colour palette and one frame, written the plain way: a clear code
// before every two pixels keeps every code three bits wide, so nothing is compressed.
std::string Gif(int width, int height, const std::vector<uint8_t>& pixels, int transparent = -1) {
    std::string out = "GIF89a";
    const auto word = [&out](int v) { out += char(v & 0xFF), out += char(v >> 8 & 0xFF); };
    word(width), word(height);
    out += std::string("\xF1\0\0", 3);  // a global palette of 2^(1+1) colours
    for (COLORREF c : kPalette) out += char(GetRValue(c)), out += char(GetGValue(c)), out += char(GetBValue(c));
    if (transparent >= 0) out += std::string("\x21\xF9\x04\x01\0\0", 6) + char(transparent) + '\0';
    out += ',', word(0), word(0), word(width), word(height), out += std::string("\0\x02", 2);
    std::string codes;
    uint32_t bits = 0;
    int count = 0;
    const auto put = [&](uint32_t code) {
        for (bits |= code << count, count += 3; count >= 8; count -= 8, bits >>= 8) codes += char(bits & 0xFF);
    };
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0) put(4);  // clear
        put(pixels[i]);
    }
    put(5);  // end
    if (count > 0) codes += char(bits & 0xFF);
    for (size_t at = 0; at < codes.size(); at += 255) out += char(codes.substr(at, 255).size()) + codes.substr(at, 255);
    return out + std::string("\0;", 2);
}

// Three by two, index 3 transparent: red, clear, green / blue, green, clear.
const std::vector<uint8_t> kTinyPixels = {0, 3, 1, 2, 1, 3};
const std::string kTiny = Gif(3, 2, kTinyPixels, 3);

// The tiny picture under a header that claims 20000 x 20000, for the screen and the frame.
// With screenOnly, the frame keeps its own small size: the decoder alone would take it.
std::string Oversized(bool screenOnly = false) {
    std::string huge = kTiny;
    for (size_t at : {6u, 8u, 38u, 40u})
        if (!screenOnly || at < 10) huge[at] = char(0x20), huge[at + 1] = char(0x4E);
    return huge;
}

TEST(PictureFile, TransparentGifLeavesTheBackgroundAndShowsItsColoursElsewhere) {
    const ScratchFolder folder;
    WriteBytes(folder.Wide(L"tiny.gif"), kTiny);
    const std::optional<MaskedPicture> picture = LoadMaskedPicture(folder.Wide(L"tiny.gif"));
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->size, (Size{3, 2}));
    for (COLORREF background : {kKey, RGB(255, 255, 255), RGB(0, 0, 0), RGB(90, 160, 30)}) {
        // As the mouse image draws it.
        Surface target(3, 2, background);
        handles::MemoryDc source(::CreateCompatibleDC(nullptr));
        for (auto [bitmap, operation] :
             {std::pair{picture->onWhite.get(), DWORD(SRCAND)}, {picture->onBlack.get(), DWORD(SRCPAINT)}}) {
            const handles::SelectObjectGuard select(source.get(), bitmap);
            ::BitBlt(target.dc(), 0, 0, 3, 2, source.get(), 0, 0, operation);
        }
        for (int i = 0; i < 6; ++i) {
            const COLORREF expected = kTinyPixels[i] == 3 ? background : kPalette[kTinyPixels[i]];
            EXPECT_EQ(target.At(i % 3, i / 3), expected) << "pixel " << i << " on " << std::hex << background;
        }
    }
}

// Unusable files give nothing, again and again without a GDI object left behind.
TEST(PictureFile, UnusableOrOversizedFilesGiveNothingAndLeaveNoGdiObjects) {
    const ScratchFolder folder;
    std::string random(400, '\0');
    std::mt19937 generator(7);
    for (char& c : random) c = char(generator());
    const std::vector<uint8_t> row4096(4096, 1), row4097(4097, 1);
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // none: no file at all
        bool loads;
    } cases[] = {
        {"missing", std::nullopt, false},
        {"empty", std::string(), false},
        {"truncated", kTiny.substr(0, kTiny.size() / 2), false},
        {"random bytes", random, false},
        {"claims 20000 x 20000", Oversized(), false},
        {"claims a screen of 20000 x 20000", Oversized(true), false},
        {"4097 wide", Gif(4097, 1, row4097), false},
        {"4097 high", Gif(1, 4097, row4097), false},
        {"4096 wide", Gif(4096, 1, row4096), true},
        {"tiny", kTiny, true},
    };
    const long before = handles::Live().gdiObjects;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = folder.Wide(c.bytes ? L"case.gif" : L"no\\such\\mouse.gif");
        if (c.bytes) WriteBytes(path, *c.bytes);
        for (int i = 0; i < 20; ++i) {
            const std::optional<MaskedPicture> picture = LoadMaskedPicture(path);
            ASSERT_EQ(picture.has_value(), c.loads);
            EXPECT_EQ(handles::Live().gdiObjects, before + (picture ? 2 : 0));
        }
    }
    EXPECT_EQ(handles::Live().gdiObjects, before);
}

// The mouse image reads its six picture files by bare name from the current folder; a
// bad "mouse.gif" leaves the built-in pictures, sized as drawn.
TEST(PictureFile, TheMouseImageUsesAllSixFilesOrNone) {
    const ScratchFolder folder;
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(folder.Wide(L"").c_str());
    const handles::ScopeExit back([&] { ::SetCurrentDirectoryW(previous); });
    const struct {
        const char* name;
        std::string mouse;
        bool custom;
    } cases[] = {{"all good", kTiny, true},
                 {"corrupt", std::string(200, '\x55'), false},
                 {"empty", std::string(), false},
                 {"truncated", kTiny.substr(0, 20), false},
                 {"20000 x 20000", Oversized(), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const wchar_t* name : frmPic::PictureFiles()) WriteBytes(name, name == std::wstring(L"mouse.gif") ? c.mouse : kTiny);
        frmPic pic;
        ASSERT_TRUE(pic.Form_Load());
        EXPECT_EQ(pic.CustomImages(), c.custom);
        pic.SetColor(true);
        EXPECT_EQ(pic.PictureSize(), (c.custom ? Size{3, 2} : Size{100, 160}));
        pic.MouseEvent(2, 0);  // composes every lit layer without a crash
        pic.Unload();
    }
}

}  // namespace
