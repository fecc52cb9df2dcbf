// The keyboard display: key caps for Shift, Ctrl and Alt while they are held, and the keys
// typed most recently, newest on top, each line gone after the fading time. The model
// (KeyDisplay) decides; this window draws and repaints only when the model changed.
#pragma once

#include "keyboard/KeyDisplay.h"
#include "lang/SharedLanguage_win.h"
#include "overlays/OverlayWindow_win.h"

#include <optional>

class frmKeyBoard : public OverlayWindow<frmKeyBoard> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmKeyBoard"; }
    // scale: of the caps, lines and letters, 1.0 at 96 dpi.
    bool Form_Load(double scale = 1.0);
    // The keyboard display does not fade; its alpha is the user's.
    void MakeTrans(int32_t alpha) { ApplyAlpha(alpha); }
    void Lang_LanguageChange();
    void SetSpecialKeys(bool shift, bool ctrl, bool alt, bool altGr = false);
    // fromLayout: name the key as the keyboard layout in use types it.
    void AddKey(int32_t code, bool fromLayout = false);
    // Keys were typed into a password field: one line says so, renewed while typing goes on.
    void ShowKeysHidden();
    void SetViewMode(bool listKeys, bool showCaps);
    void SetFadingTime(float seconds);
    void SetRepeatCount(bool on) { display_->SetRepeatCount(on); }
    // The display re-laid out at a new scale. True when the window must take the size of
    // Display().Layout().window, which the caller gives it together with its place; a scale
    // that keeps the size only repaints.
    bool SetScale(double scale);
    bool LockPos = false;

    const KeyDisplay& Display() const { return *display_; }
    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Sizes the window to what it shows and repaints it.
    void FitWindow();

    std::optional<KeyDisplay> display_;
    handles::Timer tmrClear;
    LanguageSubscription languageSubscription_;
};
