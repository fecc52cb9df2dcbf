// The colour picker: the 45-colour palette as a child control, picked from by mouse (a
// drag picks every cell it crosses) and by the arrow keys, with a selection frame that
// inverts what is under it and flashes while the control has the keyboard focus.
#pragma once

#include "base/BaseWindow_win.h"
#include "controls/ColorPic.h"
#include "base/BackBuffer_win.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class ColorPic : public BaseWindow<ColorPic> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_ColorPic"; }
    // Child control with WS_TABSTOP; topLeft96 in pixels at 96 dpi, cells of
    // sizeFactorX × sizeFactorY at 96 dpi.
    bool Create(HWND parent, int id, POINT topLeft96, int sizeFactorX, int sizeFactorY, UINT dpi);
    void SetDpi(UINT dpi, POINT topLeft96);

    uint32_t RGBColor() const { return model_.RGBColor(); }
    // Snaps to the nearest palette colour and raises nothing.
    void SetRGBColor(uint32_t colour);
    int XPos() const { return model_.XPos(); }
    int YPos() const { return model_.YPos(); }

    // The name a screen reader gives the picker ("Halo").
    void SetAccessibleName(const std::wstring& name);

    // The user picked a colour (one call per cell a drag crosses).
    std::function<void()> RGBChanged;

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LayOut();
    // Draws the buffer afresh and has the window show it.
    void Redraw();
    void Raise(std::optional<uint32_t> picked);
    void OnFocus(bool focused);
    void tmrFlash_Timer();
    void OnMouse(UINT message, int x, int y);
    void OnKeyDown(WPARAM key);

    ColorPicModel model_;
    int sizeFactorX96_ = kDefaultSizeFactor;
    int sizeFactorY96_ = kDefaultSizeFactor;
    UINT dpi_ = 96;
    POINT topLeft96_{};
    bool focused_ = false;
    COLORREF frameColour_ = RGB(0, 0, 0);
    std::wstring accessibleName_;
    BackBuffer buffer_;
    handles::Timer tmrFlash;
};
