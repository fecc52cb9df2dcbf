// One pass of the keyboard poller: the modifiers, the keys newly pressed in the selected
// classes, the seven shortcuts and the typing count, decided over any key-state source.
// The 100 ms timer and GetAsyncKeyState stay with the Win32 side.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyCatalogue.h"
#include "lang/StringTable.h"

class clsLanguage;
class SettingsRecord;

// Whether a key counts as pressed: down now, or pressed since the previous query of that
// code (GetAsyncKeyState non-zero), so a tap shorter than a pass is not lost. A query may
// consume the "pressed since" part.
class KeyStateSource {
public:
    virtual ~KeyStateSource() = default;
    virtual bool IsPressed(int32_t code) = 0;
    // Whether the key is down now, with no memory of earlier presses.
    virtual bool IsDown(int32_t code) { return IsPressed(code); }
};

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool operator==(const Modifiers&) const = default;
};

// What a pass needs from the settings record; built when the settings change, not per pass.
struct KeyPollSettings {
    std::array<bool, kKeyClassScanOrder.size()> listClass{};  // indexed by KeyClass
    bool charactersOnlyWithCtrlOrAlt = false;                   // "ListCharacterSpecialKeys"
    bool showKeysWindow = false;                                // "ShowKeysWindow"
    bool listAnyKeys = false;                                   // "ListAnyKeys" (chkListSpecialKeys)
    bool showKeysClick = false;                                 // "ShowKeysClick"
    bool autoHideKeyboard = false;                              // "AutoHideKeyboard"
    bool hidePasswordKeys = false;                              // "HidePasswordKeys"
    // "KeyNamesFromLayout": punctuation keys are listed too (the layout names them) and
    // right Alt with the Ctrl that Windows adds is AltGr, not Ctrl + Alt.
    bool keyNamesFromLayout = false;
    std::array<HotKeyInfo, kHotKeyActionCount> shortcuts{};     // indexed by HotKeyAction
};

KeyPollSettings KeyPollSettingsFrom(const SettingsRecord& record);
// At least one key class is listed; the Ctrl-or-Alt restriction alone is none.
bool AnyKeyClassSelected(const KeyPollSettings& settings);

// Every reading of a pass may list its key at most once; 108 is read twice; 13 punctuation
// keys are read with key names from the layout.
inline constexpr std::size_t kKeyReadingsPerPass = 108 + 13;

// Left and right modifier codes, read only to tell AltGr from Ctrl + Alt.
inline constexpr int32_t kRightCtrl = 163, kLeftAlt = 164, kRightAlt = 165;

// What one pass decided. Fixed size, so a pass never allocates.
struct KeyPollResult {
    Modifiers modifiers;          // read at the start of the pass; what shortcuts match
    // Right Alt on a layout with AltGr: Ctrl and Alt above are the system's stand-ins for it.
    bool altGr = false;
    bool setSpecialKeys = false;  // pass the modifiers to the keyboard display
    std::array<int32_t, kKeyReadingsPerPass> addedCodes{};
    std::size_t addedCount = 0;
    bool countTyping = false;     // add 1 to TypedKeyCount
    // Keys were pressed in a password field: the display says so instead of naming them.
    bool keysHidden = false;
    Modifiers caption;            // for SetKeyText; none when "ShowKeysClick" is off
    std::array<bool, kHotKeyActionCount> triggered{};  // indexed by HotKeyAction

    // Codes to add to the keyboard display, in order.
    std::span<const int32_t> Added() const { return {addedCodes.data(), addedCount}; }
    bool Triggered(HotKeyAction action) const { return triggered[static_cast<std::size_t>(action)]; }
    // The modifiers as the user holds them: with AltGr, neither Ctrl nor Alt.
    Modifiers Shown() const { return altGr ? Modifiers{modifiers.shift, false, false} : modifiers; }
};

// Where the typed keys go: somewhere to show them, a control that hides what is typed into
// it (a password field), or a program whose keys are never listed (a password manager).
enum class TypingPrivacy : uint8_t { None, PasswordField, PrivateProgram };

class KeyPoller {
public:
    // In a password field with "HidePasswordKeys", and in a private program always, no key is
    // listed (mouse buttons still are) and none counts as typing; shortcuts still fire, so a
    // presenter can pause while typing a password. Modifiers show as ever.
    KeyPollResult PollKeyboard(KeyStateSource& source, const KeyPollSettings& settings,
                               TypingPrivacy privacy = TypingPrivacy::None);
    // Queries every code from 1 to 255 and discards the answers, so that presses made
    // while the display was off do not appear when it comes on.
    void ForgetPresses(KeyStateSource& source);
    // With no key held at the last pass and no input since, a pass can find nothing new:
    // every key is still up and nothing was pressed in between. Each reading is a round
    // trip to the window server under some systems, so an idle keyboard is not read at all.
    bool PassNeeded(bool inputSinceLastPass) const { return inputSinceLastPass || KeyHeld(); }
    // A key or modifier was down (or pressed since the pass before) at the last pass.
    bool KeyHeld() const;

private:
    // Reads one key; true when it is pressed and fired no shortcut.
    // hide: a key that would be listed only sets keysHidden.
    bool PollKey(KeyStateSource& source, int32_t code, bool show, bool hide, const KeyPollSettings& settings,
                 KeyPollResult& result);

    // State of each code at the end of its last reading; the modifiers are not kept here.
    std::array<bool, 256> PreviousKeyState{};
    Modifiers lastModifiers_;
};

// "Shift", "Ctrl", "Alt" (and "AltGr") of the held modifiers in the language's current
// language, one per line ("\r\n" between); empty when none is held or showKeysClick is off.
std::string ModifierCaption(const clsLanguage& language, Modifiers held, bool showKeysClick, bool altGr = false);

// The keyboard display's notice for keys typed into a password field.
using strings::kKeysHiddenId;
