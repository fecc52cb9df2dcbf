// Arbitrary UTF-16 text as the command line: every value lands in its switch's range, a
// later switch overrides an earlier one, numbers read as strtod reads plain decimals, and
// the arguments are what follows the program's path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/CommandLine.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

void CheckRanges(const CommandLineValues& v) {
    if (const auto pof = v.pictureOffsetFactor)
        Check((*pof >= -20 && *pof <= -0.1) || (*pof >= 0.1 && *pof <= 20));
    if (const auto kof = v.keyboardOffsetFactor) Check(*kof >= 0.1 && *kof <= 10);
    if (const auto hole = v.haloHolePercent) Check(*hole >= 10 && *hole <= 95);
    if (const auto id = v.handoverFrom) Check(*id != 0);
}

template <typename T>
std::optional<T> Later(const std::optional<T>& first, const std::optional<T>& second) {
    return second ? second : first;
}

// Text of blanks, signs, points, digits and exponents alone reads as strtod reads it,
// wherever a double can hold the value.
void CheckNumber(std::wstring_view text) {
    text = text.substr(0, 40);
    if (text.find_first_not_of(L" +-.0123456789eE") != std::wstring_view::npos) return;
    const std::string narrow(text.begin(), text.end());
    const double expected = std::strtod(narrow.c_str(), nullptr);
    if (!std::isfinite(expected) || expected == 0) return;
    Check(LeadingNumber(text) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

    const CommandLineValues whole = ParseCommandLine(text);
    CheckRanges(whole);
    // Split at the first and at the last slash: what comes after overrides what came before.
    for (const size_t slash : {text.find(L'/'), text.rfind(L'/')}) {
        if (slash == std::wstring::npos) break;
        const CommandLineValues before = ParseCommandLine(std::wstring_view(text).substr(0, slash));
        const CommandLineValues after = ParseCommandLine(std::wstring_view(text).substr(slash + 1));
        Check(whole.pause == (before.pause || after.pause) &&
              whole.pictureOffsetFactor == Later(before.pictureOffsetFactor, after.pictureOffsetFactor) &&
              whole.keyboardOffsetFactor == Later(before.keyboardOffsetFactor, after.keyboardOffsetFactor) &&
              whole.haloHolePercent == Later(before.haloHolePercent, after.haloHolePercent) &&
              whole.handoverFrom == Later(before.handoverFrom, after.handoverFrom));
    }
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find_first_of(L"/=", at), text.size());
        CheckNumber(std::wstring_view(text).substr(at, end - at));
        at = end + 1;
    }

    if (text.empty()) return 0;
    const std::wstring_view arguments = ArgumentsOf(text);
    Check(arguments.empty() || arguments.data() + arguments.size() == text.data() + text.size());
    const size_t path = text.size() - arguments.size();
    if (path == text.size()) return 0;
    if (text[0] == L'"')
        Check(path >= 2 && text[path - 1] == L'"' && text.find(L'"', 1) == path - 1);
    else
        Check(text.find_first_of(L" \t") == path);
    return 0;
}
