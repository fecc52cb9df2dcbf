#include "app/Elevation_win.h"

#include "app/CommandLine.h"
#include "base/LateFunction_win.h"
#include "base/Text_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"

#include <shellapi.h>

namespace {

uint32_t ProcessLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return kUnreadableIntegrity;
    const handles::KernelObject owned(token);
    alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE] = {};
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size)) return kUnreadableIntegrity;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    const UCHAR parts = *::GetSidSubAuthorityCount(sid);
    return parts ? static_cast<uint32_t>(*::GetSidSubAuthority(sid, parts - 1u)) : kUnreadableIntegrity;
}

uint32_t WindowLevel(HWND window) {
    DWORD id = 0;
    if (!::GetWindowThreadProcessId(window, &id) || !id) return 0;
    // Limited information is granted even on an elevated process; its token then is not.
    const handles::KernelObject process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    return process ? ProcessLevel(process.get()) : kUnreadableIntegrity;
}

bool StartElevated(const std::wstring& arguments) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (!length || length >= MAX_PATH) return false;
    static const LateFunction<decltype(::ShellExecuteExW)> shellExecute(L"shell32.dll", "ShellExecuteExW");
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Started before we return: this process ends right after. No wait on the copy: it waits for us.
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = path;
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    return shellExecute.Call(FALSE, &info) != FALSE;
}

}  // namespace

Elevation SystemElevation() {
    return {[] { return ProcessLevel(::GetCurrentProcess()); }, &WindowLevel, &StartElevated};
}

void WaitForHandover(std::wstring_view arguments) {
    const std::optional<uint32_t> from = ParseCommandLine(arguments).handoverFrom;
    if (!from || *from == ::GetCurrentProcessId()) return;
    const handles::KernelObject process(::OpenProcess(SYNCHRONIZE, FALSE, *from));
    if (process) ::WaitForSingleObject(process.get(), kHandoverWaitMs);
}

std::wstring HandoverArguments() {
    return std::wstring(ArgumentsOf(::GetCommandLineW())) + L" /handover=" + std::to_wstring(::GetCurrentProcessId());
}

void AdminWindowWatch::Start(const Elevation& elevation) {
    windowLevel_ = elevation.windowLevel;
    admin_ = AdminWindows(elevation.ownLevel ? elevation.ownLevel() : kHighIntegrity);
    foreground_ = nullptr;
}

void AdminWindowWatch::Look(bool paused, const std::function<NoticeLook()>& look) {
    // Elevated, every window's input reaches us: not even the foreground is asked for.
    if (admin_.Elevated() || !windowLevel_) return;
    const HWND foreground = ::GetForegroundWindow();
    // None while the system switches windows: the next look sees where it went.
    if (!foreground) return;
    const bool changed = foreground != foreground_;
    foreground_ = foreground;
    if (!admin_.ForegroundSeen(changed, changed ? windowLevel_(foreground) : 0, paused)) return;
    const NoticeLook now = look();
    notice_.ShowNotice(Widen(SharedLanguage().GetString(strings::kAdminWindowNoticeId)), now.pointer, now.desktop,
                       now.scale, now.alpha);
}
