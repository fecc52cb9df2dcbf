// Whether the control with the keyboard focus hides what is typed into it, so that the
// keyboard display does not show a password letter by letter.
#pragma once

#include "keyboard/ProtectedFocus_win.h"

#include <windows.h>

// An edit control (Edit, RichEdit and their wrappers) with ES_PASSWORD, or whose
// EM_GETPASSWORDCHAR answers a character. askWindow: also send the message, which crosses
// into the control's process; a hung process is not waited for.
bool IsPasswordControl(HWND control, bool askWindow = true);

// The focused control of the foreground window's thread, checked when keys are pressed.
// The message is sent once per focused control; its style is read again on every call,
// as a "show password" box changes it. The first call also starts watching for protected
// elements of windows that are no edit controls; their answer counts while its window
// still holds the focus or is the foreground window.
class PasswordFocus {
public:
    bool Focused();
    // Ends the watch at exit; the next Focused() would start it again.
    void Stop() { protectedFocus_.Stop(); }

private:
    ProtectedFocusWatch protectedFocus_;
    HWND control_ = nullptr;
    bool answeredPassword_ = false;
};
