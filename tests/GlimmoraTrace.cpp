// Glimmora with a trace of every mouse event the settings window dispatches: one line
// "<code> <data>" per event, appended to the file named by GLIMMORA_TRACE_FILE; and the
// milliseconds from the program's start to its settings window standing fully painted,
// appended to the file named by GLIMMORA_OPEN_TIME_FILE; and every 10 s the handle layer's
// live counts "<seconds> <gdi> <dcs> <windows> <timers> <hooks>", appended to the file named
// by GLIMMORA_LIVE_COUNTS_FILE; GLIMMORA_TICK_MS sets the tracking tick's interval. Only
// the end-to-end tests and the benchmarks use it; the shipped program has no trace.
#include "app/Program_win.h"
#include "ui/frmSet_win.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

FILE* g_traceFile = nullptr;
LARGE_INTEGER g_start{};

void WriteOpenTime() {
    wchar_t path[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"GLIMMORA_OPEN_TIME_FILE", path, MAX_PATH) == 0) return;
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    if (FILE* file = ::_wfopen(path, L"a")) {
        std::fprintf(file, "%.1f\n", 1000.0 * static_cast<double>(now.QuadPart - g_start.QuadPart) /
                                         static_cast<double>(frequency.QuadPart));
        std::fclose(file);
    }
}

void WriteTrace(int32_t code, int32_t data) {
    if (!g_traceFile) return;
    std::fprintf(g_traceFile, "%d %d\n", static_cast<int>(code), static_cast<int>(data));
    std::fflush(g_traceFile);
}

wchar_t g_liveCountsPath[MAX_PATH] = {};

void CALLBACK WriteLiveCounts(HWND, UINT, UINT_PTR, DWORD) {
    const handles::LiveCounts& live = handles::Live();
    if (FILE* file = ::_wfopen(g_liveCountsPath, L"a")) {
        LARGE_INTEGER now{}, frequency{};
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        std::fprintf(file, "%.0f %ld %ld %ld %ld %ld\n",
                     static_cast<double>(now.QuadPart - g_start.QuadPart) / static_cast<double>(frequency.QuadPart),
                     live.gdiObjects, live.dcs, live.windows, live.timers, live.hooks);
        std::fclose(file);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ::QueryPerformanceCounter(&g_start);
    SetSettingsWindowShownTrace(&WriteOpenTime);
    wchar_t tick[16] = {};
    if (::GetEnvironmentVariableW(L"GLIMMORA_TICK_MS", tick, 16) > 0)
        TheProgram().SetMainIntervalForTest(static_cast<UINT>(std::wcstoul(tick, nullptr, 10)));
    wchar_t path[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"GLIMMORA_TRACE_FILE", path, MAX_PATH) > 0) {
        g_traceFile = ::_wfopen(path, L"a");
        SetMouseEventTrace(&WriteTrace);
    }
    // A thread timer: the program's message loop runs it between its own messages.
    const UINT_PTR liveCounts =
        ::GetEnvironmentVariableW(L"GLIMMORA_LIVE_COUNTS_FILE", g_liveCountsPath, MAX_PATH) > 0
            ? ::SetTimer(nullptr, 0, 10000, &WriteLiveCounts)
            : 0;
    const int code = StartProgram();
    if (liveCounts) ::KillTimer(nullptr, liveCounts);
    if (g_traceFile) std::fclose(g_traceFile);
    return code;
}
