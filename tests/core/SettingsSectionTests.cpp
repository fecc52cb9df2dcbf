// The section "Settings" merged into the text of its file, and which copy of the file a start
// reads: the file, or the backup its last save left.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CoreTestSupport.h"

#include "settings/SettingsSection.h"

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

// The section "Settings" written back line by line into the text of the file.
TEST(SettingsSection, MergeKeepsEveryOtherLineOfTheFile) {
    using namespace std::string_literals;
    const std::vector<IniEntry> entries = {{"HaloSize", "50"}, {"Halo", "1"}, {"Buttons", "0"}};
    struct Case {
        const char* what;
        std::string file;
        std::string merged;
    };
    const std::vector<Case> cases = {
        {"empty file", "", "[Settings]\r\nHaloSize=50\r\nHalo=1\r\nButtons=0\r\n"},
        {"comments, unknown keys, other sections and blank lines stay; keys are replaced in place",
         "; top\r\n[Other]\r\nHaloSize=9\r\n[Settings]\r\n; mine\r\n  halosize = 7 \r\nJunk=1\r\n\r\nHalo=0\r\n\r\n \r\n"
         "[Last]\r\nB=2",
         "; top\r\n[Other]\r\nHaloSize=9\r\n[Settings]\r\n; mine\r\nHaloSize=50\r\nJunk=1\r\n\r\nHalo=1\r\nButtons=0\r\n"
         "\r\n \r\n[Last]\r\nB=2"},
        {"section missing, LF endings, no final line end", "[Other]\nA=1",
         "[Other]\nA=1\n[Settings]\nHaloSize=50\nHalo=1\nButtons=0\n"},
        {"the first line of a key is replaced, a bare name too; later ones stay",
         "[Settings]\nHalo=5\nHALO=6\nButtons\nButtons=1\n",
         "[Settings]\nHalo=1\nHALO=6\nButtons=0\nButtons=1\nHaloSize=50\n"},
        {"the section last, without a final line end", "[Settings]\r\nHalo=0",
         "[Settings]\r\nHalo=1\r\nHaloSize=50\r\nButtons=0\r\n"},
        {"only the first section of the name", "[settings]\r\nHalo=0\r\n[Settings]\r\nButtons=1\r\n",
         "[settings]\r\nHalo=1\r\nHaloSize=50\r\nButtons=0\r\n[Settings]\r\nButtons=1\r\n"},
        {"headings as the profile API reads them", "  [ SETTINGS ] ; x\rHalo=0\r[Settings\rx[Other]\r",
         "  [ SETTINGS ] ; x\rHalo=1\r[Settings\rx[Other]\rHaloSize=50\rButtons=0\r"},
        {"a heading ends at its last bracket", "[Settings]]\nHalo=0\n",
         "[Settings]]\nHalo=0\n[Settings]\nHaloSize=50\nHalo=1\nButtons=0\n"},
        {"a heading with no line", "\xEF\xBB\xBF[Settings]", "\xEF\xBB\xBF[Settings]\r\nHaloSize=50\r\nHalo=1\r\nButtons=0\r\n"},
        {"CR and LF both end lines; added lines end as the first does", "[Settings]\rHalo=0\nButtons=1\r\n\x1A\r\n[X]",
         "[Settings]\rHalo=1\nButtons=0\r\nHaloSize=50\r\x1A\r\n[X]"},
        {"names that only look alike", "[Settings]\nHalo Size=1\n;Halo=1\nHalo\0=2\n"s,
         "[Settings]\nHalo Size=1\n;Halo=1\nHalo\0=2\nHaloSize=50\nHalo=1\nButtons=0\n"s},
    };
    for (const Case& c : cases) EXPECT_EQ(MergeSettingsSection(c.file, entries), c.merged) << c.what;

    // A key to go loses every line of it in the section, and only there.
    const std::vector<IniEntry> removing = {{"HaloSize", "50"}, {"HealHooks", std::nullopt}};
    const std::vector<Case> removals = {
        {"absent: nothing to remove", "", "[Settings]\r\nHaloSize=50\r\n"},
        {"its line goes with its ending", "[Settings]\r\nHealHooks=0\r\nHaloSize=7\r\n",
         "[Settings]\r\nHaloSize=50\r\n"},
        {"every line of it in the section, whatever the case; other sections keep theirs",
         "[Settings]\r\nhealhooks = 0\r\nX=1\r\nHEALHOOKS\r\n[Other]\r\nHealHooks=0\r\n",
         "[Settings]\r\nX=1\r\nHaloSize=50\r\n[Other]\r\nHealHooks=0\r\n"},
        {"the last line, without a line end", "[Settings]\r\nX=1\r\nHealHooks=0",
         "[Settings]\r\nX=1\r\nHaloSize=50\r\n"},
    };
    for (const Case& c : removals) EXPECT_EQ(MergeSettingsSection(c.file, removing), c.merged) << c.what;

    // Saving again changes nothing, and what was saved reads back.
    const SettingsRecord record = Loaded(Listing({"HaloSize=77", "Halo=0"}));
    IniEntrySink sink;
    SaveSettings(record, sink);
    for (const Case& c : cases) {
        const std::string once = MergeSettingsSection(c.file, sink.Entries());
        EXPECT_EQ(MergeSettingsSection(once, sink.Entries()), once) << c.what;
    }
}
