// The click-indicator options: per mouse button the colour and line width of its rings,
// the wheel arrows' colour and width, and the ring display options. Every change goes to
// the settings record through the host's ApplySetting, which passes it on to all seventeen
// ring windows and both wheel arrows at once.
#pragma once

#include "controls/ColorPic_win.h"
#include "controls/ctlSlider_win.h"
#include "ui/ClickOptionsLayout.h"
#include "ui/DialogWindow_win.h"

#include <array>
#include <string_view>

class frmClickOptions : public DialogWindow<frmClickOptions> {
public:
    // Child windows go before the members their handlers use.
    ~frmClickOptions() override { UnloadDialog(); }

    static const wchar_t* ClassName() { return L"Glimmora_frmClickOptions"; }
    static Size ClientSize96() { return {kClickOptionsClientWidth, kClickOptionsClientHeight}; }
    void CreateControls();
    void Lang_LanguageChange() override;

    // The record's values in the controls; raises nothing.
    void SetAll();
    // Asks, and on Yes restores this window's defaults.
    void cmdDefault_Click();

    // Any control of the layout table by its name (pickers and sliders included).
    HWND ControlNamed(std::string_view name) const;
    ColorPic& Picker(ClickPart part) { return pickers_[static_cast<std::size_t>(part)]; }
    ctlSlider& Slider(ClickPart part) { return sliders_[static_cast<std::size_t>(part)]; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    void OnCommand(int id, int notification);

    std::array<ColorPic, kClickParts> pickers_;
    std::array<ctlSlider, kClickParts> sliders_;
};

// The one window of the program (created on first ShowClickOptions).
frmClickOptions& ClickOptionsWindow();
