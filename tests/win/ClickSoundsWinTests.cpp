// Click sounds inside the whole program: a press or a wheel step shows its ring or arrow
// within one tick while the sound output takes 300 ms for each sound, every press and step
// asks for its own voice off the message loop's thread, the device is closed at rest, and
// pause, off and volume 0 are silent.
#include "app/ClickSounds_win.h"
#include "hook/MouseHooks_win.h"

#include "tests/win/ProgramTest.h"

#include <atomic>

namespace {

constexpr DWORD kSoundMs = 300;
constexpr double kTickMs = 15;
// A loaded machine can hold one dispatch up past a tick; a sound played in it takes kSoundMs.
constexpr double kNoWaitMs = kSoundMs / 3.0;

std::array<std::atomic<int>, kClickVoiceCount> g_played;
std::atomic<DWORD> g_playThread{0};
std::atomic<int> g_opens{0};
std::atomic<bool> g_open{false};

// As a slow or stuck driver would be.
class SlowOutput final : public SoundOutput {
public:
    bool Open() override { return ++g_opens, g_open = true; }
    void Play(ClickVoice voice, const std::vector<int16_t>& samples) override {
        g_playThread = ::GetCurrentThreadId();
        if (!samples.empty()) ++g_played[static_cast<size_t>(voice)];
        ::Sleep(kSoundMs);
    }
    void Close() override { g_open = false; }
};

std::vector<int> Played() {
    std::vector<int> counts;
    for (const std::atomic<int>& count : g_played) counts.push_back(count);
    return counts;
}

bool ThreadRuns(DWORD id) {
    const handles::KernelObject thread(::OpenThread(SYNCHRONIZE, FALSE, id));
    return thread && ::WaitForSingleObject(thread.get(), 0) == WAIT_TIMEOUT;
}

bool RingShown() {
    const auto& rings = TheProgram().overlays().buttons;
    return std::any_of(rings.begin(), rings.end(), [](const frmButtons& r) { return r.Tracking() && Visible(r.hwnd()); });
}

// Dispatches the one hook message just posted, as the loop does, and returns how long that took in ms.
double DispatchPosted() {
    MSG msg;
    if (!::PeekMessageW(&msg, TheProgram().hwnd(), kMouseHookMessage, kMouseHookMessage, PM_REMOVE)) return -1;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency), ::QueryPerformanceCounter(&start);
    ::DispatchMessageW(&msg);
    ::QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Wheel(WPARAM message, int32_t delta) {
    MSLLHOOKSTRUCT step{};
    step.mouseData = static_cast<DWORD>(delta) << 16;
    LowLevelMouseProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&step));
}

class ClickSoundsTest : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-sounds-test.ini", "[Settings]\r\nClickVolume=40\r\n"); }
    static void TearDownTestSuite() {
        program().sounds().SetOutputForTest(nullptr);
        EndProgram();
    }
    void SetUp() override {
        for (std::atomic<int>& count : g_played) count = 0;
        g_opens = 0;
        program().ApplySetting(SettingKey::ClickSounds, 0);
        program().sounds().SetOutputForTest([] { return std::make_unique<SlowOutput>(); });
    }
};

}  // namespace

TEST_F(ClickSoundsTest, APressWithSoundsOnStillShowsItsRingWithinOneTick) {
    program().ApplySetting(SettingKey::ClickSounds, 1);
    ASSERT_TRUE(program().sounds().Running());
    EXPECT_FALSE(g_open) << "opened for the first sound only";

    const std::tuple<UINT, int, ClickVoice> presses[] = {
        {WM_LBUTTONDOWN, 0, ClickVoice::Left}, {WM_MBUTTONDOWN, 0, ClickVoice::Middle},
        {WM_RBUTTONDBLCLK, 0, ClickVoice::Right}, {WM_XBUTTONDOWN, 1, ClickVoice::X1},
        {WM_NCXBUTTONDOWN, 2, ClickVoice::X2}};
    std::vector<int> expected(kClickVoiceCount);
    std::vector<double> dispatchMs;
    for (const auto& [message, xButton, voice] : presses) {
        SCOPED_TRACE(testing::Message() << "message " << std::hex << message);
        MouseHookCallback(static_cast<int32_t>(message), 400, 300, HTCLIENT, xButton);
        dispatchMs.push_back(DispatchPosted());
        // The X buttons ring nothing, but a frame's X button rings as the middle one.
        EXPECT_EQ(RingShown(), message != WM_XBUTTONDOWN);
        ++expected[static_cast<size_t>(voice)];
        EXPECT_TRUE(PumpUntilTrue([&] { return Played() == expected; }, 1500));
        ForgetHeldButtons();
        for (frmButtons& ring : overlays().buttons) ring.Pause();
    }
    const DWORD worker = g_playThread;
    EXPECT_NE(worker, ::GetCurrentThreadId());

    // The second step comes while the first still sounds: it waits its turn.
    Wheel(WM_MOUSEWHEEL, WHEEL_DELTA);
    dispatchMs.push_back(DispatchPosted());
    EXPECT_TRUE(Visible(overlays().wheelArrow[0].hwnd()));
    Wheel(WM_MOUSEHWHEEL, -WHEEL_DELTA);
    dispatchMs.push_back(DispatchPosted());
    // Releases are silent.
    MouseHookCallback(WM_LBUTTONUP, 400, 300, HTCLIENT, 0);
    dispatchMs.push_back(DispatchPosted());
    std::sort(dispatchMs.begin(), dispatchMs.end());
    EXPECT_GE(dispatchMs.front(), 0) << "every message was posted";
    EXPECT_LT(dispatchMs[dispatchMs.size() / 2], kTickMs);
    EXPECT_LT(dispatchMs.back(), kNoWaitMs);
    ++expected[static_cast<size_t>(ClickVoice::WheelVertical)], ++expected[static_cast<size_t>(ClickVoice::WheelHorizontal)];
    EXPECT_TRUE(PumpUntilTrue([&] { return Played() == expected; }, 1500));
    PumpProgram(400);
    EXPECT_EQ(Played(), expected);

    // At rest the device is closed, and the next sound opens it again.
    EXPECT_EQ(g_opens, 1);
    EXPECT_TRUE(PumpUntilTrue([] { return !g_open; }, 3000));
    Wheel(WM_MOUSEWHEEL, -WHEEL_DELTA);
    ++expected[static_cast<size_t>(ClickVoice::WheelVertical)];
    EXPECT_TRUE(PumpUntilTrue([&] { return Played() == expected; }, 1000));
    EXPECT_EQ(g_opens, 2);

    // Switched off, the worker is joined.
    EXPECT_TRUE(ThreadRuns(worker));
    program().ApplySetting(SettingKey::ClickSounds, 0);
    EXPECT_FALSE(program().sounds().Running() || g_open);
    EXPECT_FALSE(ThreadRuns(worker));
}

TEST_F(ClickSoundsTest, PausedOffOrAtVolumeZeroNothingSounds) {
    const auto pressIsSilent = [] {
        MouseHookCallback(WM_LBUTTONDOWN, 400, 300, HTCLIENT, 0);
        MouseHookCallback(WM_LBUTTONUP, 400, 300, HTCLIENT, 0);
        PumpProgram(400);
        return Played() == std::vector<int>(kClickVoiceCount);
    };
    program().ApplySetting(SettingKey::ClickSounds, 1);
    ASSERT_TRUE(program().sounds().Running());
    program().SetPaused(true);
    EXPECT_TRUE(pressIsSilent()) << "paused";
    program().SetPaused(false);
    program().ApplySetting(SettingKey::ClickVolume, 0);
    EXPECT_FALSE(program().sounds().Running());
    EXPECT_TRUE(pressIsSilent()) << "volume 0";
    program().ApplySetting(SettingKey::ClickVolume, 40);
    program().ApplySetting(SettingKey::ClickSounds, 0);
    EXPECT_TRUE(pressIsSilent()) << "off";

    // The system's own device (or none, as often under Wine): no box, and the ring still at once.
    program().sounds().SetOutputForTest(nullptr);
    program().ApplySetting(SettingKey::ClickSounds, 1);
    PumpProgram(300);
    MouseHookCallback(WM_LBUTTONDOWN, 400, 300, HTCLIENT, 0);
    const double pressMs = DispatchPosted();
    EXPECT_GE(pressMs, 0);
    EXPECT_LT(pressMs, kNoWaitMs);
    EXPECT_TRUE(RingShown());
    EXPECT_EQ(::FindWindowW(L"#32770", nullptr), nullptr);
    MouseHookCallback(WM_LBUTTONUP, 400, 300, HTCLIENT, 0);
    PumpProgram(100);
    program().ApplySetting(SettingKey::ClickSounds, 0);
}
