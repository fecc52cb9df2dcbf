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
    std::string legalCopyright;  // UTF-8; ends in the hyphen after its first year ("... 2026-")
};

// Put before the legal notice; ends in a blank.
inline constexpr std::string_view kLegalNoticePrefix = "Legal notice: ";

// "Glimmora version 1.2.3": the name, the language's " version " (blanks included) and the
// three numbers in plain decimal.
std::string VersionLine(const ProgramVersion& version, std::string_view versionWord);

// The two lines of the help window's version label, joined by CR LF: the version line, then
// the prefix, the notice and the current year, which closes the notice's open range, also in
// its first year ("2026-2026").
std::string HelpVersionText(const ProgramVersion& version, std::string_view versionWord, int32_t currentYear);
