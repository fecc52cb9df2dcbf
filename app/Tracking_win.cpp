#include "app/Tracking_win.h"


#include <cwchar>

namespace {

template <typename Window>
bool ShownOr(const Window& window, bool force) {
    return force || window.Shown();
}

// The system's pop-up menus all have this class.
bool IsMenu(HWND window) {
    wchar_t name[8] = {};
    return ::GetClassNameW(window, name, 8) == 6 && std::wcscmp(name, L"#32768") == 0;
}

}  // namespace

bool Tracking::IsOverlayOnTop(HWND top) const {
    for (const auto& arm : overlays_.crossHair)
        if (arm.hwnd() == top) return true;
    if (overlays_.spot.hwnd() == top || overlays_.pic.hwnd() == top || overlays_.keyBoard.hwnd() == top ||
        overlays_.bigPointer.hwnd() == top)
        return true;
    for (const auto& ring : overlays_.buttons)
        if (ring.hwnd() == top) return true;
    return false;
}

void Tracking::KeepOnTop() {
    const HWND top = ::GetTopWindow(nullptr);
    // A menu open above the overlays stays there while the user chooses from it: the keyboard
    // display raised over it would cover its entries (and under Wine take the pointer from it).
    if (IsOverlayOnTop(top) || IsMenu(top)) return;
    ::SetWindowPos(overlays_.keyBoard.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    // The big pointer stays above the keyboard display.
    if (overlays_.bigPointer.Shown())
        ::SetWindowPos(overlays_.bigPointer.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Tracking::PlaceOverlays(bool force) {
    if (++tickCounter_ > 100) {
        tickCounter_ = 0;
        CheckDesktop();
    }
    Place(force);
}

void Tracking::CheckDesktop() {
    if (desktop_.UpdateScreenBounds() && desktopChanged_) desktopChanged_();
}

void Tracking::FollowPointer() { Place(false); }

// A still pointer costs no window-system call here beyond reading it: each MoveTo compares
// with the window's cached place, and the full-screen hole repaints only changed pixels.
void Tracking::Place(bool force) {
    const Point pointer = CursorPosition();
    lastPointer_ = pointer;
    frmSpot& spot = overlays_.spot;
    if (ShownOr(spot, force)) {
        if (spot.FullScreen()) {
            spot.SetHole(FullScreenHole(pointer, spot.Position(), spot.HaloSize()));
            spot.DrawHole(false);
        } else {
            spot.MoveTo(CentreHaloOnPointer(pointer, spot.ClientSize()));
        }
    }
    if (ShownOr(overlays_.bigPointer, force)) overlays_.bigPointer.Follow(pointer);
    for (auto& arrow : overlays_.wheelArrow)
        if (ShownOr(arrow, force)) arrow.MoveTo(CentreOnPointer(pointer, arrow.ClientSize()));
    for (auto& ring : overlays_.buttons)
        if (ring.Tracking() && ShownOr(ring, force)) ring.MoveTo(CentreOnPointer(pointer, ring.ClientSize()));
    for (auto& arm : overlays_.crossHair)
        if (ShownOr(arm, force)) arm.MoveTo(arm.Placement(pointer));

    const Rect& boundary = desktop_.BoundaryRect;
    frmPic& pic = overlays_.pic;
    if (!pic.LockPos && ShownOr(pic, force))
        pic.MoveTo(PositionNearPointer(pointer, pic.ClientSize(), offsets_.PictureOffsetFactor, 11, boundary));
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    if (!keyBoard.LockPos && ShownOr(keyBoard, force))
        keyBoard.MoveTo(
            PositionNearPointer(pointer, keyBoard.ClientSize(), offsets_.KeyboardOffsetFactor, -11, boundary));
}
