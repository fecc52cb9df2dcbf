// The two sources of mouse events: dsmouse.dll for presses, double-clicks and
// releases anywhere on the desktop, and our own low-level hook for releases and the
// wheel. Both feed MouseMessage, which hands each resulting event to one handler.
#pragma once

#include <cstdint>
#include <string>

// Gets each event (MouseEventCode and its data) on the thread that installed the hooks.
// It must not call RemoveMouseHooks.
using MouseEventHandler = void (*)(void* context, int32_t code, int32_t data);

// Loads dsmouse.dll (from the program's folder first) on the first call and starts it,
// then sets the low-level hook. Without the library, or without its SetMouseHook, the
// low-level hook runs alone: releases and the wheel, no presses. Once installed, further
// calls do nothing until RemoveMouseHooks. The thread must pump messages.
void InstallMouseHooks(MouseEventHandler handler, void* context);
// Stops the library, then unhooks; nothing is delivered afterwards.
void RemoveMouseHooks();
bool HooksInstalled();
// Whether dsmouse.dll and its SetMouseHook were found.
bool MouseHookLibraryLoaded();

// The common path of both hooks; a message that makes no event is dropped.
void MouseMessage(uint32_t message, int32_t data);

// Tests point this at another file name; ignored while the hooks are installed.
void SetMouseHookLibraryName(std::wstring fileName);
