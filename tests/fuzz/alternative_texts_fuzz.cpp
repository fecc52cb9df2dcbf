// Arbitrary bytes as a replacement-texts file: parsing must not crash, every pair must be
// a well-formed line, and lookups must agree with a plain first-match scan of the pairs.
#include <cstddef>
#include <cstdint>

#include "lang/Utf8.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto pairs = ParseAlternativeTexts(bytes, Latin1ToUtf8);
    for (const auto& [text, replacement] : pairs) {
        Check(!text.empty() && text.find('=') == std::string::npos);
        Check(text.find_first_of("\r\n") == std::string::npos && replacement.find_first_of("\r\n") == std::string::npos);
        Check(SanitizeUtf8(text) == text && SanitizeUtf8(replacement) == replacement);
    }

    const int32_t language = size > 0 ? static_cast<int32_t>(data[0] % 9) - 1 : 0;
    clsLanguage plain("German", {});
    clsLanguage replaced("German", pairs);
    plain.ChangeLanguage(language);
    replaced.ChangeLanguage(language);
    for (const int32_t id : {-1, 0, 1, 12, 43, 44, 79, 80, 93, 106, 118, 128, 129, 130, 1001, 1003, 1004}) {
        const std::string original = plain.GetString(id);
        std::string expected = original;
        for (const auto& [text, replacement] : pairs) {
            if (!original.empty() && text == original) {
                expected = replacement;
                break;
            }
        }
        Check(replaced.GetString(id) == expected);
    }
    return 0;
}
