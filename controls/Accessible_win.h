// What our own drawn controls tell accessibility clients (screen readers, UI automation
// through its MSAA bridge): a name, a role and a value, so that a slider is read out as
// "Size, slider, 70" and a colour picker with the colour it holds. Everything else
// (position, focus, parent, navigation) comes from the system's standard object for the
// window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct AccessibleInfo {
    std::wstring name;
    long role = 0;  // ROLE_SYSTEM_*
    std::wstring value;
};

using DescribeAccessible = std::function<AccessibleInfo()>;

// Answers WM_GETOBJECT: for OBJID_CLIENT an object whose name, role and value come from
// describe (asked afresh on every query), for anything else the default answer. Call it
// from the control's window procedure and return its result.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, DescribeAccessible describe);

// Tells listening clients that the value (or the name) the control reports has changed.
void NotifyAccessibleValueChange(HWND window);
void NotifyAccessibleNameChange(HWND window);
