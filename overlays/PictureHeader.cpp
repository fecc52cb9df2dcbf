#include "overlays/PictureHeader.h"

namespace {

uint32_t Byte(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }
uint32_t Little16(std::string_view b, size_t at) { return Byte(b, at) | Byte(b, at + 1) << 8; }
uint32_t Big16(std::string_view b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
uint32_t Little32(std::string_view b, size_t at) { return Little16(b, at) | Little16(b, at + 2) << 16; }
uint32_t Big32(std::string_view b, size_t at) { return Big16(b, at) << 16 | Big16(b, at + 2); }

PictureHeader Judged(PictureFormat format, int64_t width, int64_t height) {
    PictureVerdict verdict = PictureVerdict::Sane;
    if (width <= 0 || height <= 0)
        verdict = PictureVerdict::Malformed;
    else if (width > kMaxPictureSide || height > kMaxPictureSide)
        verdict = PictureVerdict::TooLarge;
    return {format, verdict, width, height};
}

PictureHeader CutShort(PictureFormat format) { return {format, PictureVerdict::Malformed, 0, 0}; }

PictureHeader Gif(std::string_view b) {
    if (b.size() < 10) return CutShort(PictureFormat::Gif);
    return Judged(PictureFormat::Gif, Little16(b, 6), Little16(b, 8));
}

PictureHeader Png(std::string_view b) {
    // The first chunk must be IHDR: its width and height are big-endian, at most 2^31 - 1.
    if (b.size() < 24 || b.substr(12, 4) != "IHDR") return CutShort(PictureFormat::Png);
    const uint32_t width = Big32(b, 16), height = Big32(b, 20);
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return CutShort(PictureFormat::Png);
    return Judged(PictureFormat::Png, width, height);
}

PictureHeader Bmp(std::string_view b) {
    if (b.size() < 18) return CutShort(PictureFormat::Bmp);
    const uint32_t infoSize = Little32(b, 14);
    if (infoSize == 12) {  // the old core header: unsigned 16-bit sides
        if (b.size() < 22) return CutShort(PictureFormat::Bmp);
        return Judged(PictureFormat::Bmp, Little16(b, 18), Little16(b, 20));
    }
    if (infoSize < 40 || b.size() < 26) return CutShort(PictureFormat::Bmp);
    // A negative height stands for rows stored top-down.
    const int64_t height = static_cast<int32_t>(Little32(b, 22));
    return Judged(PictureFormat::Bmp, static_cast<int32_t>(Little32(b, 18)), height < 0 ? -height : height);
}

bool IsFrameStart(uint32_t marker) {
    // SOF0 to SOF15 but DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

PictureHeader Jpeg(std::string_view b) {
    size_t at = 2;
    while (at < b.size()) {
        if (Byte(b, at) != 0xFF) return CutShort(PictureFormat::Jpeg);
        while (at < b.size() && Byte(b, at) == 0xFF) ++at;  // fill bytes
        if (at >= b.size()) break;
        const uint32_t marker = Byte(b, at++);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length follows
        // The pixels (SOS) or the end (EOI) before any frame header: no size was given.
        if (marker == 0xDA || marker == 0xD9 || marker == 0x00) return CutShort(PictureFormat::Jpeg);
        if (at + 2 > b.size()) break;
        const uint32_t length = Big16(b, at);
        if (length < 2) return CutShort(PictureFormat::Jpeg);
        if (IsFrameStart(marker)) {
            if (length < 7) return CutShort(PictureFormat::Jpeg);
            if (at + 7 > b.size()) break;
            return Judged(PictureFormat::Jpeg, Big16(b, at + 5), Big16(b, at + 3));
        }
        at += length;
    }
    // The frame header lies beyond the bytes read.
    return {PictureFormat::Jpeg, PictureVerdict::Unknown, 0, 0};
}

}  // namespace

PictureHeader CheckPictureHeader(std::string_view b) {
    if (b.starts_with("GIF87a") || b.starts_with("GIF89a")) return Gif(b);
    if (b.starts_with("\x89PNG\r\n\x1A\n")) return Png(b);
    if (b.starts_with("BM")) return Bmp(b);
    if (b.starts_with("\xFF\xD8")) return Jpeg(b);
    return {};
}
