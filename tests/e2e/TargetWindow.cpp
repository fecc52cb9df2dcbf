// A plain window of one known colour under the overlays (the bare root of a composited Xvfb
// reads grey); it logs every press it receives ("down X Y", "rdown X Y" in screen pixels), so
// clicks through the overlays show, and its edit box's text ("text CONTENT") after each change.
// Clicks do not activate it. With --focus it makes itself active at start and hands the keyboard
// focus to the edit box whenever it is activated; --password makes that a password field.
//
//   TargetWindow.exe [--log FILE] [--color R,G,B] [--focus] [--password]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kEditId = 100;

std::wstring g_logPath;
COLORREF g_colour = RGB(0, 0, 255);
HBRUSH g_brush = nullptr;
bool g_focus = false;
bool g_password = false;
HWND g_edit = nullptr;

void AppendText(const char* line) {
    if (g_logPath.empty()) return;
    // Opened per line so that the test can read the file while the window runs.
    FILE* file = _wfopen(g_logPath.c_str(), L"ab");
    if (!file) return;
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
}

void AppendLine(const char* kind, LPARAM lParam, HWND window) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    char line[64];
    std::snprintf(line, sizeof line, "%s %ld %ld", kind, p.x, p.y);
    AppendText(line);
}

void LogEditText() {
    wchar_t text[256] = L"";
    GetWindowTextW(g_edit, text, 256);
    char utf8[1024];
    if (!WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr)) return;
    AppendText((std::string("text ") + utf8).c_str());
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        // Under Wine, activating a window raises its X window above every topmost window of
        // other processes, overlays included; a click must leave the stacking alone.
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        AppendLine("down", lParam, window);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        AppendLine("rdown", lParam, window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) LogEditText();
        return 0;
    case WM_SETFOCUS:
        if (!g_focus) return DefWindowProcW(window, message, wParam, lParam);
        // The window itself has no use for keys: they go on to the edit box.
        SetFocus(g_edit);
        return 0;
    case WM_ERASEBKGND: {
        RECT rect;
        GetClientRect(window, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, g_brush);
        return 1;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        const wchar_t* value = i + 1 < argc ? argv[i + 1] : L"";
        int v[3];
        if (option == L"--focus" || option == L"--password") {
            (option == L"--focus" ? g_focus : g_password) = true;
        } else if (option == L"--log" && *value) {
            g_logPath = argv[++i];
        } else if (option == L"--color" && swscanf(value, L"%d,%d,%d", &v[0], &v[1], &v[2]) == 3) {
            g_colour = RGB(v[0], v[1], v[2]);
            ++i;
        } else {
            std::fwprintf(stderr, L"TargetWindow: bad option or value %ls\n", option.c_str());
            return 2;
        }
    }
    g_brush = CreateSolidBrush(g_colour);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"GlimmoraE2ETarget";
    RegisterClassExW(&wc);

    // WS_SYSMENU lets SC_CLOSE through DefWindowProc, as with a user's Alt+F4.
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Glimmora e2e target", WS_POPUP | WS_SYSMENU, 0, 0, width,
                                  height, nullptr, nullptr, instance, nullptr);
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (g_password ? ES_PASSWORD : 0);
    g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", editStyle,
                             width / 2 - 100, height - 40, 200, 24, window, reinterpret_cast<HMENU>(kEditId),
                             instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    if (g_focus) SetForegroundWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(g_brush);
    LocalFree(argv);
    return 0;
}
