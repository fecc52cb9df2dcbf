// What the settings window changes while the program runs touches only what it names: a lock
// keeps its window where it is, the keyboard display's sliders keep the keys it lists, a right
// click opens no menu, and a new language reaches the rings and the keyboard display at once.
#include "base/Geometry.h"
#include "hook/MouseEvent.h"
#include "lang/SharedLanguage_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/ProgramTest.h"
#include "tests/win/Surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Places of the mouse image and the keyboard display saved at an earlier exit, far from
// where the pointer takes them: 15 twips a pixel, (900, 600) and (1000, 700).
constexpr const char* kSavedPlaces =
    "[Settings]\r\nMouseImagePosX=13500\r\nMouseImagePosY=9000\r\nListPosX=15000\r\nListPosY=10500\r\n";

Point TopLeft(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.left, r.top};
}

// The client area as the window shows it now.
std::vector<COLORREF> Shown(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    Surface shot(r.right, r.bottom, RGB(0, 0, 0));
    handles::WindowDc dc(window);
    ::BitBlt(shot.dc(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

// What the overlay's paint routine draws for its state now.
template <typename Overlay>
std::vector<COLORREF> Painted(Overlay& window) {
    const Size size = window.ClientSize();
    Surface drawn(size.width, size.height, RGB(0, 0, 0));
    window.PaintContent(drawn.dc(), drawn.area());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) pixels.push_back(drawn.At(x, y));
    return pixels;
}

// Menus opened while the counter runs; each is closed as soon as it is seen.
int g_menusOpened = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
    if (info.flags & GUI_INMENUMODE) {
        ++g_menusOpened;
        ::EndMenu();
    }
}

// A right click at the pointer as the hooks report it: the ring it showed, fading out now.
frmButtons* RightClickRing() {
    Program& program = TheProgram();
    program.MouseEvent(RightDown, 0);
    frmButtons* pressed = nullptr;
    for (frmButtons& ring : program.overlays().buttons)
        if (ring.Tracking()) pressed = &ring;
    program.MouseEvent(RightUp, 0);
    if (pressed) ::UpdateWindow(pressed->hwnd());
    return pressed;
}

void RightClickAt(POINT screen) {
    ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ASSERT_EQ(::SendInput(2, input, sizeof input[0]), 2u);
    PumpProgram(300);
}

// The whole program, started on a settings file that holds only the saved places.
class SettingsAtRunTimeTest : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-settings-at-run-time-test.ini", kSavedPlaces); }
    static void TearDownTestSuite() { EndProgram(); }
    static frmSet& window() { return TheProgram().SettingsWindow(); }
};

}  // namespace

// F3 and F4 lock the mouse image and the keyboard display where they are; the places saved
// at the last exit are taken at start only, so neither window jumps there.
TEST_F(SettingsAtRunTimeTest, F3AndF4LockTheWindowsWhereTheyAreNotAtTheirSavedPlaces) {
    Program& program = TheProgram();
    program.ApplySetting(SettingKey::MouseImageLockPos, 0);
    program.ApplySetting(SettingKey::ListLockPos, 0);
    program.ApplySetting(SettingKey::MouseImage, 1);
    program.ApplySetting(SettingKey::ShowKeysWindow, 1);
    ASSERT_TRUE(::SetCursorPos(300, 250));
    PumpProgram(100);
    const HWND pic = TheProgram().overlays().pic.hwnd(), keyBoard = TheProgram().overlays().keyBoard.hwnd();
    ASSERT_TRUE(::IsWindowVisible(pic));
    ASSERT_TRUE(::IsWindowVisible(keyBoard));
    const Point picAt = TopLeft(pic), keyBoardAt = TopLeft(keyBoard);
    ASSERT_NE(picAt, (Point{900, 600}));
    ASSERT_NE(keyBoardAt, (Point{1000, 700}));

    ::SetFocus(window().Control("chkSpot"));
    Key(VK_F3);
    Key(VK_F4);
    EXPECT_TRUE(settings().IsOn(SettingKey::MouseImageLockPos));
    EXPECT_TRUE(settings().IsOn(SettingKey::ListLockPos));
    EXPECT_EQ(TopLeft(pic), picAt);
    EXPECT_EQ(TopLeft(keyBoard), keyBoardAt);
    // Locked: the pointer goes, they stay.
    ASSERT_TRUE(::SetCursorPos(500, 400));
    PumpProgram(100);
    EXPECT_EQ(TopLeft(pic), picAt);
    EXPECT_EQ(TopLeft(keyBoard), keyBoardAt);

    // Free again: from where they are, after the pointer.
    Key(VK_F3);
    Key(VK_F4);
    EXPECT_FALSE(settings().IsOn(SettingKey::MouseImageLockPos));
    EXPECT_FALSE(settings().IsOn(SettingKey::ListLockPos));
    EXPECT_EQ(TopLeft(pic), picAt);
    PumpProgram(100);
    EXPECT_NE(TopLeft(pic), picAt);
    EXPECT_NE(TopLeft(keyBoard), keyBoardAt);

    // The lock boxes do what the keys do.
    const Point picNow = TopLeft(pic), keyBoardNow = TopLeft(keyBoard);
    Click(window().Control("chkPictureLockPos"));
    Click(window().Control("chkKeyLockPos"));
    EXPECT_TRUE(settings().IsOn(SettingKey::MouseImageLockPos));
    EXPECT_TRUE(settings().IsOn(SettingKey::ListLockPos));
    EXPECT_EQ(TopLeft(pic), picNow);
    EXPECT_EQ(TopLeft(keyBoard), keyBoardNow);
    program.ApplySetting(SettingKey::MouseImageLockPos, 0);
    program.ApplySetting(SettingKey::ListLockPos, 0);
    program.ApplySetting(SettingKey::ShowKeysWindow, 0);
}

// The keyboard display's transparency, its fading time and its lock change only those: the
// keys it lists stay listed.
TEST_F(SettingsAtRunTimeTest, TheKeyboardDisplaysSlidersAndLockKeepTheKeysItLists) {
    Program& program = TheProgram();
    const SettingKey list = FindSettingsControl("chkListSpecialKeys")->key;
    program.ApplySetting(SettingKey::ListCharacterKeys, 1);
    program.ApplySetting(list, 1);
    frmKeyBoard& keyBoard = TheProgram().overlays().keyBoard;
    ASSERT_TRUE(keyBoard.Display().ListMode());
    for (int32_t code : {'A', 'B', 'C'}) keyBoard.AddKey(code);
    ASSERT_EQ(keyBoard.Display().LineCount(), 3u);

    for (const char* name : {"sldTransKeyBoard", "sldFadeKeys"}) {
        SCOPED_TRACE(name);
        const SettingKey key = FindSettingsControl(name)->key;
        const double before = settings().Get(key);
        ::SetFocus(window().Control(name));
        Key(VK_LEFT);
        if (settings().Get(key) == before) Key(VK_RIGHT);  // it was at its minimum
        ASSERT_NE(settings().Get(key), before);
        EXPECT_EQ(keyBoard.Display().LineCount(), 3u);
    }
    BYTE alpha = 0;
    ::GetLayeredWindowAttributes(keyBoard.hwnd(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, TransparencyToAlpha(settings().Get(SettingKey::KeyBoardTrans)));
    EXPECT_EQ(keyBoard.Display().FadingTime(), static_cast<float>(settings().Get(SettingKey::ListKeysFading)));

    ::SetFocus(window().Control("chkSpot"));
    Key(VK_F4);
    EXPECT_EQ(keyBoard.Display().LineCount(), 3u);
    Key(VK_F4);
    EXPECT_EQ(keyBoard.Display().LineCount(), 3u);
    program.ApplySetting(list, 0);
}

// Only the menu button, F10 and the menu key open the program menu. A right click opens
// nothing; on the mouse picture it pauses.
TEST_F(SettingsAtRunTimeTest, ARightClickOpensNoMenuAndPausesOnlyOnTheMousePicture) {
    Program& program = TheProgram();
    ASSERT_FALSE(program.Paused());
    const HWND settingsWindow = window().hwnd();
    ::SetForegroundWindow(settingsWindow);
    const auto onScreen = [&](int x96, int y96) {
        POINT p{ScaleToDpi(x96, window().Dpi()), ScaleToDpi(y96, window().Dpi())};
        ::ClientToScreen(settingsWindow, &p);
        return p;
    };
    RECT box{};
    ::GetWindowRect(window().Control("chkSpot"), &box);
    const POINT bare = onScreen(460, 24), checkBox{(box.left + box.right) / 2, (box.top + box.bottom) / 2},
                picture = onScreen(37, 171);
    ASSERT_EQ(::WindowFromPoint(bare), settingsWindow);
    ASSERT_EQ(::WindowFromPoint(checkBox), window().Control("chkSpot"));
    ASSERT_EQ(::WindowFromPoint(picture), settingsWindow);

    g_menusOpened = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseMenu);
    RightClickAt(bare);
    EXPECT_EQ(g_menusOpened, 0);
    EXPECT_FALSE(program.Paused());
    RightClickAt(checkBox);
    EXPECT_EQ(g_menusOpened, 0);
    EXPECT_FALSE(program.Paused());
    RightClickAt(picture);
    EXPECT_EQ(g_menusOpened, 0);
    EXPECT_TRUE(program.Paused());
    program.SetPaused(false);

    // The keyboard's way to a context menu (the menu key, Shift+F10) still opens it.
    ::SendMessageW(settingsWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(settingsWindow), MAKELPARAM(-1, -1));
    EXPECT_EQ(g_menusOpened, 1);
    ::KillTimer(nullptr, timer);
}

// A language change reaches the overlays that show text: the letter of a ring that is fading
// out and the key caps of the keyboard display change at once, with no event of their own.
TEST_F(SettingsAtRunTimeTest, ALanguageChangeReachesTheRingLettersAndTheKeyboardDisplay) {
    Program& program = TheProgram();
    clsLanguage& language = SharedLanguage();
    language.ChangeLanguage(English);
    program.ApplySetting(SettingKey::Buttons, 1);
    program.ApplySetting(SettingKey::ShowLettersOnRings, 1);
    program.ApplySetting(SettingKey::ButtonsFading, 5);
    ASSERT_TRUE(::SetCursorPos(400, 300));
    frmButtons* fading = RightClickRing();
    ASSERT_NE(fading, nullptr);
    const std::vector<COLORREF> english = Shown(fading->hwnd());

    language.ChangeLanguage(Spanish);  // "R" becomes "D"
    ::UpdateWindow(fading->hwnd());
    frmButtons* fresh = RightClickRing();
    ASSERT_NE(fresh, nullptr);
    ASSERT_NE(fresh, fading);
    const std::vector<COLORREF> spanish = Shown(fresh->hwnd());
    ASSERT_TRUE(english != spanish) << "the letters must show";
    EXPECT_TRUE(Shown(fading->hwnd()) == spanish) << "the fading ring shows the letter of the old language";

    // The Shift cap, held: "Shift" in English, "Umsch" in German.
    language.ChangeLanguage(English);
    program.ApplySetting(SettingKey::ShowKeysWindow, 1);
    frmKeyBoard& keyBoard = TheProgram().overlays().keyBoard;
    keyBoard.SetSpecialKeys(true, false, false);
    ::UpdateWindow(keyBoard.hwnd());
    const std::vector<COLORREF> shift = Shown(keyBoard.hwnd());
    language.ChangeLanguage(German);
    ::UpdateWindow(keyBoard.hwnd());
    const std::vector<COLORREF> umsch = Painted(keyBoard);
    ASSERT_TRUE(shift != umsch) << "the cap's caption must show";
    EXPECT_TRUE(Shown(keyBoard.hwnd()) == umsch) << "the cap shows the old language's name";

    keyBoard.SetSpecialKeys(false, false, false);
    language.ChangeLanguage(English);
    program.ApplySetting(SettingKey::ShowKeysWindow, 0);
    program.ApplySetting(SettingKey::ShowLettersOnRings, 0);
}
