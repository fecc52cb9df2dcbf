#include "app/ClickSound.h"

#include "hook/MouseMessage.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Shape {
    double pitchHz;
    double seconds;
    double share;  // of kClickPeak
};

// Pitches at least a minor third apart, in the order of the buttons under the fingers: the
// middle lowest, then left, right, and the side buttons above; the wheel ticks high and short.
constexpr Shape kShapes[kClickVoiceCount] = {
    {880, 0.030, 1.0},  {660, 0.030, 1.0},  {1100, 0.030, 1.0}, {1320, 0.030, 1.0}, {1650, 0.030, 1.0},
    {2400, 0.012, kWheelTickShare}, {2000, 0.012, kWheelTickShare},
};

constexpr double kAttackSeconds = 0.001;
constexpr double kEndFadeSeconds = 0.002;
// The decay's time constant as a share of the length: about e^-6 is left before the end fade.
constexpr double kDecayShare = 1.0 / 6;
// A touch of the octave above gives the tone a click's edge without moving its zero crossings.
constexpr double kOctaveShare = 0.3;

// 0 at i = 0, rising as half a cosine to 1 at i = length.
double Rise(double i, double length) { return i >= length ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * i / length); }

std::vector<double> Tone(const Shape& shape) {
    const auto count = static_cast<size_t>(std::lround(shape.seconds * kClickSampleRate));
    const double attack = kAttackSeconds * kClickSampleRate, fade = kEndFadeSeconds * kClickSampleRate;
    const double decay = shape.seconds * kDecayShare, w = 2 * std::numbers::pi * shape.pitchHz;
    std::vector<double> tone(count);
    for (size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / kClickSampleRate;
        const double envelope = Rise(static_cast<double>(n), attack) * Rise(static_cast<double>(count - 1 - n), fade) *
                                std::exp(-t / decay);
        tone[n] = envelope * (std::sin(w * t) + kOctaveShare * std::sin(2 * w * t));
    }
    return tone;
}

// A decaying tone leans to the side of its first half wave. Taking the mean away under a
// window that is zero at both ends keeps the ends at zero.
void RemoveOffset(std::vector<double>& tone) {
    const size_t count = tone.size();
    if (count < 3) return;
    std::vector<double> window(count);
    double sum = 0, windowSum = 0;
    for (size_t n = 0; n < count; ++n) {
        const double s = std::sin(std::numbers::pi * static_cast<double>(n) / static_cast<double>(count - 1));
        window[n] = s * s;
        sum += tone[n];
        windowSum += window[n];
    }
    for (size_t n = 0; n < count; ++n) tone[n] -= sum / windowSum * window[n];
}

}  // namespace

std::vector<int16_t> ClickSamples(ClickVoice voice, int32_t volume) {
    volume = std::clamp(volume, 0, 100);
    if (volume == 0) return {};
    const Shape& shape = kShapes[static_cast<size_t>(voice)];
    std::vector<double> tone = Tone(shape);
    RemoveOffset(tone);
    double peak = 0;
    for (const double value : tone) peak = std::max(peak, std::abs(value));
    const double scale = peak > 0 ? kClickPeak * shape.share * volume / 100.0 / peak : 0.0;
    std::vector<int16_t> samples(tone.size());
    std::transform(tone.begin(), tone.end(), samples.begin(),
                   [scale](double value) { return static_cast<int16_t>(std::lround(value * scale)); });
    return samples;
}

std::optional<ClickVoice> ClickVoiceFor(uint32_t message, int32_t data) {
    switch (message) {
        case wm::XButtonDown:
        case wm::XButtonDblClk:
        case wm::NcXButtonDown:
        case wm::NcXButtonDblClk: return data == 2 ? ClickVoice::X2 : ClickVoice::X1;
        default: break;
    }
    switch (ClientMessage(message)) {
        case wm::LButtonDown:
        case wm::LButtonDblClk: return ClickVoice::Left;
        case wm::MButtonDown:
        case wm::MButtonDblClk: return ClickVoice::Middle;
        case wm::RButtonDown:
        case wm::RButtonDblClk: return ClickVoice::Right;
        case wm::MouseWheel: return ClickVoice::WheelVertical;
        case wm::MouseHWheel: return ClickVoice::WheelHorizontal;
        default: return std::nullopt;
    }
}
