// Picture files of the mouse image, decoded by the system's imaging component.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/Geometry.h"
#include "base/Handles_win.h"
#include "overlays/PictureHeader.h"

// A picture prepared for drawing with its transparency on any background: BitBlt
// onWhite with SRCAND, then onBlack with SRCPAINT. Transparent pixels are white in the
// first and black in the second, so they leave the destination as it was; opaque pixels
// end up in the file's colours.
struct MaskedPicture {
    handles::Bitmap onWhite;
    handles::Bitmap onBlack;
    Size size;
};

// The first frame of a picture file (GIF, PNG, BMP, ... whatever the system decodes), or
// nothing when the file is missing, unreadable, corrupt, empty or too large.
std::optional<MaskedPicture> LoadMaskedPicture(const std::wstring& path);
