// The settings record and where it comes from: the file chosen once per start, the command
// line read once with it and holding over every later read, and the save at exit. Everything else reads the record
// from here; only ApplySetting writes it between loads.
#pragma once

#include "app/CommandLine.h"
#include "overlays/HaloGeometry.h"
#include "settings/Presets.h"
#include "settings/PrivatePrograms.h"
#include "settings/SettingsRecord.h"
#include "ui/SettingsHost_win.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// How far from the pointer the mouse image and the keyboard display sit, as the command line
// scales it (1 by default).
struct PointerOffsets {
    double PictureOffsetFactor = 1.0;
    double KeyboardOffsetFactor = 1.0;
};

class SettingsStore {
public:
    SettingsRecord& Record() { return record_; }
    const SettingsRecord& Record() const { return record_; }
    // Read with the record, written with it.
    PrivatePrograms& Private() { return privatePrograms_; }
    const PrivatePrograms& Private() const { return privatePrograms_; }
    Presets& PresetList() { return presets_; }
    const Presets& PresetList() const { return presets_; }

    // Once per start, with the command line: taking over an older file rewrites where the
    // settings live, so a second choice would read the freshly written one-key file instead.
    void Choose(int32_t systemLanguage);
    // Reads the record again from the file chosen at start (the reset); the private programs
    // and the presets stay.
    void Reload(int32_t systemLanguage);
    // A write-protected or locked file keeps what it had; nothing to tell the user at exit.
    void Save() const;
    // Asks, empties the file, runs reload and then save.
    void ResetToDefaults(HWND owner, const std::function<void()>& reload, const std::function<void()>& save) const;

    // The command line's values; none of them is saved.
    const PointerOffsets& Offsets() const { return offsets_; }
    int32_t HaloHolePercent() const { return commandLine_.haloHolePercent.value_or(kHaloHolePercentDefault); }
    bool PauseAsked() const { return commandLine_.pause; }
    // The settings window's state 777 ms after start: as saved, or minimised by the command
    // line's pause, which never reaches the saved record.
    SettingsWindowState StartupWindowState() const;

    // Tests run the start against their own settings file and command line (the arguments
    // after the program's path).
    void SetPathForTest(std::string path) { pathOverride_ = std::move(path); }
    void SetCommandLineForTest(std::optional<std::wstring> arguments) { commandLineOverride_ = std::move(arguments); }

private:
    // The sections beyond "Settings", from the copy of the file a start reads.
    void ReadSections();

    SettingsRecord record_;
    PrivatePrograms privatePrograms_;
    Presets presets_;
    int32_t systemLanguage_ = 0;
    std::string path_;
    std::string pathOverride_;
    std::optional<std::wstring> commandLineOverride_;
    CommandLineValues commandLine_;
    PointerOffsets offsets_;  // the command line's factors, 1 where it has none
};
