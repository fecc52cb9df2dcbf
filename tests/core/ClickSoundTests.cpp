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

int Peak(std::vector<int16_t>::const_iterator from, std::vector<int16_t>::const_iterator to) {
    int peak = 0;
    for (; from != to; ++from) peak = std::max(peak, std::abs(int{*from}));
    return peak;
}
int Peak(const std::vector<int16_t>& samples) { return Peak(samples.begin(), samples.end()); }

double Milliseconds(const std::vector<int16_t>& samples) { return 1000.0 * samples.size() / kClickSampleRate; }

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

// Short, from zero to zero without a pop, no offset, the peak early and near silence at the end.
TEST(ClickSound, EachVoiceIsShortRisesSoftlyDecaysFastAndCarriesNoOffset) {
    for (int v = 0; v < kClickVoiceCount; ++v) {
        for (const int volume : {1, 50, 100}) {
            SCOPED_TRACE(testing::Message() << "voice " << v << ", volume " << volume);
            const std::vector<int16_t> samples = ClickSamples(static_cast<ClickVoice>(v), volume);
            ASSERT_GT(samples.size(), 100u);
            EXPECT_TRUE(Milliseconds(samples) >= (v < 5 ? 15.0 : 5.0) && Milliseconds(samples) <= 40.0);
            EXPECT_TRUE(samples.front() == 0 && samples.back() == 0);
            // Within one step of zero on average: a pop-free start and end need no offset either.
            const double mean = std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
            EXPECT_LE(std::abs(mean), 1.0);
            if (volume < 100) continue;
            const auto fifth = static_cast<std::ptrdiff_t>(samples.size() / 5);
            EXPECT_EQ(Peak(samples.begin(), samples.begin() + fifth), Peak(samples)) << "the peak comes in the first fifth";
            // A step from silence to a loud sample is heard as a pop: the first quarter millisecond stays low.
            EXPECT_LT(Peak(samples.begin(), samples.begin() + kClickSampleRate / 4000), Peak(samples) / 3);
            EXPECT_LT(Peak(samples.end() - fifth, samples.end()), 0.05 * Peak(samples)) << "the last fifth is near silent";
        }
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
        EXPECT_TRUE(ClickSamples(voice, 0).empty() && ClickSamples(voice, -4).empty());
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
    for (const ClickVoice wheel : {ClickVoice::WheelVertical, ClickVoice::WheelHorizontal}) {
        const std::vector<int16_t> tick = ClickSamples(wheel, 60), click = ClickSamples(ClickVoice::Middle, 60);
        EXPECT_TRUE(tick.size() < click.size() && Peak(tick) < Peak(click) && Peak(tick) > 0);
    }
}

// One row per kind of message; frame messages reach their voice through the client message.
TEST(ClickSound, PressesAndWheelStepsSoundTheirVoiceAndReleasesNothing) {
    const std::tuple<uint32_t, int32_t, std::optional<ClickVoice>> cases[] = {
        {wm::LButtonDown, 0, ClickVoice::Left},          {wm::NcLButtonDblClk, 0, ClickVoice::Left},
        {wm::MButtonDown, 0, ClickVoice::Middle},        {wm::RButtonDblClk, 0, ClickVoice::Right},
        {wm::NcXButtonDown, 1, ClickVoice::X1},          {wm::XButtonDown, 2, ClickVoice::X2},
        {wm::XButtonDblClk, 2, ClickVoice::X2},          {wm::NcXButtonDblClk, 1, ClickVoice::X1},
        {wm::MouseWheel, -1, ClickVoice::WheelVertical}, {wm::MouseHWheel, 1, ClickVoice::WheelHorizontal},
        {wm::LButtonUp, 0, std::nullopt},                {wm::NcRButtonUp, 0, std::nullopt},
        {wm::XButtonUp, 1, std::nullopt},                {0x200, 0, std::nullopt},
    };
    for (const auto& [message, data, voice] : cases)
        EXPECT_EQ(ClickVoiceFor(message, data), voice) << std::hex << message << " with " << data;
}
