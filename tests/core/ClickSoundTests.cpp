// The click sounds' samples: length, level, ends, offset, pitch per button; and which mouse
// message sounds which voice.
#include <gtest/gtest.h>

#include "app/ClickSound.h"
#include "hook/MouseMessage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace {

constexpr ClickVoice kButtons[] = {ClickVoice::Left, ClickVoice::Middle, ClickVoice::Right, ClickVoice::X1,
                                   ClickVoice::X2};
constexpr ClickVoice kWheels[] = {ClickVoice::WheelVertical, ClickVoice::WheelHorizontal};

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (const int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    return peak;
}

double Milliseconds(const std::vector<int16_t>& samples) { return 1000.0 * samples.size() / kClickSampleRate; }

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t n = from; n < to; ++n) sum += static_cast<double>(samples[n]) * samples[n];
    return std::sqrt(sum / static_cast<double>(to - from));
}

// The dominant pitch in Hz: sign changes between samples that are not zero, two per cycle.
double Pitch(const std::vector<int16_t>& samples) {
    int crossings = 0, sign = 0;
    for (const int16_t s : samples) {
        if (s == 0) continue;
        const int now = s > 0 ? 1 : -1;
        crossings += sign != 0 && now != sign;
        sign = now;
    }
    return crossings / 2.0 / (Milliseconds(samples) / 1000.0);
}

}  // namespace

TEST(ClickSound, EachVoiceIsShortStartsAndEndsAtZeroAndCarriesNoOffset) {
    for (int v = 0; v < kClickVoiceCount; ++v) {
        const auto voice = static_cast<ClickVoice>(v);
        for (const int volume : {1, 50, 100}) {
            SCOPED_TRACE(testing::Message() << "voice " << v << ", volume " << volume);
            const std::vector<int16_t> samples = ClickSamples(voice, volume);
            ASSERT_GT(samples.size(), 100u);
            EXPECT_GE(Milliseconds(samples), 5.0);
            EXPECT_LE(Milliseconds(samples), 40.0);
            EXPECT_EQ(samples.front(), 0);
            EXPECT_EQ(samples.back(), 0);
            // Within one step of zero on average: a pop-free start and end need no offset either.
            const double mean = std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
            EXPECT_LE(std::abs(mean), 1.0);
        }
    }
    for (const ClickVoice button : kButtons) EXPECT_GE(Milliseconds(ClickSamples(button, 50)), 15.0);
}

TEST(ClickSound, RisesAtOnceAndDecaysFast) {
    for (int v = 0; v < kClickVoiceCount; ++v) {
        SCOPED_TRACE(testing::Message() << "voice " << v);
        const std::vector<int16_t> samples = ClickSamples(static_cast<ClickVoice>(v), 100);
        const size_t count = samples.size(), fifth = count / 5;
        const auto loudest = std::max_element(samples.begin(), samples.end(),
                                              [](int16_t a, int16_t b) { return std::abs(int{a}) < std::abs(int{b}); });
        EXPECT_LT(static_cast<size_t>(loudest - samples.begin()), fifth) << "the peak comes in the first fifth";
        // A step from silence to a loud sample is heard as a pop: the first quarter millisecond stays low.
        const std::vector<int16_t> start(samples.begin(), samples.begin() + kClickSampleRate / 4000);
        EXPECT_LT(Peak(start), Peak(samples) / 3) << "a soft start";
        EXPECT_LT(Rms(samples, count - fifth, count), 0.05 * Rms(samples, 0, fifth)) << "the last fifth is near silent";
    }
}

// Peaks follow the slider in proportion, never reach the sample range's ends, and 0 is silence.
TEST(ClickSound, ThePeakFollowsTheVolumeWithoutClipping) {
    const std::tuple<ClickVoice, double> shares[] = {{ClickVoice::Left, 1.0}, {ClickVoice::X2, 1.0},
                                                     {ClickVoice::WheelVertical, kWheelTickShare}};
    for (const auto& [voice, share] : shares) {
        for (const int volume : {1, 10, 37, 50, 99, 100}) {
            SCOPED_TRACE(testing::Message() << "voice " << int(voice) << ", volume " << volume);
            EXPECT_NEAR(Peak(ClickSamples(voice, volume)), kClickPeak * share * volume / 100.0, 1.0);
        }
        EXPECT_EQ(ClickSamples(voice, 250), ClickSamples(voice, 100)) << "clamped to 100";
        EXPECT_LT(Peak(ClickSamples(voice, 100)), 32767);
        EXPECT_TRUE(ClickSamples(voice, 0).empty());
        EXPECT_TRUE(ClickSamples(voice, -4).empty());
    }
    EXPECT_LE(kClickPeak, 16384) << "a soft click: half the range at most";
}

TEST(ClickSound, EveryButtonHasItsOwnPitchAndTheWheelTicksShorterAndQuieter) {
    std::vector<double> pitches;
    for (const ClickVoice button : kButtons) pitches.push_back(Pitch(ClickSamples(button, 100)));
    for (size_t a = 0; a < pitches.size(); ++a)
        for (size_t b = a + 1; b < pitches.size(); ++b)
            EXPECT_GT(std::max(pitches[a], pitches[b]) / std::min(pitches[a], pitches[b]), 1.1)
                << "buttons " << a << " and " << b << " at " << pitches[a] << " and " << pitches[b] << " Hz";
    for (const ClickVoice wheel : kWheels) {
        for (const ClickVoice button : kButtons) {
            const std::vector<int16_t> tick = ClickSamples(wheel, 60), click = ClickSamples(button, 60);
            EXPECT_LT(tick.size(), click.size());
            EXPECT_LT(Peak(tick), Peak(click));
            EXPECT_GT(Peak(tick), 0);
        }
    }
}

TEST(ClickSound, PressesAndWheelStepsSoundTheirVoiceAndReleasesNothing) {
    const std::tuple<uint32_t, int32_t, std::optional<ClickVoice>> cases[] = {
        {wm::LButtonDown, 0, ClickVoice::Left},          {wm::NcLButtonDblClk, 0, ClickVoice::Left},
        {wm::MButtonDown, 0, ClickVoice::Middle},        {wm::NcMButtonDown, 0, ClickVoice::Middle},
        {wm::RButtonDblClk, 0, ClickVoice::Right},       {wm::NcRButtonDown, 0, ClickVoice::Right},
        {wm::XButtonDown, 1, ClickVoice::X1},            {wm::XButtonDown, 2, ClickVoice::X2},
        {wm::NcXButtonDown, 2, ClickVoice::X2},          {wm::XButtonDblClk, 1, ClickVoice::X1},
        {wm::MouseWheel, -1, ClickVoice::WheelVertical}, {wm::MouseHWheel, 1, ClickVoice::WheelHorizontal},
        {wm::LButtonUp, 0, std::nullopt},                {wm::NcRButtonUp, 0, std::nullopt},
        {wm::XButtonUp, 1, std::nullopt},                {wm::NcXButtonUp, 2, std::nullopt},
        {0x200, 0, std::nullopt},
    };
    for (const auto& [message, data, voice] : cases)
        EXPECT_EQ(ClickVoiceFor(message, data), voice) << std::hex << message << " with " << data;
}
