#include "ui/PresetMenu_win.h"

#include "base/Text_win.h"
#include "lang/SharedLanguage_win.h"
#include "lang/StringTable.h"
#include "ui/frmPresetName_win.h"


namespace {

// The last id of the span: the save entry; presets beyond the span are not listed.
UINT SaveId(UINT firstId) { return firstId + kPresetMenuSpan - 1; }

}  // namespace

std::wstring PresetCaption(const std::string& name) {
    if (const auto point = StartingPointIndex(name))
        return Widen(SharedLanguage().GetString(strings::kFirstStartingPointId + static_cast<int32_t>(*point)));
    return Widen(name);
}

HMENU MakePresetMenu(const SettingsHost& host, UINT firstId) {
    if (!host.Settings().IsOn(SettingKey::PresetsInMenus)) return nullptr;
    const HMENU popup = ::CreatePopupMenu();
    if (!popup) return nullptr;
    const Presets& presets = host.PresetList();
    const auto current = presets.Current(host.Settings());
    for (std::size_t i = 0; i < presets.All().size() && i + 1 < kPresetMenuSpan; ++i) {
        // "&" would underline the next letter of a user's name instead of showing.
        std::wstring caption = PresetCaption(presets.All()[i].name);
        for (std::size_t at = caption.find(L'&'); at != std::wstring::npos; at = caption.find(L'&', at + 2))
            caption.insert(at, 1, L'&');
        ::AppendMenuW(popup, MF_STRING | (current == i ? MF_CHECKED : MF_UNCHECKED), firstId + static_cast<UINT>(i),
                      caption.c_str());
    }
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING, SaveId(firstId),
                  Widen(SharedLanguage().GetString(strings::kSaveAsPresetMenuId)).c_str());
    return popup;
}

bool RunPresetMenu(SettingsHost& host, UINT id, UINT firstId, HWND owner) {
    if (id < firstId || id > SaveId(firstId)) return false;
    if (id == SaveId(firstId))
        ShowPresetName(host, owner);
    else
        host.SwitchToPreset(id - firstId);
    return true;
}
