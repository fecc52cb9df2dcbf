// Arbitrary bytes as a settings file, and as the section listing the profile API hands over:
// either loads into a record whose every value its holder can hold and that saves and reloads
// unchanged; saving into the text reads back as the record, changes nothing a second time and
// nothing with nothing to write. Whether the bytes read at all does not depend on UTF-8 or
// UTF-16, and a NUL in 8-bit text makes them unreadable.
#include <cstddef>
#include <cstdint>

#include "settings/ColorPalette.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// A record loaded from a listing: every value is one its holder can hold, and it saves and
// reloads unchanged.
void CheckRoundTrip(std::string_view listing, int32_t systemLanguage) {
    const SettingsRecord record = Loaded(listing, systemLanguage);
    SettingsRecord again = record;
    MakeSettingsValid(again, systemLanguage);
    Check(again == record);
    for (size_t i = 0; i < kSettingCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        const double value = record.Get(key);
        const SettingValidity valid = SettingRowOf(key).valid;
        if (valid.check == SettingCheck::Clamp || valid.check == SettingCheck::OneOf)
            Check(value >= valid.min && value <= valid.max);
        if (valid.check == SettingCheck::Palette) Check(value >= 0 && SelectNearest(static_cast<uint32_t>(value)).colour == value);
    }
    Check(record.Get(SettingKey::Language) >= 0 && record.Get(SettingKey::Language) <= 6);
    Check(record.IsOn(SettingKey::WindowVisible) || !record.IsOn(SettingKey::Taskbar));

    IniEntrySink sink;
    Check(SaveSettings(record, sink));
    SettingsRecord reloaded(-5);
    SectionListingSource saved(ListingOf(sink.Entries()));
    LoadSettings(reloaded, saved, (systemLanguage + 1) % 7);
    Check(reloaded == record);
}

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
    CheckRoundTrip(bytes, systemLanguage);
    CheckRoundTrip(SettingsListingOf(bytes), systemLanguage);
    CheckMerge(bytes, systemLanguage);
    CheckReadable(bytes);
    return 0;
}
