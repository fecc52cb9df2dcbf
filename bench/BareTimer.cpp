// The CPU baseline for bench/cpu_ratio.sh: the least a pointer-following program can do,
// one hidden window whose 15 ms timer reads the pointer. Glimmora's idle cost is reported
// as a multiple of this program's cost on the same display.
//
//   BareTimer.exe [seconds]     runs until closed, or for that many seconds
#include <windows.h>

#include <cwchar>

namespace {

POINT g_last{};
long g_moves = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == 1) {
            POINT p;
            GetCursorPos(&p);
            // Keep the read observable so the compiler cannot drop it.
            if (p.x != g_last.x || p.y != g_last.y) ++g_moves;
            g_last = p;
        } else {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(static_cast<int>(g_moves & 0x7f));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"GlimmoraBareTimer";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"BareTimer", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, 15, nullptr);
    const int seconds = _wtoi(commandLine);
    if (seconds > 0) SetTimer(window, 2, static_cast<UINT>(seconds) * 1000u, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
