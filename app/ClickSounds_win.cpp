#include "app/ClickSounds_win.h"

#include "base/LateFunction_win.h"

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <optional>

namespace {

// Clicks beyond this many waiting (a wheel spun hard) are dropped rather than played late.
constexpr size_t kBacklogLimit = 8;
// A worker stuck in a hung driver is left behind, not waited for.
constexpr DWORD kStopWaitMs = 2000;
// An open device can keep the system's audio clock waking the process (600 times a second
// under Wine) long after the last sound, so it is closed this long after it.
constexpr DWORD kCloseAfterMs = 2000;

// Up to this many sounds queue in the device, each played out whole after the one before:
// a click never cuts another short, so none ends in a pop.
constexpr size_t kWaveSlots = 8;

class WaveOut final : public SoundOutput {
public:
    bool Open() override {
        static const LateFunction<decltype(::waveOutOpen)> open(L"winmm.dll", "waveOutOpen");
        constexpr WORD kBytes = sizeof(int16_t);
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, kClickSampleRate, kClickSampleRate * kBytes, kBytes, 16, 0};
        if (open.Call(MMRESULT{MMSYSERR_NODRIVER}, &device_, WAVE_MAPPER, &format, DWORD_PTR{0}, DWORD_PTR{0},
                      DWORD{CALLBACK_NULL}) == MMSYSERR_NOERROR)
            return true;
        device_ = nullptr;
        return false;
    }

    void Play(ClickVoice, const std::vector<int16_t>& samples) override {
        static const LateFunction<decltype(::waveOutPrepareHeader)> prepare(L"winmm.dll", "waveOutPrepareHeader");
        static const LateFunction<decltype(::waveOutWrite)> write(L"winmm.dll", "waveOutWrite");
        Slot* free = nullptr;
        for (Slot& slot : slots_) {
            if (slot.queued && (slot.header.dwFlags & WHDR_DONE)) Unprepare(slot);
            if (!slot.queued && !free) free = &slot;
        }
        if (!free || samples.empty()) return;
        free->samples = samples;
        free->header = {};
        free->header.lpData = reinterpret_cast<LPSTR>(free->samples.data());
        free->header.dwBufferLength = static_cast<DWORD>(samples.size() * sizeof(int16_t));
        if (prepare.Call(MMRESULT{MMSYSERR_ERROR}, device_, &free->header, UINT{sizeof(WAVEHDR)}) != MMSYSERR_NOERROR)
            return;
        free->queued = true;
        if (write.Call(MMRESULT{MMSYSERR_ERROR}, device_, &free->header, UINT{sizeof(WAVEHDR)}) != MMSYSERR_NOERROR)
            Unprepare(*free);
    }

    void Close() override {
        static const LateFunction<decltype(::waveOutReset)> reset(L"winmm.dll", "waveOutReset");
        static const LateFunction<decltype(::waveOutClose)> close(L"winmm.dll", "waveOutClose");
        // The reset hands every queued buffer back, so each can be unprepared before the close.
        reset.Call(MMRESULT{0}, device_);
        for (Slot& slot : slots_)
            if (slot.queued) Unprepare(slot);
        close.Call(MMRESULT{0}, device_);
        device_ = nullptr;
    }

private:
    struct Slot {
        WAVEHDR header{};
        std::vector<int16_t> samples;
        bool queued = false;
    };

    void Unprepare(Slot& slot) {
        static const LateFunction<decltype(::waveOutUnprepareHeader)> unprepare(L"winmm.dll", "waveOutUnprepareHeader");
        unprepare.Call(MMRESULT{0}, device_, &slot.header, UINT{sizeof(WAVEHDR)});
        slot.queued = false;
    }

    HWAVEOUT device_ = nullptr;
    std::array<Slot, kWaveSlots> slots_;
};

}  // namespace

std::unique_ptr<SoundOutput> WaveOutput() { return std::make_unique<WaveOut>(); }

struct ClickSounds::Shared {
    handles::KernelObject wake{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::unique_ptr<SoundOutput> output;
    std::atomic<bool> silent{false};
    SRWLOCK lock = SRWLOCK_INIT;
    // Under the lock:
    std::vector<ClickVoice> waiting;
    std::shared_ptr<const SoundSet> sounds;
    bool stopping = false;
};

namespace {

class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
};

DWORD WINAPI RunWorker(void* parameter) {
    const std::unique_ptr<std::shared_ptr<ClickSounds::Shared>> owner(
        static_cast<std::shared_ptr<ClickSounds::Shared>*>(parameter));
    ClickSounds::Shared& shared = **owner;
    bool open = false;
    for (;;) {
        // At rest the device is closed and nothing wakes this thread but a sound.
        if (::WaitForSingleObject(shared.wake.get(), open ? kCloseAfterMs : INFINITE) == WAIT_TIMEOUT) {
            shared.output->Close();
            open = false;
            continue;
        }
        std::vector<ClickVoice> voices;
        std::shared_ptr<const ClickSounds::SoundSet> sounds;
        {
            Locked locked(shared.lock);
            if (shared.stopping) break;
            voices.swap(shared.waiting);
            sounds = shared.sounds;
        }
        if (voices.empty()) continue;
        // No device is no error: the sounds stay silent, and nothing tries again on its own.
        if (!open && !(open = shared.output->Open())) {
            shared.silent = true;
            break;
        }
        for (const ClickVoice voice : voices) shared.output->Play(voice, (*sounds)[static_cast<size_t>(voice)]);
    }
    if (open) shared.output->Close();
    return 0;
}

}  // namespace

void ClickSounds::Apply(const SettingsRecord& record) {
    const int32_t volume = record.GetInt(SettingKey::ClickVolume);
    if (!record.IsOn(SettingKey::ClickSounds) || volume <= 0) {
        Stop();
        return;
    }
    if (thread_ && volume == volume_) return;
    auto sounds = std::make_shared<SoundSet>();
    for (int voice = 0; voice < kClickVoiceCount; ++voice)
        (*sounds)[static_cast<size_t>(voice)] = ClickSamples(static_cast<ClickVoice>(voice), volume);
    volume_ = volume;
    if (!thread_) {
        Start(std::move(sounds));
        return;
    }
    Locked locked(shared_->lock);
    shared_->sounds = std::move(sounds);
}

void ClickSounds::Start(std::shared_ptr<const SoundSet> sounds) {
    auto shared = std::make_shared<Shared>();
    if (!shared->wake) return;
    shared->output = maker_ ? maker_() : WaveOutput();
    shared->sounds = std::move(sounds);
    auto* parameter = new std::shared_ptr<Shared>(shared);
    thread_.reset(::CreateThread(nullptr, 0, &RunWorker, parameter, 0, nullptr));
    if (!thread_) {
        delete parameter;
        return;
    }
    shared_ = std::move(shared);
}

void ClickSounds::Heard(uint32_t message, int32_t data) {
    if (!shared_ || shared_->silent) return;
    const std::optional<ClickVoice> voice = ClickVoiceFor(message, data);
    if (!voice) return;
    {
        Locked locked(shared_->lock);
        if (shared_->waiting.size() >= kBacklogLimit) return;
        shared_->waiting.push_back(*voice);
    }
    ::SetEvent(shared_->wake.get());
}

void ClickSounds::Stop() {
    if (!thread_) return;
    {
        Locked locked(shared_->lock);
        shared_->stopping = true;
    }
    ::SetEvent(shared_->wake.get());
    ::WaitForSingleObject(thread_.get(), kStopWaitMs);
    thread_.reset();
    shared_.reset();
    volume_ = 0;
}

bool ClickSounds::Running() const { return shared_ && !shared_->silent; }
