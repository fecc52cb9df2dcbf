#include "app/CrashReport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(CrashReport, TheFolderIsBesideTheSettingsFile) {
    const struct {
        const char* settings;
        const char* folder;
    } cases[] = {
        {"C:\\Users\\ann\\AppData\\Roaming\\Glimmora\\Glimmora.ini", "C:\\Users\\ann\\AppData\\Roaming\\Glimmora\\crashes"},
        {"E:\\Glimmora.ini", "E:\\crashes"},
        {"\\\\server\\share\\tools/Glimmora.ini", "\\\\server\\share\\tools/crashes"},
        {"Glimmora.ini", "crashes"},
    };
    for (const auto& c : cases) EXPECT_EQ(CrashFolderBeside(c.settings), c.folder) << c.settings;
}

TEST(CrashReport, NamesAReportByItsLocalTimeInFixedWidth) {
    EXPECT_EQ(CrashReportBase({2026, 12, 7, 17, 8, 23, 42}), "crash-20261207-170823-042");
    EXPECT_EQ(CrashReportBase({2031, 1, 2, 3, 4, 5, 6}), "crash-20310102-030405-006");
}

TEST(CrashReport, ReadsOnlyItsOwnFileNames) {
    const struct {
        const char* name;
        std::optional<CrashFileKind> kind;
    } cases[] = {
        {"crash-20261207-170823-042.dmp", CrashFileKind::Dump},
        {"crash-20261207-170823-042.txt", CrashFileKind::Context},
        {"crash-20261207-170823-042.new", CrashFileKind::NewMark},
        {"crash-20261207-170823-042.DMP", std::nullopt},
        {"Crash-20261207-170823-042.dmp", std::nullopt},
        {"crash-20261207-170823-042.dmp.txt", std::nullopt},
        {"crash-2026120-7170823-042.dmp", std::nullopt},
        {"crash-20261207-170823-04x.dmp", std::nullopt},
        {"crash-20261207_170823-042.dmp", std::nullopt},
        {"crash-20261207-170823-042", std::nullopt},
        {"crash-20261207-170823-0420.dm", std::nullopt},
        {"notes.txt", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto file = ParseCrashFileName(c.name);
        EXPECT_EQ(file.has_value(), c.kind.has_value()) << c.name;
        if (file && c.kind) {
            EXPECT_EQ(file->kind, *c.kind) << c.name;
            EXPECT_EQ(file->base, "crash-20261207-170823-042");
        }
    }
}

TEST(CrashReport, KeepsTheNewestReportsWithAllTheirFilesAndNothingElseGoes) {
    const std::vector<std::string> folder = {
        "crash-20260101-000000-000.dmp", "crash-20260101-000000-000.txt",  // oldest
        "crash-20260101-000000-001.dmp",                                    // a dump alone
        "crash-20250101-235959-999.txt",                                    // a context line alone, older still
        "crash-20261207-170823-042.dmp", "crash-20261207-170823-042.txt", "crash-20261207-170823-042.new",
        "crash-20260301-120000-000.dmp", "crash-20260301-120000-000.txt",
        "crash-20260201-120000-000.dmp", "crash-20260201-120000-000.txt",
        "readme.txt", "CRASH-20200101-000000-000.DMP",
    };
    const struct {
        size_t keep;
        std::vector<std::string> removed;
    } cases[] = {
        {6, {}},
        {5, {"crash-20250101-235959-999.txt"}},
        {4, {"crash-20250101-235959-999.txt", "crash-20260101-000000-000.dmp", "crash-20260101-000000-000.txt"}},
        {2,
         {"crash-20250101-235959-999.txt", "crash-20260101-000000-000.dmp", "crash-20260101-000000-000.txt",
          "crash-20260101-000000-001.dmp", "crash-20260201-120000-000.dmp", "crash-20260201-120000-000.txt"}},
        {0,
         {"crash-20250101-235959-999.txt", "crash-20260101-000000-000.dmp", "crash-20260101-000000-000.txt",
          "crash-20260101-000000-001.dmp", "crash-20260201-120000-000.dmp", "crash-20260201-120000-000.txt",
          "crash-20260301-120000-000.dmp", "crash-20260301-120000-000.txt", "crash-20261207-170823-042.dmp",
          "crash-20261207-170823-042.new", "crash-20261207-170823-042.txt"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Sorted(CrashFilesToRemove(folder, c.keep)), c.removed) << c.keep;
    EXPECT_EQ(kCrashReportsKept, 5u);
}

TEST(CrashReport, AStartAnnouncesTheNewestMarkedReportThatHasItsDump) {
    const struct {
        std::vector<std::string> folder;
        std::optional<std::string> dump;
        std::vector<std::string> marks;
    } cases[] = {
        {{}, std::nullopt, {}},
        {{"crash-20260101-000000-000.dmp", "crash-20260101-000000-000.txt"}, std::nullopt, {}},
        {{"crash-20260101-000000-000.new"}, std::nullopt, {"crash-20260101-000000-000.new"}},
        {{"crash-20260101-000000-000.new", "crash-20260101-000000-000.dmp", "crash-20260201-000000-000.dmp"},
         "crash-20260101-000000-000.dmp",
         {"crash-20260101-000000-000.new"}},
        {{"crash-20260201-000000-000.new", "crash-20260101-000000-000.new", "crash-20260101-000000-000.dmp",
          "crash-20260201-000000-000.dmp", "x.new"},
         "crash-20260201-000000-000.dmp",
         {"crash-20260201-000000-000.new", "crash-20260101-000000-000.new"}},
        {{"crash-20260301-000000-000.new", "crash-20260101-000000-000.new", "crash-20260101-000000-000.dmp"},
         "crash-20260101-000000-000.dmp",
         {"crash-20260301-000000-000.new", "crash-20260101-000000-000.new"}},
    };
    for (const auto& c : cases) {
        const CrashAnnouncement announcement = AnnounceCrash(c.folder);
        EXPECT_EQ(announcement.dump, c.dump) << c.folder.size();
        EXPECT_EQ(announcement.marks, c.marks) << c.folder.size();
    }
}

TEST(CrashReport, TheContextLineIsOneLineWithTimeVersionCodeAndPlace) {
    const CrashTime time{2026, 12, 7, 17, 8, 23, 42};
    const struct {
        std::string module;
        uint64_t offset;
        uint32_t code;
        const char* line;
    } cases[] = {
        {"Glimmora.exe", 0x1A2B, 0xC0000005,
         "2026-12-07 17:08:23.042 Glimmora 1.2.3: exception 0xC0000005 at Glimmora.exe+0x1A2B, thread 1234\r\n"},
        {"", 0x7FF612340000, 0x80000003,
         "2026-12-07 17:08:23.042 Glimmora 1.2.3: exception 0x80000003 at 0x7FF612340000, thread 1234\r\n"},
        {"evil\r\nname\x7F.dll", 0, 0x5,
         "2026-12-07 17:08:23.042 Glimmora 1.2.3: exception 0x00000005 at evil??name?.dll+0x0, thread 1234\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CrashContextLine({time, "1.2.3", c.code, c.module, c.offset, 1234}), c.line) << c.module;
}
