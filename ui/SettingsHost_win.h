// What the settings window and the dialogs may ask of the program that runs them: the record
// to show, one way to change a value, and the few commands of the menu and the tray. The
// program implements it; no window here knows the program by type.
#pragma once

#include "base/Geometry.h"
#include "settings/Presets.h"
#include "settings/PrivatePrograms.h"
#include "settings/SettingsRecord.h"

#include <windows.h>

#include <optional>
#include <string>

// The settings window's state as the settings file keeps it.
struct SettingsWindowState {
    int32_t state = 0;  // 0 normal, 1 minimised, 2 maximised
    bool visible = true;
};

class SettingsHost {
public:
    virtual const SettingsRecord& Settings() const = 0;
    // Stores the value and has the overlay it drives take it.
    virtual void ApplySetting(SettingKey key, double value) = 0;
    // The programs whose typed keys are never listed; a new list acts at once and is saved.
    virtual const PrivatePrograms& Private() const = 0;
    virtual void SetPrivatePrograms(const PrivatePrograms& programs) = 0;
    // The file name of the program that last had the foreground before ours; empty when none.
    virtual std::string LastForeignProgram() const = 0;
    // The named sets of settings; switching to one changes what it holds, as the controls
    // would; saving keeps the current settings under a name (false for a name refused).
    virtual const Presets& PresetList() const = 0;
    virtual void SwitchToPreset(std::size_t index) = 0;
    virtual bool SaveAsPreset(const std::string& name) = 0;

    virtual bool Paused() const = 0;
    // The menu's pause entry (held off for half a second after the last toggle).
    virtual void TogglePause() = 0;
    // The play and pause options of the settings window.
    virtual void SetPaused(bool paused) = 0;
    virtual void StartBlink() = 0;
    // Asks (owned by owner), empties the file, applies and saves.
    virtual void ResetToDefaults(HWND owner) = 0;
    // Ends the program: everything saved and closed, in order.
    virtual void Exit() = 0;
    // "Restart as administrator", offered once a window of an elevated program was seen: saves,
    // starts an elevated copy and ends this one; when the user refuses, nothing changes.
    virtual bool OfferRestartElevated() const = 0;
    virtual void RestartElevated() = 0;

    // The area the mouse image and the keyboard display keep inside: a frame the user drew,
    // or the whole desktop (nothing).
    virtual void SetBoundary(std::optional<Rect> custom) = 0;

protected:
    ~SettingsHost() = default;
};
