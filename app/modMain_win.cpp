#include "app/modMain_win.h"

#include "app/CrashReport_win.h"
#include "ui/DialogWindow_win.h"
#include "ui/frmSet_win.h"

namespace {

LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProcessValues& main = Main();
    if (message == main.MessageId && main.MessageId != 0) {
        frmSet& settings = SettingsWindow();
        settings.ShowThisForm();
        settings.ShowHelp();
        return 0;
    }
    return ::CallWindowProcW(main.OldMessageWindowProc, window, message, wParam, lParam);
}

void ReadTwipsPerPixel(ProcessValues& main) {
    handles::WindowDc screen(nullptr);
    const int dpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    main.TwipsPerPixelX = dpiX > 0 ? 1440.0 / dpiX : 15.0;
    main.TwipsPerPixelY = dpiY > 0 ? 1440.0 / dpiY : 15.0;
    main.ScaleY = 15.0 / main.TwipsPerPixelY;
}

// Asks the running instance to come forward. One that has only just made its mutex has no
// message window yet; then nothing is sent.
void SignalRunningInstance(UINT messageId) {
    HWND other = ::FindWindowW(nullptr, kMessageWindowTitle);
    if (!other) return;
    // Only the process the user just started may hand over the foreground; without this the
    // running instance's window and its help would only flash in the taskbar.
    DWORD otherProcess = 0;
    if (::GetWindowThreadProcessId(other, &otherProcess) && otherProcess) ::AllowSetForegroundWindow(otherProcess);
    ::PostMessageW(other, messageId, 0, 0);
}

int RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The settings window's own keys and its Tab and arrow navigation come first.
        if (SettingsWindow().PreTranslateMessage(msg) || RouteDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

ProcessValues& Main() {
    static ProcessValues values;
    return values;
}

int StartProgram() {
    InstallCrashReport();
    ProcessValues& main = Main();
    // Never closed: the mutex only has to exist while the process lives.
    ::CreateMutexW(nullptr, FALSE, kMutexName);
    const bool otherInstance = ::GetLastError() == ERROR_ALREADY_EXISTS;
    main.MessageId = ::RegisterWindowMessageW(kMessageIdName);
    if (otherInstance) {
        SignalRunningInstance(main.MessageId);
        return 0;
    }
    // At once, so that a second start from now on finds this instance: its signal waits in
    // the queue until the settings window stands.
    CreateMessageWindow();

    ReadTwipsPerPixel(main);
    DetectWindowsVersion();
    main.CustomBoundary = false;
    UpdateScreenBounds();
    main.ColourKey = ReadColourKey();

    frmSet& settings = SettingsWindow();
    if (!settings.Show()) return 1;
    const int code = RunMessageLoop();
    main.MessageWindow.reset();
    return code;
}

int SystemMetricOr(int index, int fallback) {
    if (::GetSystemMetrics(SM_CMONITORS) == 0) return fallback;
    return ::GetSystemMetrics(index);
}

bool UpdateScreenBounds() {
    ProcessValues& main = Main();
    const ScreenBounds measured{
        SystemMetricOr(SM_XVIRTUALSCREEN, 0),
        SystemMetricOr(SM_YVIRTUALSCREEN, 0),
        SystemMetricOr(SM_CXVIRTUALSCREEN, ::GetSystemMetrics(SM_CXSCREEN)),
        SystemMetricOr(SM_CYVIRTUALSCREEN, ::GetSystemMetrics(SM_CYSCREEN)),
    };
    const ScreenUpdate update =
        ::UpdateScreenBounds(main.screenBounds, measured, main.BoundaryRect, main.CustomBoundary);
    main.screenBounds = update.bounds;
    main.BoundaryRect = update.boundary;
    return update.changed;
}

void DetectWindowsVersion() {
    // GetVersionEx is shimmed to 6.2 without a manifest entry; any NT we run on is ≥ 5.
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExW(&info)) Main().IsWin2000OrLater = info.dwMajorVersion >= 5;
#pragma GCC diagnostic pop
}

COLORREF ReadColourKey() {
    handles::WindowDc screen(nullptr);
    handles::MemoryDc memory(::CreateCompatibleDC(screen.get()));
    handles::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), 2, 2));
    if (!memory || !bitmap) return kDesignColourKey;
    handles::SelectObjectGuard select(memory.get(), bitmap.get());
    handles::Brush brush(::CreateSolidBrush(kDesignColourKey));
    const RECT all{0, 0, 2, 2};
    ::FillRect(memory.get(), &all, brush.get());
    const COLORREF read = ::GetPixel(memory.get(), 1, 1);
    return read == CLR_INVALID ? kDesignColourKey : read;
}

void CreateMessageWindow() {
    ProcessValues& main = Main();
    main.MessageWindow.reset(::CreateWindowExW(0, L"STATIC", kMessageWindowTitle, 0, 0, 0, 0, 0, nullptr, nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr));
    if (!main.MessageWindow) return;
    main.OldMessageWindowProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        main.MessageWindow.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageWindowProc)));
}

void RestoreMessageWindow() {
    ProcessValues& main = Main();
    if (main.MessageWindow && main.OldMessageWindowProc)
        ::SetWindowLongPtrW(main.MessageWindow.get(), GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(main.OldMessageWindowProc));
}

void SetTopmost(HWND window) {
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

double SecondsSinceMidnight() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}
