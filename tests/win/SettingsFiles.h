// What the settings file tests share: a user's record, the lines a save gives, a lock held
// by another program, the profile API's own reading, and a fault in a step of a save.
#pragma once

#include <windows.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AtomicFile_win.h"
#include "base/Handles_win.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsSection.h"
#include "settings/SettingsRecord.h"
#include "base/Text_win.h"

// Holds a file open without sharing, as another program locking it would.
class FileLock {
public:
    explicit FileLock(const std::string& path)
        : file_(::CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    bool Held() const { return static_cast<bool>(file_); }

private:
    handles::File file_;
};

// The profile API's own integer reading, key by key: the reference the fast reader must match.
class IntApiSource final : public IniSource {
public:
    explicit IntApiSource(const std::string& path) : path_(Widen(path)) {}
    std::optional<std::string> Read(std::string_view key) override {
        const std::wstring name = Widen(key);
        const int first = int(::GetPrivateProfileIntW(L"Settings", name.c_str(), INT_MIN + 1, path_.c_str()));
        const int second = int(::GetPrivateProfileIntW(L"Settings", name.c_str(), INT_MIN + 2, path_.c_str()));
        if (first == INT_MIN + 1 && second == INT_MIN + 2) return std::nullopt;
        return std::to_string(first);
    }

private:
    std::wstring path_;
};

// A record with a value off the default on most keys, as a user's might be: each as its
// holder can hold it.
inline SettingsRecord UsersRecord() {
    SettingsRecord record(2);
    for (size_t i = 0; i < kSettingCount; ++i) {
        const auto key = SettingKey(i);
        const SettingRow& row = SettingRowOf(key);
        record.Set(key, row.save == SettingSave::ZeroOrOne ? (i % 2 == 0) : double(i * 37) - 1000);
    }
    record.Set(SettingKey::Taskbar, 0);
    record.Set(SettingKey::WindowVisible, 0);
    record.Set(SettingKey::ButtonsFading, 2.5);
    record.Set(SettingKey::HotKeyBlinkKeyCode, -1);
    MakeSettingsValid(record, 2);
    return record;
}

// The lines the core's save gives for the record, in order; the keys it removes have none.
inline std::string SavedLines(const SettingsRecord& record, SettingKey except) {
    IniEntrySink sink;
    SaveSettings(record, sink);
    std::string lines;
    for (const IniEntry& entry : sink.Entries())
        if (entry.text && entry.key != SettingRowOf(except).name) lines += entry.key + "=" + *entry.text + "\r\n";
    return lines;
}

inline std::string Utf16(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) bytes += {c, '\0'};
    return bytes;
}

// The steps a save went through, and what a test makes of one of them.
inline std::vector<std::string> g_steps;
inline std::string g_faultStep;
inline ReplaceFault g_fault = ReplaceFault::None;
inline ReplaceFault RecordStep(const char* step) {
    g_steps.emplace_back(step);
    return step == g_faultStep ? g_fault : ReplaceFault::None;
}

// Sets the step hook for one save.
class StepFault {
public:
    StepFault(std::string step, ReplaceFault fault) {
        g_steps.clear();
        g_faultStep = std::move(step);
        g_fault = fault;
        SetReplaceStepHook(RecordStep);
    }
    ~StepFault() { SetReplaceStepHook(nullptr); }
    StepFault(const StepFault&) = delete;
    StepFault& operator=(const StepFault&) = delete;
};

inline SettingsRecord LoadedAtStart(const std::string& path) {
    SettingsRecord record;
    LoadSettingsAtStart(record, path, 0);
    return record;
}
