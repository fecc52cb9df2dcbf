// The halo: a translucent disc centred on the pointer, a ring (the disc with a clear
// centre), or a full-screen tint with a clear hole that follows the pointer.
#pragma once

#include "overlays/HaloGeometry.h"
#include "overlays/OverlayWindow_win.h"

class frmSpot : public OverlayWindow<frmSpot> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmSpot"; }

    // Made at the size its settings give: a colour-keyed window re-sized before it first
    // shows can keep a piece of its first shape under the compositor.
    bool Form_Load(int32_t haloSize = 100);

    // temporary = true (blinking) keeps the stored colour.
    void SetColor(COLORREF colour, bool temporary);
    COLORREF StoredColor() const { return storedColour_; }
    // The window's own background: the key colour, or the tint in full-screen mode.
    void SetBackColor(COLORREF colour);

    bool FullScreen() const { return fullScreen_; }
    // On, the window covers the desktop it is given.
    void SetFullScreen(bool on, const ScreenBounds& desktop);
    // The ring's clear centre as a share of the disc (the command line's "HaloHole").
    void SetHolePercent(int32_t percent);

    // shpHole: shown as the ring's clear centre; in full-screen mode it only carries the
    // hole's place and size.
    void SetHoleVisible(bool visible);
    const ShapeRect& Hole() const { return hole_; }
    void SetHole(const ShapeRect& hole) { hole_ = hole; }
    // Paints the full-screen hole where shpHole is; skipped when its pixels did not change.
    void DrawHole(bool force);
    Rect LastHoleRect() const { return lastHoleRect_; }

    void StartBlink();
    void StopBlink();
    void tmrBlink_Timer();
    bool IsBlinking() const { return isBlinking_; }

    // The size slider's value: the window side outside full-screen mode, the hole's
    // diameter in it.
    void SetHaloSize(int32_t size);
    int32_t HaloSize() const { return haloSize_; }

    void PaintContent(HDC dc, const RECT& area);
    // Outside full-screen mode shpSpot covers the window and shpHole is its centred
    // hole percent; in full-screen mode the hole keeps its own size and place.
    void OnResize();

private:
    // Copies one rectangle of the buffer to the screen.
    void ShowArea(const Rect& area);

    COLORREF fillColour_ = RGB(255, 255, 192);  // shpSpot until the settings apply
    COLORREF storedColour_ = RGB(255, 255, 192);
    COLORREF backColour_ = kDesignColourKey;
    int32_t haloSize_ = 100;
    int32_t holePercent_ = kHaloHolePercentDefault;
    bool fullScreen_ = false;
    bool holeVisible_ = false;
    ShapeRect hole_;
    Rect lastHoleRect_;
    bool isBlinking_ = false;
    bool blinkPhase_ = false;
};
