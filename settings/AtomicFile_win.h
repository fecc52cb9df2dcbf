// A file put in place whole: written beside its target under another name, flushed, and
// swapped in at once, so that a crash, a kill or a power cut at any moment leaves either
// the old file or the new one, never a mix or a run of zeroed sectors.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What a test makes of a step of a replacement: nothing, the process dying right after it
// (whatever is on disk stays), or the step failing as it would on a full disk.
enum class ReplaceFault { None, Die, DiskFull };
using ReplaceStepHook = ReplaceFault (*)(const char* step);
// The steps, in order: "temp written", "temp edited" (only with an edit), "temp flushed",
// "replaced". Null: no hook.
void SetReplaceStepHook(ReplaceStepHook hook);
// ReplaceFileW, or what a test stands in for it (a file system that cannot replace); null
// puts the real one back.
using ReplaceCall = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID);
void SetReplaceCall(ReplaceCall call);

// Where the replaced file is kept, and where the new one is written first.
std::wstring BackupPathOf(const std::wstring& path);
std::wstring TempPathOf(const std::wstring& path);

// The whole of a file that may be open elsewhere; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
std::optional<std::string> ReadWholeFile(HANDLE file);

// Writes bytes to the temporary file beside target, lets edit change that file by its path
// (when given), flushes it and puts it in place of target; the file it replaces becomes the
// backup. False when a step fails: the temporary file is gone and target is as it was.
bool ReplaceFileWith(const std::wstring& target, std::string_view bytes,
                     const std::function<bool(const std::wstring& temp)>& edit = nullptr);
