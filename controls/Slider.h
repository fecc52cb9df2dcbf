// The settings window's slider without its window: range, value, step, caption, where the
// knob sits on the track and how presses, drags and arrow keys move it, the caption text
// and the layout of its parts. The Win32 control measures text, paints and turns
// messages into these calls.
#pragma once

#include "base/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

enum class SliderPart { None, Track, Knob };

class SliderModel {
public:
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    float Value() const { return value_; }
    float Step() const { return step_; }
    const std::wstring& Caption() const { return caption_; }

    // Store, then Clamp; no Change.
    void SetMin(int32_t min);
    void SetMax(int32_t max);
    // Clamped into Min..Max and the knob follows; no Change. NaN leaves the value as it was.
    void SetValue(double value);
    // 0, negative and NaN give 1.
    void SetStep(double step);
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }

    // The track as laid out: its left edge, its width and the knob's width, in pixels.
    // The knob is placed again from the value.
    void SetTrack(double left, double width, double knobWidth);
    double TrackLeft() const { return trackLeft_; }
    double Free() const { return free_; }  // how far the knob can travel
    double KnobWidth() const { return knobWidth_; }
    double KnobLeft() const { return trackLeft_ + knobOffset_; }
    double Anchor() const { return anchor_; }

    // Value into Min..Max, then PositionKnob.
    void Clamp();
    // Places the knob for the value; returns its left edge.
    double PositionKnob();
    // The value the knob's place stands for; continuous, not snapped to Step.
    void ValueFromKnob();
    // Moves the knob's left edge to x, held on the track; true when the value changed,
    // which is when Change is raised.
    bool MoveKnobTo(double x);

    // Left (-1) or Right (+1): one Step down or up, clamped. Always raises Change, also
    // at a bound, so the result is always true.
    bool KeyDown(int direction);

    // Mouse, x in the pressed part's own pixels. A press on the knob only notes where it
    // was grabbed; a drag keeps that point under the pointer. On the track the knob's
    // centre jumps to the pointer. True when Change is raised.
    void PressOnKnob(double xInKnob);
    bool DragKnob(double xInKnob);
    bool PressOnTrack(double xInTrack);
    bool DragOnTrack(double xInTrack);

    // The same with x in the control's pixels: a drag follows the part pressed until
    // Release, wherever the pointer goes meanwhile.
    bool Press(SliderPart part, double x);
    bool Drag(double x);
    void Release() { grabbed_ = SliderPart::None; }
    SliderPart Grabbed() const { return grabbed_; }

    // Digits after the decimal point of Step as written (0.1 gives 1, 0.25 gives 2, 1 gives 0).
    int Decimals() const;
    // The value rounded to Decimals, halves to even: "1.3", "40".
    std::wstring NumberText(wchar_t decimalSeparator) const;
    // The caption line: "Size: 40", "Fading: 1,3".
    std::wstring ValueText(wchar_t decimalSeparator) const;

private:
    double Range() const { return static_cast<double>(max_) - static_cast<double>(min_); }

    int32_t min_ = 0;
    int32_t max_ = 100;
    float value_ = 20;
    float step_ = 1;
    std::wstring caption_ = L"Caption";
    double trackLeft_ = 0;
    double free_ = 0;
    double knobWidth_ = 0;
    double knobOffset_ = 0;  // knob left - track left, within 0..free
    double anchor_ = 0;
    SliderPart grabbed_ = SliderPart::None;
};

// A value written with d decimals, rounded half to even on the shortest decimal form of the
// single (so 0.35f counts as 0.35, not as the 0.3499999 it is stored as).
std::wstring FormatSliderNumber(float value, int decimals, wchar_t decimalSeparator);

// What the layout needs to know: the client size, the DPI, and the measured text.
struct SliderMetrics {
    Size control;
    uint32_t dpi = 96;
    int32_t textHeight = 0;    // of the control font, caption and end labels alike
    int32_t minTextWidth = 0;  // 0 when there is no text
    int32_t maxTextWidth = 0;
};

struct SliderLayout {
    int32_t captionTop = 0;
    Rect line;  // under the caption, as wide as the track
    Rect minLabel;
    Rect maxLabel;
    Rect track;  // the row the knob runs in; as high as the knob
    Size knob;
    Rect focus;
};

// Labels at both ends of the track row (never narrower than their text), the track between
// them, the line and caption above it. Nothing when the track cannot hold the knob.
std::optional<SliderLayout> LayoutSlider(const SliderMetrics& metrics);

// Where the caption text starts: over the track, moved left (not past the control's edge)
// when it would otherwise run off the right side.
int32_t CaptionLeft(const SliderLayout& layout, int32_t controlWidth, int32_t textWidth);

// The part under a point of the control: the knob before the track; None elsewhere.
SliderPart SliderPartAt(const SliderLayout& layout, const SliderModel& model, Point p);
