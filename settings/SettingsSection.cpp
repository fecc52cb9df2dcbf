#include "settings/SettingsSection.h"

#include "settings/IniLines.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

using namespace ini;

namespace {

struct NameIndex {
    std::unordered_map<std::string, std::size_t> byName;
    std::size_t longest = 0;
};

// A damaged section can hold millions of entries; each is looked up once.
std::optional<std::size_t> SettingIndex(std::string_view name) {
    static const NameIndex index = [] {
        NameIndex made;
        for (std::size_t i = 0; i < kSettingCount; ++i) {
            made.byName.emplace(Lowered(SettingRows()[i].name), i);
            made.longest = std::max(made.longest, SettingRows()[i].name.size());
        }
        return made;
    }();
    if (name.size() > index.longest) return std::nullopt;
    const auto found = index.byName.find(Lowered(name));
    if (found == index.byName.end()) return std::nullopt;
    return found->second;
}

// Looks entry names up without regard to case; most lines of a damaged file are not ours.
class EntryIndex {
public:
    explicit EntryIndex(const std::vector<IniEntry>& entries) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            byName_.emplace(Lowered(entries[i].key), i);
            shortest_ = std::min(shortest_, entries[i].key.size());
            longest_ = std::max(longest_, entries[i].key.size());
        }
    }
    std::optional<std::size_t> Find(std::string_view name) const {
        if (name.size() < shortest_ || name.size() > longest_) return std::nullopt;
        const auto found = byName_.find(Lowered(name));
        if (found == byName_.end()) return std::nullopt;
        return found->second;
    }

private:
    std::unordered_map<std::string, std::size_t> byName_;
    std::size_t shortest_ = SIZE_MAX;
    std::size_t longest_ = 0;
};

// Past a UTF-8 mark.
std::size_t BodyStart(std::string_view fileText) { return fileText.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0; }

// Lines the user wrote for people, kept wherever they are.
bool IsComment(std::string_view trimmedLine) { return trimmedLine.empty() || trimmedLine.front() == ';' || trimmedLine.front() == '#'; }

void AppendEntry(std::string& out, const IniEntry& entry) { out.append(entry.key).append(1, '=').append(*entry.text); }

}  // namespace

SectionListingSource::SectionListingSource(std::string_view listing) {
    std::array<bool, kSettingCount> decided{};
    while (!listing.empty()) {
        const std::size_t end = std::min(listing.find('\0'), listing.size());
        const std::string_view entry = listing.substr(0, end);
        listing.remove_prefix(std::min(end + 1, listing.size()));
        if (entry.empty()) break;  // the closing empty entry
        const std::size_t equals = entry.find('=');
        const auto index = SettingIndex(entry.substr(0, equals));
        if (!index || decided[*index]) continue;
        decided[*index] = true;
        if (equals != std::string_view::npos) values_[*index] = std::string(Unquoted(entry.substr(equals + 1)));
    }
}

std::optional<std::string> SectionListingSource::Read(std::string_view key) {
    const auto index = SettingIndex(key);
    return index ? values_[*index] : std::nullopt;
}

bool IniEntrySink::Write(std::string_view key, std::string_view text) {
    entries_.push_back(IniEntry{std::string(key), std::string(text)});
    return true;
}

bool IniEntrySink::Remove(std::string_view key) {
    entries_.push_back(IniEntry{std::string(key), std::nullopt});
    return true;
}

std::string MergeSection(std::string_view fileText, std::string_view section, const std::vector<IniEntry>& entries,
                         bool dropOthers) {
    const std::size_t bodyStart = BodyStart(fileText);
    const EntryIndex index(entries);

    // One pass over the lines up to the end of the first section of that name.
    // A key's first line and its entry, or a line to drop.
    std::vector<std::pair<Line, std::optional<std::size_t>>> edits;
    std::vector<bool> present(entries.size());
    std::optional<Line> last;  // the section's last line that is not blank, or its heading
    std::string_view ending;
    bool inSection = false;
    LineSplitter lines(fileText, bodyStart);
    for (Line line; lines.Next(line);) {
        if (ending.empty()) ending = line.ending;
        const std::string_view trimmed = Trimmed(line.content);
        if (const auto name = SectionName(trimmed)) {
            if (inSection) break;
            inSection = !last && SameName(*name, section);
            if (inSection) last = line;
            continue;
        }
        if (!inSection || trimmed.empty()) continue;
        last = line;
        const auto entry = index.Find(KeyName(trimmed));
        if (!entry) {
            if (dropOthers && !IsComment(trimmed)) edits.emplace_back(line, std::nullopt);
            continue;
        }
        if (!entries[*entry].text) {
            edits.emplace_back(line, std::nullopt);
        } else if (!present[*entry]) {
            present[*entry] = true;
            edits.emplace_back(line, *entry);
        }
    }
    if (ending.empty()) ending = "\r\n";

    std::string merged;
    merged.reserve(fileText.size() + entries.size() * 32 + 16);
    std::size_t copied = 0;
    for (const auto& [line, entry] : edits) {
        merged.append(fileText.substr(copied, line.begin - copied));
        if (entry) {
            AppendEntry(merged, entries[*entry]);
            copied = line.ContentEnd();  // the line keeps its own ending
        } else {
            copied = line.End();
        }
    }
    const auto missing = [&](std::size_t i) { return entries[i].text && !present[i]; };
    bool anyMissing = false;
    for (std::size_t i = 0; i < entries.size(); ++i) anyMissing = anyMissing || missing(i);
    const std::size_t insertAt = last ? last->End() : fileText.size();
    merged.append(fileText.substr(copied, insertAt - copied));
    if (anyMissing) {
        // What was copied, as a dropped last line may have taken the section's final line end.
        const bool endsLine = merged.size() == bodyStart || merged.back() == '\n' || merged.back() == '\r';
        if (!endsLine) merged.append(ending);
        if (!last) merged.append(1, '[').append(section).append(1, ']').append(ending);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!missing(i)) continue;
            AppendEntry(merged, entries[i]);
            merged.append(ending);
        }
    }
    merged.append(fileText.substr(insertAt));
    return merged;
}

std::vector<std::pair<std::string, std::string>> SectionEntriesOf(std::string_view fileText, std::string_view section) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::unordered_map<std::string, bool> seen;
    bool inSection = false, found = false;
    LineSplitter lines(fileText, BodyStart(fileText));
    for (Line line; lines.Next(line);) {
        const std::string_view trimmed = Trimmed(line.content);
        if (const auto name = SectionName(trimmed)) {
            if (inSection) break;
            inSection = !found && SameName(*name, section);
            found = found || inSection;
            continue;
        }
        const std::size_t equals = trimmed.find('=');
        if (!inSection || IsComment(trimmed) || equals == std::string_view::npos) continue;
        const std::string_view key = KeyName(trimmed);
        if (key.empty() || !seen.emplace(Lowered(key), true).second) continue;
        entries.emplace_back(std::string(key), std::string(Unquoted(Trimmed(trimmed.substr(equals + 1)))));
    }
    return entries;
}

std::vector<std::string> SectionNamesOf(std::string_view fileText) {
    std::vector<std::string> names;
    LineSplitter lines(fileText, BodyStart(fileText));
    for (Line line; lines.Next(line);)
        if (const auto name = SectionName(Trimmed(line.content))) names.emplace_back(*name);
    return names;
}

bool ReadsAsSettingsFile(std::string_view bytes) {
    std::string units;  // one character per code unit; anything past ASCII matters only as not a NUL
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    if (little || bytes.substr(0, 2) == "\xFE\xFF") {
        units.reserve(bytes.size() / 2);
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const unsigned low = static_cast<unsigned char>(bytes[little ? at : at + 1]);
            const unsigned high = static_cast<unsigned char>(bytes[little ? at + 1 : at]);
            const unsigned unit = high << 8 | low;
            units.push_back(unit < 0x80 ? char(unit) : '\x80');
        }
        bytes = units;
    } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    if (bytes.find('\0') != std::string_view::npos) return false;
    LineSplitter lines(bytes, 0);
    for (Line line; lines.Next(line);) {
        const auto name = SectionName(Trimmed(line.content));
        if (name && SameName(*name, kSettingsSection)) return true;
    }
    return false;
}

SettingsCopy ChooseSettingsCopy(std::optional<std::string_view> file, std::optional<std::string_view> backup) {
    const bool fileReads = file && ReadsAsSettingsFile(*file);
    return !fileReads && backup && ReadsAsSettingsFile(*backup) ? SettingsCopy::Backup : SettingsCopy::File;
}
