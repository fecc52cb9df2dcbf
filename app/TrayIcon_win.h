// The notification-area icon: its start balloon, the left click that brings the settings
// window back and the right-click menu mnuTray. It is owned by a hidden top-level window
// of its own: a message-only window would miss the "TaskbarCreated" broadcast after the
// shell restarts, and the icon would be lost.
#pragma once

#include "base/BaseWindow_win.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

// What the icon asks of the program.
struct TrayActions {
    std::function<void()> showSettings;  // left click, "Settings"
    std::function<void()> togglePause;   // "Pause"
    std::function<void()> exit;          // "Exit"
    std::function<bool()> paused;        // the check mark on "Pause"
    std::function<bool()> offerRestart;  // "Restart as administrator" is in the menu
    std::function<void()> restartElevated;
    std::function<HMENU(UINT firstId)> presets;     // the presets' submenu, its ids from firstId
    std::function<bool(UINT id, UINT firstId)> runPreset;  // one of them chosen
};

// The shell's Shell_NotifyIconW, or a test's stand-in.
using NotifyIconFunction = BOOL (*)(DWORD message, NOTIFYICONDATAW* data);
// Shows the pop-up menu at a screen point and returns when it is closed; a chosen entry
// arrives as WM_COMMAND at the owner. Tests look at the menu instead.
using MenuTracker = void (*)(HMENU menu, HWND owner, POINT at);

// The settings window's caption, which the tip and the balloon show.
inline constexpr wchar_t kTrayTip[] = L"Glimmora - Settings";

class TrayIcon : public BaseWindow<TrayIcon> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_TrayIcon"; }
    // The shell reports mouse events on the icon with this message.
    static constexpr UINT kCallbackMessage = WM_APP + 1;
    static constexpr UINT kIconId = 1;
    enum MenuId : UINT { mnuTrayHeadline = 100, mnuTraySettings, mnuTrayPause, mnuTrayExit, mnuTrayRestartElevated, mnuTrayPresets = 200 };

    // Creates the window, adds the icon with its tip and shows the start balloon, or, when
    // an earlier run crashed, a balloon that says where its report is.
    bool Add(HICON icon, TrayActions actions, const std::wstring& crashReport = {});
    // Deletes the icon and destroys the window.
    void Remove();

    // mnuTray as it pops up now: captions in the current language, "Pause" checked while paused,
    // "Restart as administrator" above "Exit" while offered.
    handles::Menu BuildMenu() const;

    // The icon's mouse message, as the shell reports it.
    void picForTrayIcon_MouseMove(UINT mouseMessage);
    void mnuTraySettings_Click();
    void mnuTrayPause_Click();
    void mnuTrayExit_Click();
    void mnuTrayRestartElevated_Click();

    static void SetNotifyIconForTest(NotifyIconFunction notify);
    static void SetMenuTrackerForTest(MenuTracker tracker);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // NIM_ADD and the version call; again whenever the taskbar is created anew.
    void AddIcon();
    void ShowMenu();

    NOTIFYICONDATAW data_{};
    UINT taskbarCreated_ = 0;
    TrayActions actions_;
};
