// Whether the control with the keyboard focus hides what is typed into it, so that the
// keyboard display does not show a password letter by letter.
#pragma once

#include <windows.h>

// An edit control (Edit, RichEdit and their wrappers) with ES_PASSWORD, or whose
// EM_GETPASSWORDCHAR answers a character. askWindow: also send the message, which crosses
// into the control's process; a hung process is not waited for.
bool IsPasswordControl(HWND control, bool askWindow = true);

// The focused control of the foreground window's thread, checked when keys are pressed.
// The message is sent once per focused control; its style is read again on every call,
// as a "show password" box changes it.
class PasswordFocus {
public:
    bool Focused();

private:
    HWND control_ = nullptr;
    bool answeredPassword_ = false;
};
