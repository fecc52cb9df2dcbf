#include "app/CrashReport.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

namespace {

constexpr std::string_view kPrefix = "crash-";
// The stamp's shape: digits where '9' stands, the dashes as they are.
constexpr std::string_view kStampShape = "99999999-999999-999";

struct Extension {
    std::string_view text;
    CrashFileKind kind;
};
constexpr Extension kExtensions[] = {
    {".dmp", CrashFileKind::Dump}, {".txt", CrashFileKind::Context}, {".new", CrashFileKind::NewMark}};

bool MatchesStamp(std::string_view stamp) {
    if (stamp.size() != kStampShape.size()) return false;
    for (size_t i = 0; i < stamp.size(); ++i) {
        const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
        if (kStampShape[i] == '9' ? !digit : stamp[i] != kStampShape[i]) return false;
    }
    return true;
}

}  // namespace

std::string CrashFolderBeside(std::string_view settingsFile) {
    const size_t slash = settingsFile.find_last_of("\\/");
    const std::string_view folder = slash == std::string_view::npos ? std::string_view{} : settingsFile.substr(0, slash + 1);
    return std::string(folder) + std::string(kCrashFolderName);
}

std::string CrashReportBase(const CrashTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "crash-%04d%02d%02d-%02d%02d%02d-%03d", static_cast<int>(t.year),
                  static_cast<int>(t.month), static_cast<int>(t.day), static_cast<int>(t.hour),
                  static_cast<int>(t.minute), static_cast<int>(t.second), static_cast<int>(t.millisecond));
    return text;
}

std::optional<CrashFileName> ParseCrashFileName(std::string_view name) {
    if (name.size() != kPrefix.size() + kStampShape.size() + 4 || !name.starts_with(kPrefix)) return std::nullopt;
    if (!MatchesStamp(name.substr(kPrefix.size(), kStampShape.size()))) return std::nullopt;
    const std::string_view extension = name.substr(name.size() - 4);
    for (const Extension& e : kExtensions)
        if (extension == e.text) return CrashFileName{std::string(name.substr(0, name.size() - 4)), e.kind};
    return std::nullopt;
}

std::vector<std::string> CrashFilesToRemove(const std::vector<std::string>& names, size_t keep) {
    std::set<std::string, std::greater<>> bases;
    for (const std::string& name : names)
        if (const auto file = ParseCrashFileName(name)) bases.insert(file->base);
    if (bases.size() <= keep) return {};
    const std::string& newestRemoved = *std::next(bases.begin(), static_cast<std::ptrdiff_t>(keep));
    std::vector<std::string> remove;
    for (const std::string& name : names)
        if (const auto file = ParseCrashFileName(name); file && file->base <= newestRemoved) remove.push_back(name);
    return remove;
}

CrashAnnouncement AnnounceCrash(const std::vector<std::string>& names) {
    std::set<std::string> dumps, marked;
    CrashAnnouncement announcement;
    for (const std::string& name : names) {
        const auto file = ParseCrashFileName(name);
        if (!file) continue;
        if (file->kind == CrashFileKind::Dump) dumps.insert(file->base);
        if (file->kind == CrashFileKind::NewMark) {
            marked.insert(file->base);
            announcement.marks.push_back(name);
        }
    }
    for (auto base = marked.rbegin(); base != marked.rend(); ++base) {
        if (dumps.contains(*base)) {
            announcement.dump = *base + ".dmp";
            break;
        }
    }
    return announcement;
}

std::string CrashContextLine(const CrashFacts& f) {
    std::string module = f.module;
    for (char& c : module)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F') c = '?';
    const CrashTime& t = f.time;
    char head[96];
    std::snprintf(head, sizeof head, "%04d-%02d-%02d %02d:%02d:%02d.%03d Glimmora ", static_cast<int>(t.year),
                  static_cast<int>(t.month), static_cast<int>(t.day), static_cast<int>(t.hour),
                  static_cast<int>(t.minute), static_cast<int>(t.second), static_cast<int>(t.millisecond));
    char tail[96];
    std::snprintf(tail, sizeof tail, "0x%llX, thread %lu\r\n", static_cast<unsigned long long>(f.offset),
                  static_cast<unsigned long>(f.threadId));
    char code[32];
    std::snprintf(code, sizeof code, ": exception 0x%08lX at ", static_cast<unsigned long>(f.code));
    std::string line = head + f.version + code;
    if (!module.empty()) line += module + "+";
    return line + tail;
}
