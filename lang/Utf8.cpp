#include "lang/Utf8.h"


namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid sequence starting at bytes[i], or 0 when none starts there.
// The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
size_t ValidSequenceLength(std::string_view bytes, size_t i, size_t& badLength) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    badLength = 1;
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    // A truncated but well-begun sequence is replaced as one unit, as decoders commonly do.
    for (size_t k = 1; k < length; ++k) {
        if (i + k >= bytes.size()) return 0;
        const unsigned char byte = at(i + k);
        const bool ok = k == 1 ? byte >= low && byte <= high : IsContinuation(byte);
        if (!ok) return 0;
        badLength = k + 1;
    }
    return length;
}

}  // namespace

std::string SanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        size_t badLength = 1;
        const size_t length = ValidSequenceLength(bytes, i, badLength);
        if (length > 0) {
            out.append(bytes.substr(i, length));
            i += length;
        } else {
            out.append(kReplacement);
            i += badLength;
        }
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}
