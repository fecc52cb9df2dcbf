// The mouse image that trails the pointer: a white or black mouse whose pressed buttons
// and turned wheel light up, with the held modifiers' names below it. The black version
// can be replaced by six picture files beside the program.
#pragma once

#include "overlays/MouseImageLayers.h"
#include "overlays/OverlayWindow_win.h"
#include "overlays/PictureFile_win.h"

#include <array>
#include <optional>
#include <string>

class frmPic : public OverlayWindow<frmPic> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmPic"; }
    // The picture files: "mouse.gif" and the five lit layers.
    static const std::array<const wchar_t*, kMouseImageLayers>& PictureFiles();

    bool Form_Load();
    // Reads the six picture files by bare name (from the current folder); any one
    // missing or unreadable leaves the built-in pictures in use.
    void LoadCustomImages();
    bool CustomImages() const { return customImages_; }

    // true: the black version.
    void SetColor(bool black);
    void MouseEvent(int32_t code, int32_t data);
    // Every button and wheel mark dark again (pausing).
    void ClearButtons();
    void SetKeyText(const std::wstring& text);
    // The caption's scale, 1.0 at 96 dpi: it grows with the image.
    void SetTextScale(double scale);
    // While set, the tracking loop leaves the window where it is.
    bool LockPos = false;
    // The pictures' own size, whose height/width ratio the window keeps.
    Size PictureSize() const;
    const MouseImageLayers& Layers() const { return layers_; }

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool UsesPictureFiles() const { return customImages_ && black_; }

    MouseImageLayers layers_;
    std::array<std::optional<MaskedPicture>, kMouseImageLayers> pictures_;
    bool customImages_ = false;
    bool black_ = false;
    std::wstring keyText_;
    double textScale_ = 1.0;
    handles::Timer tmrDelay;
};
