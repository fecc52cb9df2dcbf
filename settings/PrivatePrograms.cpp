#include "settings/PrivatePrograms.h"

#include "settings/IniLines.h"

#include <array>

namespace {

// The system's credential prompt first, then password managers widely used on Windows.
constexpr std::array<std::string_view, 10> kDefaults{
    "CredentialUIBroker.exe", "consent.exe",    "KeePass.exe",   "KeePassXC.exe", "1Password.exe",
    "Bitwarden.exe",          "Dashlane.exe",   "Enpass.exe",    "RoboForm.exe",  "NordPass.exe"};

constexpr std::size_t kLongestName = 260;

}  // namespace

std::string ProgramFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    path = ini::Trimmed(path);
    if (path.empty() || path.size() > kLongestName) return {};
    // Nothing a file name cannot hold, and nothing that would break its line in the file.
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"|?*=[];").find(c) != std::string_view::npos)
            return {};
    if (path == "." || path == "..") return {};
    return std::string(path);
}

PrivatePrograms::PrivatePrograms() {
    for (const std::string_view name : kDefaults) entries_.push_back({std::string(name), true, true});
}

PrivatePrograms::Entry* PrivatePrograms::Find(std::string_view name) {
    for (Entry& e : entries_)
        if (ini::SameName(e.name, name)) return &e;
    return nullptr;
}

const PrivatePrograms::Entry* PrivatePrograms::Find(std::string_view name) const {
    return const_cast<PrivatePrograms*>(this)->Find(name);
}

void PrivatePrograms::Load(const std::vector<std::pair<std::string, std::string>>& lines) {
    *this = PrivatePrograms();
    for (const auto& [key, value] : lines) {
        const std::string name = ProgramFileName(key);
        if (name.empty()) continue;
        const bool hides = ParseProfileInt(value, 0) != 0;
        if (Entry* e = Find(name)) {
            e->hides = hides;
        } else if (hides) {
            entries_.push_back({name, true, false});
        }
    }
}

bool PrivatePrograms::Hides(std::string_view program) const {
    const std::string name = ProgramFileName(program);
    const Entry* e = name.empty() ? nullptr : Find(name);
    return e && e->hides;
}

std::vector<std::string> PrivatePrograms::Listed() const {
    std::vector<std::string> names;
    for (const Entry& e : entries_)
        if (e.hides) names.push_back(e.name);
    return names;
}

bool PrivatePrograms::Add(std::string_view program) {
    const std::string name = ProgramFileName(program);
    if (name.empty()) return false;
    if (Entry* e = Find(name)) {
        e->hides = true;
    } else {
        entries_.push_back({name, true, false});
    }
    return true;
}

void PrivatePrograms::Remove(std::string_view program) {
    const std::string name = ProgramFileName(program);
    for (auto e = entries_.begin(); e != entries_.end(); ++e) {
        if (!ini::SameName(e->name, name)) continue;
        if (e->byDefault) {
            e->hides = false;
        } else {
            entries_.erase(e);
        }
        return;
    }
}

std::vector<IniEntry> PrivatePrograms::Entries() const {
    std::vector<IniEntry> written;
    for (const Entry& e : entries_)
        if (e.hides != e.byDefault) written.push_back({e.name, e.hides ? "1" : "0"});
    return written;
}
