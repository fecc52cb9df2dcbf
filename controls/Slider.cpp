#include "controls/Slider.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Beyond this a step's digits are binary noise, not something a person typed.
constexpr int kMaxDecimals = 7;

// Design sizes in pixels at 96 dpi.
constexpr int kLineTop96 = 15;
constexpr int kRowTop96 = 16;
constexpr int kLabelHeight96 = 15;
constexpr int kMinLabelWidth96 = 21;
constexpr int kMaxLabelWidth96 = 24;
constexpr int kLabelPadding96 = 2;
constexpr int kKnobWidth96 = 9;
constexpr int kKnobHeight96 = 16;

double Finite(double x, double fallback) { return std::isfinite(x) ? x : fallback; }

// The shortest fixed-point digits that read back as this single, without a sign.
std::string ShortestDigits(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

// Adds one to the last digit of a run of decimal digits, carrying to the left.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

void SliderModel::SetMin(int32_t min) {
    min_ = min;
    Clamp();
}

void SliderModel::SetMax(int32_t max) {
    max_ = max;
    Clamp();
}

void SliderModel::SetValue(double value) {
    if (std::isnan(value)) return;
    // Clamped as a double first: a double beyond the single's range has no single to become.
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    value_ = static_cast<float>(value);
    Clamp();
}

void SliderModel::SetStep(double step) {
    if (!(step > 0)) step = 1;
    step_ = static_cast<float>(std::min(step, static_cast<double>(std::numeric_limits<float>::max())));
}

void SliderModel::SetTrack(double left, double width, double knobWidth) {
    trackLeft_ = Finite(left, 0);
    knobWidth_ = std::max(0.0, Finite(knobWidth, 0));
    free_ = std::max(0.0, Finite(width, 0) - knobWidth_);
    PositionKnob();
}

void SliderModel::Clamp() {
    if (value_ < min_) value_ = static_cast<float>(min_);
    if (value_ > max_) value_ = static_cast<float>(max_);
    PositionKnob();
}

double SliderModel::PositionKnob() {
    const double range = Range();
    // An empty range has nowhere to put the value but the start.
    const double fraction = range == 0 ? 0 : std::clamp((value_ - static_cast<double>(min_)) / range, 0.0, 1.0);
    knobOffset_ = free_ * fraction;
    return KnobLeft();
}

void SliderModel::ValueFromKnob() {
    const double range = Range();
    if (range == 0) {
        value_ = static_cast<float>(min_);
        return;
    }
    // A track with no room for the knob cannot tell a value: keep the one there is.
    if (free_ <= 0) return;
    const double fraction = std::clamp(knobOffset_ / free_, 0.0, 1.0);
    // The ends exactly, whatever the arithmetic between them makes of the range.
    value_ = fraction == 1 ? static_cast<float>(max_) : static_cast<float>(min_ + fraction * range);
}

bool SliderModel::MoveKnobTo(double x) {
    if (std::isnan(x)) return false;
    const float old = value_;
    // With an empty range the knob stays at the start, where the value puts it.
    const double room = Range() == 0 ? 0 : free_;
    knobOffset_ = std::clamp(x - trackLeft_, 0.0, room);
    ValueFromKnob();
    return value_ != old;
}

bool SliderModel::KeyDown(int direction) {
    if (direction != 0) SetValue(static_cast<double>(value_) + (direction < 0 ? -1.0 : 1.0) * step_);
    Clamp();
    return true;
}

void SliderModel::PressOnKnob(double xInKnob) { anchor_ = Finite(xInKnob, 0); }

bool SliderModel::DragKnob(double xInKnob) { return MoveKnobTo(KnobLeft() + xInKnob - anchor_); }

bool SliderModel::PressOnTrack(double xInTrack) { return MoveKnobTo(trackLeft_ + xInTrack - knobWidth_ / 2); }

bool SliderModel::DragOnTrack(double xInTrack) { return PressOnTrack(xInTrack); }

bool SliderModel::Press(SliderPart part, double x) {
    grabbed_ = part;
    switch (part) {
    case SliderPart::Knob:
        PressOnKnob(x - KnobLeft());
        return false;
    case SliderPart::Track:
        return PressOnTrack(x - trackLeft_);
    case SliderPart::None:
        break;
    }
    return false;
}

bool SliderModel::Drag(double x) {
    switch (grabbed_) {
    case SliderPart::Knob:
        return DragKnob(x - KnobLeft());
    case SliderPart::Track:
        return DragOnTrack(x - trackLeft_);
    case SliderPart::None:
        break;
    }
    return false;
}

int SliderModel::Decimals() const {
    const std::string digits = ShortestDigits(step_);
    const size_t point = digits.find('.');
    if (point == std::string::npos) return 0;
    return std::min(kMaxDecimals, static_cast<int>(digits.size() - point - 1));
}

std::wstring SliderModel::NumberText(wchar_t decimalSeparator) const {
    return FormatSliderNumber(value_, Decimals(), decimalSeparator);
}

std::wstring SliderModel::ValueText(wchar_t decimalSeparator) const {
    return caption_ + L": " + NumberText(decimalSeparator);
}

std::wstring FormatSliderNumber(float value, int decimals, wchar_t decimalSeparator) {
    if (!std::isfinite(value)) value = 0;
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const std::string digits = ShortestDigits(value);
    const size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);

    if (fraction.size() > static_cast<size_t>(decimals)) {
        const char next = fraction[decimals];
        const bool moreAfter = fraction.find_first_not_of('0', decimals + 1) != std::string::npos;
        fraction.resize(decimals);
        const char kept = decimals > 0 ? fraction.back() : whole.back();
        const bool keptOdd = (kept - '0') % 2 == 1;
        if (next > '5' || (next == '5' && (moreAfter || keptOdd))) {
            // Carry through the fraction into the whole part as one run of digits.
            std::string all = whole + fraction;
            Increment(all);
            whole = all.substr(0, all.size() - fraction.size());
            fraction = all.substr(all.size() - fraction.size());
        }
    }
    fraction.resize(decimals, '0');

    const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                      fraction.find_first_not_of('0') == std::string::npos;
    std::wstring text;
    if (value < 0 && !zero) text += L'-';
    text.append(whole.begin(), whole.end());
    if (decimals > 0) {
        text += decimalSeparator;
        text.append(fraction.begin(), fraction.end());
    }
    return text;
}

std::optional<SliderLayout> LayoutSlider(const SliderMetrics& metrics) {
    const uint32_t dpi = metrics.dpi ? metrics.dpi : 96;
    // As the window scales its children's places, so that the parts line up with them.
    const auto scaled = [dpi](int32_t length96) { return ScaleLength(length96, dpi); };
    const int32_t width = metrics.control.width;
    const int32_t text = std::max(0, metrics.textHeight);
    const int32_t padding = scaled(kLabelPadding96);
    const auto labelWidth = [padding](int32_t design, int32_t textWidth) {
        return textWidth > 0 ? std::max(design, textWidth + padding) : design;
    };

    SliderLayout layout;
    layout.captionTop = 0;
    const int32_t lineTop = std::max(scaled(kLineTop96), layout.captionTop + text);
    const int32_t lineHeight = std::max(1, scaled(1));
    const int32_t rowTop = std::max(scaled(kRowTop96), lineTop + lineHeight);
    const int32_t labelHeight = std::max(scaled(kLabelHeight96), text);
    const int32_t minWidth = labelWidth(scaled(kMinLabelWidth96), metrics.minTextWidth);
    const int32_t maxWidth = labelWidth(scaled(kMaxLabelWidth96), metrics.maxTextWidth);
    layout.knob = {std::max(1, scaled(kKnobWidth96)), std::max(1, scaled(kKnobHeight96))};

    layout.track = {minWidth + 1, rowTop, width - maxWidth, rowTop + layout.knob.height};
    if (layout.track.Width() <= layout.knob.width) return std::nullopt;
    layout.line = {layout.track.left, lineTop, layout.track.right, lineTop + lineHeight};
    layout.minLabel = {0, rowTop, minWidth, rowTop + labelHeight};
    layout.maxLabel = {width - maxWidth, rowTop, width, rowTop + labelHeight};
    layout.focus = {0, 0, width, metrics.control.height};
    return layout;
}

int32_t CaptionLeft(const SliderLayout& layout, int32_t controlWidth, int32_t textWidth) {
    const int32_t left = layout.track.left;
    if (left + textWidth <= controlWidth) return left;
    return std::max(0, controlWidth - textWidth);
}

SliderPart SliderPartAt(const SliderLayout& layout, const SliderModel& model, Point p) {
    // Anywhere below the caption line counts, so the thin knob is easy to catch.
    if (p.y < layout.track.top || p.y >= layout.focus.bottom) return SliderPart::None;
    const double x = p.x;
    if (x >= model.KnobLeft() && x < model.KnobLeft() + model.KnobWidth()) return SliderPart::Knob;
    if (p.x >= layout.track.left && p.x < layout.track.right) return SliderPart::Track;
    return SliderPart::None;
}
