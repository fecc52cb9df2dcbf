// Plays the click sounds from a worker thread that owns the sound device: opening a device,
// and writing to it, can take milliseconds or hang in a broken driver, and neither the hooks'
// messages nor the rings may wait for that. At rest the device is closed and the worker
// sleeps on its event, so sounds switched on cost nothing then.
#pragma once

#include "app/ClickSound.h"
#include "base/Handles_win.h"
#include "settings/SettingsRecord.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// Where the worker sends the sounds, all on the worker: Open at a sound after rest, then Play,
// and Close at the next rest.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // False without a device: the worker then ends and the sounds stay silent until they are
    // switched on again.
    virtual bool Open() = 0;
    virtual void Play(ClickVoice voice, const std::vector<int16_t>& samples) = 0;
    virtual void Close() = 0;
};
using SoundOutputMaker = std::function<std::unique_ptr<SoundOutput>()>;

// The system's wave device; winmm is loaded when first opened.
std::unique_ptr<SoundOutput> WaveOutput();

class ClickSounds {
public:
    ClickSounds() = default;
    ~ClickSounds() { Stop(); }
    ClickSounds(const ClickSounds&) = delete;
    ClickSounds& operator=(const ClickSounds&) = delete;

    // "ClickSounds" and "ClickVolume": on at a volume above 0 the worker runs, opening the
    // device for the sounds and closing it at rest; off, or at volume 0, it ends.
    void Apply(const SettingsRecord& record);
    // The sound of a hook's mouse message (ClickVoiceFor), handed to the worker without
    // waiting; dropped while off, without a device, or with a backlog.
    void Heard(uint32_t message, int32_t data);
    // Ends the worker, which closes the device.
    void Stop();
    // The worker runs and has not found the device missing.
    bool Running() const;

    // Tests: the output of every worker started from now on; null for the wave device.
    void SetOutputForTest(SoundOutputMaker maker) { maker_ = std::move(maker); }

    // Every voice's samples at one volume, shared with the worker.
    using SoundSet = std::array<std::vector<int16_t>, kClickVoiceCount>;
    struct Shared;

private:
    void Start(std::shared_ptr<const SoundSet> sounds);

    std::shared_ptr<Shared> shared_;
    handles::KernelObject thread_;
    SoundOutputMaker maker_;
    int32_t volume_ = 0;
};
