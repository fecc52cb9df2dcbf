// The tray icon's window: what it tells the shell, the callbacks it answers, the menu it pops
// up. The shell and the menu's modal loop are recorders: no notification area is needed.
#include "app/Program_win.h"
#include "base/Text_win.h"
#include "app/Program_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "tests/win/BoxAnswerer.h"

#include "tests/win/Pump.h"
#include "tests/win/TempFiles.h"
#include "ui/frmSet_win.h"

#include "Version.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

// A menu as text: entries joined by "|", a separator as "-", "~" before a greyed entry,
// "*" before the default one and "+" before a checked one.
std::wstring Describe(HMENU menu) {
    std::wstring text;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        wchar_t caption[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
        text += i ? L"|" : L"";
        if (state & MF_SEPARATOR)
            text += L"-";
        else if (state & MF_GRAYED)
            text += L"~";
        if (::GetMenuDefaultItem(menu, TRUE, 0) == static_cast<UINT>(i)) text += L"*";
        if (state & MF_CHECKED) text += L"+";
        text += caption;
    }
    return text;
}

// Every call the tray makes to the shell, and every menu it would have shown.
struct Seen {
    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> calls;
    std::vector<std::wstring> menus;
    UINT choose = 0;  // the entry the next menu "chooses"

    std::vector<DWORD> Messages() const {
        std::vector<DWORD> messages;
        for (const auto& call : calls) messages.push_back(call.first);
        return messages;
    }
} g_seen;

BOOL RecordNotify(DWORD message, NOTIFYICONDATAW* data) {
    g_seen.calls.push_back({message, *data});
    return TRUE;
}

void RecordMenu(HMENU menu, HWND owner, POINT) {
    g_seen.menus.push_back(Describe(menu));
    // As the real menu does: the chosen entry arrives posted, after the menu has closed.
    if (g_seen.choose) ::PostMessageW(owner, WM_COMMAND, g_seen.choose, 0);
}

// Routes the tray to the recorders for one test.
struct RecordedShell {
    RecordedShell() {
        g_seen = {};
        TrayIcon::SetNotifyIconForTest(&RecordNotify);
        TrayIcon::SetMenuTrackerForTest(&RecordMenu);
    }
    ~RecordedShell() {
        TrayIcon::SetNotifyIconForTest(nullptr);
        TrayIcon::SetMenuTrackerForTest(nullptr);
    }
};

// The names in a folder.
std::set<std::string> Listing(const std::wstring& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// This process's own tray window, once the program it runs has added its icon.
bool OwnTrayStands() {
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, TrayIcon::ClassName(), nullptr));) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId()) return true;
    }
    return false;
}

constexpr wchar_t kRunningMenu[] = L"~    - Glimmora -|-|*Settings|Pause|-|Exit";
constexpr wchar_t kPausedMenu[] = L"~    - Glimmora -|-|*Settings|+Pause|-|Exit";

}  // namespace

TEST(Tray, TellsTheShellItsIconAndBalloonAnswersClicksAndComesBackWithTheTaskbar) {
    RecordedShell shell;
    const long windowsBefore = handles::Live().windows;
    const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    int shows = 0, pauses = 0, exits = 0;
    bool paused = false;
    TrayIcon tray;
    ASSERT_TRUE(tray.Add(icon, {[&] { ++shows; }, [&] { ++pauses; }, [&] { ++exits; }, [&] { return paused; }}));
    const HWND window = tray.hwnd();
    EXPECT_FALSE(::IsWindowVisible(window));

    ASSERT_EQ(g_seen.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    const NOTIFYICONDATAW& add = g_seen.calls[0].second;
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_TRUE(add.hWnd == window && add.uID == 1 && add.hIcon == icon);
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.uCallbackMessage, TrayIcon::kCallbackMessage);
    EXPECT_STREQ(add.szTip, L"Glimmora - Settings");
    EXPECT_EQ(g_seen.calls[1].second.uVersion, static_cast<UINT>(NOTIFYICON_VERSION));
    const NOTIFYICONDATAW& balloon = g_seen.calls[2].second;
    EXPECT_TRUE(balloon.uFlags == NIF_INFO && balloon.uTimeout == 4000 &&
                balloon.dwInfoFlags == (NIIF_INFO | NIIF_NOSOUND));
    EXPECT_STREQ(balloon.szInfo, L"Glimmora - Settings");
    EXPECT_STREQ(balloon.szInfoTitle, L"");

    // The icon's mouse messages: a left release or double click shows the settings, a right
    // release opens the menu; a chosen entry runs only after the menu has closed.
    const struct {
        UINT message;
        bool paused;
        UINT choose;
        const wchar_t* menu;
        int shows, pauses, exits;
    } clicks[] = {
        {WM_LBUTTONUP, false, 0, nullptr, 1, 0, 0},
        {WM_LBUTTONDBLCLK, false, 0, nullptr, 1, 0, 0},
        {WM_LBUTTONDOWN, false, 0, nullptr, 0, 0, 0},
        {WM_CONTEXTMENU, false, 0, nullptr, 0, 0, 0},
        {NIN_SELECT, false, 0, nullptr, 0, 0, 0},
        {WM_RBUTTONUP, false, TrayIcon::mnuTrayPause, kRunningMenu, 0, 1, 0},
        {WM_RBUTTONUP, true, TrayIcon::mnuTrayPause, kPausedMenu, 0, 1, 0},
        {WM_RBUTTONUP, true, TrayIcon::mnuTraySettings, kPausedMenu, 1, 0, 0},
        {WM_RBUTTONUP, false, TrayIcon::mnuTrayHeadline, kRunningMenu, 0, 0, 0},
        {WM_RBUTTONUP, false, TrayIcon::mnuTrayExit, kRunningMenu, 0, 0, 1},
    };
    for (const auto& c : clicks) {
        shows = pauses = exits = 0;
        paused = c.paused;
        g_seen.menus.clear();
        g_seen.choose = c.choose;
        ::SendMessageW(window, TrayIcon::kCallbackMessage, 1, c.message);
        EXPECT_EQ(g_seen.menus, c.menu ? std::vector<std::wstring>{c.menu} : std::vector<std::wstring>{})
            << "mouse message " << c.message;
        EXPECT_EQ(pauses + exits, 0) << "nothing may run while the menu is open";
        Pump(30);
        EXPECT_TRUE(shows == c.shows && pauses == c.pauses && exits == c.exits)
            << "mouse message " << c.message << ", entry " << c.choose << ": " << shows << pauses << exits;
    }
    ::SendMessageW(window, TrayIcon::kCallbackMessage, 2, WM_LBUTTONUP);
    EXPECT_EQ(shows, 0) << "another icon's id is not ours";

    // The captions are the language's at the moment the menu opens; the headline stays.
    clsLanguage& language = SharedLanguage();
    const int32_t previous = language.CurrentLanguage();
    language.ChangeLanguage(German);
    EXPECT_EQ(Describe(tray.BuildMenu().get()), L"~    - Glimmora -|-|*Einstellungen|Pause|-|Beenden");
    language.ChangeLanguage(previous);

    // A restarted shell broadcasts to every top-level window (a message-only one would miss
    // it): the icon comes back, the balloon does not.
    g_seen.calls.clear();
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Pump(100);
    EXPECT_EQ(g_seen.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));

    g_seen.calls.clear();
    tray.Remove();
    ASSERT_EQ(g_seen.Messages(), (std::vector<DWORD>{NIM_DELETE}));
    EXPECT_TRUE(g_seen.calls[0].second.hWnd == window && g_seen.calls[0].second.uID == 1);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(handles::Live().windows, windowsBefore);
}

TEST(Tray, TheProgramAppliesTheCommandLineAddsTheIconAtLoadAndRemovesItAtUnload) {
    RecordedShell shell;
    const std::wstring file = TempPath(L"glimmora-tray-test.ini");
    ::DeleteFileW(file.c_str());
    // Tray mode: the pause's window waits hidden.
    ::WritePrivateProfileSectionW(L"Settings", L"Taskbar=0\0WindowState=2\0WindowVisible=1\0", file.c_str());

    {
        Program program;
        program.SetSettingsPathForTest(Narrow(file));
        program.SetCommandLineForTest(L" / Pause/halohole=20.5/ pof=-3 /KOF=2/kof=x=1");
        ASSERT_TRUE(program.Start());
        Pump(1);  // the overlays come from the message loop
        EXPECT_TRUE(program.Paused());
        EXPECT_FALSE(::IsWindowVisible(program.overlays().spot.hwnd())) << "the default halo shows while paused";
        EXPECT_EQ(program.store().HaloHolePercent(), 20);
        EXPECT_DOUBLE_EQ(program.overlays().spot.Hole().width, 201 * 0.2) << "the ring's hole follows the switch";
        EXPECT_EQ(program.store().Offsets().PictureOffsetFactor, -3);
        EXPECT_EQ(program.store().Offsets().KeyboardOffsetFactor, 2);
        EXPECT_EQ(program.store().StartupWindowState().state, 1);
        EXPECT_FALSE(program.store().StartupWindowState().visible);
        EXPECT_EQ(program.Settings().GetInt(SettingKey::WindowState), 2) << "the record keeps what the file has";

        const HWND tray = ::FindWindowW(TrayIcon::ClassName(), nullptr);
        ASSERT_NE(tray, nullptr);
        ASSERT_EQ(g_seen.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
        EXPECT_EQ(g_seen.calls[0].second.hIcon, frmSet::ClassIcon());
        const HWND settingsWindow = program.SettingsWindow().hwnd();
        ::ShowWindow(settingsWindow, SW_HIDE);
        ::SendMessageW(tray, TrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
        EXPECT_TRUE(::IsWindowVisible(settingsWindow)) << "the icon's click brings the settings window back";

        // The tray's pause entry resumes and shows the halo; a second choice within half a
        // second is held off.
        for (bool pausedAfter : {false, false}) {
            ::PostMessageW(tray, WM_COMMAND, TrayIcon::mnuTrayPause, 0);
            Pump(50);
            EXPECT_EQ(program.Paused(), pausedAfter);
            EXPECT_NE(::IsWindowVisible(program.overlays().spot.hwnd()), pausedAfter);
        }
        // "Default settings" reads the emptied file with the command line over it, as the
        // start did: paused again.
        {
            BoxAnswerer yes(SharedLanguage().GetString(32), IDYES);
            program.ResetToDefaults(nullptr);
            yes.Wait();
        }
        EXPECT_TRUE(program.Paused()) << "the reset lost the command line's pause";
        EXPECT_FALSE(::IsWindowVisible(program.overlays().spot.hwnd()));
        g_seen.calls.clear();
        ::PostMessageW(tray, WM_COMMAND, TrayIcon::mnuTrayExit, 0);
        Pump(30);
        EXPECT_FALSE(program.Loaded()) << "the tray's exit ends the program";
        EXPECT_FALSE(::IsWindow(settingsWindow));
        EXPECT_EQ(g_seen.Messages(), (std::vector<DWORD>{NIM_DELETE}));
        EXPECT_EQ(::FindWindowW(TrayIcon::ClassName(), nullptr), nullptr);
    }
    // The exit saved the window's own state, neither the pause's minimised one nor the file's.
    EXPECT_EQ(::GetPrivateProfileIntW(L"Settings", L"WindowState", -1, file.c_str()), 0);
    ::DeleteFileW(file.c_str());
}

// Not a test: the crash that the next test causes, in a child process of its own. The whole
// program starts as the shipped one does, on the settings file GLIMMORA_CRASH_SETTINGS
// names, and a thread of it writes through a null pointer once the tray icon stands.
TEST(DISABLED_CrashingProgram, WritesThroughANullPointerOnceItStands) {
    wchar_t file[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"GLIMMORA_CRASH_SETTINGS", file, MAX_PATH), 0u);
    TheProgram().SetSettingsPathForTest(Narrow(file));
    const handles::KernelObject thread(::CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            for (int i = 0; i < 400 && !OwnTrayStands(); ++i) ::Sleep(50);
            volatile int* volatile nowhere = nullptr;
            *nowhere = 1;
            return 0;
        },
        nullptr, 0, nullptr));
    StartProgram();
    FAIL() << "the program ended without crashing";
}

TEST(Tray, ACrashLeavesAReportBesideTheSettingsAndTheNextStartSaysWhereItIs) {
    ScratchFolder folder;
    const std::wstring settings = folder.Wide(L"Glimmora.ini");
    const std::wstring crashes = folder.Wide(L"crashes");
    std::filesystem::create_directories(crashes);
    // Five reports of earlier crashes and a file of the user's: the oldest report goes.
    for (const char* old : {"crash-20200101-000000-000", "crash-20200102-000000-000", "crash-20200103-000000-000",
                            "crash-20200104-000000-000", "crash-20200105-000000-000"}) {
        WriteBytes(crashes + L"\\" + Widen(old) + L".dmp", "MDMP");
        WriteBytes(crashes + L"\\" + Widen(old) + L".txt", "old\r\n");
    }
    WriteBytes(crashes + L"\\notes.txt", "mine");

    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_filter=DISABLED_CrashingProgram.* --gtest_also_run_disabled_tests";
    ASSERT_TRUE(::SetEnvironmentVariableW(L"GLIMMORA_CRASH_SETTINGS", settings.c_str()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &child));
    ::SetEnvironmentVariableW(L"GLIMMORA_CRASH_SETTINGS", nullptr);
    const handles::KernelObject process(child.hProcess), thread(child.hThread);
    if (::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        FAIL() << "the crashed program did not end";
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));

    // One new report beside the settings file: its dump, its context line and its mark; four
    // of the old ones; the user's file untouched.
    std::set<std::string> names = Listing(crashes);
    std::string report;
    for (const std::string& name : names)
        if (name.starts_with("crash-202") && !name.starts_with("crash-2020")) report = name.substr(0, 25);
    ASSERT_FALSE(report.empty()) << "no new report";
    const std::set<std::string> expected = {
        "crash-20200102-000000-000.dmp", "crash-20200102-000000-000.txt", "crash-20200103-000000-000.dmp",
        "crash-20200103-000000-000.txt", "crash-20200104-000000-000.dmp", "crash-20200104-000000-000.txt",
        "crash-20200105-000000-000.dmp", "crash-20200105-000000-000.txt", report + ".dmp",
        report + ".txt",                  report + ".new",                  "notes.txt"};
    EXPECT_EQ(names, expected);
    const std::string dump = ReadBytes(crashes + L"\\" + Widen(report) + L".dmp");
    EXPECT_TRUE(dump.starts_with("MDMP") && dump.size() > 1000) << dump.size() << " bytes";
    const std::string line = ReadBytes(crashes + L"\\" + Widen(report) + L".txt");
    const std::regex context("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} Glimmora " GLIMMORA_VERSION_TEXT
                             ": exception 0xC0000005 at win_tests\\.exe\\+0x[0-9A-F]+, thread \\d+\\r\\n");
    EXPECT_TRUE(std::regex_match(line, context)) << line;

    // The next start says where the report is, once.
    RecordedShell shell;
    const std::wstring note = Widen(SharedLanguage().GetString(strings::kCrashReportNoteId)) + L"\n" + crashes +
                              L"\\" + Widen(report) + L".dmp";
    for (const std::wstring& balloon : {note, std::wstring(kTrayTip)}) {
        g_seen = {};
        Program program;
        program.SetSettingsPathForTest(Narrow(settings));
        ASSERT_TRUE(program.Start());
        Pump(1);
        ASSERT_EQ(g_seen.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
        EXPECT_EQ(std::wstring(g_seen.calls[2].second.szInfo), balloon);
        EXPECT_EQ(g_seen.calls[2].second.dwInfoFlags,
                  static_cast<DWORD>((balloon == note ? NIIF_WARNING : NIIF_INFO) | NIIF_NOSOUND));
        program.Exit();
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    names.erase(report + ".new");
    EXPECT_EQ(Listing(crashes), names) << "the announcement removes the mark alone";
}
