// The floors of the benchmarks under Wine: the least a program can cost, run on the same
// display in the same run as Glimmora.
//
//   BareTimer.exe [seconds]            one hidden window whose 15 ms timer reads the pointer: the
//                                      least a pointer-following program can do (bench/cpu_ratio.py)
//   BareTimer.exe --window [seconds]   one visible window that paints itself, and no timer: the
//                                      least any window costs at rest and to open (bench/rest_cost.py,
//                                      bench/open_time.py); it notes its first paint as "painted"
//                                      (bench/OpenTimeNote_win.h), as GlimmoraTrace.exe does.
//   BareThemedWindow.exe --window      the bare window with Glimmora's manifest, importing the
//                                      themed controls library as Glimmora does (bench/open_time.py)
//
// Both run until closed, or for that many seconds.
#include "OpenTimeNote_win.h"

#include <windows.h>
#ifdef BARE_THEMED
#include <commctrl.h>
#endif

#include <cwchar>

namespace {

constexpr UINT_PTR kReadTimer = 1;
constexpr UINT_PTR kEndTimer = 2;

POINT g_last{};
long g_moves = 0;
LARGE_INTEGER g_entry{};
bool g_painted = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kReadTimer) {
            POINT p;
            GetCursorPos(&p);
            // Keep the read observable so the compiler cannot drop it.
            if (p.x != g_last.x || p.y != g_last.y) ++g_moves;
            g_last = p;
        } else {
            DestroyWindow(window);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        EndPaint(window, &ps);
        if (!g_painted) {
            g_painted = true;
            NoteOpenTime("painted", g_entry);
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(static_cast<int>(g_moves & 0x7f));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    ::QueryPerformanceCounter(&g_entry);
#ifdef BARE_THEMED
    // Imported as Glimmora imports it, so the library starts before the entry in both.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
#endif
    const bool bareWindow = std::wcsncmp(commandLine, L"--window", 8) == 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"GlimmoraBareTimer";
    RegisterClassExW(&wc);
    HWND window = bareWindow ? CreateWindowExW(0, wc.lpszClassName, L"BareWindow", WS_OVERLAPPEDWINDOW, 100, 100,
                                               600, 400, nullptr, nullptr, instance, nullptr)
                             : CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"BareTimer", WS_POPUP, 0, 0, 1, 1,
                                               nullptr, nullptr, instance, nullptr);
    if (bareWindow) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    } else {
        SetTimer(window, kReadTimer, 15, nullptr);
    }
    const int seconds = _wtoi(bareWindow ? commandLine + 8 : commandLine);
    if (seconds > 0) SetTimer(window, kEndTimer, static_cast<UINT>(seconds) * 1000u, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
