// The built-in mouse pictures: a white and a black computer mouse drawn with GDI paths,
// so that they stay crisp at every size. The mouse image stacks six layers of them.
#pragma once

#include <windows.h>

#include "overlays/MouseImageLayers.h"

// Height / width of the drawing; the mouse image keeps its window in this ratio.
inline constexpr double kMouseArtAspect = 1.6;


// Draws one layer scaled to the whole area. The body paints every pixel of the mouse;
// the other layers paint only their own part over it and leave the rest untouched, so
// a buffer cleared to the colour key keeps the key around the mouse. Nothing is drawn
// in or near the colour key, and nothing is smoothed (blended edge pixels would show
// as a fringe around a colour-keyed window). An unknown layer draws nothing.
// layer is a MouseImageLayer.
void DrawMouseLayer(HDC dc, const RECT& area, int layer, bool black);
