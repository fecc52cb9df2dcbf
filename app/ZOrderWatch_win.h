// Tells the program when another window may have come above the overlays: the foreground
// changed, or a window was shown or re-ordered. The overlays are raised then, not on a
// tick. Some systems report none of this across processes; the program's once-a-second
// check covers them.
#pragma once

#include <windows.h>

#include <array>

// Posted to the program's window; at most one waits in its queue.
inline constexpr UINT kZOrderChangedMessage = WM_APP + 0x4F;

class ZOrderWatch {
public:
    ZOrderWatch() = default;
    ~ZOrderWatch() { Stop(); }
    ZOrderWatch(const ZOrderWatch&) = delete;
    ZOrderWatch& operator=(const ZOrderWatch&) = delete;

    void Start(HWND target);
    void Stop();
    // The message handler calls this first, so that a later change posts again.
    static void Handled();

private:
    std::array<HWINEVENTHOOK, 2> hooks_{};
};
