// Window-state probe and remote control for the end-to-end tests. There is no window
// manager on the test display, so windows are closed and minimised the way a user's
// system menu would do it (WM_SYSCOMMAND), and state is read with the Win32 API. A title
// "class:NAME" finds a window by its class. Waits print the milliseconds they took. Exit code 2:
// a command this list does not have.
//
//   winctl list                             every top-level window, one tab-separated line:
//                                           pid class visible iconic exstyle l t r b title
//   winctl close|minimize|focus <title>
//   winctl exists|visible|foreground <title>   exit code 0 = yes, 1 = no
//   winctl responsive <title>               exit code 0 when the window answers within 3 s
//   winctl rect|client-rect <title>         left top right bottom, in screen pixels
//   winctl children <title>                 every child window, one tab-separated line (UTF-8):
//                                           id class visible enabled checked l t r b text
//   winctl press <title> <button id>        clicks a button of a dialog box
//   winctl wait exists|gone|visible|foreground <title> <timeout ms>
//   winctl wait none <prefix> <timeout ms>  until no top-level window's class or title starts so
//   winctl hold-mutex <name> <ms>           holds a named mutex that long, as a program that has
//                                           only just started would
//   winctl tap touch|pen <x> <y> <ms>       a left press held that long at (x, y), marked as the
//                                           system marks input it made from a finger or a pen
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Found {
    HWND window;
    DWORD pid;
    std::wstring cls, title;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* all = reinterpret_cast<std::vector<Found>*>(param);
    Found f{window, 0, L"", L""};
    GetWindowThreadProcessId(window, &f.pid);
    wchar_t text[512];
    GetClassNameW(window, text, 512);
    f.cls = text;
    text[0] = 0;
    // InternalGetWindowText never sends a message, so a hung window cannot block us.
    InternalGetWindowText(window, text, 512);
    f.title = text;
    all->push_back(f);
    return TRUE;
}

std::vector<Found> TopLevelWindows() {
    std::vector<Found> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// "class:NAME" names a window by its class instead.
HWND ByTitle(const wchar_t* title) {
    if (StartsWith(title, L"class:")) return FindWindowW(title + 6, nullptr);
    return FindWindowW(nullptr, title);
}

bool NoneWithPrefix(const wchar_t* prefix) {
    for (const Found& f : TopLevelWindows())
        if (StartsWith(f.cls, prefix) || StartsWith(f.title, prefix)) return false;
    return true;
}

bool Condition(const std::wstring& what, const wchar_t* title) {
    if (what == L"none") return NoneWithPrefix(title);
    HWND w = ByTitle(title);
    if (what == L"exists") return w != nullptr;
    if (what == L"gone") return w == nullptr;
    if (what == L"visible") return w && IsWindowVisible(w);
    return what == L"foreground" && w && GetForegroundWindow() == w;
}

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t cls[64] = L"", text[1024] = L"";
    GetClassNameW(child, cls, 64);
    GetWindowTextW(child, text, 1024);
    RECT r;
    GetWindowRect(child, &r);
    const LRESULT checked = _wcsicmp(cls, L"Button") == 0 ? SendMessageW(child, BM_GETCHECK, 0, 0) : 0;
    std::printf("%d\t%ls\t%d\t%d\t%d\t%ld %ld %ld %ld\t", GetDlgCtrlID(child), cls, IsWindowVisible(child) ? 1 : 0,
                IsWindowEnabled(child) ? 1 : 0, static_cast<int>(checked), r.left, r.top, r.right, r.bottom);
    std::wstring line = text;
    for (wchar_t& c : line)
        if (c == L'\n' || c == L'\r' || c == L'\t') c = L' ';
    PrintUtf8(line + L"\n");
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring command = argv[1];

    if (command == L"list") {
        for (const Found& f : TopLevelWindows()) {
            RECT r;
            GetWindowRect(f.window, &r);
            std::printf("%lu\t%ls\t%d\t%d\t%lx\t%ld %ld %ld %ld\t%ls\n", f.pid, f.cls.c_str(),
                        IsWindowVisible(f.window) ? 1 : 0,
                        IsIconic(f.window) ? 1 : 0,
                        static_cast<unsigned long>(GetWindowLongW(f.window, GWL_EXSTYLE)), r.left, r.top,
                        r.right, r.bottom, f.title.c_str());
        }
        return 0;
    }
    if (argc < 3) return 2;
    const wchar_t* name = argv[2];
    HWND w = ByTitle(name);   // the window named, for the commands that name one

    if (command == L"exists" || command == L"visible" || command == L"foreground")
        return Condition(command, name) ? 0 : 1;
    if (command == L"responsive") {
        DWORD_PTR result = 0;
        return w && SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) ? 0 : 1;
    }
    if (command == L"close" || command == L"minimize")
        return w && PostMessageW(w, WM_SYSCOMMAND, command == L"close" ? SC_CLOSE : SC_MINIMIZE, 0) ? 0 : 1;
    if (command == L"focus") return w && SetForegroundWindow(w) ? 0 : 1;
    if (command == L"rect" || command == L"client-rect") {
        RECT r;
        if (!w || !(command == L"rect" ? GetWindowRect(w, &r) : GetClientRect(w, &r))) return 1;
        if (command == L"client-rect") MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (command == L"children") {
        if (!w) return 1;
        EnumChildWindows(w, PrintChild, 0);
        return 0;
    }
    if (command == L"hold-mutex" && argc >= 4) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
        std::printf("%d\n", mutex && GetLastError() != ERROR_ALREADY_EXISTS ? 1 : 0);
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(_wtoi(argv[3])));
        return mutex ? 0 : 1;
    }
    if (command == L"tap" && argc >= 6) {
        const ULONG_PTR signature = std::wstring(argv[2]) == L"touch" ? 0xFF515780 : 0xFF515700;
        if (!SetCursorPos(_wtoi(argv[3]), _wtoi(argv[4]))) return 1;
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwExtraInfo = signature;
        input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        if (SendInput(1, &input, sizeof input) != 1) return 1;
        Sleep(static_cast<DWORD>(_wtoi(argv[5])));
        input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        return SendInput(1, &input, sizeof input) == 1 ? 0 : 1;
    }
    if (command == L"press" && argc >= 4) {
        const int id = _wtoi(argv[3]);
        HWND button = w ? GetDlgItem(w, id) : nullptr;
        if (!button) return 1;
        return PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) ? 0 : 1;
    }
    if (command == L"wait" && argc >= 5) {
        const std::wstring what = argv[2];
        const DWORD timeout = static_cast<DWORD>(_wtoi(argv[4]));
        const DWORD start = GetTickCount();
        for (;;) {
            const DWORD elapsed = GetTickCount() - start;
            if (Condition(what, argv[3])) {
                std::printf("%lu\n", elapsed);
                return 0;
            }
            if (elapsed > timeout) return 1;
            Sleep(20);
        }
    }
    return 2;
}
