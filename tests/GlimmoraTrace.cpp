// Glimmora with a trace of every mouse event the settings window dispatches: one line
// "<code> <data>" per event, appended to the file named by GLIMMORA_TRACE_FILE; and the
// moments its settings window stands fully painted ("painted") and its overlays, hooks and
// tray stand ("loaded"), one line "<event> <ms since process creation> <ms since entry>"
// each, appended to the file named by GLIMMORA_OPEN_TIME_FILE (bench/OpenTimeNote_win.h,
// which the bare window of the benchmarks shares); and every 10 s the handle layer's
// live counts "<seconds> <gdi> <dcs> <windows> <timers> <hooks>", appended to the file named
// by GLIMMORA_LIVE_COUNTS_FILE; GLIMMORA_TICK_MS sets the tracking tick's interval;
// GLIMMORA_OWN_INTEGRITY sets the integrity level it takes for its own (and its windows'),
// since every process under Wine runs as administrator; GLIMMORA_EXIT_DELAY_MS keeps the
// process (and its single-instance mutex) that long after its windows are gone, as a slow
// system may. Only the end-to-end tests and the benchmarks use it; the shipped program has no trace.
#include "app/Program_win.h"
#include "bench/OpenTimeNote_win.h"
#include "ui/frmSet_win.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

FILE* g_traceFile = nullptr;
LARGE_INTEGER g_start{};
wchar_t g_liveCountsPath[MAX_PATH] = {};

// Appends one formatted line to the file the variable names, if it names one.
template <typename... Values>
void AppendTo(const wchar_t* path, const char* format, Values... values) {
    if (FILE* file = *path ? ::_wfopen(path, L"a") : nullptr) {
        std::fprintf(file, format, values...);
        std::fclose(file);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ::QueryPerformanceCounter(&g_start);
    SetSettingsWindowShownTrace([] { NoteOpenTime("painted", g_start); });
    SetProgramLoadedTrace([] { NoteOpenTime("loaded", g_start); });
    wchar_t value[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"GLIMMORA_TICK_MS", value, MAX_PATH) > 0)
        TheProgram().SetMainIntervalForTest(static_cast<UINT>(std::wcstoul(value, nullptr, 10)));
    if (::GetEnvironmentVariableW(L"GLIMMORA_OWN_INTEGRITY", value, MAX_PATH) > 0) {
        const auto own = static_cast<uint32_t>(std::wcstoul(value, nullptr, 0));
        Elevation elevation = SystemElevation();
        elevation.ownLevel = [own] { return own; };
        elevation.windowLevel = [own, system = elevation.windowLevel](HWND window) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            return process == ::GetCurrentProcessId() ? own : system(window);
        };
        TheProgram().SetElevationForTest(std::move(elevation));
    }
    if (::GetEnvironmentVariableW(L"GLIMMORA_TRACE_FILE", value, MAX_PATH) > 0 && (g_traceFile = ::_wfopen(value, L"a")))
        SetMouseEventTrace([](int32_t code, int32_t data) {
            std::fprintf(g_traceFile, "%d %d\n", static_cast<int>(code), static_cast<int>(data));
            std::fflush(g_traceFile);
        });
    // A thread timer: the program's message loop runs it between its own messages.
    const UINT_PTR liveCounts =
        ::GetEnvironmentVariableW(L"GLIMMORA_LIVE_COUNTS_FILE", g_liveCountsPath, MAX_PATH) > 0
            ? ::SetTimer(nullptr, 0, 10000,
                         [](HWND, UINT, UINT_PTR, DWORD) {
                             const handles::LiveCounts& live = handles::Live();
                             AppendTo(g_liveCountsPath, "%.0f %ld %ld %ld %ld %ld\n", MsSince(g_start) / 1000.0, live.gdiObjects,
                                      live.dcs, live.windows, live.timers, live.hooks);
                         })
            : 0;
    const int code = StartProgram();
    if (::GetEnvironmentVariableW(L"GLIMMORA_EXIT_DELAY_MS", value, MAX_PATH) > 0)
        ::Sleep(static_cast<DWORD>(std::wcstoul(value, nullptr, 10)));
    if (liveCounts) ::KillTimer(nullptr, liveCounts);
    if (g_traceFile) std::fclose(g_traceFile);
    return code;
}
