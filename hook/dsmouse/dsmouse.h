// dsmouse.dll reports every press, double-click and release of the mouse buttons on
// the whole desktop to a callback, on the thread that started it. The program loads
// it by name at run time and calls only SetMouseHook.
#pragma once

#include <cstdint>

// message: what the window under the pointer would get: WM_LBUTTONDOWN, WM_LBUTTONUP,
//     WM_LBUTTONDBLCLK and their middle, right and X-button counterparts, or the WM_NC…
//     variant when the pointer is over a window's frame (caption, border, menu, …).
// x, y: the pointer in screen pixels.
// hitTest: that window's WM_NCHITTEST answer (HTCAPTION, HTCLIENT, …); 0 (HTNOWHERE)
//     when there is no window there or it did not answer in time.
// xButton: 1 or 2 for the X buttons, else 0.
// The result is ignored.
using DsMouseCallback = int32_t(__stdcall*)(int32_t message, int32_t x, int32_t y, int32_t hitTest,
                                            int32_t xButton);

// SetMouseHook(mode, callback): mode -1 starts reporting to callback (starting again
// only replaces the callback), 0 stops; once the stop returns the callback is never
// called again. Returns 1 when that worked, 0 otherwise and for any other mode.
// Start and stop on the same thread, which must pump messages.
using SetMouseHookFunction = int32_t(__stdcall*)(int32_t mode, DsMouseCallback callback);

inline constexpr int32_t kDsMouseStart = -1;
inline constexpr int32_t kDsMouseStop = 0;
inline constexpr char kSetMouseHookExport[] = "SetMouseHook";
