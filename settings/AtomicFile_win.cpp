#include "settings/AtomicFile_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "base/Handles_win.h"

namespace {

ReplaceStepHook g_stepHook = nullptr;
ReplaceCall g_replace = ::ReplaceFileW;

enum class Next { Go, Stop, Fail };

Next After(const char* step) {
    const ReplaceFault fault = g_stepHook ? g_stepHook(step) : ReplaceFault::None;
    if (fault == ReplaceFault::DiskFull) ::SetLastError(ERROR_DISK_FULL);
    return fault == ReplaceFault::Die ? Next::Stop : fault == ReplaceFault::DiskFull ? Next::Fail : Next::Go;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = DWORD(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool Flush(const std::wstring& path) {
    const handles::File file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ::FlushFileBuffers(file.get());
}

bool Move(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool PutInPlace(const std::wstring& temp, const std::wstring& target) {
    const std::wstring backup = BackupPathOf(target);
    if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND)
        return Move(temp, target);
    if (g_replace(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return true;
    // A file system that cannot replace: the backup as a copy, then one rename. Where the
    // old file had already gone to the backup's name and the rename fails, it comes back.
    ::CopyFileW(target.c_str(), backup.c_str(), FALSE);
    if (Move(temp, target)) return true;
    if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) Move(backup, target);
    return false;
}

bool WriteTemp(const std::wstring& temp, std::string_view bytes) {
    const handles::File file(
        ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), bytes);
}

}  // namespace

void SetReplaceStepHook(ReplaceStepHook hook) { g_stepHook = hook; }
void SetReplaceCall(ReplaceCall call) { g_replace = call ? call : ::ReplaceFileW; }

std::wstring BackupPathOf(const std::wstring& path) { return path + L".bak"; }
std::wstring TempPathOf(const std::wstring& path) { return path + L".tmp"; }

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    const handles::File file(::CreateFileW(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    return ReadWholeFile(file.get());
}

std::optional<std::string> ReadWholeFile(HANDLE file) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || uint64_t(size.QuadPart) >= MAXDWORD) return std::nullopt;
    try {
        std::string bytes(size_t(size.QuadPart), '\0');
        DWORD read = 0;
        if (!bytes.empty() && !::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr)) return std::nullopt;
        bytes.resize(read);
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool ReplaceFileWith(const std::wstring& target, std::string_view bytes,
                     const std::function<bool(const std::wstring& temp)>& edit) {
    const std::wstring temp = TempPathOf(target);
    struct Step {
        const char* name;
        std::function<bool()> run;
    };
    std::vector<Step> steps = {{"temp written", [&] { return WriteTemp(temp, bytes); }}};
    if (edit) steps.push_back({"temp edited", [&] { return edit(temp); }});
    steps.push_back({"temp flushed", [&] { return Flush(temp); }});
    steps.push_back({"replaced", [&] { return PutInPlace(temp, target); }});
    for (const Step& step : steps) {
        const Next next = step.run() ? After(step.name) : Next::Fail;
        if (next == Next::Stop) return false;  // as if the process had died: nothing is tidied
        if (next == Next::Fail) {
            const DWORD error = ::GetLastError();
            ::DeleteFileW(temp.c_str());
            ::SetLastError(error);
            return false;
        }
    }
    return true;
}
