// Arbitrary bytes as a settings file, both as the section listing the profile API hands
// over and as INI text: loading must give a record whose every value its holder can hold
// and that saves and reloads unchanged; saving into the text must read back as the record,
// change nothing on a second save, and keep the text as it was when there is nothing to
// write; integers must read like strtol reads plain decimal numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/SettingsRecord.h"
#include "app/SettingsSection.h"
#include "app/SettingsValid.h"
#include "controls/ColorPalette.h"

namespace {

// The listing GetPrivateProfileSection would give for these entries.
std::string ListingOf(const std::vector<IniEntry>& entries) {
    std::string listing;
    for (const IniEntry& e : entries)
        if (e.text) listing += e.key + "=" + *e.text + '\0';
    return listing + '\0';
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
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
    if (name.size() != settings.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] + 32) : name[i];
        if (c != settings[i]) return false;
    }
    return true;
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

SettingsRecord Loaded(std::string_view listing, int32_t systemLanguage) {
    SettingsRecord record;
    SectionListingSource source(listing);
    LoadSettings(record, source, systemLanguage);
    return record;
}

void CheckValid(const SettingsRecord& record, int32_t systemLanguage) {
    SettingsRecord again = record;
    MakeSettingsValid(again, systemLanguage);
    Check(again == record);
    for (size_t i = 0; i < kSettingCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        const double value = record.Get(key);
        if (const auto range = SettingRange(key)) Check(value >= range->min && value <= range->max);
        if (SettingRowOf(key).valid.check == SettingCheck::Palette)
            Check(value >= 0 && SelectNearest(static_cast<uint32_t>(value)).colour == value);
    }
    Check(record.Get(SettingKey::Language) >= 0 && record.Get(SettingKey::Language) <= 6);
    Check(record.Get(SettingKey::WindowState) >= 0 && record.Get(SettingKey::WindowState) <= 2);
    Check(record.Get(SettingKey::Halo) == 0 || record.Get(SettingKey::Halo) == 1);
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

void CheckRoundTrip(std::string_view listing, int32_t systemLanguage) {
    const SettingsRecord record = Loaded(listing, systemLanguage);
    CheckValid(record, systemLanguage);
    IniEntrySink sink;
    Check(SaveSettings(record, sink));
    SettingsRecord again(-5);
    SectionListingSource saved(ListingOf(sink.Entries()));
    LoadSettings(again, saved, (systemLanguage + 1) % 7);
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
    const int32_t systemLanguage = size > 0 ? data[0] % 7 : 0;  // the language object's are 0..6
    CheckRoundTrip(bytes, systemLanguage);
    CheckRoundTrip(SettingsListingOf(bytes), systemLanguage);
    CheckMerge(bytes, systemLanguage);

    std::string_view rest = bytes;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of(std::string_view("\n\0", 2)), rest.size());
        const std::string_view chunk = rest.substr(0, end);
        CheckPlainNumber(chunk);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return 0;
}
