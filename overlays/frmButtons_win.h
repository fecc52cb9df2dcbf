// One click-indicator window; seventeen of them take turns, so quick clicks each keep
// their own fading ring. The ring state and the fade are decided by ClickIndicatorState.
#pragma once

#include "lang/SharedLanguage_win.h"
#include "overlays/ClickIndicator.h"
#include "overlays/OverlayValues.h"
#include "overlays/OverlayWindow_win.h"

#include <array>
#include <string>

// What the click options set on all seventeen windows.
struct RingOptions {
    std::array<COLORREF, kClickButtons> colours{RGB(255, 0, 0), RGB(0, 191, 0), RGB(0, 96, 255)};
    std::array<int32_t, kClickButtons> widths{11, 8, 6};
    bool discs = false;
    bool letters = false;
    bool sameSize = false;
    // The caption's and the letters' scale, 1.0 at 96 dpi: they grow with the ring.
    double textScale = 1.0;
    bool operator==(const RingOptions&) const = default;
};

// The options the settings give, with text at a scale (1.0 at 96 dpi).
RingOptions RingOptionsOf(const ClickIndicatorValues& values, double textScale);

class frmButtons : public OverlayWindow<frmButtons> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmButtons"; }
    bool Form_Load();

    // The click indicator keeps its alpha for its own fade-out.
    void MakeTrans(int32_t alpha);
    void MouseEvent(int32_t code, int32_t data);
    // The modifier caption at the top of the window.
    void SetKeyText(const std::wstring& text);
    void HideWindow() { Hide(); }
    // Pausing: hidden and no longer following the pointer.
    void Pause() {
        state_.Tracking = false;
        Hide();
    }
    void SetOptions(const RingOptions& options);
    void SetFadeSeconds(float seconds) { state_.FadeSeconds = seconds; }
    // Set while the button is held: the ring follows the pointer.
    bool Tracking() const { return state_.Tracking; }
    // The letters follow the language.
    void Lang_LanguageChange();

    const ClickIndicatorState& State() const { return state_; }
    void PaintContent(HDC dc, const RECT& area);
    void OnResize();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void tmrDelay_Timer();
    void PlaceLetters();
    void ClearTexts();
    HFONT LabelFont();

    ClickIndicatorState state_;
    RingLayout layout_{};
    RingOptions options_;
    std::wstring keyText_;
    std::wstring buttonText_;
    Point letterOrigin_;
    handles::Timer tmrDelay;
    LanguageSubscription languageSubscription_;
};
