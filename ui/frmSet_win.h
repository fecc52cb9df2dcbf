// The settings window: shows and edits the settings through its host, the program, which
// owns the record, the overlays and the process's life. Its controls show the record and
// hand every change to the host's ApplySetting; its exits ask the host to end the program,
// which closes this window in its turn. Split by concern: the window (frmSet_win.cpp), its controls and
// their layout (frmSetLayout_win.cpp), the handlers (frmSetHandlers_win.cpp) and the menu
// (frmSetMenu_win.cpp).
#pragma once

#include "base/BaseWindow_win.h"
#include "controls/ColorPic_win.h"
#include "controls/ControlFont_win.h"
#include "controls/ctlSlider_win.h"
#include "base/BackBuffer_win.h"
#include "ui/SettingsHost_win.h"
#include "ui/SettingsLayout.h"

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <string>

class frmSet : public BaseWindow<frmSet> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmSet"; }
    static HICON ClassIcon();

    // Creates the window showing the host's record and shows it; 777 ms later it takes the
    // startup state (as saved, or minimised by the command line's pause).
    bool Show(SettingsHost& host, SettingsWindowState startup);
    // Closes the window and every dialog for good: the program ends.
    void Form_Unload();
    // The state the settings file keeps.
    SettingsWindowState State() const;

    void ShowThisForm();
    // The help window, owned by this window.
    void ShowHelp();
    void mnuExit_Click();
    // The menu's reset to defaults: asks, empties the file, applies and saves.
    void mnuDefault_Click();
    // Every control shows the value the settings record holds.
    void ShowSettings();
    // Sets every caption and tooltip in the current language.
    void Lang_LanguageChange();
    // Pops the program menu up under the menu button; force skips the just-closed guard.
    void ShowMenu(bool force);
    // The window's own keys (also while a control has the focus) and dialog navigation.
    bool PreTranslateMessage(MSG& msg);

    bool Paused() const { return host_->Paused(); }
    // "Taskbar": closing the window ends the program (true) or hides it to the tray.
    bool TaskbarMode() const { return host_->Settings().IsOn(SettingKey::Taskbar); }

    // The control of a name in the layout table, for tests.
    HWND Control(std::string_view name) const;
    ctlSlider* Slider(std::string_view name) const;
    ColorPic* Picker(std::string_view name) const;
    UINT Dpi() const { return dpi_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum TimerId : UINT_PTR { StartupTimer = 1 };

    void Form_Load();
    // True when the close goes ahead.
    bool Form_QueryUnload(int unloadMode);
    void tmrStartup_Timer();
    // The window's own keys; true when one was answered.
    bool Form_KeyDown(int32_t code);
    void ApplyWindowState(int32_t state);
    void DpiChanged(UINT dpi, const RECT& suggested);

    // Layout (frmSetLayout_win.cpp).
    void CreateControls();
    // Every control, tool and menu goes with the window: nothing lives on in the object.
    void ReleaseControls();
    void LayOut();
    void MakeFonts();
    // The tooltips of the controls, once the window stands painted.
    void AddTooltips();
    // The text a control's window shows in the current language.
    std::wstring CaptionOf(const SettingsControl& control) const;
    void PaintContent(HDC dc, const RECT& area);
    void PaintPreviews(HDC dc);
    // The colour beside each picker, flush against it.
    void PaintSwatches(HDC dc);
    // Where a painted item of the table stands at the window's DPI.
    RECT PlaceOf(std::string_view name) const;
    // A click on a swatch moves the focus to its picker.
    void ClickSwatch(POINT at);
    // Showing the window would give every control a frame paint and an erase, each with a
    // device context of its own, before its paint: they have neither frame nor background
    // apart from their paint, so they are left just the paint.
    void LeaveControlsOnePaint();
    void InvalidatePreviews();
    // The mouse picture of the mouse-image group, where a right press pauses.
    RECT PreviewArea() const;
    HBRUSH ControlBackground(HWND control);
    // The largest font at which the control's caption fits its place, so that no language
    // is clipped.
    void FitCaption(const SettingsControl& control);

    // Handlers (frmSetHandlers_win.cpp).
    void OnCommand(int id, int notification);
    void Setting_Changed(const SettingsControl& control, double value);
    void chkFullScreen_Changed();
    void optPlay_Click();
    void optPause_Click();
    void DrawOwnerButton(const DRAWITEMSTRUCT& item);

    // Menu (frmSetMenu_win.cpp).
    void BuildMenus();
    void UpdateMenuCaptions();
    void mnuMenu_Command(int id);
    static LRESULT CALLBACK MenuButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self);

    SettingsHost* host_ = nullptr;
    SettingsWindowState startup_;
    handles::Timer tmrStartup;
    bool unloaded_ = false;
    UINT dpi_ = 96;
    std::unique_ptr<BackBuffer> buffer_;
    CaptionFonts captionFonts_;
    handles::Brush bandBrush_;
    handles::Window tooltips_;
    std::map<int32_t, HWND> controls_;
    std::map<int32_t, std::unique_ptr<ctlSlider>> sliders_;
    std::map<int32_t, std::unique_ptr<ColorPic>> pickers_;
    handles::Menu mnuMenu_;
    HMENU mnuLanguage_ = nullptr;
    double MenuClosedAt = -1;
    bool MenuJustClosed = false;
    bool showingSettings_ = false;
    bool opening_ = false;
};

// Test builds note when the settings window stands fully painted for the first time.
using SettingsWindowShownTrace = void (*)();
void SetSettingsWindowShownTrace(SettingsWindowShownTrace trace);
