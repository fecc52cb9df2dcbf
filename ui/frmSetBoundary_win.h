// The boundary window: an ordinary, see-through, movable and sizable window whose frame,
// on "OK", becomes the area that the mouse image and the keyboard display keep inside;
// "Use full screen" gives them the whole desktop again. The boundary lasts for this run
// only. Closing the window from its title bar changes nothing.
#pragma once

#include "ui/DialogWindow_win.h"

#include <vector>

class frmSetBoundary : public DialogWindow<frmSetBoundary> {
public:
    enum ControlId : int { lblInfo = 3001, cmdFullScreen = 3002, cmdOK = 3003 };
    // Outer size at 96 dpi below which dragging cannot make the window.
    static constexpr Size kMinimumSize96{480, 360};
    // Alpha of the whole window: the desktop shows through.
    static constexpr BYTE kAlpha = 230;

    ~frmSetBoundary() override { UnloadDialog(); }

    static const wchar_t* ClassName() { return L"Glimmora_frmSetBoundary"; }
    static Size ClientSize96() { return {792, 569}; }
    void CreateControls();
    void Lang_LanguageChange() override;

    void cmdOK_Click();
    void cmdFullScreen_Click();

    // The window's outer rectangle: the visible frame where the system reports it, the
    // window rectangle otherwise.
    Rect FrameRect() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Form_Resize();
};

frmSetBoundary& SetBoundaryWindow();

// Every monitor's rectangle in virtual-desktop pixels.
std::vector<Rect> MonitorRects();
