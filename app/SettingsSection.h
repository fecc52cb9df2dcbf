// The settings read out of one listing of the whole section. Asking the profile API for
// each key parses and searches the file 79 times, which takes many seconds once a damaged
// file has grown to tens of megabytes; one listing is read in one pass.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingsRecord.h"

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

// The listing WritePrivateProfileSection takes: "key=text" entries each ended by a NUL,
// then one more NUL.
class SectionListingSink final : public IniSink {
public:
    bool Write(std::string_view key, std::string_view text) override;
    const std::string& Listing();

private:
    std::string entries_;
    std::string listing_;
};
