// Arbitrary bytes as the section listing the profile API hands over: loading must give a
// record whose every value its holder can hold and that saves and reloads unchanged;
// integers must read like strtol reads plain decimal numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fuzz/SettingsFuzzChecks.h"

namespace {

// Plain decimal numbers (blanks, a sign, at most nine digits) must read as strtol reads them.
void CheckPlainNumber(std::string_view chunk) {
    const std::string text(chunk.substr(0, 29));
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ' && text[i] != '\0') ++i;
    const size_t sign = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    const bool prefixed = i - digits == 1 && text[digits] == '0' && i < text.size() &&
                          (text[i] == 'x' || text[i] == 'o' || text[i] == 'b');
    if (i == digits || i - digits > 9 || prefixed) return;
    Check(ParseProfileInt(chunk, -1) == std::strtol(text.substr(sign, i - sign).c_str(), nullptr, 10));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int32_t systemLanguage = size > 0 ? data[0] % 7 : 0;  // the language object's are 0..6
    CheckRoundTrip(bytes, systemLanguage);

    std::string_view rest = bytes;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of(std::string_view("\n\0", 2)), rest.size());
        const std::string_view chunk = rest.substr(0, end);
        CheckPlainNumber(chunk);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return 0;
}
