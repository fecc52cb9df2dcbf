// What a start reads: the command line, hostile and enormous too, and earlier crash reports.
#include <gtest/gtest.h>

#include <ostream>

#include "CoreTestSupport.h"
#include "app/CommandLine.h"
#include "app/CrashReport.h"

void PrintTo(const CommandLineValues& v, std::ostream* out) {
    if (v.pictureOffsetFactor) *out << "pof=" << *v.pictureOffsetFactor << " ";
    if (v.keyboardOffsetFactor) *out << "kof=" << *v.keyboardOffsetFactor << " ";
    if (v.haloHolePercent) *out << "halohole=" << *v.haloHolePercent << " ";
    if (v.handoverFrom) *out << "handover=" << *v.handoverFrom << " ";
    *out << (v.pause ? "pause" : "running");
}

namespace {

CommandLineValues Pof(double f) { return {f, {}, {}, false, {}}; }
CommandLineValues Kof(double f) { return {{}, f, {}, false, {}}; }
CommandLineValues Hole(int32_t p) { return {{}, {}, p, false, {}}; }
CommandLineValues Handover(uint32_t id) { return {{}, {}, {}, false, id}; }
const CommandLineValues kPause{{}, {}, {}, true, {}}, kNothing{};

const char* Kind(CrashFileKind k) { return k == CrashFileKind::Dump ? "dmp" : k == CrashFileKind::Context ? "txt" : "new"; }

}  // namespace

// Each switch clamps its leading number (the offset keeps its side); names are trimmed and
// case-insensitive, exact forms only; a later switch wins; the handover is a plain number or
// nothing. Hostile and enormous values overflow nothing.
TEST(CommandLine, SwitchesAndTheirValues) {
    const std::wstring tiny = L"0." + std::wstring(5'000, L'0') + L"1";
    const std::pair<std::wstring, CommandLineValues> cases[] = {
        {L"/pof=0", Pof(0.1)}, {L"/pof=-0.05", Pof(-0.1)}, {L"/pof=-3", Pof(-3)}, {L"/pof=100", Pof(20)},
        {L"/pof=-100", Pof(-20)}, {L"/pof=abc", Pof(0.1)}, {L"/pof=-0", Pof(0.1)},
        {L"/kof=-3", Kof(3)}, {L"/kof=0", Kof(0.1)}, {L"/kof=-0.05", Kof(0.1)}, {L"/kof=-50", Kof(10)},
        {L"/halohole=5", Hole(10)}, {L"/halohole=99", Hole(95)}, {L"/halohole=-30", Hole(30)},
        {L"/halohole=50.5", Hole(50)}, {L"/halohole=51.5", Hole(52)}, {L"/halohole=", Hole(10)},
        {L"/kof= 2.5abc", Kof(2.5)}, {L"/kof=-.5", Kof(0.5)}, {L"/kof=+7", Kof(7)}, {L"/kof=3.", Kof(3)},
        {L"/kof=\t5", Kof(0.1)}, {L"/kof=\xFF15", Kof(0.1)}, {L"/pof=-infinity", Pof(0.1)}, {L"/kof=NaN", Kof(0.1)},
        {L"/pof=1e309", Pof(20)}, {L"/pof=-1e309", Pof(-20)}, {L"/kof=1e309", Kof(10)},
        {L"/halohole=-1e300", Hole(95)}, {L"/halohole=2147483648", Hole(95)},
        {L"/halohole=1e99999999999999999999999999", Hole(95)}, {L"/pof=" + std::wstring(10'000, L'9'), Pof(20)},
        {L"/pof=" + tiny, Pof(0.1)}, {L"/pof=-" + tiny, Pof(-0.1)}, {L"/pof=-1e-350", Pof(-0.1)},
        {L"/kof=0." + std::wstring(500, L'0') + L"5e501", Kof(5)},
        {L"/ Pause", kPause}, {L" /PAUSE ", kPause}, {L"pause", kPause}, {L"/pause=1", kNothing}, {L"/paused", kNothing},
        {L"/pa use", kNothing}, {L"/ HALOHOLE=20", Hole(20)}, {L"/ POF = 3", Pof(3)},
        {L"/pause/halohole=20 /kof=2x/pof=3.0", CommandLineValues{3, 2, 20, true, {}}}, {L"/pof=3/pof=5", Pof(5)},
        {L"/a=b=c", kNothing}, {L"/pof=1=2", kNothing}, {L"/pof==2", kNothing}, {L"/=5", kNothing},
        {L"/////", kNothing}, {L"", kNothing}, {L"/p of=2/pof2=2/-pof=2", kNothing},
        {std::wstring(10'000, L'/'), kNothing}, {std::wstring(10'000, L'='), kNothing},
        {L"/handover=1234", Handover(1234)}, {L" / HandOver = 42 ", Handover(42)},
        {L"/pause/handover=7/kof=2", CommandLineValues{{}, 2, {}, true, 7}}, {L"/handover=4294967295", Handover(4294967295u)},
        {L"/handover=5/handover=6", Handover(6)}, {L"/handover=5/handover=x", Handover(5)},
        {L"/handover=0", kNothing}, {L"/handover=4294967296", kNothing}, {L"/handover=99999999999", kNothing},
        {L"/handover=-5", kNothing}, {L"/handover=+5", kNothing}, {L"/handover=12x", kNothing}, {L"/handover=1 2", kNothing},
        {L"/handover=1.0", kNothing}, {L"/handover=", kNothing}, {L"/handover= ", kNothing}, {L"/handover=1=2", kNothing},
        {L"/handover", kNothing}, {L"/hand over=5", kNothing}, {L"/handover=\x0665", kNothing},
        {L"/handover=" + std::wstring(5'000, L'1'), kNothing},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(ParseCommandLine(arguments), expected) << std::string(arguments.begin(), arguments.begin() + std::min<size_t>(arguments.size(), 60));
    EXPECT_EQ(LeadingNumber(L"123456789012345678901234567890"), 1.2345678901234568e29);
    // Arguments follow the path, quoted or not.
    const std::pair<const wchar_t*, const wchar_t*> lines[] = {
        {L"\"C:/odd/Glimmora.exe\"/pof=2", L"/pof=2"},  // slashes inside the quotes are the path's
        {L"Glimmora.exe\t/kof=3", L"\t/kof=3"}, {L"\"C:\\no closing quote /pause", L""}, {L"", L""}};
    for (const auto& [commandLine, arguments] : lines) EXPECT_EQ(ArgumentsOf(commandLine), arguments);
}

// The folder beside the settings file; names by local time; only exactly ours are read, and
// only ours are cleared away.
TEST(CrashReport, FolderNamesAndTheReportsKept) {
    EXPECT_TRUE(CrashFolderBeside("\\\\server\\share\\tools/Glimmora.ini") == "\\\\server\\share\\tools/crashes" &&
                CrashFolderBeside("Glimmora.ini") == "crashes");
    EXPECT_EQ(CrashReportBase({2031, 1, 2, 3, 4, 5, 6}), "crash-20310102-030405-006");

    const std::pair<const char*, const char*> names[] = {
        {"crash-20261207-170823-042.dmp", "dmp"}, {"crash-20261207-170823-042.txt", "txt"},
        {"crash-20261207-170823-042.new", "new"}, {"crash-20261207-170823-042.DMP", ""}, {"Crash-20261207-170823-042.dmp", ""},
        {"crash-20261207-170823-042.dmp.txt", ""}, {"crash-2026120-7170823-042.dmp", ""}, {"crash-20261207-170823-04x.dmp", ""},
        {"crash-20261207-170823-0420.dm", ""}, {"", ""},
    };
    for (const auto& [name, kind] : names) {
        const auto file = ParseCrashFileName(name);
        EXPECT_EQ(file ? Kind(file->kind) : "", std::string(kind)) << name;
        if (file) { EXPECT_EQ(file->base, "crash-20261207-170823-042"); }
    }
    // The context line is one line: control characters of a module name become "?".
    const CrashTime time{2026, 12, 7, 17, 8, 23, 42};
    EXPECT_EQ(CrashContextLine({time, "1.2.3", 0x5, "evil\r\nname\x7F.dll", 0, 1234}),
              "2026-12-07 17:08:23.042 Glimmora 1.2.3: exception 0x00000005 at evil??name?.dll+0x0, thread 1234\r\n");

    // The newest reports stay whole, nothing else goes (the fuzz target checks the rest); a start
    // announces the newest marked report that has its dump, and clears every mark.
    std::vector<std::string> gone = CrashFilesToRemove({"crash-20260101-000000-000.dmp", "crash-20260101-000000-000.txt",
                                                        "crash-20250101-235959-999.txt", "crash-20261207-170823-042.new",
                                                        "readme.txt", "CRASH-20200101-000000-000.DMP"}, 1);
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, (std::vector<std::string>{"crash-20250101-235959-999.txt", "crash-20260101-000000-000.dmp",
                                              "crash-20260101-000000-000.txt"}));
    const CrashAnnouncement announcement = AnnounceCrash({"crash-20260301-000000-000.new", "crash-20260101-000000-000.new",
                                                          "crash-20260101-000000-000.dmp", "crash-20260301-000000-001.dmp"});
    EXPECT_EQ(announcement.dump, "crash-20260101-000000-000.dmp");
    EXPECT_EQ(announcement.marks, (std::vector<std::string>{"crash-20260301-000000-000.new", "crash-20260101-000000-000.new"}));
}
