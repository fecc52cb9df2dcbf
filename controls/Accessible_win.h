// What our own drawn controls tell accessibility clients (screen readers, UI automation
// through its MSAA bridge): a name, a role and a value, so that a slider is read out as
// "Size, slider, 70" and a colour picker with the colour it holds. Everything else
// (position, focus, parent, navigation) comes from the system's standard object for the
// window.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

struct AccessibleInfo {
    std::wstring name;
    long role = 0;                      // ROLE_SYSTEM_*; 0 keeps the standard object's
    std::optional<std::wstring> value;  // none keeps the standard object's
};

using DescribeAccessible = std::function<AccessibleInfo()>;

// Answers WM_GETOBJECT: for OBJID_CLIENT an object whose name, role and value come from
// describe (asked afresh on every query), for anything else the default answer. Call it
// from the control's window procedure and return its result.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, DescribeAccessible describe);

// Gives a standard control (a combo box, say) what describe returns, where the label the
// system would read next to it says nothing useful; what describe leaves out stays the
// system's. Lasts as long as the control.
void DescribeStandardControl(HWND control, DescribeAccessible describe);

// Tells listening clients that the value (or the name) the control reports has changed.
void NotifyAccessibleValueChange(HWND window);
void NotifyAccessibleNameChange(HWND window);
