// The click sounds, made here rather than read from files: a short soft click per button
// press, pitched per button so that the ear tells them apart, and a shorter, quieter tick per
// wheel step. Each is a tone under a quick rise and a fast decay that starts and ends at zero,
// so that no sound begins or ends with a pop, and that carries no DC offset.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

enum class ClickVoice : uint8_t { Left, Middle, Right, X1, X2, WheelVertical, WheelHorizontal };
inline constexpr int kClickVoiceCount = 7;

// 16-bit PCM, one channel.
inline constexpr uint32_t kClickSampleRate = 44100;
// The peak of a button's click at volume 100; the wheel's tick peaks at kWheelTickShare of it.
inline constexpr int16_t kClickPeak = 12000;
inline constexpr double kWheelTickShare = 0.4;

// One voice's samples at a volume of 0..100 (outside that range clamped); none at 0.
std::vector<int16_t> ClickSamples(ClickVoice voice, int32_t volume);

// The voice a hook's mouse message sounds: presses and double-clicks of every button, client
// or frame (data 1 or 2 names the X button), and steps of either wheel; releases are silent.
std::optional<ClickVoice> ClickVoiceFor(uint32_t message, int32_t data);
