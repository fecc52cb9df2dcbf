// The first bytes of a picture file, read before the system's decoder sees the file: a
// header may claim any size, and a decoder may allocate for it before it fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Pictures larger than this either way are refused before their pixels are decoded.
inline constexpr int32_t kMaxPictureSide = 4096;
// As much of a file as the check reads: JPEG files may put long metadata before their size.
inline constexpr size_t kPictureHeaderBytes = 64 * 1024;

enum class PictureFormat { Unknown, Gif, Png, Bmp, Jpeg };
enum class PictureVerdict {
    Sane,       // a known format with a size from 1 to kMaxPictureSide either way
    TooLarge,   // a known format claiming more than kMaxPictureSide either way
    Malformed,  // a known format's signature with its header cut short or broken, or a side of 0
    Unknown,    // no format this check knows, or its size lies beyond the bytes given
};
struct PictureHeader {
    PictureFormat format = PictureFormat::Unknown;
    PictureVerdict verdict = PictureVerdict::Unknown;
    int64_t width = 0;
    int64_t height = 0;
};

// firstBytes: the file's first bytes, at most kPictureHeaderBytes of them. Unknown leaves
// the decision to the decoder; TooLarge and Malformed refuse the file.
PictureHeader CheckPictureHeader(std::string_view firstBytes);
