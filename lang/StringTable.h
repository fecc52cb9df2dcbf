// The seven built-in string tables, indexed for constant-time lookup.
#pragma once

#include <cstdint>
#include <string_view>

// The interface languages, in the tables' order.
enum LanguageNumber : int32_t {
    English = 0, German = 1, French = 2, Polish = 3, Spanish = 4, Turkish = 5, Danish = 6,
};
inline constexpr int32_t kLanguageCount = 7;

// The address the help window links to; the same in every language.
inline constexpr const char* kHomePageAddress = "https://glimmora.app/";

namespace strings {

struct Entry {
    int32_t id;
    std::string_view text;
};

inline constexpr int32_t kLastId = 129;
// Ids 80 to 92 are unused; 93 is the home-page address, kept in one place for every language.
inline constexpr int32_t kFirstUnusedId = 80;
inline constexpr int32_t kLastUnusedId = 92;
inline constexpr int32_t kHomePageId = 93;

// Texts added since, in a range of their own: the numbered table stays 1 to 129 and ends
// there, as replacement-text files and translations written for it expect.
inline constexpr int32_t kFirstAddedId = 1001;
inline constexpr int32_t kSecondModifierNameId = 1001;  // a shortcut's second list, for screen readers
inline constexpr int32_t kKeyNameId = 1002;             // a shortcut's key list, the same
inline constexpr int32_t kKeysHiddenId = 1003;          // keyboard display, keys typed into a password
inline constexpr int32_t kAltGrNameId = 1004;
inline constexpr int32_t kCrashReportNoteId = 1005;  // tray balloon after a crash, the report's path follows
inline constexpr int32_t kExtrasMenuId = 1006;       // "Extras ...": the menu entry; 1007 its dialog's title
inline constexpr int32_t kExtrasTitleId = 1007;
inline constexpr int32_t kFirstExtraSwitchId = 1008;  // the dialog's switches, in its order, to 1018
inline constexpr int32_t kBigPointerScaleId = 1019;   // the dialog's two sliders
inline constexpr int32_t kClickVolumeId = 1020;
inline constexpr int32_t kAdminWindowNoticeId = 1021;  // near the pointer when an elevated window comes to the front
inline constexpr int32_t kRestartElevatedId = 1022;    // program and tray menu entry
inline constexpr int32_t kPrivateProgramsId = 1023;  // its list's caption; then "Add", "Add the program used last", "Remove"
// Presets: the menu entry, "Save as preset ...", the three starting points' names, the save
// dialog's caption, buttons and title, the shortcut's action, its caption and button in the extras.
inline constexpr int32_t kPresetsMenuId = 1027;
inline constexpr int32_t kSaveAsPresetMenuId = 1028;
inline constexpr int32_t kFirstStartingPointId = 1029;
inline constexpr int32_t kPresetNameCaptionId = 1032;
inline constexpr int32_t kSaveId = 1033;
inline constexpr int32_t kCancelId = 1034;
inline constexpr int32_t kNextPresetId = 1035;
inline constexpr int32_t kSaveAsPresetTitleId = 1036;
inline constexpr int32_t kNextPresetShortcutId = 1037;
inline constexpr int32_t kChangeShortcutId = 1038;
inline constexpr int32_t kPresetsInMenusId = 1039;  // the extras' switch that puts them in the menus
inline constexpr int32_t kLastAddedId = 1039;

// Text of the id in the language as the table holds it (no replacements); empty for an
// id or language outside the tables.
std::string_view TableText(int32_t language, int32_t id);

}  // namespace strings
