// Arbitrary bytes as a settings file: its section read as the profile API reads it loads into a
// record that saves and reloads unchanged; saving into the text reads back as the record, changes
// nothing a second time and nothing with nothing to write. Whether the bytes read at all does not
// depend on UTF-8 or UTF-16, and a NUL in 8-bit text makes them unreadable.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/SettingsFuzzChecks.h"

namespace {

// The blanks the profile API trims; CR and LF end lines.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsSettings(std::string_view name) {
    constexpr std::string_view settings = "settings";
    return std::equal(name.begin(), name.end(), settings.begin(), settings.end(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a + 32) : a) == b; });
}

// A plain reading of INI text into the listing of its first "Settings" section, the way
// the profile API reads it: a heading runs from "[" to the last "]"; lines end at CR or LF.
std::string SettingsListingOf(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string listing;
    bool inSettings = false, seenSettings = false;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const size_t close = line.rfind(']');
        if (!line.empty() && line.front() == '[' && close != std::string_view::npos) {
            if (inSettings) break;
            inSettings = !seenSettings && IsSettings(Trimmed(line.substr(1, close - 1)));
            seenSettings = seenSettings || inSettings;
        } else if (inSettings && !line.empty() && line.find('\0') == std::string_view::npos) {
            // A listing cannot carry a NUL; the API lists the name and value without blanks.
            const size_t equals = line.find('=');
            listing.append(Trimmed(line.substr(0, equals)));
            if (equals != std::string_view::npos) listing.append(1, '=').append(Trimmed(line.substr(equals + 1)));
            listing.append(1, '\0');
        }
    }
    return listing;
}

// Saving into the text itself: what was saved is read back.
void CheckMerge(std::string_view text, int32_t systemLanguage) {
    Check(MergeSettingsSection(text, {}) == text);
    const SettingsRecord record = Loaded(SettingsListingOf(text), systemLanguage);
    IniEntrySink sink;
    SaveSettings(record, sink);
    const std::string merged = MergeSettingsSection(text, sink.Entries());
    Check(Loaded(SettingsListingOf(merged), systemLanguage) == record);
    Check(MergeSettingsSection(merged, sink.Entries()) == merged);
}

// The same check on the text as UTF-16 of either byte order; ASCII text alone, so that each
// byte stays one character.
void CheckReadable(std::string_view bytes) {
    const bool readable = ReadsAsSettingsFile(bytes);
    if (bytes.find('\0') != std::string_view::npos && !bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF"))
        Check(!readable);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") || bytes.starts_with("\xEF\xBB\xBF")) return;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return;
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (const char c : bytes) little.append({c, '\0'}), big.append({'\0', c});
    Check(ReadsAsSettingsFile(little) == readable && ReadsAsSettingsFile(big) == readable);
    // The backup is read only in place of a file that does not read, and only when it reads.
    Check(ChooseSettingsCopy(bytes, "[Settings]") == (readable ? SettingsCopy::File : SettingsCopy::Backup));
    Check(ChooseSettingsCopy(std::nullopt, bytes) == (readable ? SettingsCopy::Backup : SettingsCopy::File));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int32_t systemLanguage = size > 0 ? data[0] % 7 : 0;  // the language object's are 0..6
    CheckRoundTrip(SettingsListingOf(bytes), systemLanguage);
    CheckMerge(bytes, systemLanguage);
    CheckReadable(bytes);
    return 0;
}
