// The settings window and its dialogs inside the whole program: usable from the keyboard alone;
// every dialog's change reaches the record and what shows it; a new language reaches every
// caption; a right click opens no menu.
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "ui/Dialogs_win.h"
#include "ui/frmClickOptions_win.h"
#include "ui/frmExtras_win.h"
#include "ui/frmHelp_win.h"
#include "ui/frmHotKeyOptions_win.h"
#include "ui/frmKeyBoardOptions_win.h"
#include "ui/frmOptions_win.h"
#include "ui/frmSetBoundary_win.h"

#include "tests/win/ProgramTest.h"

#include <commctrl.h>

namespace {

// The items of a combo box as (text, code).
std::vector<std::pair<std::wstring, int32_t>> Items(HWND combo) {
    std::vector<std::pair<std::wstring, int32_t>> items;
    for (int i = 0; i < static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)); ++i) {
        wchar_t text[128] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text, static_cast<int32_t>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return items;
}
std::pair<std::wstring, int32_t> Selected(HWND combo) {
    const auto items = Items(combo);
    const auto index = static_cast<size_t>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return index < items.size() ? items[index] : std::pair<std::wstring, int32_t>{};
}
// The tooltip a control of the window shows, from the window's tooltip control.
std::wstring TipOf(HWND window, HWND control) {
    HWND tips = nullptr;
    while ((tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) && ::GetWindow(tips, GW_OWNER) != window) {}
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    if (tips) ::SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}
// A choice as a user makes it: the list's selection moves and its parent is told.
void Choose(HWND combo, int32_t code) {
    const auto items = Items(combo);
    const auto at = std::find_if(items.begin(), items.end(), [&](const auto& item) { return item.second == code; });
    ASSERT_NE(at, items.end()) << code;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at - items.begin()), 0);
    ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

// Menus opened while the counter runs; each is closed as soon as it is seen.
int g_menusOpened = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
    if (info.flags & GUI_INMENUMODE) ++g_menusOpened, ::EndMenu();
}

// What the opening sends the settings window's controls, and its client area as it stands
// painted and again after a full repaint, noted at the moment it stands painted.
struct Opening {
    int controlFramesAndErases = 0;
    std::map<HWND, int> controlPaints;
    std::vector<uint32_t> shown, repainted;
};
Opening g_opening;
handles::Hook g_openingHook;

bool IsSettingsControl(HWND window) {
    wchar_t parentClass[64] = {};
    const HWND parent = ::GetParent(window);
    return parent && ::GetClassNameW(parent, parentClass, 64) && std::wstring(parentClass) == frmSet::ClassName();
}

LRESULT CALLBACK WatchOpening(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && IsSettingsControl(sent.hwnd)) {
        if (sent.message == WM_NCPAINT || sent.message == WM_ERASEBKGND) ++g_opening.controlFramesAndErases;
        if (sent.message == WM_PAINT) ++g_opening.controlPaints[sent.hwnd];
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<uint32_t> ClientPixels(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return DrawnPixels({client.right, client.bottom}, [&](HDC dc) {
        const handles::WindowDc screen(window);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
    });
}

void NoteOpening() {
    g_openingHook.reset();
    SetSettingsWindowShownTrace(nullptr);
    const HWND settings = ::FindWindowW(frmSet::ClassName(), nullptr);
    g_opening.shown = ClientPixels(settings);
    ::RedrawWindow(settings, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    g_opening.repainted = ClientPixels(settings);
}

class SettingsWindowTest : public ProgramTest {
protected:
    static void SetUpTestSuite() {
        g_openingHook.reset(::SetWindowsHookExW(WH_CALLWNDPROC, &WatchOpening, nullptr, ::GetCurrentThreadId()));
        SetSettingsWindowShownTrace(&NoteOpening);
        StartProgram(L"glimmora-settings-window-test.ini");
    }
    static void TearDownTestSuite() { EndProgram(); }
    void TearDown() override { SharedLanguage().ChangeLanguage(English); }
    static HotKeyInfo Shortcut(HotKeyAction action) { return HotKey(settings(), action); }
};

}  // namespace

// The opening paints each control once and whole: no frame paint or erase of its own first
// (each costs a device context), and what stands then is what a full repaint draws.
TEST_F(SettingsWindowTest, TheOpeningPaintsEachControlOnceAndWhole) {
    EXPECT_EQ(g_opening.controlFramesAndErases, 0);
    int controls = 0;
    for (HWND c = ::GetWindow(window().hwnd(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT), ++controls)
        EXPECT_EQ(g_opening.controlPaints[c], 1) << ::GetDlgCtrlID(c);
    EXPECT_GT(controls, 35);
    ASSERT_FALSE(g_opening.shown.empty());
    EXPECT_TRUE(g_opening.shown == g_opening.repainted) << "the opening's pixels differ from a full repaint's";
}

TEST_F(SettingsWindowTest, TabArrowsF10AndRightClicksDoWhatTheyDoFromAnyControl) {
    std::vector<HWND> expected;
    for (const SettingsControl& c : SettingsControls()) {
        const HWND control = window().Control(c.name);
        // Tab enters a group of options at the chosen one.
        if (c.kind == ControlKind::ColourOption ? settings().GetInt(c.key) == c.value
                                                : (::GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0)
            expected.push_back(control);
    }
    ASSERT_GT(expected.size(), 35u);
    ::SetFocus(expected.front());
    std::vector<HWND> reached{::GetFocus()};
    for (size_t i = 0; i < expected.size(); ++i) Key(VK_TAB), reached.push_back(::GetFocus());
    expected.push_back(expected.front());  // round again
    EXPECT_EQ(reached, expected);

    ::SetFocus(window().Slider("sldSizeSpot")->hwnd());
    Key(VK_RIGHT), Key(VK_RIGHT);
    EXPECT_EQ(settings().GetInt(SettingKey::HaloSize), 102);
    EXPECT_EQ(::GetFocus(), window().Slider("sldSizeSpot")->hwnd()) << "the arrows stayed with the slider";

    // Only the menu button, F10 and the menu key open the program menu; a right click opens
    // nothing, and on the mouse picture it pauses. A timer sees each menu and closes it.
    g_menusOpened = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseMenu);
    MSG f10{::GetFocus(), WM_SYSKEYDOWN, VK_F10, 0, 0, {}};
    EXPECT_TRUE(window().PreTranslateMessage(f10));
    EXPECT_EQ(g_menusOpened, 1);
    const HWND settingsWindow = window().hwnd();
    ::SetForegroundWindow(settingsWindow);
    POINT client{};
    ::ClientToScreen(settingsWindow, &client);
    const Rect box = WindowRect(window().Control("chkSpot"));
    const auto at96 = [&](int x, int y) { return POINT{client.x + ScaleToDpi(x, window().Dpi()), client.y + ScaleToDpi(y, window().Dpi())}; };
    for (const POINT at : {at96(460, 24), POINT{box.left + 5, box.top + 5}, at96(37, 171)}) {
        ASSERT_FALSE(program().Paused());
        ASSERT_TRUE(::SetCursorPos(at.x, at.y));
        SendMouse(MOUSEEVENTF_RIGHTDOWN), SendMouse(MOUSEEVENTF_RIGHTUP);
        PumpProgram(300);
        EXPECT_EQ(g_menusOpened, 1);
    }
    EXPECT_TRUE(program().Paused()) << "the mouse picture's right click";
    program().SetPaused(false);
    // A click on a colour swatch hands the focus to the picker beside it.
    for (const auto& [swatch, picker] : {std::pair{"lblSpot", "colpicSpot"}, {"lblCrossHair", "colpicCrossHair"}}) {
        const Rect place = FindSettingsControl(swatch)->place;
        const POINT at = at96((place.left + place.right) / 2, (place.top + place.bottom) / 2);
        ASSERT_TRUE(::SetCursorPos(at.x, at.y));
        SendMouse(MOUSEEVENTF_LEFTDOWN), SendMouse(MOUSEEVENTF_LEFTUP);
        PumpProgram(100);
        EXPECT_EQ(::GetFocus(), window().Control(picker)) << swatch;
    }
    ::SendMessageW(settingsWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(settingsWindow), MAKELPARAM(-1, -1));
    EXPECT_EQ(g_menusOpened, 2) << "the menu key and Shift+F10";
    ::KillTimer(nullptr, timer);
}

TEST_F(SettingsWindowTest, TheKeyDialogsReachTheRecordTheLabelsAndTheKeyboardDisplay) {
    // With every key class off the display lists nothing; its alpha and fading keep the lines.
    Click(window().Control("cmdKeyOptions"));
    frmKeyBoardOptions& keys = KeyBoardOptionsWindow();
    ASSERT_TRUE(keys.IsVisible());
    program().ApplySetting(SettingKey::ListAnyKeys, 1);
    for (const int box : {frmKeyBoardOptions::chkFunction, frmKeyBoardOptions::chkSpecial, frmKeyBoardOptions::chkInput,
                          frmKeyBoardOptions::chkCursor, frmKeyBoardOptions::chkCharacter, frmKeyBoardOptions::chkMouse})
        if (Checked(keys.Control(box))) Click(keys.Control(box));
    EXPECT_FALSE(overlays().keyBoard.Display().ListMode());
    EXPECT_FALSE(::IsWindowEnabled(keys.Control(frmKeyBoardOptions::chkCharacterSpecial)));
    Click(keys.Control(frmKeyBoardOptions::chkCharacter));
    EXPECT_TRUE(settings().IsOn(SettingKey::ListCharacterKeys));
    EXPECT_TRUE(overlays().keyBoard.Display().ListMode());
    for (int32_t code : {'A', 'B', 'C'}) overlays().keyBoard.AddKey(code);
    for (const char* name : {"sldTransKeyBoard", "sldFadeKeys"}) ::SetFocus(window().Control(name)), Key(VK_RIGHT), Key(VK_LEFT);
    EXPECT_EQ(overlays().keyBoard.Display().LineCount(), 3u);
    keys.HideDialog();

    // Each shortcut button edits its own record, and its label follows.
    const std::tuple<const char*, const char*, HotKeyAction> buttons[] = {
        {"cmdHotkeyButtons", "lblHotkeyButtons", HotKeyAction::Buttons}, {"cmdHotkeyPicture", "lblHotkeyPicture", HotKeyAction::Picture},
        {"cmdHotkeySpot", "lblHotkeySpot", HotKeyAction::Spot}, {"cmdHotkeyCrossHair", "lblHotkeyCrossHair", HotKeyAction::CrossHair},
        {"cmdHotkeyKeyBoard", "lblHotkeyKeyBoard", HotKeyAction::KeyBoard}};
    frmHotKeyOptions& shortcut = HotKeyOptionsWindow();
    for (const auto& [button, label, action] : buttons) {
        Click(window().Control(button));
        Choose(shortcut.Control(frmHotKeyOptions::cboSpec1), 17);
        Choose(shortcut.Control(frmHotKeyOptions::cboSpec2), 18);
        Choose(shortcut.Control(frmHotKeyOptions::cboKey), 'K');
        EXPECT_EQ(WindowText(window().Control(label)), L"Ctrl+Alt+K");
        for (const auto& [otherButton, otherLabel, other] : buttons)
            EXPECT_EQ(Shortcut(other).KeyCode, other == action ? 'K' : -1) << button << " " << otherButton;
        Choose(shortcut.Control(frmHotKeyOptions::cboKey), -1);
        EXPECT_EQ(WindowText(window().Control(label)), L"(none)");
        Click(shortcut.Control(frmHotKeyOptions::cmdClose));
        EXPECT_FALSE(shortcut.IsVisible());
    }

    // The options set the pause shortcut, for the poller too, and the tray mode.
    ShowOptions(program(), window().hwnd());
    frmOptions& options = OptionsWindow();
    Choose(options.Control(frmOptions::cboPauseKey), 'P');
    EXPECT_EQ(KeyPollSettingsFrom(settings()).shortcuts[static_cast<int>(HotKeyAction::Pause)].KeyCode, 'P');
    const HWND tray = options.Control(frmOptions::chkShowInTray);
    for (int i = 0; i < 2; ++i) { Click(tray); EXPECT_EQ(window().TaskbarMode(), !Checked(tray)); }

    // The extras show each switch and set it at once, both ways.
    ShowExtras(program(), window().hwnd());
    for (size_t i = 0; i < frmExtras::kSwitches.size(); ++i) {
        const HWND box = ExtrasWindow().Control(frmExtras::chkFirst + static_cast<int>(i));
        const SettingKey key = frmExtras::kSwitches[i];
        const bool was = settings().IsOn(key);
        EXPECT_EQ(Checked(box), was) << i;
        for (int n = 0; n < 2; ++n) { Click(box); EXPECT_EQ(settings().IsOn(key), Checked(box)) << i; }
        EXPECT_EQ(settings().IsOn(key), was) << i;
    }
    // Its sliders show their value and set it with the arrow keys.
    for (size_t i = 0; i < frmExtras::kSliders.size(); ++i) {
        ctlSlider& slider = ExtrasWindow().Slider(i);
        const SettingKey key = frmExtras::kSliders[i];
        EXPECT_EQ(slider.Value(), settings().Get(key)) << i;
        ::SetFocus(slider.hwnd()), Key(VK_RIGHT);
        EXPECT_EQ(settings().Get(key), SettingRowOf(key).fixedDefault + 1) << i;
        Key(VK_LEFT);
        EXPECT_EQ(settings().Get(key), SettingRowOf(key).fixedDefault) << i;
    }
    // A typed program joins the private list and shows in it; the selected one leaves it.
    const HWND list = ExtrasWindow().Control(frmExtras::lstPrivate);
    const LRESULT listed = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    ::SetWindowTextW(ExtrasWindow().Control(frmExtras::txtProgram), L"C:\\Tools\\Vault.exe");
    Click(ExtrasWindow().Control(frmExtras::cmdAdd));
    EXPECT_TRUE(program().Private().Hides("vault.EXE"));
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), listed + 1);
    EXPECT_EQ(WindowText(ExtrasWindow().Control(frmExtras::txtProgram)), L"");
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(listed), 0);
    Click(ExtrasWindow().Control(frmExtras::cmdRemove));
    EXPECT_FALSE(program().Private().Hides("Vault.exe"));
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), listed);
    HideDialogs();
}

// A language change reaches every caption of every open window, letters beyond Latin-1 intact,
// and refills the shortcut lists keeping their codes.
TEST_F(SettingsWindowTest, ALanguageChangeReachesEveryCaptionOfEveryOpenWindow) {
    for (const auto& [key, value] : {std::pair{SettingKey::HotKeyPauseSpec1, 17}, {SettingKey::HotKeyPauseSpec2, 16}, {SettingKey::HotKeyPauseKeyCode, 112}})
        program().ApplySetting(key, value);
    ShowClickOptions(program()), ShowHelpWindow(program(), window().hwnd()), ShowSetBoundary(program());
    ShowOptions(program(), window().hwnd()), Click(window().Control("cmdKeyOptions"));
    ShowExtras(program(), window().hwnd());
    const HWND help = HelpWindow().hwnd(), boundary = SetBoundaryWindow().hwnd();
    frmClickOptions& clickOptions = ClickOptionsWindow();
    std::vector<std::pair<std::function<std::wstring()>, int32_t>> captions = {
        {[&] { return WindowText(help); }, 77}, {[&] { return WindowText(::GetDlgItem(help, frmHelp::lblText)); }, 78},
        {[&] { return WindowText(::GetDlgItem(help, frmHelp::cmdClose)); }, 43}, {[&] { return WindowText(boundary); }, 124},
        {[&] { return WindowText(::GetDlgItem(boundary, frmSetBoundary::lblInfo)); }, 125},
        {[&] { return WindowText(::GetDlgItem(boundary, frmSetBoundary::cmdOK)); }, 126},
        {[&] { return WindowText(clickOptions.DialogHwnd()); }, kClickOptionsTitle},
        {[&] { return WindowText(window().Control("optPause")); }, 8},
        {[&] { return WindowText(ExtrasWindow().DialogHwnd()); }, strings::kExtrasTitleId}};
    for (int i = 0; i < static_cast<int>(frmExtras::kSwitches.size()); ++i)
        captions.emplace_back([i] { return WindowText(ExtrasWindow().Control(frmExtras::chkFirst + i)); },
                              frmExtras::SwitchCaption(static_cast<size_t>(i)));
    for (size_t i = 0; i < frmExtras::kSliders.size(); ++i)
        captions.emplace_back([i] { return ExtrasWindow().Slider(i).Caption(); }, strings::kBigPointerScaleId + static_cast<int32_t>(i));
    for (const auto& [id, text] : {std::pair{frmExtras::lblPrivate, 0}, {frmExtras::cmdAdd, 1}, {frmExtras::cmdAddLast, 2}, {frmExtras::cmdRemove, 3}})
        captions.emplace_back([id] { return WindowText(ExtrasWindow().Control(id)); }, strings::kPrivateProgramsId + text);
    for (const SettingsControl& c : SettingsControls())
        if (c.caption && c.kind != ControlKind::ColourPicker)
            captions.emplace_back([&c, this] { return c.kind == ControlKind::Slider ? window().Slider(c.name)->Caption()
                                                                                   : WindowText(window().Control(c.name)); }, c.caption);
    for (const ClickOptionControl& c : ClickOptionControls())
        if (c.kind != ClickOptionKind::Picker && c.caption)
            captions.emplace_back([&c, &clickOptions] { return c.kind == ClickOptionKind::Slider ? clickOptions.Slider(c.part).Caption()
                                                                                             : WindowText(clickOptions.ControlNamed(c.name)); },
                                  c.caption);
    const std::wstring version = WindowText(::GetDlgItem(help, frmHelp::lblVersion));
    for (const int32_t language : {German, Polish, Turkish}) {
        SharedLanguage().ChangeLanguage(language);
        for (const auto& [shown, id] : captions) EXPECT_EQ(Narrow(shown()), SharedLanguage().GetString(id)) << language << " " << id;
        EXPECT_EQ(Narrow(TipOf(window().hwnd(), window().Control("cmdKeyOptions"))), SharedLanguage().GetString(21));
    }
    EXPECT_EQ(WindowText(::GetDlgItem(help, frmHelp::lblVersion)), version) << "the version line is no translation";

    SharedLanguage().ChangeLanguage(German);
    frmOptions& options = OptionsWindow();
    EXPECT_EQ(Selected(options.Control(frmOptions::cboPause1)), std::make_pair(std::wstring(L"Strg"), 17));
    EXPECT_EQ(Items(options.Control(frmOptions::cboPause2)), (std::vector<std::pair<std::wstring, int32_t>>{{L"Umsch", 16}, {L"Alt", 18}}));
    EXPECT_EQ(Selected(options.Control(frmOptions::cboPauseKey)).second, 112);
    EXPECT_EQ(Shortcut(HotKeyAction::Pause).KeyCode, 112);
    HideDialogs();
}

// Last: the window is gone afterwards.
TEST_F(SettingsWindowTest, CtrlQEndsTheProgramWhicheverControlHasTheFocus) {
    ::SetFocus(window().Slider("sldSizeSpot")->hwnd());
    SetHeld(VK_CONTROL, true);
    Key('Q');
    SetHeld(VK_CONTROL, false);
    EXPECT_EQ(window().hwnd(), nullptr);
    EXPECT_EQ(::FindWindowW(L"Glimmora_frmSpot", nullptr), nullptr);
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the exit ends the message loop";
}
