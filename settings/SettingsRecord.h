// The settings record: every value of the settings file, its default, how it is read
// and how it is written. One table drives both reading and writing, so a key cannot be
// read under one name and written under another, or forgotten on one side.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How a value read from the file becomes the value held.
enum class SettingLoad : uint8_t {
    Plain,           // as read
    Tenths,          // stored in tenths of a second, held in seconds
    NonZeroIsOne,    // a flag: anything but 0 means 1
    VisibleIfTaskbar // 1 whenever "Taskbar" (read just before) is 1, else value != 0
};

// How a held value is written.
enum class SettingSave : uint8_t {
    Decimal,   // the decimal text of the value
    Nearest,   // nearest integer, halves to even
    Tenths,    // value x 10, nearest integer
    ZeroOrOne  // 1 for anything but 0
};

// Where a key goes in the file: the shortcuts are read before and written after the
// four window keys; the keys added since (switches of later safeguards, all after the
// first 79) come last, and only when they differ from their defaults, so that a file of
// defaults holds the 79 keys every other reader of it knows.
enum class SettingGroup : uint8_t { Main, Shortcut, Added };

// Defaults that depend on something else than the table.
enum class SettingDefault : uint8_t {
    Fixed,
    AnyListClass,  // 1 when one of the seven List* key classes read before it is set
    SystemLanguage
};

// What a holder can hold, and so what a value read from the file is made into.
enum class SettingCheck : uint8_t {
    AsRead,  // anything is meaningful (positions, shortcuts), or the load rule already made it so
    Clamp,   // a slider: pulled into min..max as the slider's Clamp does
    OneOf,   // a check box or a choice: a whole number in min..max, anything else gives the default
    Palette  // a colour picker: the nearest palette colour
};

struct SettingValidity {
    SettingCheck check;
    int32_t min;  // in the units the record holds (seconds for "ButtonsFading")
    int32_t max;
};

// Key name, default, load rule, save rule, group, what its holder can hold; in the order
// the keys are read. Validity: AsRead, CheckBox (0 or 1), Slider(min, max), OneOf(min, max),
// Palette, KnownLanguage.
#define GLIMMORA_SETTINGS(X)                                         \
    X(Buttons, 1, Plain, ZeroOrOne, Main, CheckBox)                  \
    X(ButtonsSize, 44, Plain, Nearest, Main, Slider(5, 90))          \
    X(ButtonsTrans, 50, Plain, Nearest, Main, Slider(0, 95))         \
    X(ButtonsFading, 10, Tenths, Tenths, Main, Slider(0, 5))         \
    X(MouseImage, 0, Plain, ZeroOrOne, Main, CheckBox)               \
    X(MouseImageSize, 84, Plain, Nearest, Main, Slider(20, 150))     \
    X(MouseImageTrans, 30, Plain, Nearest, Main, Slider(0, 95))      \
    X(MouseImageColor, 0, NonZeroIsOne, ZeroOrOne, Main, AsRead)     \
    X(MouseImageLockPos, 0, Plain, ZeroOrOne, Main, CheckBox)        \
    X(MouseImagePosX, 0, Plain, Decimal, Main, AsRead)               \
    X(MouseImagePosY, 0, Plain, Decimal, Main, AsRead)               \
    X(Halo, 1, Plain, ZeroOrOne, Main, CheckBox)                     \
    X(HaloSize, 100, Plain, Nearest, Main, Slider(20, 300))          \
    X(HaloTrans, 80, Plain, Nearest, Main, Slider(0, 95))            \
    X(HaloRing, 0, Plain, ZeroOrOne, Main, CheckBox)                 \
    X(HaloFullScreen, 0, Plain, ZeroOrOne, Main, CheckBox)           \
    X(HaloColor, 0, Plain, Nearest, Main, Palette)                   \
    X(Crosshair, 0, Plain, ZeroOrOne, Main, CheckBox)                \
    X(CrosshairSize, 7, Plain, Nearest, Main, Slider(1, 30))         \
    X(CrosshairTrans, 40, Plain, Nearest, Main, Slider(0, 95))       \
    X(CrosshairGap, 100, Plain, Nearest, Main, Slider(0, 100))       \
    X(CrosshairColor, 16777152, Plain, Nearest, Main, Palette)       \
    X(CrosshairArrows, 1, Plain, ZeroOrOne, Main, CheckBox)          \
    X(ListSpecialKeys, 0, Plain, ZeroOrOne, Main, CheckBox)          \
    X(ListCharacterKeys, 0, Plain, ZeroOrOne, Main, CheckBox)        \
    X(ListCharacterSpecialKeys, 1, Plain, ZeroOrOne, Main, CheckBox) \
    X(ListCursorKeys, 0, Plain, ZeroOrOne, Main, CheckBox)           \
    X(ListFunctionKeys, 0, Plain, ZeroOrOne, Main, CheckBox)         \
    X(ListInputKeys, 0, Plain, ZeroOrOne, Main, CheckBox)            \
    X(ListMouseButtons, 0, Plain, ZeroOrOne, Main, CheckBox)         \
    X(ListAnyKeys, AnyListClass, Plain, ZeroOrOne, Main, CheckBox)   \
    X(LeftButtonColor, 255, Plain, Decimal, Main, Palette)           \
    X(LeftButtonWidth, 11, Plain, Decimal, Main, Slider(2, 20))      \
    X(MiddleButtonColor, 53248, Plain, Decimal, Main, Palette)       \
    X(MiddleButtonWidth, 8, Plain, Decimal, Main, Slider(2, 20))     \
    X(RightButtonColor, 16728064, Plain, Decimal, Main, Palette)     \
    X(RightButtonWidth, 6, Plain, Decimal, Main, Slider(2, 20))      \
    X(WheelColor, 12583104, Plain, Decimal, Main, Palette)           \
    X(WheelWidth, 10, Plain, Decimal, Main, Slider(2, 20))           \
    X(ShowWheelArrows, 1, Plain, ZeroOrOne, Main, CheckBox)          \
    X(ShowLettersOnRings, 0, Plain, ZeroOrOne, Main, CheckBox)       \
    X(RingsSameSize, 0, Plain, ZeroOrOne, Main, CheckBox)            \
    X(DisksAsClickIndicators, 0, Plain, ZeroOrOne, Main, CheckBox)   \
    X(ListKeysFading, 4, Plain, Decimal, Main, Slider(1, 20))        \
    X(ShowKeysWindow, 1, Plain, ZeroOrOne, Main, CheckBox)           \
    X(ShowKeysClick, 1, Plain, ZeroOrOne, Main, CheckBox)            \
    X(KeyBoardTrans, 20, Plain, Nearest, Main, Slider(0, 95))        \
    X(ListLockPos, 0, Plain, ZeroOrOne, Main, CheckBox)              \
    X(ListPosX, 0, Plain, Decimal, Main, AsRead)                     \
    X(ListPosY, 0, Plain, Decimal, Main, AsRead)                     \
    X(AutoHideMouse, 0, Plain, ZeroOrOne, Main, CheckBox)            \
    X(AutoHideKeyboard, 0, Plain, ZeroOrOne, Main, CheckBox)         \
    X(FadeAutoHide, 5, Plain, Decimal, Main, Slider(0, 60))          \
    X(LowRefresh, 0, Plain, ZeroOrOne, Main, CheckBox)               \
    X(HotKeyBlinkSpec1, 16, Plain, Decimal, Shortcut, AsRead)        \
    X(HotKeyBlinkSpec2, 17, Plain, Decimal, Shortcut, AsRead)        \
    X(HotKeyBlinkKeyCode, 89, Plain, Decimal, Shortcut, AsRead)      \
    X(HotKeyPauseSpec1, 16, Plain, Decimal, Shortcut, AsRead)        \
    X(HotKeyPauseSpec2, 17, Plain, Decimal, Shortcut, AsRead)        \
    X(HotKeyPauseKeyCode, 65, Plain, Decimal, Shortcut, AsRead)      \
    X(HotKeyButtonsSpec1, 16, Plain, Decimal, Shortcut, AsRead)      \
    X(HotKeyButtonsSpec2, 17, Plain, Decimal, Shortcut, AsRead)      \
    X(HotKeyButtonsKeyCode, -1, Plain, Decimal, Shortcut, AsRead)    \
    X(HotKeyPictureSpec1, 16, Plain, Decimal, Shortcut, AsRead)      \
    X(HotKeyPictureSpec2, 17, Plain, Decimal, Shortcut, AsRead)      \
    X(HotKeyPictureKeyCode, -1, Plain, Decimal, Shortcut, AsRead)    \
    X(HotKeySpotSpec1, 16, Plain, Decimal, Shortcut, AsRead)         \
    X(HotKeySpotSpec2, 17, Plain, Decimal, Shortcut, AsRead)         \
    X(HotKeySpotKeyCode, -1, Plain, Decimal, Shortcut, AsRead)       \
    X(HotKeyCrossHairSpec1, 16, Plain, Decimal, Shortcut, AsRead)    \
    X(HotKeyCrossHairSpec2, 17, Plain, Decimal, Shortcut, AsRead)    \
    X(HotKeyCrossHairKeyCode, -1, Plain, Decimal, Shortcut, AsRead)  \
    X(HotKeyKeyBoardSpec1, 16, Plain, Decimal, Shortcut, AsRead)     \
    X(HotKeyKeyBoardSpec2, 17, Plain, Decimal, Shortcut, AsRead)     \
    X(HotKeyKeyBoardKeyCode, -1, Plain, Decimal, Shortcut, AsRead)   \
    X(Language, SystemLanguage, Plain, Decimal, Main, KnownLanguage) \
    X(Taskbar, 1, NonZeroIsOne, ZeroOrOne, Main, AsRead)             \
    X(WindowState, 0, Plain, Decimal, Main, OneOf(0, 2))             \
    X(WindowVisible, 1, VisibleIfTaskbar, ZeroOrOne, Main, AsRead)   \
    X(ReleaseLostClicks, 1, Plain, ZeroOrOne, Added, CheckBox)       \
    X(HealHooks, 1, Plain, ZeroOrOne, Added, CheckBox)               \
    X(FollowPointerMoves, 1, Plain, ZeroOrOne, Added, CheckBox)      \
    X(SameSizeOnEveryMonitor, 0, Plain, ZeroOrOne, Added, CheckBox)  \
    X(HidePasswordKeys, 1, Plain, ZeroOrOne, Added, CheckBox)        \
    X(KeyNamesFromLayout, 1, Plain, ZeroOrOne, Added, CheckBox)      \
    X(ListRepeatCount, 0, Plain, ZeroOrOne, Added, CheckBox)         \
    X(ShowTouch, 1, Plain, ZeroOrOne, Added, CheckBox)               \
    X(ShakeToFind, 0, Plain, ZeroOrOne, Added, CheckBox)             \
    X(BigPointer, 0, Plain, ZeroOrOne, Added, CheckBox)              \
    X(BigPointerScale, 250, Plain, Nearest, Added, Slider(150, 400)) \
    X(ClickSounds, 0, Plain, ZeroOrOne, Added, CheckBox)             \
    X(ClickVolume, 50, Plain, Nearest, Added, Slider(0, 100))       \
    X(HotKeyPresetSpec1, 16, Plain, Decimal, Added, AsRead)          \
    X(HotKeyPresetSpec2, 17, Plain, Decimal, Added, AsRead)          \
    X(HotKeyPresetKeyCode, -1, Plain, Decimal, Added, AsRead)        \
    X(PresetsInMenus, 0, Plain, ZeroOrOne, Added, CheckBox)

enum class SettingKey : int32_t {
#define GLIMMORA_SETTING_ENUM(name, def, load, save, group, valid) name,
    GLIMMORA_SETTINGS(GLIMMORA_SETTING_ENUM)
#undef GLIMMORA_SETTING_ENUM
};

inline constexpr std::size_t kSettingCount = 96;
inline constexpr std::string_view kSettingsSection = "Settings";
inline constexpr std::string_view kSettingsFileName = "Glimmora.ini";
// Below the user's application-data folder.
inline constexpr std::string_view kUserSettingsRelativePath = "Glimmora\\Glimmora.ini";

struct SettingRow {
    std::string_view name;
    double fixedDefault;
    SettingDefault defaultRule;
    SettingLoad load;
    SettingSave save;
    SettingGroup group;
    SettingValidity valid;
};

// The table in reading order; SettingRowOf(key).name is the INI key.
const std::array<SettingRow, kSettingCount>& SettingRows();
const SettingRow& SettingRowOf(SettingKey key);
// The keys in the order they are written.
const std::array<SettingKey, kSettingCount>& SettingSaveOrder();

// The values of every key. Holders that do not exist yet read and write through here, so
// a value read from the file reaches the next save untouched.
class SettingsRecord {
public:
    // Every key at its default as its holder holds it (colours on the palette), with the
    // system language as the language.
    explicit SettingsRecord(int32_t systemLanguage = 0);

    double Get(SettingKey key) const { return values_[Index(key)]; }
    // Nearest integer, halves to even, held within the 32-bit range.
    int32_t GetInt(SettingKey key) const;
    bool IsOn(SettingKey key) const { return Get(key) != 0; }
    void Set(SettingKey key, double value) { values_[Index(key)] = value; }

    bool operator==(const SettingsRecord&) const = default;

private:
    static std::size_t Index(SettingKey key) { return static_cast<std::size_t>(key); }
    std::array<double, kSettingCount> values_{};
};

// The settings file as LoadSettings sees it: the raw text of a key's value in the section
// "Settings", or nothing when the key is absent.
struct IniSource {
    virtual ~IniSource() = default;
    virtual std::optional<std::string> Read(std::string_view key) = 0;
};

// Writes or removes one key of the section "Settings"; false when the file refused it.
struct IniSink {
    virtual ~IniSink() = default;
    virtual bool Write(std::string_view key, std::string_view text) = 0;
    virtual bool Remove(std::string_view key) = 0;
};

// Reads an integer the way the Win32 profile API does: blanks (any character up to ' ')
// skipped, an optional sign, digits up to the first other character, wrapping modulo 2^32.
// A "0x", "0o" or "0b" prefix switches to hexadecimal, octal or binary. No digits give 0;
// an empty text gives the fallback. Only the first 29 characters count, as the API reads
// the value into a 30-character buffer.
int32_t ParseProfileInt(std::string_view text, int32_t fallback);

// The value key holds when the file lacks it; the keys read before it decide the default
// of "ListAnyKeys".
double SettingDefaultValue(const SettingsRecord& record, SettingKey key, int32_t systemLanguage);

// Reads every key in table order; absent keys get their defaults, and every value is made
// one its holder can hold (MakeSettingsValid). Never fails: any text gives some value.
void LoadSettings(SettingsRecord& record, IniSource& source, int32_t systemLanguage);

// The text a key is written as.
std::string SettingText(const SettingsRecord& record, SettingKey key);

// Writes every key in save order, on after a refused key too; an added key at its default
// is removed instead, so that a value set once and set back leaves nothing behind. True when
// every write succeeded.
bool SaveSettings(const SettingsRecord& record, IniSink& sink);

// One key as a start reads it from text the file holds for it: the load rule applied and the
// value made one its holder can hold.
void LoadSetting(SettingsRecord& record, SettingKey key, std::string_view text, int32_t systemLanguage);

// Values as their holders can hold them: a slider keeps its value within its range, a
// colour picker on its palette, a check box at 0 or 1. The file may say anything; these
// rules run once, as it is loaded, so nothing downstream has to doubt a value again.
struct ValueRange {
    int32_t min;
    int32_t max;
    bool operator==(const ValueRange&) const = default;
};

// The range of the slider that holds key, in the units the record holds (seconds for
// "ButtonsFading"); nothing for a key no slider holds.
std::optional<ValueRange> SettingRange(SettingKey key);

// Brings one key to a value its holder can hold. The keys before it in reading order
// should be valid already: the default of "ListAnyKeys" follows the key classes.
void MakeSettingValid(SettingsRecord& record, SettingKey key, int32_t systemLanguage);

// Every key in reading order. Shortcuts and window positions stay as they are; a
// language that is none of ours becomes the system language.
void MakeSettingsValid(SettingsRecord& record, int32_t systemLanguage);
