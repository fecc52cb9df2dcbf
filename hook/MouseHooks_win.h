// The two sources of mouse events: dsmouse.dll for presses, double-clicks and
// releases anywhere on the desktop, and our own low-level hook for releases and the
// wheel. Windows drops a low-level hook that keeps input waiting too often, so both hook
// procedures only post the raw message to the program's window and return; the window
// hands it to MouseMessage from the message loop, in the order the hooks saw it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Posted to the target window: wParam the mouse window message, lParam its data (the
// wheel sign, else 0) in the low word and the modifiers held in the hook in the high word.
inline constexpr UINT kMouseHookMessage = WM_APP + 0x4D;

// Shift, Ctrl and Alt as they were when the hook saw the event: a caption read later, from
// the message loop, would miss a Ctrl let go just after the button.
inline constexpr uint32_t HeldShift = 1, HeldCtrl = 2, HeldAlt = 4;

// Gets each event (MouseEventCode and its data) with the modifiers held at it. It must not
// call RemoveMouseHooks.
using MouseEventHandler = void (*)(void* context, int32_t code, int32_t data, uint32_t held);

// Loads dsmouse.dll (from the program's folder first) on the first call and starts it,
// then sets the low-level hook; both post to target. Without the library, or without its
// SetMouseHook, the low-level hook runs alone: releases and the wheel, no presses. Once
// installed, further calls do nothing until RemoveMouseHooks. The thread must pump messages.
void InstallMouseHooks(HWND target, MouseEventHandler handler, void* context);
// Stops the library, then unhooks; nothing is delivered afterwards, not even what was
// already posted.
void RemoveMouseHooks();
bool HooksInstalled();
// Whether dsmouse.dll and its SetMouseHook were found.
bool MouseHookLibraryLoaded();

// The common path of both hooks, run by the target window for each kMouseHookMessage
// with its wParam and lParam; a message that makes no event is dropped.
void MouseMessage(WPARAM wParam, LPARAM lParam);

// The hook procedures, for tests that call them as Windows would.
int32_t WINAPI MouseHookCallback(int32_t message, int32_t, int32_t, int32_t, int32_t) noexcept;
LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

// Tests point this at another file name; ignored while the hooks are installed.
void SetMouseHookLibraryName(std::wstring fileName);
