// Presets in the whole program: read from the file, switched from the tray menu, the program's
// own call and the shortcut, saved into the file.
#include "tests/win/ProgramTest.h"

namespace {

// Held down together for a moment, as a hand presses a shortcut.
void PressKeys(std::initializer_list<WORD> keys) {
    for (const bool up : {false, true}) {
        for (const WORD key : keys) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki = {key, 0, static_cast<DWORD>(up ? KEYEVENTF_KEYUP : 0), 0, 0};
            ::SendInput(1, &input, sizeof input);
        }
        PumpProgram(150);
    }
}

// The tray menu's presets: how many entries, and which one is checked (-1: none).
std::pair<int, int> TrayPresets() {
    const handles::Menu menu = TrayMenu();
    for (int i = 0; i < ::GetMenuItemCount(menu.get()); ++i)
        if (const HMENU presets = ::GetSubMenu(menu.get(), i)) {
            int checked = -1;
            for (int j = 0; j < ::GetMenuItemCount(presets); ++j)
                if (::GetMenuState(presets, static_cast<UINT>(j), MF_BYPOSITION) & MF_CHECKED) checked = j;
            return {::GetMenuItemCount(presets), checked};
        }
    return {0, -1};
}

using PresetsTest = ProgramTest;

}  // namespace

// A preset from the file switches the overlays the way their controls do, and a halo that stays
// on is never hidden on the way; a preset saved now is in the file; the menus, where asked for,
// check the preset the settings match; the shortcut goes to the next one.
TEST_F(PresetsTest, PresetsSwitchTheOverlaysRoundTripThroughTheFileAndCycleByShortcut) {
    StartProgram(L"glimmora-presets-test.ini",
                 "[Settings]\r\nCrosshair=1\r\nPresetsInMenus=1\r\n[Preset Big]\r\nHaloSize=200\r\nCrosshair=0\r\n");
    const Presets& presets = program().PresetList();
    ASSERT_EQ(presets.All().size(), 4u);
    const std::size_t big = 3;
    ASSERT_EQ(presets.All()[big].name, "Big");
    ASSERT_TRUE(PumpUntilTrue([] { return program().Loaded(); }, 3000));
    // A pointer put somewhere is found by the once-a-second look.
    ::SetCursorPos(300, 300);
    ASSERT_TRUE(PumpUntilTrue([] { return Visible(overlays().spot.hwnd()); }, 2500));

    const HWND halo = overlays().spot.hwnd();
    const HideCounter hides({halo});
    program().SwitchToPreset(big);
    PumpProgram(100);
    EXPECT_EQ(hides.Hides(), 0);
    EXPECT_TRUE(Visible(halo));
    EXPECT_EQ(WindowRect(halo).Width(), 401);
    EXPECT_FALSE(Visible(overlays().crossHair[0].hwnd()));
    EXPECT_EQ(presets.Current(settings()), big);

    // Ctrl+Shift+P goes on from the current preset.
    program().ApplySetting(SettingKey::HotKeyPresetKeyCode, 'P');
    program().SwitchToPreset(0);
    PressKeys({VK_CONTROL, VK_SHIFT, 'P'});
    EXPECT_TRUE(PumpUntilTrue([&] { return presets.Current(settings()) == 1u; }, 1000)) << "Recording to Live";
    program().SwitchToPreset(big);

    ASSERT_TRUE(program().SaveAsPreset("Mine"));
    Presets read;
    read.Load(ReadBytes(file_), 0);
    ASSERT_NE(read.Find("mine"), nullptr);
    EXPECT_EQ(read.Find("mine")->values, presets.Find("Mine")->values);
    // The tray menu's presets: five, a line and the save entry, the current one checked; one chosen switches.
    EXPECT_EQ(TrayPresets(), std::make_pair(7, static_cast<int>(big)));
    ::PostMessageW(TrayWindow(), WM_COMMAND, TrayIcon::mnuTrayPresets + 1, 0);
    Pump(30);
    EXPECT_EQ(presets.Current(settings()), 1u) << "Live from the tray menu";
    // By default the menus hold only their own entries.
    program().ApplySetting(SettingKey::PresetsInMenus, 0);
    EXPECT_EQ(TrayPresets().first, 0);
    EndProgram();
}
