// The big pointer: the system's pointer shape of the moment, enlarged, its hot spot on the
// pointer, above every other overlay. It is drawn with per-pixel alpha from a premultiplied
// back buffer (UpdateLayeredWindow), so smooth edges and alpha cursors show without the
// fringe a colour key leaves; a move only moves the window.
#pragma once

#include "overlays/BigPointer.h"
#include "overlays/OverlayWindow_win.h"

#include <optional>

class frmBigPointer : public OverlayWindow<frmBigPointer> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmBigPointer"; }

    // Hidden until it is switched on.
    bool Form_Load();
    // The percent it is drawn at (BigPointerPercent); a new one takes the shape again.
    void SetPercent(int32_t percent);
    int32_t Percent() const { return percent_; }
    // To the pointer; the shape is taken again when the system's pointer is another one.
    void Follow(Point pointer);
    // Without a move: a shape the pointer took while it rests.
    void FollowShape();
    // The system's pointer shown, and its size and hot spot as drawn.
    HCURSOR Cursor() const { return cursor_; }
    const BigPointerShape& Shape() const { return shape_; }

    // As every overlay's, but the alpha goes with the picture: the window has no colour key.
    void MakeTrans(int32_t alpha, bool temporary);
    BYTE Alpha() const { return alpha_; }
    // Blinking shows the picture and its inverse in turn, on the halo's ticks.
    void StartBlink() { isBlinking_ = true; }
    void StopBlink();
    void tmrBlink_Timer();

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TakeShape(HCURSOR cursor);
    // Paints the back buffer and hands it to the window, placed for the pointer.
    void Present();
    // Hands the buffer as it is to the window, at its place, with the alpha of now. Some systems
    // take no new alpha without the picture.
    void Update();
    const PointerImage& Picture() const { return isBlinking_ && blinkPhase_ ? inverted_ : image_; }

    int32_t percent_ = 250;
    HCURSOR cursor_ = nullptr;
    bool stale_ = true;  // the shape is to be taken again before it shows
    BigPointerShape shape_;
    PointerImage image_;
    PointerImage inverted_;
    Point pointer_;
    BYTE alpha_ = 255;
    bool isBlinking_ = false;
    bool blinkPhase_ = false;

    // A 32-bit top-down DIB: the only kind whose alpha bytes reach the window unchanged.
    handles::MemoryDc dc_;
    handles::Bitmap bitmap_;
    std::optional<handles::SelectObjectGuard> selection_;
    Size bufferSize_;
};
