// Sections of the settings file beyond "Settings": reading one out of the file's bytes,
// writing a list into it, and the programs whose keys are never listed.
#include <gtest/gtest.h>

#include "settings/Presets.h"
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
    EXPECT_TRUE(programs.Entries().empty());
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

namespace {

// The file a save leaves with the presets' sections, read back as a start reads it.
Presets PresetsRoundTrip(const Presets& presets, std::string file) {
    for (const auto& [section, entries] : presets.Sections()) file = MergeSection(file, section, entries, true);
    Presets read;
    read.Load(file, 0);
    return read;
}

}  // namespace

TEST(Presets, StartingPointsSavedPresetsAndTheCycle) {
    Presets presets;
    ASSERT_EQ(presets.All().size(), 3u);
    SettingsRecord record;
    EXPECT_EQ(presets.Current(record), std::nullopt);
    EXPECT_EQ(presets.Next(record), 0u);
    // Switching to each in turn makes it the current one, and the cycle goes round.
    for (std::size_t i = 0; i < 4; ++i) {
        record = WithPreset(record, presets.All()[presets.Next(record)]);
        EXPECT_EQ(presets.Current(record), i % 3) << i;
    }
    EXPECT_TRUE(presets.Sections().empty()) << "untouched starting points are not written";

    // A saved preset holds every key but the language, the window's state and its own shortcut.
    record.Set(SettingKey::HaloSize, 77);
    record.Set(SettingKey::Language, 3);
    record.Set(SettingKey::HotKeyPresetKeyCode, 80);
    ASSERT_TRUE(presets.Save("  Demo ", record));
    const Preset& demo = *presets.Find("DEMO");
    EXPECT_EQ(demo.name, "Demo");
    EXPECT_EQ(demo.values.size(), kSettingCount - 8);
    EXPECT_EQ(presets.Current(record), 3u);
    const SettingsRecord other = WithPreset(SettingsRecord(), demo);
    EXPECT_EQ(other.Get(SettingKey::HaloSize), 77);
    EXPECT_EQ(other.Get(SettingKey::Language), 0) << "the language stays";
    EXPECT_EQ(other.Get(SettingKey::HotKeyPresetKeyCode), -1) << "the shortcut stays";

    // Saved over a starting point, and both survive the file.
    ASSERT_TRUE(presets.Save("live", record));
    EXPECT_EQ(presets.All().size(), 4u);
    EXPECT_EQ(PresetsRoundTrip(presets, "[Settings]\r\nHalo=1\r\n"), presets);
    for (const char* bad : {"", "   ", "a[b", "x]", "tab\there"}) EXPECT_FALSE(presets.Save(bad, record)) << bad;
    EXPECT_FALSE(presets.Save(std::string(41, 'n'), record));
    EXPECT_EQ(presets.Find("nobody"), nullptr);
    EXPECT_EQ(StartingPointIndex("LIVE"), 1u);
    EXPECT_EQ(StartingPointIndex("Demo"), std::nullopt);
}

// Damage in a preset's section leaves the keys it touches as they are when switching.
TEST(Presets, DamagedSectionsSetOnlyWhatTheyHoldPlainly) {
    Presets presets;
    presets.Load("[Settings]\r\n[Preset Broken]\r\nHaloSize=abc\r\nHalo=\r\nButtons=1x\r\nCrosshair=1\r\n"
                 "CrosshairSize=9999\r\nLanguage=2\r\nUnknown=5\r\nButtonsFading=25\r\n"
                 "[preset broken]\r\nCrosshair=0\r\n[Preset ]\r\nHalo=0\r\n[Preset [x]\r\nHalo=0\r\n",
                 0);
    ASSERT_EQ(presets.All().size(), 4u);
    const Preset& broken = *presets.Find("broken");
    SettingsRecord current;
    current.Set(SettingKey::HaloSize, 150);
    const SettingsRecord after = WithPreset(current, broken);
    EXPECT_EQ(after.Get(SettingKey::HaloSize), 150);
    EXPECT_EQ(after.Get(SettingKey::Halo), 1);
    EXPECT_EQ(after.Get(SettingKey::Buttons), 1);
    EXPECT_EQ(after.Get(SettingKey::Crosshair), 1) << "the first section of a name decides";
    EXPECT_EQ(after.Get(SettingKey::CrosshairSize), 30) << "clamped as the file's value would be";
    EXPECT_EQ(after.Get(SettingKey::ButtonsFading), 2.5) << "read in tenths as the file's value is";
    EXPECT_EQ(after.Get(SettingKey::Language), current.Get(SettingKey::Language));
    EXPECT_EQ(broken.values.size(), 3u);
}
