#include "ui/frmSet_win.h"

#include "keyboard/WindowKeys.h"
#include "res/resource.h"

namespace {

constexpr int kClientWidth = 580;  // at 96 dpi
constexpr int kClientHeight = 554;
constexpr UINT kStartupDelay = 777;

}  // namespace

frmSet& SettingsWindow() {
    static frmSet window;
    return window;
}

HICON frmSet::ClassIcon() {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GLIMMORA), IMAGE_ICON, 0,
                                           0, LR_DEFAULTSIZE | LR_SHARED));
}

bool frmSet::Show() {
    handles::WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    RECT frame{0, 0, ::MulDiv(kClientWidth, dpi, 96), ::MulDiv(kClientHeight, dpi, 96)};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!CreateWindowOf(0, style, L"Glimmora - Settings", CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top))
        return false;
    Form_Load();
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd());
    return true;
}

void frmSet::Form_Load() {
    TheProgram().Form_Load({[this] { ShowThisForm(); }, [this] { mnuExit_Click(); }, [this] { ShowSettings(); },
                            ClassIcon()});
    tmrStartup.Start(hwnd(), StartupTimer, kStartupDelay);
}

void frmSet::ShowThisForm() {
    if (!::IsWindowVisible(hwnd()) || ::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(hwnd());
}

void frmSet::ApplyWindowState(int32_t state) {
    if (!::IsWindowVisible(hwnd())) return;
    ::ShowWindow(hwnd(), state == 1 ? SW_MINIMIZE : state == 2 ? SW_MAXIMIZE : SW_RESTORE);
}

void frmSet::tmrStartup_Timer() {
    tmrStartup.Stop();
    const SettingsRecord& settings = TheProgram().Settings();
    ApplyWindowState(settings.GetInt(SettingKey::WindowState));
    if (!settings.IsOn(SettingKey::WindowVisible)) ::ShowWindow(hwnd(), SW_HIDE);
}

bool frmSet::Form_QueryUnload(int unloadMode) {
    if (unloadMode != 0 || TaskbarMode()) return true;
    // Closing from the title bar in tray mode keeps the program running.
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_HIDE);
    return false;
}

void frmSet::mnuExit_Click() { Form_Unload(); }

void frmSet::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    tmrStartup.Stop();
    const int32_t state = ::IsIconic(hwnd()) ? 1 : ::IsZoomed(hwnd()) ? 2 : 0;
    TheProgram().Form_Unload({state, ::IsWindowVisible(hwnd()) != FALSE});
    Unload();
    ::PostQuitMessage(0);
}

LRESULT frmSet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == StartupTimer) tmrStartup_Timer();
        return 0;
    case WM_CLOSE:
        // Only a close from the title bar or system menu arrives here.
        if (Form_QueryUnload(0)) Form_Unload();
        return 0;
    case WM_DPICHANGED: {
        // Keep the layout's physical size in step with the monitor it moved to.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (Form_KeyDown(static_cast<int32_t>(wParam))) return 0;
        break;
    case WM_ENDSESSION:
        if (wParam) Form_Unload();
        return 0;
    case WM_ERASEBKGND: {
        RECT area{};
        ::GetClientRect(hwnd(), &area);
        ::FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

bool frmSet::Form_KeyDown(int32_t code) {
    const auto held = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    Program& program = TheProgram();
    const auto toggle = [&](SettingKey key) { program.ApplySetting(key, program.Settings().IsOn(key) ? 0 : 1); };
    switch (SettingsWindowKey(code, {held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU)})) {
    case WindowKeyAction::None: return false;
    // The program menu comes with the window's controls.
    case WindowKeyAction::Menu: return false;
    case WindowKeyAction::Help: ShowHelp(); return true;
    case WindowKeyAction::LockPicture: toggle(SettingKey::MouseImageLockPos); return true;
    case WindowKeyAction::LockKeyboard: toggle(SettingKey::ListLockPos); return true;
    case WindowKeyAction::Exit: mnuExit_Click(); return true;
    }
    return false;
}

void frmSet::mnuDefault_Click() { TheProgram().ResetToDefaults(hwnd()); }
