// The help window's version line and legal notice, built from the program's version
// information and the clock's year.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct ProgramVersion {
    std::string productName;  // UTF-8
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t revision = 0;
    std::string legalCopyright;  // UTF-8; holds an open year range such as "2026-"
};

// Put before the legal notice; ends in a blank.
inline constexpr std::string_view kLegalNoticePrefix = "Legal notice: ";

// "Glimmora version 1.2.3": the name, the language's " version " (blanks included) and the
// three numbers in plain decimal.
std::string VersionLine(const ProgramVersion& version, std::string_view versionWord);

// The notice with its open year range ("2026-") closed by the current year. A clock that
// stands before the first year closes it with the first year, never a range backwards. A
// notice without an open range is returned as it is.
std::string CloseYearRange(std::string_view notice, int32_t currentYear);

// The two lines of the help window's version label, joined by CR LF.
std::string HelpVersionText(const ProgramVersion& version, std::string_view versionWord, int32_t currentYear);
