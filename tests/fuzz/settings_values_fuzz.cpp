// Arbitrary bytes as the section listing the profile API hands over: loading must give a
// record whose every value its holder can hold and that saves and reloads unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/SettingsFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int32_t systemLanguage = size > 0 ? data[0] % 7 : 0;  // the language object's are 0..6
    CheckRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size), systemLanguage);
    return 0;
}
