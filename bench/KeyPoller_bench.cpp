// One keyboard pass without the window system: what the 100 ms timer costs before any
// GetAsyncKeyState call.
#include "settings/SettingsRecord.h"
#include "keyboard/KeyPoller.h"

#include <benchmark/benchmark.h>

#include <array>
#include <initializer_list>

namespace {

class ArrayKeySource : public KeyStateSource {
public:
    std::array<bool, 256> down{};
    bool IsPressed(int32_t code) override { return code >= 0 && code < 256 && down[static_cast<size_t>(code)]; }
};

KeyPollSettings EveryClassListed() {
    SettingsRecord record;
    for (const SettingKey key : {SettingKey::ListSpecialKeys, SettingKey::ListCharacterKeys, SettingKey::ListCursorKeys,
                                 SettingKey::ListFunctionKeys, SettingKey::ListInputKeys, SettingKey::ListMouseButtons,
                                 SettingKey::AutoHideKeyboard}) {
        record.Set(key, 1);
    }
    record.Set(SettingKey::ListCharacterSpecialKeys, 0);
    return KeyPollSettingsFrom(record);
}

void BM_KeyPassNothingPressed(benchmark::State& state) {
    const KeyPollSettings settings = EveryClassListed();
    KeyPoller poller;
    ArrayKeySource source;
    for (auto _ : state) benchmark::DoNotOptimize(poller.PollKeyboard(source, settings));
}
BENCHMARK(BM_KeyPassNothingPressed);

// Shift, Ctrl and four keys held; on every other pass they go down anew, so the keys are
// matched against the shortcuts and listed.
void BM_KeyPassFewPressed(benchmark::State& state) {
    const KeyPollSettings settings = EveryClassListed();
    KeyPoller poller;
    ArrayKeySource source;
    bool pressed = false;
    for (auto _ : state) {
        pressed = !pressed;
        for (const int code : {16, 17, 65, 67, 108, 112}) source.down[static_cast<size_t>(code)] = pressed;
        benchmark::DoNotOptimize(poller.PollKeyboard(source, settings));
    }
}
BENCHMARK(BM_KeyPassFewPressed);

}  // namespace
