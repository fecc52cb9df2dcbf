// Administrator windows on the system side: the integrity levels and the elevated start
// (behind one seam that tests replace), the look at the foreground window with its notice,
// and the copy's wait for the process it takes over from.
#pragma once

#include "app/Elevation.h"
#include "overlays/frmNotice_win.h"

#include <windows.h>

#include <functional>
#include <string>

struct Elevation {
    std::function<uint32_t()> ownLevel;
    // The level of the process that owns the window; kUnreadableIntegrity when its token is
    // denied to us.
    std::function<uint32_t(HWND)> windowLevel;
    // Starts this program again as administrator with these arguments; false when the user
    // refused or it could not start.
    std::function<bool(const std::wstring& arguments)> startElevated;
};
Elevation SystemElevation();

// How long a copy waits for the process it takes over from before it starts all the same.
inline constexpr DWORD kHandoverWaitMs = 10000;
// A copy started with "/handover=" waits for that process to be gone, so that this start is
// not taken for a second one and sent away.
void WaitForHandover(std::wstring_view arguments);
// This process's own arguments with the switch that names it, for the copy.
std::wstring HandoverArguments();

// Where and how the notice shows now: at the pointer, in the keyboard display's scale and alpha.
struct NoticeLook {
    Point pointer;
    Rect desktop;
    double scale = 1.0;
    int32_t alpha = 255;
};

class AdminWindowWatch {
public:
    // Reads our own level.
    void Start(const Elevation& elevation);
    // The notice goes; the record of what was seen stays for the menus.
    void Stop() { notice_.Unload(); }
    // A look at the foreground window, at a foreground event and once a second: the notice
    // shows when another window above us has come to the front.
    void Look(bool paused, const std::function<NoticeLook()>& look);
    bool OfferRestart() const { return admin_.OfferRestart(); }
    const frmNotice& Notice() const { return notice_; }

private:
    std::function<uint32_t(HWND)> windowLevel_;
    AdminWindows admin_;
    HWND foreground_ = nullptr;
    frmNotice notice_;
};
