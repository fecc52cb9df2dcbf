// The keyboard display's model: which key caps show, the list of keys typed with their
// remaining lifetimes, and where everything goes. The window only draws what this says,
// and repaints only when a call reports a visible change.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Geometry.h"

class clsLanguage;

// Colours of the display, 0x00BBGGRR.
inline constexpr uint32_t kKeyListText = 0x000040C0;        // RGB(192, 64, 0)
inline constexpr uint32_t kKeyListBackground = 0x00FFFFFF;
inline constexpr uint32_t kKeyDisplayBorder = 0x00808080;
inline constexpr uint32_t kKeyCapFrameTopLeft = 0x00E0E0E0;
inline constexpr uint32_t kKeyCapFrameBottomRight = 0x00808080;
inline constexpr uint32_t kKeyCapFaceTopLeft = 0x00C0C0C0;
inline constexpr uint32_t kKeyCapFaceBottomRight = 0x00FFFFFF;

inline constexpr std::size_t kMaxKeyLines = 10;

enum class KeyCap { Shift, Ctrl, Alt };

struct KeyLine {
    std::string text;           // "Shift + Ctrl + Delete"
    int32_t remaining = 0;      // lifetime left, in tenths of a second
    int32_t count = 1;          // the same key listed this many times in a row

    // The text as drawn: "Ctrl + C ×3" once repeated.
    std::string Shown() const { return count > 1 ? text + " \xC3\x97" + std::to_string(count) : text; }
};

// Client coordinates in physical pixels.
struct KeyDisplayLayout {
    Size window;
    std::array<Rect, 3> caps{};          // indexed by KeyCap
    std::array<bool, 3> capVisible{};
    bool listVisible = false;
    Rect list;
    std::size_t lineCount = 0;
    int32_t firstLineTop = 0;
    int32_t lineHeight = 0;

    // Line 0 is the newest, at the top.
    Rect LineRect(std::size_t index) const {
        const int32_t top = firstLineTop + static_cast<int32_t>(index) * lineHeight;
        return {list.left, top, list.right, top + lineHeight};
    }
    bool operator==(const KeyDisplayLayout&) const = default;
};

class KeyDisplay {
public:
    // scaleY: 1.0 at 96 dpi; every design length is multiplied by it.
    explicit KeyDisplay(const clsLanguage& language, double scaleY = 1.0);

    // Both true until the first SetViewMode.
    bool ListMode() const { return listMode_; }
    bool CapsMode() const { return capsMode_; }
    // tmrClear runs while the list is in use and has lines to age: an idle display costs no
    // timer, and a line's lifetime counts from the moment it was added.
    bool ClearTimerEnabled() const { return listMode_ && lineCount_ > 0; }
    float FadingTime() const { return fadingTime_; }
    // The held modifiers as "Shift + Ctrl", empty when none is held.
    const std::string& ModifierPrefix() const { return modifierPrefix_; }
    // "Shift", "Ctrl" or "Alt" in the current language; the Alt cap reads "AltGr" while
    // AltGr is held.
    std::string CapCaption(KeyCap cap) const;

    std::size_t LineCount() const { return lineCount_; }
    // Newest first.
    const KeyLine& Line(std::size_t index) const { return lines_[index]; }
    KeyDisplayLayout Layout() const;

    // Each of these returns true when something visible changed (caps, lines or size).
    bool SetViewMode(bool listKeys, bool showCaps);
    // altGr: right Alt on a layout with AltGr; ctrl and alt then say whether the user holds
    // those besides it.
    bool SetSpecialKeys(bool shift, bool ctrl, bool alt, bool altGr = false);
    // name is the key's display name; ignored unless in list mode. With repeat counts, the
    // same key again while its line is the newest counts up on that line and renews it.
    bool AddKey(std::string_view name);
    void SetRepeatCount(bool on) { repeatCount_ = on; }
    // A line saying that keys were typed but are not shown, without the modifiers. While it
    // is the newest line, further hidden keys renew its lifetime rather than repeat it.
    bool AddNotice(std::string_view text);
    // tmrClear's 100 ms tick: ages every line and drops those whose time is up.
    bool ClearTick();
    bool SetScale(double scaleY);
    double Scale() const { return scale_; }
    void SetFadingTime(float seconds) { fadingTime_ = seconds; }

private:
    int32_t Px(int32_t designPixels) const;
    void RemoveLine(std::size_t index);
    void InsertLine(std::string text);

    const clsLanguage& language_;
    double scale_ = 1.0;
    bool listMode_ = true;
    bool capsMode_ = true;
    float fadingTime_ = 0;
    bool repeatCount_ = false;
    std::array<bool, 3> capShown_{};
    bool altGr_ = false;
    std::string modifierPrefix_;
    std::array<KeyLine, kMaxKeyLines> lines_{};
    std::size_t lineCount_ = 0;
};

// One line in the list's look, standing alone (a notice in the keyboard display's style): the
// box for a text this many pixels wide at scaleY, and where the text goes inside it.
struct ListLineLayout {
    Size window;
    Rect text;
    bool operator==(const ListLineLayout&) const = default;
};
ListLineLayout LoneListLine(int32_t textWidth, double scaleY);
