// What a crash leaves behind, decided apart from the system: the names of a report's files,
// its one line of context, which old reports go, and which report the next start announces.
// A report is "crash-YYYYMMDD-HHMMSS-mmm" with ".dmp" (the minidump), ".txt" (the context
// line) and, until a start has announced it, ".new" (an empty mark). The stamp is local
// time, fixed width, so names sort by age.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The folder inside the settings file's folder.
inline constexpr std::string_view kCrashFolderName = "crashes";
// Reports kept, the newest; older ones are removed when a new one is written.
inline constexpr size_t kCrashReportsKept = 5;

// The report folder beside a settings file given by its full path.
std::string CrashFolderBeside(std::string_view settingsFile);

struct CrashTime {
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// "crash-20261207-170823-042": the common part of a report's file names.
std::string CrashReportBase(const CrashTime& time);

enum class CrashFileKind { Dump, Context, NewMark };
struct CrashFileName {
    std::string base;
    CrashFileKind kind;
};
// One name of the folder's listing read as a report's file, or nothing when it is not one
// of ours (other files in the folder are never touched).
std::optional<CrashFileName> ParseCrashFileName(std::string_view name);

// The files of every report beyond the newest `keep`, given the folder's listing.
std::vector<std::string> CrashFilesToRemove(const std::vector<std::string>& names, size_t keep);

// What a start announces: the newest report that carries a new mark and has its dump, and
// every new mark, which the announcement removes. No dump: nothing to announce.
struct CrashAnnouncement {
    std::optional<std::string> dump;
    std::vector<std::string> marks;
};
CrashAnnouncement AnnounceCrash(const std::vector<std::string>& names);

struct CrashFacts {
    CrashTime time;
    std::string version;     // the program's, "1.2.3"
    uint32_t code = 0;       // the exception code
    std::string module;      // file name of the module the address is in; empty when none
    uint64_t offset = 0;     // the address less the module's base, or the bare address
    uint32_t threadId = 0;
};
// "2026-12-07 17:08:23.042 Glimmora 1.2.3: exception 0xC0000005 at Glimmora.exe+0x1A2B,
// thread 1234" and a line end. Control characters in the module name become "?", so the
// context stays one line.
std::string CrashContextLine(const CrashFacts& facts);
