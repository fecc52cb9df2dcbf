// A key cap of the keyboard display: a grey frame and a lighter face, both with a
// top-to-bottom gradient, an outline and the key's name. Drawn into the display's back
// buffer rather than as a child window, since a layered window shows no children of its own.
#pragma once

#include "base/BackBuffer_win.h"

#include <windows.h>

#include <string>

void DrawKeyCap(HDC dc, GdiTools& tools, HFONT font, const RECT& cap, const std::wstring& caption, double scale);
// The list's box: white, with the display's grey outline.
void DrawKeyListBox(HDC dc, GdiTools& tools, const RECT& box);
