// The settings window's slider as a child control: a caption line with the value
// ("Size: 40"), a groove with a knob that follows the mouse and the arrow keys, optional
// texts at both ends of the groove and a focus rectangle. Drawn by us into a back buffer
// that is redrawn on change only; screen readers hear "Size, slider, 40".
#pragma once

#include "base/BaseWindow_win.h"
#include "controls/Slider.h"
#include "base/BackBuffer_win.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ctlSlider : public BaseWindow<ctlSlider> {
public:
    ctlSlider() = default;
    // The window goes first, while the members its handlers use are still there.
    ~ctlSlider() override { Unload(); }

    static const wchar_t* ClassName() { return L"Glimmora_ctlSlider"; }
    // Child control with WS_TABSTOP at rect96 (pixels at 96 dpi) scaled to dpi; id is its control id.
    bool Create(HWND parent, int id, const RECT& rect96, UINT dpi);
    // The parent moved to a monitor of another DPI: new size, new font, layout again.
    void SetDpi(UINT dpi, const RECT& rect96);

    int32_t Min() const { return model_.Min(); }
    int32_t Max() const { return model_.Max(); }
    // Min first, then Max, each clamping the value; no Change.
    void SetRange(int32_t min, int32_t max);
    float Value() const { return model_.Value(); }
    // Clamped into the range; no Change.
    void SetValue(double value);
    float Step() const { return model_.Step(); }
    // 0, negative and NaN give 1.
    void SetStep(double step);
    const std::wstring& Caption() const { return model_.Caption(); }
    void SetCaption(const std::wstring& caption);
    void SetMinText(const std::wstring& text);
    void SetMaxText(const std::wstring& text);
    // One tooltip over the whole control; an empty text removes it.
    void SetTooltip(const std::wstring& text);
    // The caption line as shown, with the user's decimal separator ("Fading: 1,3").
    std::wstring CaptionText() const;
    // Where the knob is drawn, in client pixels.
    RECT KnobRect() const;

    // The user moved the knob to another value, or pressed Left or Right (also at a bound).
    std::function<void()> Change;

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The buffer to the window's size, the parts placed for it and the font, then Redraw.
    void LayOut();
    void MakeFonts();
    void ReleaseFonts();
    // The largest font at which the caption fits the control's width.
    HFONT CaptionFont(HDC dc, const std::wstring& caption, int width);
    // Has the window draw its buffer afresh at its next paint.
    void Redraw();
    // After anything that may have moved the value: redraw, tell screen readers, raise Change.
    void Refresh(bool raiseChange);
    void OnButtonDown(int x, int y);
    void OnMouseMove(WPARAM keys, int x);
    void OnButtonUp();
    bool OnKeyDown(WPARAM key);
    void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    TTTOOLINFOW TooltipTool();
    void MakeTooltipWindow();

    SliderModel model_;
    SliderLayout layout_;
    std::wstring minText_;
    std::wstring maxText_;
    std::wstring tooltip_;
    UINT dpi_ = 96;
    bool focused_ = false;
    bool stale_ = true;  // the buffer lags behind the model until the next paint
    float notifiedValue_ = 0;
    // The control font, then smaller ones for a caption too long for the control (a long
    // translation), tried in turn.
    std::array<handles::Font, 5> fonts_;
    handles::Font condensed_;
    std::wstring condensedFor_;
    int condensedWidth_ = 0;
    // Made with the window and let go with it.
    std::unique_ptr<BackBuffer> buffer_;
    handles::Window tooltipWindow_;
};

// The user's decimal separator ('.' when the locale has none).
wchar_t UserDecimalSeparator();
