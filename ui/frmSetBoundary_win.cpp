#include "ui/frmSetBoundary_win.h"

#include "base/LateFunction_win.h"
#include "ui/Boundary.h"
#include "ui/Dialogs_win.h"
#include "ui/frmHelp_win.h"

#include <dwmapi.h>

#include <algorithm>

namespace {

// The least room at 96 dpi the overlays are kept in when the frame leaves them less. Below
// the window's own minimum, so that a frame the user could drag is always taken as it is.
constexpr Size kOverlayRoom96{240, 180};

constexpr int kMargin96 = 12;
constexpr int kButtonGap96 = 16;
constexpr Size kOKSize96{117, 29};
constexpr Size kFullScreenSize96{237, 29};
constexpr Size kInfoSize96{600, 72};

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM data) {
    reinterpret_cast<std::vector<Rect>*>(data)->push_back(ToRect(*area));
    return TRUE;
}

}  // namespace

std::vector<Rect> MonitorRects() {
    std::vector<Rect> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

frmSetBoundary& SetBoundaryWindow() {
    static frmSetBoundary window;
    return window;
}

void frmSetBoundary::CreateControls() {
    const HWND window = DialogHwnd();
    // Sizable, and translucent as a whole (no colour key).
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    ::SetWindowLongPtrW(window, GWL_STYLE, style);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, 0, kAlpha, LWA_ALPHA);

    // First shown in the middle of the monitor the user works on.
    RECT frame{0, 0, ScaleLength(ClientSize96().width, Dpi()), ScaleLength(ClientSize96().height, Dpi())};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_LAYERED);
    POINT pointer{};
    ::GetCursorPos(&pointer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    const Rect work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(window, nullptr, work.left + std::max(0, (work.Width() - width) / 2),
                   work.top + std::max(0, (work.Height() - height) / 2), width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    AddControl(lblInfo, L"Static", SS_CENTER | SS_NOPREFIX, {0, 0, kInfoSize96.width, kInfoSize96.height});
    AddControl(cmdFullScreen, L"Button", BS_PUSHBUTTON | WS_TABSTOP, {0, 0, kFullScreenSize96.width, 29});
    AddControl(cmdOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, {0, 0, kOKSize96.width, 29});
    Form_Resize();
}

void frmSetBoundary::Lang_LanguageChange() {
    if (!DialogHwnd()) return;
    ::SetWindowTextW(DialogHwnd(), Text(124).c_str());
    SetText(lblInfo, Text(125));
    SetText(cmdOK, Text(126));
    SetText(cmdFullScreen, Text(127));
}

// The buttons keep to the bottom right corner, the text to the middle.
void frmSetBoundary::Form_Resize() {
    RECT client{};
    ::GetClientRect(DialogHwnd(), &client);
    const UINT dpi = Dpi();
    const int width = ::MulDiv(client.right, 96, static_cast<int>(dpi));
    const int height = ::MulDiv(client.bottom, 96, static_cast<int>(dpi));

    const int top = height - kOKSize96.height - kMargin96;
    const int okLeft = width - kOKSize96.width - kMargin96;
    const int fullLeft = okLeft - kFullScreenSize96.width - kButtonGap96;
    MoveControl(cmdOK, {okLeft, top, okLeft + kOKSize96.width, top + kOKSize96.height});
    MoveControl(cmdFullScreen, {fullLeft, top, fullLeft + kFullScreenSize96.width, top + kFullScreenSize96.height});

    const int infoWidth = std::max(0, std::min(kInfoSize96.width, width - 2 * kMargin96));
    const int infoLeft = (width - infoWidth) / 2;
    const int infoTop = std::max(0, (height - kInfoSize96.height) / 2);
    MoveControl(lblInfo, {infoLeft, infoTop, infoLeft + infoWidth, infoTop + kInfoSize96.height});
}

Rect frmSetBoundary::FrameRect() const {
    RECT r{};
    // Without desktop composition there is no separate visible frame.
    static const LateFunction<decltype(::DwmGetWindowAttribute)> frameAttribute(L"dwmapi.dll", "DwmGetWindowAttribute");
    if (frameAttribute.Call(E_FAIL, DialogHwnd(), DWORD{DWMWA_EXTENDED_FRAME_BOUNDS}, &r, DWORD{sizeof r}) != S_OK)
        ::GetWindowRect(DialogHwnd(), &r);
    return ToRect(r);
}

void frmSetBoundary::cmdOK_Click() {
    if (!DialogHwnd()) return;
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const std::vector<Rect> monitors = MonitorRects();
    const Size room{ScaleLength(kOverlayRoom96.width, Dpi()), ScaleLength(kOverlayRoom96.height, Dpi())};
    Host().SetBoundary(BoundaryFromFrame(FrameRect(), monitors, {pointer.x, pointer.y}, room));
    HideDialog();
}

void frmSetBoundary::cmdFullScreen_Click() {
    Host().SetBoundary(std::nullopt);
    HideDialog();
}

LRESULT frmSetBoundary::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {ScaleLength(kMinimumSize96.width, Dpi()), ScaleLength(kMinimumSize96.height, Dpi())};
        return 0;
    }
    case WM_SIZE:
        if (DialogHwnd()) Form_Resize();
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case cmdOK:
        case IDOK: cmdOK_Click(); return 0;
        case cmdFullScreen: cmdFullScreen_Click(); return 0;
        }
        break;
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}

void ShowSetBoundary(SettingsHost& host) {
    SetBoundaryWindow().SetHost(host);
    SetBoundaryWindow().ShowDialog(nullptr);
}

void HideBoundaryAndHelp() {
    // The help window goes with the settings window that owns it; the boundary window
    // has no owner and stays where the user left it.
    HelpWindow().HideDialog();
}

void UnloadBoundaryAndHelp() {
    HelpWindow().UnloadDialog();
    SetBoundaryWindow().UnloadDialog();
}
