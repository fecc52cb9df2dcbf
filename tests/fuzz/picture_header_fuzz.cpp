// Arbitrary bytes as the start of a picture file: no byte beyond them is read, a size is judged
// by the limits, and a size read stays the same when the file goes on.
#include <cstddef>
#include <cstdint>
#include <string>

#include "overlays/PictureHeader.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kPictureHeaderBytes) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const PictureHeader header = CheckPictureHeader(bytes);
    const bool sides = header.width > 0 && header.height > 0;
    switch (header.verdict) {
        case PictureVerdict::Sane:
            Check(header.width <= kMaxPictureSide && header.height <= kMaxPictureSide && sides);
            break;
        case PictureVerdict::TooLarge:
            Check(sides && (header.width > kMaxPictureSide || header.height > kMaxPictureSide));
            break;
        case PictureVerdict::Malformed:
            Check(header.format != PictureFormat::Unknown && !sides);
            break;
        case PictureVerdict::Unknown:
            Check(header.width == 0 && header.height == 0);
            break;
    }
    Check((header.format == PictureFormat::Unknown) == (header.verdict == PictureVerdict::Unknown) ||
          header.format == PictureFormat::Jpeg);

    // The file goes on: a size read from these bytes holds on more of them.
    if ((header.verdict == PictureVerdict::Sane || header.verdict == PictureVerdict::TooLarge) &&
        size < kPictureHeaderBytes) {
        const PictureHeader longer = CheckPictureHeader(bytes + std::string(size % 7 + 1, '\xFF'));
        Check(longer.format == header.format && longer.verdict == header.verdict && longer.width == header.width &&
              longer.height == header.height);
    }
    return 0;
}
