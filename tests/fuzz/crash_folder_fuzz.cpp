// Arbitrary bytes as the crash-report folder, a name a line: only our report files go, the newest
// reports stay, as many as are kept, and the announced report is a marked one with its dump.
#include <cstddef>
#include <cstdint>

#include "app/CrashReport.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> names;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const size_t keep = size > 0 ? data[0] % 8 : 0;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        names.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    const std::vector<std::string> removed = CrashFilesToRemove(names, keep);
    std::set<std::string> removedBases, keptBases;
    for (const std::string& name : removed) {
        const auto file = ParseCrashFileName(name);
        Check(file.has_value() && std::find(names.begin(), names.end(), name) != names.end());
        Check(name == file->base + (file->kind == CrashFileKind::Dump      ? ".dmp"
                                    : file->kind == CrashFileKind::Context ? ".txt"
                                                                           : ".new"));
        removedBases.insert(file->base);
    }
    for (const std::string& name : names) {
        const auto file = ParseCrashFileName(name);
        if (file && std::find(removed.begin(), removed.end(), name) == removed.end()) keptBases.insert(file->base);
    }
    Check(keptBases.size() == std::min(keep, keptBases.size() + removedBases.size()));
    for (const std::string& base : removedBases)
        Check(keptBases.empty() || (!keptBases.contains(base) && base < *keptBases.begin()));

    const CrashAnnouncement announcement = AnnounceCrash(names);
    for (const std::string& mark : announcement.marks) {
        const auto file = ParseCrashFileName(mark);
        Check(file && file->kind == CrashFileKind::NewMark);
    }
    if (announcement.dump) {
        const auto file = ParseCrashFileName(*announcement.dump);
        Check(file && file->kind == CrashFileKind::Dump);
        Check(std::find(names.begin(), names.end(), *announcement.dump) != names.end());
        Check(std::find(announcement.marks.begin(), announcement.marks.end(), file->base + ".new") !=
              announcement.marks.end());
    }
    return 0;
}
