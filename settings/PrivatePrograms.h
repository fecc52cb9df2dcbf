// Programs whose typed keys are never listed: the system's credential prompt and the common
// password managers by default, and whatever the user adds. Kept in a section of its own,
// one line per program: "name=1" hides its keys, "name=0" keeps a default entry the user
// switched off. Only what differs from the defaults is written.
#pragma once

#include "settings/SettingsSection.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kPrivateProgramsSection = "PrivatePrograms";

class PrivatePrograms {
public:
    PrivatePrograms();

    // The section's key lines as SectionEntriesOf gives them; other entries are dropped.
    void Load(const std::vector<std::pair<std::string, std::string>>& lines);
    // Whether keys typed into the program of that file name (a path's last part counts) are hidden.
    bool Hides(std::string_view program) const;
    // The programs that hide, defaults first, in the order they were added.
    std::vector<std::string> Listed() const;
    // The file name of program, trimmed; false for a name no program file can have.
    bool Add(std::string_view program);
    void Remove(std::string_view program);
    // What the section holds after a save: the entries that differ from the defaults.
    std::vector<IniEntry> Entries() const;

    bool operator==(const PrivatePrograms&) const = default;

private:
    struct Entry {
        std::string name;
        bool hides;
        bool byDefault;
        bool operator==(const Entry&) const = default;
    };
    Entry* Find(std::string_view name);
    const Entry* Find(std::string_view name) const;
    std::vector<Entry> entries_;
};

// The last part of a path ("C:\\Tools\\KeePass.exe" gives "KeePass.exe"), blanks trimmed;
// empty when that is no name a program file can have.
std::string ProgramFileName(std::string_view path);
