// The two sources of mouse events: dsmouse.dll for presses, double-clicks and
// releases anywhere on the desktop, and our own low-level hook for releases and the
// wheel. Windows drops a low-level hook that keeps input waiting too often, so both hook
// procedures only post the raw message to the program's window and return; the window
// hands it to MouseMessage from the message loop, in the order the hooks saw it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "hook/HookHealth.h"

// Posted to the target window: wParam the mouse window message, lParam its data (the
// wheel sign, the X button 1 or 2, else 0) in the low word and the modifiers held in the
// hook in the high word.
inline constexpr UINT kMouseHookMessage = WM_APP + 0x4D;

// Posted to the target window, without data, when the low-level hook sees the pointer move.
// At most one is pending: the next is posted only after PointerMoveHandled.
inline constexpr UINT kPointerMovedMessage = WM_APP + 0x4E;

// Posted to the target window for a finger's or a pen's left press or release while touch
// marks are on: wParam its PointerKind, lParam 1 for the press, 0 for the release. No
// left-button event is made of it.
inline constexpr UINT kTouchHookMessage = WM_APP + 0x50;

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

// Whether finger and pen taps come as kTouchHookMessage rather than as left clicks.
void SetTouchMarks(bool on);

// The kPointerMovedMessage handler calls this first, so that a move after it posts again.
void PointerMoveHandled();

// Whether the hooks' translator holds a button as down.
bool AnyButtonHeld();
bool ButtonIsDown(int button);
// Releases that the hooks missed: each button held but up as the system has it now is
// released through the handler, the same way as a hook's release. Reads nothing while no
// button is held.
void ReleaseLostButtons();
// A lock or a display change: every held button is forgotten, without events.
void ForgetHeldButtons();

// What the low-level hook last saw against the system's input, for HookHealth.
HookHealthSample LowLevelHookSample();
// Installs the low-level hook again in place of one the system may have removed.
void ReinstallLowLevelHook();

// Test builds: the next event the low-level hook gets keeps the system waiting this long.
void SetLowLevelHookStallForTest(DWORD milliseconds);
// Test builds: the low-level hook is removed behind the program's back, as the system does.
void DropLowLevelHookForTest();

// The hook procedures, for tests that call them as Windows would.
int32_t WINAPI MouseHookCallback(int32_t message, int32_t, int32_t, int32_t, int32_t) noexcept;
LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

// Tests point this at another file name; ignored while the hooks are installed.
void SetMouseHookLibraryName(std::wstring fileName);
