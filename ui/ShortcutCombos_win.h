// One shortcut's three drop-down lists in a dialog (first modifier, second modifier,
// key). They mirror the lists the core decides, and every choice goes into the settings
// record at once; the settings window then shows the shortcut's label and menu captions.
#pragma once

#include <windows.h>

#include <functional>

#include "base/Geometry.h"

#include "keyboard/HotKeyInfo.h"
#include "keyboard/ShortcutChoice.h"
#include "ui/SettingsHost_win.h"

class DialogBase;

class ShortcutCombos {
public:
    ShortcutCombos(int spec1Id, int spec2Id, int keyId) : ids_{spec1Id, spec2Id, keyId} {}

    void SetAction(HotKeyAction action) { action_ = action; }
    HotKeyAction Action() const { return action_; }
    int Id(ShortcutList list) const { return ids_[static_cast<int>(list)]; }

    // Fills the lists from the record in the current language; what they repaired (two
    // equal modifiers) is stored.
    void Show(const DialogBase& dialog);
    // A WM_COMMAND of the dialog; true when it came from one of these lists.
    bool Command(const DialogBase& dialog, int id, int notification);

private:
    void Mirror(const DialogBase& dialog);

    int ids_[3];
    HotKeyAction action_ = HotKeyAction::Blink;
    ShortcutLists lists_;
    ShortcutLists shown_;  // what the combo boxes hold now
    bool showing_ = false;
};

// Stores the fields of the action's shortcut that changed; the host has the settings window
// show the record again (labels, menu captions, the other dialogs).
void StoreShortcut(SettingsHost& host, HotKeyAction action, const HotKeyInfo& shortcut);

// Places the three lists in one row, left to right at top: first modifier, "+", second
// modifier, "+", key (the "+" signs are labels with the ids plus1 and plus2). Both
// shortcut dialogs use it so that their rows look alike. Creation order is tab order, so
// a caption added just before the row names the first list.
using AddDialogControl = std::function<void(int id, const wchar_t* windowClass, DWORD style, const Rect& place96)>;
void AddShortcutRow(const ShortcutCombos& combos, int plus1, int plus2, int left, int top, int right,
                    const AddDialogControl& add);
inline constexpr int kShortcutRowHeight = 24;
