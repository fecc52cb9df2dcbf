// The tray icon's window inside the program: the callbacks it answers, the menu's pause mark,
// the icon back after a shell restart, gone at exit; and the crash report its balloon names.
// The shell and the menu's modal loop are recorders: no notification area is needed.
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"

#include "tests/win/ProgramTest.h"

#include "Version.h"

#include <regex>
#include <set>

namespace {

struct Seen {
    std::vector<DWORD> messages;
    std::wstring balloon;
    DWORD balloonFlags = 0;
    std::vector<bool> pauseChecked;  // per menu shown
    UINT choose = 0;                 // the entry the next menu "chooses"
} g_seen;

BOOL RecordNotify(DWORD message, NOTIFYICONDATAW* data) {
    g_seen.messages.push_back(message);
    if (data->uFlags & NIF_INFO) g_seen.balloon = data->szInfo, g_seen.balloonFlags = data->dwInfoFlags;
    return TRUE;
}

void RecordMenu(HMENU menu, HWND owner, POINT) {
    g_seen.pauseChecked.push_back(::GetMenuState(menu, TrayIcon::mnuTrayPause, MF_BYCOMMAND) & MF_CHECKED);
    // As the real menu does: the chosen entry arrives posted, after the menu has closed.
    if (g_seen.choose) ::PostMessageW(owner, WM_COMMAND, g_seen.choose, 0);
}

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

std::set<std::string> Listing(const std::wstring& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

using Tray = ProgramTest;

}  // namespace

TEST_F(Tray, TheIconShowsTheSettingsMarksThePauseComesBackWithTheShellAndGoesAtExit) {
    RecordedShell shell;
    StartProgram(L"glimmora-tray-test.ini");
    const HWND tray = ::FindWindowW(TrayIcon::ClassName(), nullptr);
    EXPECT_EQ(g_seen.messages, (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    EXPECT_EQ(g_seen.balloon, kTrayTip);

    const HWND settingsWindow = program().SettingsWindow().hwnd();
    ::ShowWindow(settingsWindow, SW_HIDE);
    ::SendMessageW(tray, TrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(Visible(settingsWindow)) << "the icon's click brings the settings window back";

    // The menu marks the pause as it stands; its entry runs once the menu has closed, and a
    // second choice within half a second is held off.
    g_seen.choose = TrayIcon::mnuTrayPause;
    for (bool pausedAfter : {true, true}) {
        const bool pausedBefore = program().Paused();
        ::SendMessageW(tray, TrayIcon::kCallbackMessage, 1, WM_RBUTTONUP);
        EXPECT_EQ(program().Paused(), pausedBefore) << "nothing may run while the menu is open";
        Pump(30);
        EXPECT_EQ(program().Paused(), pausedAfter);
    }
    EXPECT_EQ(g_seen.pauseChecked, (std::vector<bool>{false, true}));

    // A restarted shell broadcasts to every top-level window: the icon comes back, the balloon does not.
    g_seen.messages.clear();
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Pump(100);
    EXPECT_EQ(g_seen.messages, (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));

    g_seen.messages.clear();
    ::PostMessageW(tray, WM_COMMAND, TrayIcon::mnuTrayExit, 0);
    Pump(30);
    EXPECT_FALSE(program().Loaded()) << "the tray's exit ends the program";
    EXPECT_FALSE(::IsWindow(settingsWindow));
    EXPECT_EQ(g_seen.messages, (std::vector<DWORD>{NIM_DELETE}));
    EXPECT_EQ(::FindWindowW(TrayIcon::ClassName(), nullptr), nullptr);
    EndProgram();
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
            for (int i = 0; i < 400 && !TheProgram().Loaded(); ++i) ::Sleep(50);
            volatile int* volatile nowhere = nullptr;
            *nowhere = 1;
            return 0;
        },
        nullptr, 0, nullptr));
    StartProgram();
    FAIL() << "the program ended without crashing";
}

// A crash in the whole program leaves a report beside its settings file: a dump, its context
// line and a mark; the next start says where it is in its balloon, once.
TEST_F(Tray, ACrashLeavesAReportBesideTheSettingsAndTheNextStartSaysWhereItIs) {
    const std::wstring settings = TempPath(L"glimmora-crash-test\\Glimmora.ini"), crashes = TempPath(L"glimmora-crash-test\\crashes");
    std::filesystem::remove_all(TempPath(L"glimmora-crash-test"));
    std::filesystem::create_directories(TempPath(L"glimmora-crash-test"));
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=DISABLED_* --gtest_also_run_disabled_tests";
    ASSERT_TRUE(::SetEnvironmentVariableW(L"GLIMMORA_CRASH_SETTINGS", settings.c_str()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    const handles::KernelObject process(child.hProcess), thread(child.hThread);
    ASSERT_EQ(::WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0) << "the crashed program did not end";
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));

    std::set<std::string> names = Listing(crashes);
    ASSERT_EQ(names.size(), 3u);
    const std::string report = names.begin()->substr(0, 25);
    EXPECT_EQ(names, (std::set<std::string>{report + ".dmp", report + ".new", report + ".txt"}));
    const std::string dump = ReadBytes(crashes + L"\\" + Widen(report) + L".dmp");
    EXPECT_TRUE(dump.starts_with("MDMP") && dump.size() > 1000) << dump.size() << " bytes";
    const std::string line = ReadBytes(crashes + L"\\" + Widen(report) + L".txt");
    const std::regex context("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} Glimmora " GLIMMORA_VERSION_TEXT
                             ": exception 0xC0000005 at win_tests\\.exe\\+0x[0-9A-F]+, thread \\d+\\r\\n");
    EXPECT_TRUE(std::regex_match(line, context)) << line;

    RecordedShell shell;
    const std::wstring note = Widen(SharedLanguage().GetString(strings::kCrashReportNoteId)) + L"\n" + crashes + L"\\" +
                              Widen(report) + L".dmp";
    for (const std::wstring& balloon : {note, std::wstring(kTrayTip)}) {
        g_seen = {};
        StartProgram(L"glimmora-crash-test\\Glimmora.ini");
        EXPECT_EQ(g_seen.balloon, balloon);
        EXPECT_EQ(g_seen.balloonFlags, static_cast<DWORD>((balloon == note ? NIIF_WARNING : NIIF_INFO) | NIIF_NOSOUND));
        EndProgram();
    }
    names.erase(report + ".new");
    EXPECT_EQ(Listing(crashes), names) << "the announcement removes the mark alone";
    std::filesystem::remove_all(TempPath(L"glimmora-crash-test"));
}
