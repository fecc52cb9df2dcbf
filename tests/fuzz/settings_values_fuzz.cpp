// Arbitrary bytes as a settings file, both as the section listing the profile API hands
// over and as INI text: loading must give a record that saves and reloads unchanged, and
// integers must read like strtol reads plain decimal numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/SettingsRecord.h"
#include "app/SettingsSection.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

bool IsSettingsHeading(std::string_view line) {
    constexpr std::string_view heading = "[settings]";
    if (line.size() != heading.size()) return false;
    for (size_t i = 0; i < line.size(); ++i) {
        if ((line[i] | 0x20) != heading[i] && line[i] != heading[i]) return false;
    }
    return true;
}

// A plain reading of INI text into the listing of its first "Settings" section.
std::string SettingsListingOf(std::string_view text) {
    std::string listing;
    bool inSettings = false, seenSettings = false;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.front() == '[') {
            inSettings = !seenSettings && IsSettingsHeading(line);
            seenSettings = seenSettings || inSettings;
        } else if (inSettings && !line.empty() && line.find('\0') == std::string_view::npos) {
            listing.append(line).append(1, '\0');
        }
    }
    return listing;
}

void CheckRoundTrip(std::string_view listing, int32_t systemLanguage) {
    SettingsRecord record;
    SectionListingSource source(listing);
    LoadSettings(record, source, systemLanguage);
    SectionListingSink sink;
    Check(SaveSettings(record, sink));
    SettingsRecord again(-5);
    SectionListingSource saved(sink.Listing());
    LoadSettings(again, saved, systemLanguage + 1);
    Check(again == record);
    Check(record.Get(SettingKey::Taskbar) == 0 || record.Get(SettingKey::Taskbar) == 1);
    Check(record.IsOn(SettingKey::WindowVisible) || !record.IsOn(SettingKey::Taskbar));
}

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
    const int32_t systemLanguage = size > 0 ? data[0] % 9 - 1 : 0;
    CheckRoundTrip(bytes, systemLanguage);
    CheckRoundTrip(SettingsListingOf(bytes), systemLanguage);

    std::string_view rest = bytes;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of(std::string_view("\n\0", 2)), rest.size());
        const std::string_view chunk = rest.substr(0, end);
        CheckPlainNumber(chunk);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return 0;
}
