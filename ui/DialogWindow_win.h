// The program's modeless dialogs share one shape: created on first use, hidden (not
// destroyed) by Close, Escape or the title bar, laid out from places at 96 dpi at the
// window's own DPI, every caption from the language table, captions fitted so that no
// language is clipped, and everything captioned again when the language changes while the
// dialog is open. Derived classes add their controls with AddControl in CreateControls and
// set their texts in Lang_LanguageChange.
#pragma once

#include "base/BaseWindow_win.h"
#include "base/Geometry.h"
#include "controls/ControlFont_win.h"
#include "ui/SettingsHost_win.h"

#include <windows.h>

#include <map>
#include <string>

// The message loop gives every open dialog its keys first (Tab, arrows, Escape).
bool RouteDialogMessage(MSG& msg);

class DialogBase {
public:
    virtual ~DialogBase();
    HWND DialogHwnd() const { return dialogWindow_; }
    UINT Dpi() const { return dpi_; }
    HWND Control(int id) const;
    // The id's text in the current language (UTF-16).
    static std::wstring Text(int32_t id);
    // The program the dialog shows and edits the settings of; set before it first shows.
    SettingsHost& Host() const { return *host_; }
    void SetHost(SettingsHost& host) { host_ = &host; }

protected:
    struct Placed {
        HWND window;
        Rect place96;
        bool multiline;
        int reserved96;  // pixels at 96 dpi the text cannot use (a check box's box)
        bool bold;
    };

    // A standard control (BUTTON, STATIC, COMBOBOX ...) at place96, remembered for layout.
    HWND AddControl(int id, const wchar_t* windowClass, DWORD style, const Rect& place96, bool bold = false);
    // Any other child already created (our own controls) to be moved with the layout.
    void AddPlaced(int id, HWND child, const Rect& place96);
    // Gives a control a new place at 96 dpi (layouts that follow a resizable window).
    void MoveControl(int id, const Rect& place96);
    // Sets a control's text and fits its font to it.
    void SetText(int id, const std::wstring& text);
    void Attach(HWND window, UINT dpi);
    void Detach();
    void LayOut();
    // Answers the messages every dialog answers alike; true when it did.
    bool HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual void Close() = 0;
    virtual void Lang_LanguageChange() = 0;
    virtual void DpiChanged() {}

    CaptionFonts fonts_;

private:
    void Fit(const Placed& placed) const;

    HWND dialogWindow_ = nullptr;  // not window_: BaseWindow has one, and lookups through Derived would be ambiguous
    UINT dpi_ = 96;
    SettingsHost* host_ = nullptr;
    std::map<int, Placed> controls_;
    int languageSubscription_ = 0;
};

template <typename Derived>
class DialogWindow : public BaseWindow<Derived>, public DialogBase {
public:
    // Creates the dialog on first use (owned by owner; nullptr for none), then shows and
    // activates it.
    void ShowDialog(HWND owner) {
        if (!this->hwnd()) {
            const Size client = Derived::ClientSize96();
            const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
            if (!this->CreateWindowOf(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, style, L"", CW_USEDEFAULT,
                                      CW_USEDEFAULT, client.width, client.height, owner))
                return;
            Attach(this->hwnd(), WindowDpi(this->hwnd()));
            static_cast<Derived*>(this)->CreateControls();
            SizeToDpi();
            LayOut();
            Lang_LanguageChange();
        }
        ::ShowWindow(this->hwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(this->hwnd());
    }
    void HideDialog() {
        if (this->hwnd()) ::ShowWindow(this->hwnd(), SW_HIDE);
    }
    // Destroys the window and everything it holds (at the program's end).
    void UnloadDialog() {
        Detach();
        this->Unload();
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (message == WM_DPICHANGED) {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            Attach(this->hwnd(), HIWORD(wParam));
            ::SetWindowPos(this->hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut();
            DpiChanged();
            return 0;
        }
        if (HandleCommon(message, wParam, lParam, result)) return result;
        return BaseWindow<Derived>::HandleMessage(message, wParam, lParam);
    }
    void Close() override { HideDialog(); }

private:
    void SizeToDpi() {
        const Size client = Derived::ClientSize96();
        RECT frame{0, 0, ScaleLength(client.width, Dpi()), ScaleLength(client.height, Dpi())};
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(this->hwnd(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongW(this->hwnd(), GWL_EXSTYLE)));
        ::SetWindowPos(this->hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};
