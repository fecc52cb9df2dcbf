#include "app/SettingsSection.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

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

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

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

bool SectionListingSink::Write(std::string_view key, std::string_view text) {
    entries_.append(key).append(1, '=').append(text).append(1, '\0');
    return true;
}

const std::string& SectionListingSink::Listing() {
    listing_ = entries_ + '\0';
    return listing_;
}
