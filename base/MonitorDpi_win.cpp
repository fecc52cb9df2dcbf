#include "base/MonitorDpi_win.h"

#include "base/Handles_win.h"

namespace {

MonitorAtSource g_monitorAt = nullptr;
MonitorDpiSource g_monitorDpi = nullptr;

// GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI = 0, &x, &y).
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// Looked up at run time so that systems without shcore.dll still start; kept for the process.
GetDpiForMonitorFn DpiFunction() {
    static handles::Module shcore(::LoadLibraryW(L"shcore.dll"));
    static const auto function =
        shcore.get() ? reinterpret_cast<GetDpiForMonitorFn>(
                     reinterpret_cast<void (*)()>(::GetProcAddress(shcore.get(), "GetDpiForMonitor")))
               : nullptr;
    return function;
}

}  // namespace

void SetMonitorDpiForTest(MonitorAtSource monitorAt, MonitorDpiSource monitorDpi) {
    g_monitorAt = monitorAt;
    g_monitorDpi = monitorDpi;
}

HMONITOR MonitorAt(Point p) {
    if (g_monitorAt) return g_monitorAt(p);
    return ::MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
}

uint32_t MonitorDpi(HMONITOR monitor) {
    if (g_monitorDpi) return g_monitorDpi(monitor);
    const GetDpiForMonitorFn function = DpiFunction();
    UINT x = 0, y = 0;
    if (!function || !monitor || FAILED(function(monitor, 0, &x, &y))) return 0;
    return y;
}
