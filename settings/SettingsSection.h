// The section "Settings" read out of one listing and written back in one pass. Asking the
// profile API for each key parses (and on saving rewrites) the file once per key, which takes
// many seconds once a damaged file has grown to tens of megabytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/SettingsRecord.h"

// listing: the section's entries as GetPrivateProfileSection gives them, "key=value" or a
// bare "key", each ended by a NUL (the final empty entry may be missing). A key is found
// the way the profile API finds one key: names compare without regard to case, the first
// entry of a name decides (a bare name reads as absent) and one pair of matching quotes
// around the value is dropped.
class SectionListingSource final : public IniSource {
public:
    explicit SectionListingSource(std::string_view listing);
    std::optional<std::string> Read(std::string_view key) override;

private:
    std::array<std::optional<std::string>, kSettingCount> values_;
};

// One "key=text" line to be written; no text: the key is to go.
struct IniEntry {
    std::string key;
    std::optional<std::string> text;
    bool operator==(const IniEntry&) const = default;
};

// Collects what SaveSettings writes and removes, in its order.
class IniEntrySink final : public IniSink {
public:
    bool Write(std::string_view key, std::string_view text) override;
    bool Remove(std::string_view key) override;
    const std::vector<IniEntry>& Entries() const { return entries_; }

private:
    std::vector<IniEntry> entries_;
};

// The bytes of an INI file after writing each entry into its first section of that name ("Settings" for the
// settings) as
// writing key by key through the profile API would: section and key names compare without
// regard to case; a key's first line (bare or with "=") becomes "key=text", later lines of
// the same key stay; a key the section lacks is added after its last line that is not
// blank; without the section, it is added at the end of the file. A key to go loses every
// line of it in the section, so that no older line of it is read instead. Every other byte stays,
// line endings included; added lines end the way the file's first line does (CR LF when
// it has none). Linear in the size of the file. Entries name distinct keys.
// dropOthers: the section is ours alone (a list): its key lines that name no entry go too, its
// comments (";" or "#") and blank lines stay.
std::string MergeSection(std::string_view fileText, std::string_view section, const std::vector<IniEntry>& entries,
                         bool dropOthers = false);
inline std::string MergeSettingsSection(std::string_view fileText, const std::vector<IniEntry>& entries) {
    return MergeSection(fileText, kSettingsSection, entries);
}


// The key lines of the first section of that name in file order, as the profile API reads
// them: the first line of a name (compared without regard to case) decides, a bare name or a
// comment is no entry, one pair of quotes around a value is dropped. Empty without the section.
std::vector<std::pair<std::string, std::string>> SectionEntriesOf(std::string_view fileText, std::string_view section);
// Every section heading's name, in file order.
std::vector<std::string> SectionNamesOf(std::string_view fileText);

// Whether the bytes of a settings file hold anything to read: a file with a NUL in its text
// (zeroed sectors after a power cut) or without a heading "[Settings]" is unreadable as a
// whole. UTF-16 files are judged by their characters, a UTF-8 mark is skipped.
bool ReadsAsSettingsFile(std::string_view bytes);

enum class SettingsCopy { File, Backup };
// The copy to read, and to merge the next save into: the backup the last save left only
// when the file itself is absent or unreadable as a whole and the backup reads. Nothing:
// that copy is absent or could not be read.
SettingsCopy ChooseSettingsCopy(std::optional<std::string_view> file, std::optional<std::string_view> backup);
