#include "app/CrashReport_win.h"

#include "Version.h"
#include "app/CrashReport.h"
#include "base/Folders_win.h"
#include "base/Handles_win.h"
#include "base/LateFunction_win.h"
#include "settings/SettingsLocation.h"
#include "base/Text_win.h"

#include <windows.h>

#include <dbghelp.h>
#include <shlobj.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// Kept in a fixed buffer: the handler should need as little as possible from a process
// that has just failed.
wchar_t g_folder[1024] = {};

void SetFolder(const std::string& folder) {
    const std::wstring wide = Widen(folder);
    std::wcsncpy(g_folder, wide.c_str(), std::size(g_folder) - 1);
    g_folder[std::size(g_folder) - 1] = L'\0';
}

std::wstring InFolder(const std::string& name) { return std::wstring(g_folder) + L'\\' + Widen(name); }

std::vector<std::string> FolderListing() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const handles::FileSearch search(::FindFirstFileW((std::wstring(g_folder) + L"\\crash-*").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Narrow(found.cFileName));
    } while (::FindNextFileW(search.get(), &found));
    return names;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    handles::File file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

using MiniDumpWriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                                PMINIDUMP_EXCEPTION_INFORMATION,
                                                PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

// Loaded only now: a program that never crashes never maps the library.
bool WriteDump(const std::wstring& path, EXCEPTION_POINTERS* exception) {
    const HMODULE dbghelp = ::LoadLibraryW(L"dbghelp.dll");
    if (!dbghelp) return false;
    const auto write = reinterpret_cast<MiniDumpWriteDumpFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(dbghelp, "MiniDumpWriteDump")));
    handles::File file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!write || !file) return false;
    MINIDUMP_EXCEPTION_INFORMATION where{::GetCurrentThreadId(), exception, FALSE};
    return write(::GetCurrentProcess(), ::GetCurrentProcessId(), file.get(), MiniDumpNormal, &where, nullptr,
                 nullptr);
}

CrashFacts FactsOf(const EXCEPTION_RECORD& record, const SYSTEMTIME& now) {
    CrashFacts facts;
    facts.time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    facts.version = GLIMMORA_VERSION_TEXT;
    facts.code = record.ExceptionCode;
    facts.threadId = ::GetCurrentThreadId();
    const auto address = reinterpret_cast<uintptr_t>(record.ExceptionAddress);
    facts.offset = address;
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             static_cast<LPCWSTR>(record.ExceptionAddress), &module) &&
        ::GetModuleFileNameW(module, path, MAX_PATH) > 0) {
        const wchar_t* slash = std::wcsrchr(path, L'\\');
        facts.module = Narrow(slash ? slash + 1 : path);
        facts.offset = address - reinterpret_cast<uintptr_t>(module);
    }
    return facts;
}

LONG WINAPI WriteCrashReport(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    // A second failure, while the first is written or on another thread, only ends the process.
    static LONG entered = 0;
    if (::InterlockedExchange(&entered, 1) != 0) ::TerminateProcess(::GetCurrentProcess(), code);

    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const CrashFacts facts = FactsOf(*exception->ExceptionRecord, now);
    static const LateFunction<decltype(::SHCreateDirectoryExW)> createFolder(L"shell32.dll", "SHCreateDirectoryExW");
    createFolder.Call(ERROR_PROC_NOT_FOUND, nullptr, g_folder, nullptr);
    const std::string base = CrashReportBase(facts.time);
    // The dump first: it is the report; the rest only helps to find and read it.
    if (WriteDump(InFolder(base + ".dmp"), exception)) {
        WriteFileBytes(InFolder(base + ".txt"), CrashContextLine(facts));
        WriteFileBytes(InFolder(base + ".new"), {});
        for (const std::string& name : CrashFilesToRemove(FolderListing(), kCrashReportsKept))
            ::DeleteFileW(InFolder(name).c_str());
    }
    // Ended here, not left to the system: no error dialog may hold the process, and its
    // hooks, while nobody answers it.
    ::TerminateProcess(::GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashReport() {
    const SettingsFilePaths paths = MakeSettingsFilePaths(Narrow(ProgramFolder()), Narrow(SpecialFolder(CSIDL_APPDATA)));
    SetFolder(CrashFolderBeside(paths.userFile));
    ::SetUnhandledExceptionFilter(&WriteCrashReport);
    // Windows would otherwise swallow a fault in a timer message, where the tracking runs,
    // and carry on in whatever state it left. Systems before the flag ignore the call.
    BOOL suppress = FALSE;
    ::SetUserObjectInformationW(::GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppress,
                                sizeof suppress);
}

void SetCrashReportFolder(const std::string& settingsFile) { SetFolder(CrashFolderBeside(settingsFile)); }

std::wstring TakeCrashAnnouncement() {
    const CrashAnnouncement announcement = AnnounceCrash(FolderListing());
    for (const std::string& mark : announcement.marks) ::DeleteFileW(InFolder(mark).c_str());
    return announcement.dump ? InFolder(*announcement.dump) : std::wstring();
}
