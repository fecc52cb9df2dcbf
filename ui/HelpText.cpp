#include "ui/HelpText.h"

#include <algorithm>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string VersionLine(const ProgramVersion& version, std::string_view versionWord) {
    std::string line = version.productName;
    line += versionWord;
    line += std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
            std::to_string(version.revision);
    return line;
}

std::string CloseYearRange(std::string_view notice, int32_t currentYear) {
    // The first four-digit year (not part of a longer number) followed by a hyphen with
    // no digit after it.
    for (size_t i = 0; i + 5 <= notice.size(); ++i) {
        if (i > 0 && IsDigit(notice[i - 1])) continue;
        if (!std::all_of(notice.begin() + static_cast<std::ptrdiff_t>(i),
                         notice.begin() + static_cast<std::ptrdiff_t>(i + 4), IsDigit))
            continue;
        if (notice[i + 4] != '-') continue;
        if (i + 5 < notice.size() && IsDigit(notice[i + 5])) continue;
        const int32_t first = std::stoi(std::string(notice.substr(i, 4)));
        // In the first year (or with a clock behind it) the notice names that year alone.
        if (currentYear <= first) return std::string(notice.substr(0, i + 4)) + std::string(notice.substr(i + 5));
        return std::string(notice.substr(0, i + 5)) + std::to_string(currentYear) + std::string(notice.substr(i + 5));
    }
    return std::string(notice);
}

std::string HelpVersionText(const ProgramVersion& version, std::string_view versionWord, int32_t currentYear) {
    std::string text = VersionLine(version, versionWord);
    text += "\r\n";
    text += kLegalNoticePrefix;
    text += CloseYearRange(version.legalCopyright, currentYear);
    return text;
}
