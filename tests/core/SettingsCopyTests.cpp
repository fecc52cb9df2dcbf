// Which copy of the settings file a start reads: the file, or the backup its last save left.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsSection.h"

namespace {

std::string Utf16(std::string_view text, bool little) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char c : text) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

}  // namespace

TEST(SettingsCopy, FilesWithoutHeadingOrWithNulBytesDoNotRead) {
    struct Row {
        std::string bytes;
        bool reads;
    };
    const std::vector<Row> rows = {
        {"[Settings]\r\nHaloSize=5\r\n", true},
        {"[Settings]", true},
        {"; mine\n[Other]\nA=1\n  [ settings ] ; x\rHaloSize=5", true},
        {"\xEF\xBB\xBF[Settings]\r\n", true},
        {"\x1A[SETTINGS]x\r\n", true},  // the profile API's blanks, text after the bracket
        {Utf16("[Settings]\r\nHaloSize=5\r\n", true), true},
        {Utf16("[Settings]\r\nHaloSize=5\r\n", false), true},
        {Utf16("\xE9[Other]\r\n[Settings]\r\n", true), true},
        {"", false},
        {"HaloSize=5\r\n", false},
        {"[Other]\r\nHaloSize=5\r\n", false},
        {"[Settings\r\nHaloSize=5\r\n", false},
        {"x[Settings]\r\n", false},
        {"[Setting]\r\n[Settingss]\r\n", false},
        {std::string(4096, '\0'), false},
        {"[Settings]\r\nHaloSize=5\r\n" + std::string(512, '\0'), false},  // a zeroed tail
        {std::string("[Settings]\r\nHalo\0Size=5\r\n", 24), false},
        {std::string("\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0s\0]\0\0\0", 24), false},  // a NUL character
        {Utf16("[Other]\r\n", true), false},
        {"\xFF\xFE", false},
        {Utf16("[Settings]", true).substr(2), false},  // UTF-16 without its mark has NUL bytes
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ReadsAsSettingsFile(rows[i].bytes), rows[i].reads);
    }
}

TEST(SettingsCopy, TheBackupIsReadOnlyInPlaceOfAFileThatDoesNotRead) {
    const std::string good = "[Settings]\r\nHaloSize=5\r\n";
    const std::string zeroed(good.size(), '\0');
    const std::string other = "[Other]\r\n";
    using C = SettingsCopy;
    struct Row {
        std::optional<std::string_view> file, backup;
        SettingsCopy chosen;
    };
    const std::vector<Row> rows = {
        {good, good, C::File},
        {good, zeroed, C::File},
        {good, std::nullopt, C::File},
        {zeroed, good, C::Backup},
        {other, good, C::Backup},
        {std::string_view(), good, C::Backup},  // emptied, and the save after it never came
        {std::nullopt, good, C::Backup},        // gone between two steps of replacing it
        {zeroed, zeroed, C::File},
        {zeroed, other, C::File},
        {zeroed, std::nullopt, C::File},
        {std::nullopt, std::nullopt, C::File},
        {std::nullopt, zeroed, C::File},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ChooseSettingsCopy(rows[i].file, rows[i].backup), rows[i].chosen);
    }
}
