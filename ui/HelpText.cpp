#include "ui/HelpText.h"

std::string VersionLine(const ProgramVersion& version, std::string_view versionWord) {
    std::string line = version.productName;
    line += versionWord;
    line += std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
            std::to_string(version.revision);
    return line;
}

std::string HelpVersionText(const ProgramVersion& version, std::string_view versionWord, int32_t currentYear) {
    std::string text = VersionLine(version, versionWord);
    text += "\r\n";
    text += kLegalNoticePrefix;
    text += version.legalCopyright;
    text += std::to_string(currentYear);
    return text;
}
