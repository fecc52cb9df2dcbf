#include "app/TrayIcon_win.h"

#include "base/LateFunction_win.h"
#include "base/Text_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"

#include <cwchar>
#include <utility>

namespace {

constexpr UINT kBalloonMilliseconds = 4000;
constexpr wchar_t kHeadline[] = L"    - Glimmora -";
constexpr int32_t kCaptionSettings = 105;
constexpr int32_t kCaptionPause = 8;
constexpr int32_t kCaptionExit = 6;

BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
    static const LateFunction<decltype(::Shell_NotifyIconW)> notifyIcon(L"shell32.dll", "Shell_NotifyIconW");
    return notifyIcon.Call(FALSE, message, data);
}

void TrackMenu(HMENU menu, HWND owner, POINT at) {
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

NotifyIconFunction g_notify = &ShellNotifyIcon;
MenuTracker g_track = &TrackMenu;

template <size_t N>
void CopyText(wchar_t (&field)[N], const wchar_t* text) {
    std::wcsncpy(field, text, N - 1);
    field[N - 1] = L'\0';
}

}  // namespace

void TrayIcon::SetNotifyIconForTest(NotifyIconFunction notify) { g_notify = notify ? notify : &ShellNotifyIcon; }
void TrayIcon::SetMenuTrackerForTest(MenuTracker tracker) { g_track = tracker ? tracker : &TrackMenu; }

bool TrayIcon::Add(HICON icon, TrayActions actions, const std::wstring& crashReport) {
    actions_ = std::move(actions);
    // Hidden and never shown: it only receives the icon's callbacks and the broadcast.
    if (!hwnd() && !CreateWindowOf(WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, 0, 0)) return false;
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // An elevated process would otherwise not hear from a restarted shell.
    ::ChangeWindowMessageFilterEx(hwnd(), taskbarCreated_, MSGFLT_ALLOW, nullptr);

    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof data_;
    data_.hWnd = hwnd();
    data_.uID = kIconId;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon;
    CopyText(data_.szTip, kTrayTip);
    AddIcon();

    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    const bool crashed = !crashReport.empty();
    const std::wstring note =
        crashed ? Widen(SharedLanguage().GetString(strings::kCrashReportNoteId)) + L"\n" + crashReport : kTrayTip;
    CopyText(balloon.szInfo, note.c_str());
    balloon.szInfoTitle[0] = L'\0';
    balloon.uTimeout = kBalloonMilliseconds;
    balloon.dwInfoFlags = (crashed ? NIIF_WARNING : NIIF_INFO) | NIIF_NOSOUND;
    g_notify(NIM_MODIFY, &balloon);
    return true;
}

void TrayIcon::AddIcon() {
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_notify(NIM_ADD, &data_);
    // Version 3: the callback's lParam is the mouse message itself.
    NOTIFYICONDATAW version = data_;
    version.uVersion = NOTIFYICON_VERSION;
    g_notify(NIM_SETVERSION, &version);
}

void TrayIcon::Remove() {
    if (!hwnd()) return;
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = hwnd();
    gone.uID = kIconId;
    g_notify(NIM_DELETE, &gone);
    Unload();
    actions_ = {};
}

handles::Menu TrayIcon::BuildMenu() const {
    handles::Menu menu(::CreatePopupMenu());
    if (!menu) return menu;
    const clsLanguage& language = SharedLanguage();
    const auto caption = [&](int32_t id) { return Widen(language.GetString(id)); };
    const bool paused = actions_.paused && actions_.paused();
    ::AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, mnuTrayHeadline, kHeadline);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.get(), MF_STRING, mnuTraySettings, caption(kCaptionSettings).c_str());
    ::AppendMenuW(menu.get(), MF_STRING | (paused ? MF_CHECKED : MF_UNCHECKED), mnuTrayPause,
                  caption(kCaptionPause).c_str());
    if (const HMENU presets = actions_.presets ? actions_.presets(mnuTrayPresets) : nullptr)
        ::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(presets),
                      caption(strings::kPresetsMenuId).c_str());
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    if (actions_.offerRestart && actions_.offerRestart())
        ::AppendMenuW(menu.get(), MF_STRING, mnuTrayRestartElevated, caption(strings::kRestartElevatedId).c_str());
    ::AppendMenuW(menu.get(), MF_STRING, mnuTrayExit, caption(kCaptionExit).c_str());
    ::SetMenuDefaultItem(menu.get(), mnuTraySettings, FALSE);
    return menu;
}

void TrayIcon::ShowMenu() {
    const handles::Menu menu = BuildMenu();
    if (!menu) return;
    POINT at{};
    ::GetCursorPos(&at);
    // Without the foreground the menu would stay open when the user clicks elsewhere, and
    // without the WM_NULL after it the next right click would close it at once.
    ::SetForegroundWindow(hwnd());
    g_track(menu.get(), hwnd(), at);
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void TrayIcon::picForTrayIcon_MouseMove(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (actions_.showSettings) actions_.showSettings();
        break;
    case WM_RBUTTONUP:
        ShowMenu();
        break;
    }
}

void TrayIcon::mnuTraySettings_Click() {
    if (actions_.showSettings) actions_.showSettings();
}

void TrayIcon::mnuTrayPause_Click() {
    if (actions_.togglePause) actions_.togglePause();
}

void TrayIcon::mnuTrayExit_Click() {
    // Copied first: the exit removes this icon, and with it the actions.
    const std::function<void()> exit = actions_.exit;
    if (exit) exit();
}

void TrayIcon::mnuTrayRestartElevated_Click() {
    // Copied first, as for the exit: a restart removes this icon.
    const std::function<void()> restart = actions_.restartElevated;
    if (restart) restart();
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCallbackMessage) {
        if (wParam == kIconId) picForTrayIcon_MouseMove(LOWORD(lParam));
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        AddIcon();
        return 0;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == 0) {
        switch (LOWORD(wParam)) {
        case mnuTraySettings: mnuTraySettings_Click(); return 0;
        case mnuTrayPause: mnuTrayPause_Click(); return 0;
        case mnuTrayExit: mnuTrayExit_Click(); return 0;
        case mnuTrayRestartElevated: mnuTrayRestartElevated_Click(); return 0;
        }
        if (actions_.runPreset && actions_.runPreset(LOWORD(wParam), mnuTrayPresets)) return 0;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}
