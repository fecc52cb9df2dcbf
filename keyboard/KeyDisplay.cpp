#include "keyboard/KeyDisplay.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "lang/Language.h"
#include "lang/StringTable.h"

namespace {

// Design lengths in pixels at 96 dpi.
constexpr int32_t kCapWidth = 70;
constexpr int32_t kCapHeight = 25;
constexpr int32_t kCapGap = 2;
constexpr int32_t kLineHeight = 23;
// The list is 8 pixels higher than its lines: 4 above the first, 4 below the last.
constexpr int32_t kListPadding = 4;

constexpr int32_t kShiftNameId = 44;

int32_t Scaled(int32_t designPixels, double scaleY) { return Int(designPixels * scaleY + 0.5); }

}  // namespace

KeyDisplay::KeyDisplay(const clsLanguage& language, double scaleY) : language_(language) { SetScale(scaleY); }

std::string KeyDisplay::CapCaption(KeyCap cap) const {
    if (cap == KeyCap::Alt && altGr_) return language_.GetString(strings::kAltGrNameId);
    return language_.GetString(kShiftNameId + static_cast<int32_t>(cap));
}

int32_t KeyDisplay::Px(int32_t designPixels) const { return Scaled(designPixels, scale_); }

KeyDisplayLayout KeyDisplay::Layout() const {
    KeyDisplayLayout layout;
    // Positions follow from the scaled size and gap, so every gap stays the same width.
    const int32_t width = Px(kCapWidth);
    const int32_t height = Px(kCapHeight);
    const int32_t gap = Px(kCapGap);
    for (int32_t k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        // With the list, the caps stand in a row above it; without, they are stacked.
        if (listMode_) {
            layout.caps[i] = {k * (width + gap), 0, k * (width + gap) + width, height};
        } else {
            layout.caps[i] = {0, k * (height + gap), width, k * (height + gap) + height};
        }
        layout.capVisible[i] = capShown_[i];
    }
    const Rect& alt = layout.caps[static_cast<std::size_t>(KeyCap::Alt)];
    const Rect& shift = layout.caps[static_cast<std::size_t>(KeyCap::Shift)];

    layout.listVisible = listMode_ && lineCount_ > 0;
    layout.lineCount = layout.listVisible ? lineCount_ : 0;
    layout.lineHeight = Px(kLineHeight);
    const int32_t padding = Px(kListPadding);
    const int32_t top = capsMode_ ? shift.bottom : 0;
    layout.list = {0, top, alt.right, top + 2 * padding + static_cast<int32_t>(layout.lineCount) * layout.lineHeight};
    layout.firstLineTop = top + padding;

    // An empty list takes no room: the window shrinks to the caps.
    layout.window = layout.listVisible ? Size{layout.list.right, layout.list.bottom} : Size{alt.right, alt.bottom};
    return layout;
}

bool KeyDisplay::SetViewMode(bool listKeys, bool showCaps) {
    const KeyDisplayLayout before = Layout();
    listMode_ = listKeys;
    // Turning the list on starts it empty; while it is off its lines are never seen.
    lineCount_ = 0;
    capsMode_ = showCaps;
    if (!showCaps) capShown_ = {};
    return Layout() != before;
}

bool KeyDisplay::SetSpecialKeys(bool shift, bool ctrl, bool alt, bool altGr) {
    const KeyDisplayLayout before = Layout();
    // The caption alone can change (Alt to AltGr) with the same caps shown.
    const bool captionChanged = capsMode_ && altGr != altGr_ && capShown_[static_cast<std::size_t>(KeyCap::Alt)];
    // AltGr takes the Alt cap, which says so; left Alt held with it has no cap of its own.
    if (capsMode_) capShown_ = {shift, ctrl, alt || altGr};
    altGr_ = altGr;

    // Rebuilt on every call, so a language change shows in the next line listed.
    modifierPrefix_.clear();
    const bool down[] = {shift, ctrl, alt, altGr};
    for (int32_t i = 0; i < 4; ++i) {
        if (!down[i]) continue;
        if (!modifierPrefix_.empty()) modifierPrefix_ += " + ";
        modifierPrefix_ += language_.GetString(i < 3 ? kShiftNameId + i : strings::kAltGrNameId);
    }
    return captionChanged || Layout() != before;
}

bool KeyDisplay::AddKey(std::string_view name) {
    if (!listMode_) return false;
    std::string text = modifierPrefix_.empty() ? std::string(name) : modifierPrefix_ + " + " + std::string(name);
    KeyLine& newest = lines_[0];
    if (repeatCount_ && lineCount_ > 0 && newest.text == text && newest.count < std::numeric_limits<int32_t>::max()) {
        ++newest.count;
        newest.remaining = RoundEven(fadingTime_ * 10.0f);
        return true;
    }
    InsertLine(std::move(text));
    return true;
}

bool KeyDisplay::AddNotice(std::string_view text) {
    if (!listMode_) return false;
    if (lineCount_ > 0 && lines_[0].text == text) {
        lines_[0].remaining = RoundEven(fadingTime_ * 10.0f);
        return false;
    }
    InsertLine(std::string(text));
    return true;
}

void KeyDisplay::InsertLine(std::string text) {
    if (lineCount_ == kMaxKeyLines) --lineCount_;
    for (std::size_t i = lineCount_; i > 0; --i) lines_[i] = std::move(lines_[i - 1]);
    KeyLine& line = lines_[0];
    line.text = std::move(text);
    line.count = 1;
    // Single precision as the fading time is held, then halves to even: 0.25 s gives 2.
    line.remaining = RoundEven(fadingTime_ * 10.0f);
    ++lineCount_;
}

bool KeyDisplay::ClearTick() {
    if (!listMode_) return false;
    bool removed = false;
    for (std::size_t i = lineCount_; i-- > 0;) {
        // A line goes when its lifetime would fall below 2; compared first so that no
        // lifetime, however far below zero, is decremented past the integer range.
        if (lines_[i].remaining <= 2) {
            RemoveLine(i);
            removed = true;
        } else {
            --lines_[i].remaining;
        }
    }
    return removed;
}

void KeyDisplay::RemoveLine(std::size_t index) {
    for (std::size_t i = index; i + 1 < lineCount_; ++i) lines_[i] = std::move(lines_[i + 1]);
    --lineCount_;
}

bool KeyDisplay::SetScale(double scaleY) {
    const KeyDisplayLayout before = Layout();
    // No display comes near 16 times 96 dpi; the cap keeps every length far inside int32_t.
    scale_ = std::isfinite(scaleY) && scaleY > 0 ? std::min(scaleY, 16.0) : 1.0;
    return Layout() != before;
}

ListLineLayout LoneListLine(int32_t textWidth, double scaleY) {
    const int32_t padding = Scaled(kListPadding, scaleY), height = Scaled(kLineHeight, scaleY);
    return {{textWidth + 2 * padding, height + 2 * padding}, {padding, padding, padding + textWidth, padding + height}};
}
