// The program file behind the foreground window, for the programs whose keys are never
// listed. Asked on key events and once a second; the process is opened only when the
// foreground window changes.
#pragma once

#include <windows.h>

#include <string>

class ForegroundProgram {
public:
    // The file name ("KeePass.exe") of the foreground window's process; empty when there is
    // none or it cannot be told.
    const std::string& Name();
    // The last program other than this one that had the foreground, as Name() saw it: what
    // the extras dialog offers to add, since that dialog is in the foreground itself.
    const std::string& LastForeign() const { return lastForeign_; }

private:
    HWND window_ = nullptr;
    DWORD process_ = 0;
    std::string name_;
    std::string lastForeign_;
};
