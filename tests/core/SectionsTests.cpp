// Sections of the settings file beyond "Settings": reading one out of the file's bytes,
// writing a list into it, and the programs whose keys are never listed.
#include <gtest/gtest.h>

#include "settings/PrivatePrograms.h"
#include "settings/SettingsSection.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

// What a save leaves, read back the way a start reads it.
PrivatePrograms RoundTrip(const PrivatePrograms& programs, std::string_view file) {
    PrivatePrograms read;
    read.Load(SectionEntriesOf(MergeSection(file, kPrivateProgramsSection, programs.Entries(), true), kPrivateProgramsSection));
    return read;
}

}  // namespace

TEST(Sections, ASectionIsReadAsTheProfileApiReadsIt) {
    const std::string file =
        "\xEF\xBB\xBF[Settings]\r\nHalo=1\r\n[ privateprograms ] trailing\r\n; a note\r\n Tool.exe = \"1\" \r\n"
        "bare\r\nTOOL.EXE=0\r\n=1\r\nOther.exe=0\n[PrivatePrograms]\r\nLater.exe=1\r\n";
    EXPECT_EQ(SectionEntriesOf(file, "PrivatePrograms"), (Lines{{"Tool.exe", "1"}, {"Other.exe", "0"}}));
    EXPECT_EQ(SectionEntriesOf(file, "Settings"), (Lines{{"Halo", "1"}}));
    EXPECT_TRUE(SectionEntriesOf(file, "Missing").empty());
    EXPECT_EQ(SectionNamesOf(file), (std::vector<std::string>{"Settings", "privateprograms", "PrivatePrograms"}));
}

// A list owns its section: lines it no longer holds go, comments and other sections stay byte for byte.
TEST(Sections, AListRewritesItsSectionAndKeepsEverythingElse) {
    const struct {
        const char* what;
        std::string file;
        std::vector<IniEntry> entries;
        std::string merged;
    } rows[] = {
        {"added to a file without it", "[Settings]\r\nHalo=1\r\n", {{"A.exe", "1"}},
         "[Settings]\r\nHalo=1\r\n[L]\r\nA.exe=1\r\n"},
        {"gone and kept", "[L]\r\n; mine\r\nA.exe=1\r\nB.exe=1\r\n\r\n[Settings]\r\nHalo=1\r\n", {{"b.exe", "0"}},
         "[L]\r\n; mine\r\nb.exe=0\r\n\r\n[Settings]\r\nHalo=1\r\n"},
        {"emptied", "[L]\nA.exe=1\n[Settings]\nHalo=1\n", {}, "[L]\n[Settings]\nHalo=1\n"},
        {"bare names go too", "[L]\r\njunk\r\n", {}, "[L]\r\n"},
    };
    for (const auto& row : rows) {
        const std::string merged = MergeSection(row.file, "L", row.entries, true);
        EXPECT_EQ(merged, row.merged) << row.what;
        EXPECT_EQ(MergeSection(merged, "L", row.entries, true), merged) << "saving again changes nothing: " << row.what;
    }
}

TEST(PrivatePrograms, DefaultsHideAndOnlyChangesAreWritten) {
    PrivatePrograms programs;
    for (const char* name : {"CredentialUIBroker.exe", "c:\\Program Files\\KeePass\\keepass.EXE", "KeePassXC.exe"})
        EXPECT_TRUE(programs.Hides(name)) << name;
    EXPECT_FALSE(programs.Hides("notepad.exe"));
    EXPECT_FALSE(programs.Hides(""));
    EXPECT_TRUE(programs.Entries().empty());

    // Switched off, added, added twice in other case, removed again: only the differences remain.
    programs.Remove("keepass.exe");
    EXPECT_TRUE(programs.Add(" D:\\Tools\\Vault.exe "));
    EXPECT_TRUE(programs.Add("VAULT.EXE"));
    EXPECT_TRUE(programs.Add("Temp.exe"));
    programs.Remove("temp.EXE");
    EXPECT_FALSE(programs.Hides("KeePass.exe"));
    EXPECT_TRUE(programs.Hides("vault.exe"));
    EXPECT_FALSE(programs.Hides("Temp.exe"));
    EXPECT_EQ(programs.Entries(), (std::vector<IniEntry>{{"KeePass.exe", "0"}, {"Vault.exe", "1"}}));
    EXPECT_EQ(programs.Listed().size(), 10u);
    EXPECT_EQ(RoundTrip(programs, "[Settings]\r\nHalo=1\r\n"), programs);

    // Back to the defaults: the section keeps no line.
    programs.Add("KeePass.exe");
    programs.Remove("Vault.exe");
    EXPECT_EQ(RoundTrip(programs, "[PrivatePrograms]\r\nKeePass.exe=0\r\nVault.exe=1\r\n"), PrivatePrograms());
    EXPECT_EQ(MergeSection("[PrivatePrograms]\r\nKeePass.exe=0\r\nVault.exe=1\r\n", kPrivateProgramsSection,
                           programs.Entries(), true),
              "[PrivatePrograms]\r\n");
}

// Whatever a hand-edited section says, nothing but program file names is taken.
TEST(PrivatePrograms, OddLinesAreSkipped) {
    PrivatePrograms programs;
    programs.Load({{"Good.exe", "1"}, {"Off.exe", "0"}, {"Bad|Name.exe", "1"}, {"..", "1"}, {"Junk.exe", "yes"},
                   {"KeePass.exe", "0x0"}, {std::string(300, 'a'), "1"}, {"Sub\\Dir\\Deep.exe", "1"}});
    EXPECT_TRUE(programs.Hides("good.exe"));
    EXPECT_TRUE(programs.Hides("Deep.exe"));
    for (const char* name : {"Off.exe", "Junk.exe", "KeePass.exe", ".."}) EXPECT_FALSE(programs.Hides(name)) << name;
    EXPECT_FALSE(programs.Add("  "));
    EXPECT_FALSE(programs.Add("a=b.exe"));
    EXPECT_EQ(ProgramFileName("C:/x/y/Tool.exe"), "Tool.exe");
}
