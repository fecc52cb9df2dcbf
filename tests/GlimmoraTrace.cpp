// Glimmora with a trace of every mouse event the settings window dispatches: one line
// "<code> <data>" per event, appended to the file named by GLIMMORA_TRACE_FILE; and the
// milliseconds from the program's start to its settings window standing fully painted,
// appended to the file named by GLIMMORA_OPEN_TIME_FILE. Only the end-to-end tests and
// the benchmarks use it; the shipped program has no trace.
#include "app/modMain_win.h"
#include "ui/frmSet_win.h"

#include <windows.h>

#include <cstdio>

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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ::QueryPerformanceCounter(&g_start);
    SetSettingsWindowShownTrace(&WriteOpenTime);
    wchar_t path[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"GLIMMORA_TRACE_FILE", path, MAX_PATH) > 0) {
        g_traceFile = ::_wfopen(path, L"a");
        SetMouseEventTrace(&WriteTrace);
    }
    const int code = StartProgram();
    if (g_traceFile) std::fclose(g_traceFile);
    return code;
}
