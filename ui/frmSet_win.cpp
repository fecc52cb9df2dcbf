#include "ui/frmSet_win.h"

#include "controls/ControlFont_win.h"
#include "keyboard/WindowKeys.h"
#include "lang/SharedLanguage_win.h"
#include "ui/Dialogs_win.h"
#include "res/resource.h"

namespace {

constexpr UINT kStartupDelay = 777;
constexpr UINT kAddTooltipsMessage = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The outer size that gives the window its client area at dpi.
SIZE FrameSize(UINT dpi) {
    RECT frame{0, 0, ScaleToDpi(kSettingsClientWidth, dpi), ScaleToDpi(kSettingsClientHeight, dpi)};
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (!adjustForDpi || !adjustForDpi(&frame, kWindowStyle, FALSE, 0, dpi))
        ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// 0 normal, 1 minimised, 2 maximised, as the settings file keeps it.
int32_t WindowStateOf(HWND window) { return ::IsIconic(window) ? 1 : ::IsZoomed(window) ? 2 : 0; }

clsLanguage::Subscription g_languageSubscription = 0;
SettingsWindowShownTrace g_shownTrace = nullptr;

}  // namespace

void SetSettingsWindowShownTrace(SettingsWindowShownTrace trace) { g_shownTrace = trace; }

HICON frmSet::ClassIcon() {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GLIMMORA), IMAGE_ICON, 0,
                                           0, LR_DEFAULTSIZE | LR_SHARED));
}

bool frmSet::Show(SettingsHost& host, SettingsWindowState startup) {
    host_ = &host;
    startup_ = startup;
    unloaded_ = false;
    const SIZE frame = FrameSize(WindowDpi(nullptr));
    if (!CreateWindowOf(WS_EX_CONTROLPARENT, kWindowStyle, L"Glimmora - Settings", CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.cx, frame.cy))
        return false;
    // The monitor the window opened on decides its DPI.
    dpi_ = WindowDpi(hwnd());
    const SIZE own = FrameSize(dpi_);
    if (own.cx != frame.cx || own.cy != frame.cy)
        ::SetWindowPos(hwnd(), nullptr, 0, 0, own.cx, own.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Form_Load();
    opening_ = true;
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    opening_ = false;
    // Whole at once: the window and every control painted before anything else runs.
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (g_shownTrace) g_shownTrace();
    // Each tool subclasses its control, which costs every later message to it a lookup: the
    // opening is spared that.
    ::PostMessageW(hwnd(), kAddTooltipsMessage, 0, 0);
    ::SetForegroundWindow(hwnd());
    return true;
}

void frmSet::Form_Load() {
    CreateControls();
    BuildMenus();
    // The record's language is in place now; later changes reach the captions as they come.
    Lang_LanguageChange();
    g_languageSubscription = SharedLanguage().Subscribe([this] { Lang_LanguageChange(); });
    ShowSettings();
    tmrStartup.Start(hwnd(), StartupTimer, kStartupDelay);
}

void frmSet::ShowThisForm() {
    if (!::IsWindowVisible(hwnd()) || ::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(hwnd());
}

void frmSet::ApplyWindowState(int32_t state) {
    if (!::IsWindowVisible(hwnd())) return;
    // A window already in that state is left alone: a restore would activate it and take the
    // focus from whatever the user (or a second start's help window) has brought forward since.
    if (state == WindowStateOf(hwnd())) return;
    ::ShowWindow(hwnd(), state == 1 ? SW_MINIMIZE : state == 2 ? SW_MAXIMIZE : SW_RESTORE);
}

void frmSet::tmrStartup_Timer() {
    tmrStartup.Stop();
    // As saved, unless the command line's pause asks for the window to wait minimised.
    ApplyWindowState(startup_.state);
    if (!startup_.visible) ::ShowWindow(hwnd(), SW_HIDE);
}

bool frmSet::Form_QueryUnload(int unloadMode) {
    if (unloadMode != 0 || TaskbarMode()) return true;
    // Closing from the title bar in tray mode keeps the program running. The dialogs are
    // hidden by hand before the minimise, not left to be hidden with the window they belong to.
    HideDialogs();
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_HIDE);
    return false;
}

void frmSet::mnuExit_Click() { host_->Exit(); }

void frmSet::ShowHelp() { ShowHelpWindow(*host_, hwnd()); }

SettingsWindowState frmSet::State() const { return {WindowStateOf(hwnd()), ::IsWindowVisible(hwnd()) != FALSE}; }

void frmSet::Form_Unload() {
    if (unloaded_ || !hwnd()) return;
    unloaded_ = true;
    tmrStartup.Stop();
    SharedLanguage().Unsubscribe(g_languageSubscription);
    UnloadDialogs();
    ReleaseControls();
    Unload();
}

void frmSet::DpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The system's suggestion keeps the window under the pointer on the new monitor.
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

bool frmSet::PreTranslateMessage(MSG& msg) {
    if (!hwnd() || (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd))) return false;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && Form_KeyDown(static_cast<int32_t>(msg.wParam)))
        return true;
    return ::IsDialogMessageW(hwnd(), &msg) != FALSE;
}

LRESULT frmSet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == StartupTimer) tmrStartup_Timer();
        return 0;
    case kAddTooltipsMessage:
        AddTooltips();
        return 0;
    case WM_CLOSE:
        // Only a close from the title bar or system menu arrives here.
        if (Form_QueryUnload(0)) host_->Exit();
        return 0;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        DrawOwnerButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const HBRUSH brush = ControlBackground(reinterpret_cast<HWND>(lParam));
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(brush);
    }
    case WM_LBUTTONDOWN:
        ClickSwatch(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_RBUTTONDOWN: {
        // A right press on the mouse picture pauses, as a quick way out during a talk.
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT picture = PreviewArea();
        if (::PtInRect(&picture, at)) optPause_Click();
        return 0;
    }
    case WM_CONTEXTMENU:
        // Only the keyboard's way to it (the menu key, Shift+F10) comes at (-1, -1); a right
        // click opens nothing.
        if (LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF) ShowMenu(true);
        return 0;
    case WM_ENDSESSION:
        if (wParam) host_->Exit();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCPAINT: {
        const LRESULT framed = BaseWindow::HandleMessage(message, wParam, lParam);
        // The opening's first paint of the frame comes before any control's.
        if (opening_) LeaveControlsOnePaint();
        return framed;
    }
    case WM_PAINT: {
        if (!buffer_) break;
        handles::PaintDc paint(hwnd());
        RECT area{};
        ::GetClientRect(hwnd(), &area);
        buffer_->Resize(area.right, area.bottom);
        PaintContent(buffer_->dc(), area);
        buffer_->CopyTo(paint.get(), paint.area());
        return 0;
    }
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

bool frmSet::Form_KeyDown(int32_t code) {
    const auto held = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    const auto toggle = [&](SettingKey key) {
        host_->ApplySetting(key, host_->Settings().IsOn(key) ? 0 : 1);
        ShowSettings();
    };
    switch (SettingsWindowKey(code, {held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU)})) {
    case WindowKeyAction::None: return false;
    case WindowKeyAction::Menu: ShowMenu(true); return true;
    case WindowKeyAction::Help: ShowHelp(); return true;
    case WindowKeyAction::LockPicture: toggle(SettingKey::MouseImageLockPos); return true;
    case WindowKeyAction::LockKeyboard: toggle(SettingKey::ListLockPos); return true;
    case WindowKeyAction::Exit: mnuExit_Click(); return true;
    }
    return false;
}

void frmSet::mnuDefault_Click() { host_->ResetToDefaults(hwnd()); }

HWND frmSet::Control(std::string_view name) const {
    const SettingsControl* control = FindSettingsControl(name);
    if (!control) return nullptr;
    const auto found = controls_.find(control->id);
    return found == controls_.end() ? nullptr : found->second;
}

ctlSlider* frmSet::Slider(std::string_view name) const {
    const SettingsControl* control = FindSettingsControl(name);
    const auto found = control ? sliders_.find(control->id) : sliders_.end();
    return found == sliders_.end() ? nullptr : found->second.get();
}

ColorPic* frmSet::Picker(std::string_view name) const {
    const SettingsControl* control = FindSettingsControl(name);
    const auto found = control ? pickers_.find(control->id) : pickers_.end();
    return found == pickers_.end() ? nullptr : found->second.get();
}
