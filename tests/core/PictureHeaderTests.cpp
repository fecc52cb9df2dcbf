#include "overlays/PictureHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Little(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}
std::string Big(uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}

std::string Gif(uint32_t w, uint32_t h) { return "GIF89a" + Little(w, 2) + Little(h, 2) + std::string(3, '\0'); }
std::string Png(uint32_t w, uint32_t h, const char* chunk = "IHDR") {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Big(13, 4) + chunk + Big(w, 4) + Big(h, 4) + std::string(5, '\0');
}
std::string Bmp(int32_t w, int32_t h) {
    return "BM" + std::string(12, '\0') + Little(40, 4) + Little(static_cast<uint32_t>(w), 4) +
           Little(static_cast<uint32_t>(h), 4) + std::string(28, '\0');
}
std::string OldBmp(uint32_t w, uint32_t h) { return "BM" + std::string(12, '\0') + Little(12, 4) + Little(w, 2) + Little(h, 2); }
// A JPEG start, one metadata segment of `padding` bytes, then a baseline frame header.
std::string Jpeg(uint32_t w, uint32_t h, uint32_t padding = 14, uint32_t frame = 0xC0) {
    return std::string("\xFF\xD8\xFF\xE0", 4) + Big(padding + 2, 2) + std::string(padding, 'j') + "\xFF\xFF" +
           static_cast<char>(frame) + Big(17, 2) + "\x08" + Big(h, 2) + Big(w, 2) + std::string(10, '\0');
}

}  // namespace

TEST(PictureHeader, ReadsTheSizeOfEachKnownFormatAndJudgesIt) {
    using F = PictureFormat;
    using V = PictureVerdict;
    const struct {
        const char* what;
        std::string bytes;
        PictureFormat format;
        PictureVerdict verdict;
        int64_t width, height;
    } cases[] = {
        {"gif", Gif(32, 48), F::Gif, V::Sane, 32, 48},
        {"gif at the limit", Gif(4096, 4096), F::Gif, V::Sane, 4096, 4096},
        {"gif too wide", Gif(4097, 1), F::Gif, V::TooLarge, 4097, 1},
        {"gif too high", Gif(1, 65535), F::Gif, V::TooLarge, 1, 65535},
        {"gif of no width", Gif(0, 5), F::Gif, V::Malformed, 0, 5},
        {"gif cut short", Gif(32, 48).substr(0, 9), F::Gif, V::Malformed, 0, 0},
        {"old gif", "GIF87a" + Little(7, 2) + Little(9, 2), F::Gif, V::Sane, 7, 9},
        {"png", Png(640, 480), F::Png, V::Sane, 640, 480},
        {"png too high", Png(1, 5000), F::Png, V::TooLarge, 1, 5000},
        {"png beyond 2^31", Png(0x80000000u, 1), F::Png, V::Malformed, 0, 0},
        {"png without IHDR first", Png(1, 1, "tEXt"), F::Png, V::Malformed, 0, 0},
        {"png cut short", Png(640, 480).substr(0, 23), F::Png, V::Malformed, 0, 0},
        {"bmp", Bmp(100, 50), F::Bmp, V::Sane, 100, 50},
        {"bmp top-down", Bmp(100, -50), F::Bmp, V::Sane, 100, 50},
        {"bmp with the most negative height", Bmp(1, INT32_MIN), F::Bmp, V::TooLarge, 1, 2147483648LL},
        {"bmp of negative width", Bmp(-3, 4), F::Bmp, V::Malformed, -3, 4},
        {"bmp too wide", Bmp(10000, 4), F::Bmp, V::TooLarge, 10000, 4},
        {"bmp cut short", Bmp(100, 50).substr(0, 25), F::Bmp, V::Malformed, 0, 0},
        {"bmp of an unknown header size", "BM" + std::string(12, '\0') + Little(20, 4) + std::string(20, '\0'), F::Bmp,
         V::Malformed, 0, 0},
        {"old bmp", OldBmp(16, 16), F::Bmp, V::Sane, 16, 16},
        {"old bmp too wide", OldBmp(5000, 16), F::Bmp, V::TooLarge, 5000, 16},
        {"jpeg", Jpeg(800, 600), F::Jpeg, V::Sane, 800, 600},
        {"progressive jpeg too high", Jpeg(8, 9000, 14, 0xC2), F::Jpeg, V::TooLarge, 8, 9000},
        {"jpeg after long metadata", Jpeg(20, 10, 60000), F::Jpeg, V::Sane, 20, 10},
        {"jpeg whose frame lies beyond the bytes read", Jpeg(20, 10, 60000).substr(0, 50000), F::Jpeg, V::Unknown, 0,
         0},
        {"jpeg cut inside its frame header", Jpeg(20, 10).substr(0, 28), F::Jpeg, V::Unknown, 0, 0},
        {"jpeg with a huffman table first (C4 is no frame)", Jpeg(20, 10, 14, 0xC4), F::Jpeg, V::Unknown, 0, 0},
        {"jpeg with its pixels before a frame", std::string("\xFF\xD8\xFF\xDA\x00\x02", 6), F::Jpeg, V::Malformed, 0,
         0},
        {"jpeg with a segment length below 2", std::string("\xFF\xD8\xFF\xE1\x00\x01", 6), F::Jpeg, V::Malformed, 0,
         0},
        {"jpeg with a short frame header", std::string("\xFF\xD8\xFF\xC0\x00\x05\x08\x00\x01\x00\x01", 11), F::Jpeg,
         V::Malformed, 0, 0},
        {"jpeg with junk between segments", std::string("\xFF\xD8\x00\xFF\xC0", 5), F::Jpeg, V::Malformed, 0, 0},
        {"icon", std::string("\0\0\1\0\1\0", 6), F::Unknown, V::Unknown, 0, 0},
        {"text", "GIF89", F::Unknown, V::Unknown, 0, 0},
        {"nothing", "", F::Unknown, V::Unknown, 0, 0},
    };
    for (const auto& c : cases) {
        const PictureHeader header = CheckPictureHeader(c.bytes);
        EXPECT_EQ(header.format, c.format) << c.what;
        EXPECT_EQ(header.verdict, c.verdict) << c.what;
        EXPECT_EQ(header.width, c.width) << c.what;
        EXPECT_EQ(header.height, c.height) << c.what;
    }
}
