#include "keyboard/ForegroundProgram_win.h"

#include "base/Handles_win.h"
#include "base/Text_win.h"
#include "settings/PrivatePrograms.h"

namespace {

std::string ProcessFileName(DWORD process) {
    // Limited information is granted for processes of any integrity, elevated ones included.
    const handles::KernelObject handle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!handle) return {};
    wchar_t path[MAX_PATH * 2];
    DWORD length = MAX_PATH * 2;
    if (!::QueryFullProcessImageNameW(handle.get(), 0, path, &length)) return {};
    return ProgramFileName(Narrow(std::wstring_view(path, length)));
}

}  // namespace

const std::string& ForegroundProgram::Name() {
    const HWND window = ::GetForegroundWindow();
    DWORD process = 0;
    if (window) ::GetWindowThreadProcessId(window, &process);
    // The same window of the same process: the same program. A window handle alone could be
    // reused by another process, a process id alone shows a program's second window late.
    if (window == window_ && process == process_) return name_;
    window_ = window;
    process_ = process;
    name_ = process ? ProcessFileName(process) : std::string();
    if (process && process != ::GetCurrentProcessId() && !name_.empty()) lastForeign_ = name_;
    return name_;
}
