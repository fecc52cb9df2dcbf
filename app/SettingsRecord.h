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
// four window keys.
enum class SettingGroup : uint8_t { Main, Shortcut };

// Defaults that depend on something else than the table.
enum class SettingDefault : uint8_t {
    Fixed,
    AnyListClass,  // 1 when one of the seven List* key classes read before it is set
    SystemLanguage
};

// Key name, default, load rule, save rule, group; in the order the keys are read.
#define GLIMMORA_SETTINGS(X)                                     \
    X(Buttons, 1, Plain, Decimal, Main)                          \
    X(ButtonsSize, 44, Plain, Nearest, Main)                     \
    X(ButtonsTrans, 50, Plain, Nearest, Main)                    \
    X(ButtonsFading, 10, Tenths, Tenths, Main)                   \
    X(MouseImage, 0, Plain, Decimal, Main)                       \
    X(MouseImageSize, 84, Plain, Nearest, Main)                  \
    X(MouseImageTrans, 30, Plain, Nearest, Main)                 \
    X(MouseImageColor, 0, NonZeroIsOne, ZeroOrOne, Main)         \
    X(MouseImageLockPos, 0, Plain, Decimal, Main)                \
    X(MouseImagePosX, 0, Plain, Decimal, Main)                   \
    X(MouseImagePosY, 0, Plain, Decimal, Main)                   \
    X(Halo, 1, Plain, Decimal, Main)                             \
    X(HaloSize, 100, Plain, Nearest, Main)                       \
    X(HaloTrans, 80, Plain, Nearest, Main)                       \
    X(HaloRing, 0, Plain, Decimal, Main)                         \
    X(HaloFullScreen, 0, Plain, Decimal, Main)                   \
    X(HaloColor, 0, Plain, Nearest, Main)                        \
    X(Crosshair, 0, Plain, Decimal, Main)                        \
    X(CrosshairSize, 7, Plain, Nearest, Main)                    \
    X(CrosshairTrans, 40, Plain, Nearest, Main)                  \
    X(CrosshairGap, 100, Plain, Nearest, Main)                   \
    X(CrosshairColor, 16777152, Plain, Nearest, Main)            \
    X(CrosshairArrows, 1, Plain, Decimal, Main)                  \
    X(ListSpecialKeys, 0, Plain, Decimal, Main)                  \
    X(ListCharacterKeys, 0, Plain, Decimal, Main)                \
    X(ListCharacterSpecialKeys, 1, Plain, Decimal, Main)         \
    X(ListCursorKeys, 0, Plain, Decimal, Main)                   \
    X(ListFunctionKeys, 0, Plain, Decimal, Main)                 \
    X(ListInputKeys, 0, Plain, Decimal, Main)                    \
    X(ListMouseButtons, 0, Plain, Decimal, Main)                 \
    X(ListAnyKeys, AnyListClass, Plain, Decimal, Main)           \
    X(LeftButtonColor, 255, Plain, Decimal, Main)                \
    X(LeftButtonWidth, 11, Plain, Decimal, Main)                 \
    X(MiddleButtonColor, 53248, Plain, Decimal, Main)            \
    X(MiddleButtonWidth, 8, Plain, Decimal, Main)                \
    X(RightButtonColor, 16728064, Plain, Decimal, Main)          \
    X(RightButtonWidth, 6, Plain, Decimal, Main)                 \
    X(WheelColor, 12583104, Plain, Decimal, Main)                \
    X(WheelWidth, 10, Plain, Decimal, Main)                      \
    X(ShowWheelArrows, 1, Plain, Decimal, Main)                  \
    X(ShowLettersOnRings, 0, Plain, Decimal, Main)               \
    X(RingsSameSize, 0, Plain, Decimal, Main)                    \
    X(DisksAsClickIndicators, 0, Plain, Decimal, Main)           \
    X(ListKeysFading, 4, Plain, Decimal, Main)                   \
    X(ShowKeysWindow, 1, Plain, Decimal, Main)                   \
    X(ShowKeysClick, 1, Plain, Decimal, Main)                    \
    X(KeyBoardTrans, 20, Plain, Nearest, Main)                   \
    X(ListLockPos, 0, Plain, Decimal, Main)                      \
    X(ListPosX, 0, Plain, Decimal, Main)                         \
    X(ListPosY, 0, Plain, Decimal, Main)                         \
    X(AutoHideMouse, 0, Plain, Decimal, Main)                    \
    X(AutoHideKeyboard, 0, Plain, Decimal, Main)                 \
    X(FadeAutoHide, 5, Plain, Decimal, Main)                     \
    X(LowRefresh, 0, Plain, Decimal, Main)                       \
    X(HotKeyBlinkSpec1, 16, Plain, Decimal, Shortcut)            \
    X(HotKeyBlinkSpec2, 17, Plain, Decimal, Shortcut)            \
    X(HotKeyBlinkKeyCode, 89, Plain, Decimal, Shortcut)          \
    X(HotKeyPauseSpec1, 16, Plain, Decimal, Shortcut)            \
    X(HotKeyPauseSpec2, 17, Plain, Decimal, Shortcut)            \
    X(HotKeyPauseKeyCode, 65, Plain, Decimal, Shortcut)          \
    X(HotKeyButtonsSpec1, 16, Plain, Decimal, Shortcut)          \
    X(HotKeyButtonsSpec2, 17, Plain, Decimal, Shortcut)          \
    X(HotKeyButtonsKeyCode, -1, Plain, Decimal, Shortcut)        \
    X(HotKeyPictureSpec1, 16, Plain, Decimal, Shortcut)          \
    X(HotKeyPictureSpec2, 17, Plain, Decimal, Shortcut)          \
    X(HotKeyPictureKeyCode, -1, Plain, Decimal, Shortcut)        \
    X(HotKeySpotSpec1, 16, Plain, Decimal, Shortcut)             \
    X(HotKeySpotSpec2, 17, Plain, Decimal, Shortcut)             \
    X(HotKeySpotKeyCode, -1, Plain, Decimal, Shortcut)           \
    X(HotKeyCrossHairSpec1, 16, Plain, Decimal, Shortcut)        \
    X(HotKeyCrossHairSpec2, 17, Plain, Decimal, Shortcut)        \
    X(HotKeyCrossHairKeyCode, -1, Plain, Decimal, Shortcut)      \
    X(HotKeyKeyBoardSpec1, 16, Plain, Decimal, Shortcut)         \
    X(HotKeyKeyBoardSpec2, 17, Plain, Decimal, Shortcut)         \
    X(HotKeyKeyBoardKeyCode, -1, Plain, Decimal, Shortcut)       \
    X(Language, SystemLanguage, Plain, Decimal, Main)            \
    X(Taskbar, 1, NonZeroIsOne, ZeroOrOne, Main)                 \
    X(WindowState, 0, Plain, Decimal, Main)                      \
    X(WindowVisible, 1, VisibleIfTaskbar, ZeroOrOne, Main)

enum class SettingKey : int32_t {
#define GLIMMORA_SETTING_ENUM(name, def, load, save, group) name,
    GLIMMORA_SETTINGS(GLIMMORA_SETTING_ENUM)
#undef GLIMMORA_SETTING_ENUM
};

inline constexpr std::size_t kSettingCount = 79;
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
    // Every key at its default, with the system language as the language.
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

// Writes one key of the section "Settings"; false when the file refused it.
struct IniSink {
    virtual ~IniSink() = default;
    virtual bool Write(std::string_view key, std::string_view text) = 0;
};

// Reads an integer the way the Win32 profile API does: blanks (any character up to ' ')
// skipped, an optional sign, digits up to the first other character, wrapping modulo 2^32.
// A "0x", "0o" or "0b" prefix switches to hexadecimal, octal or binary. No digits give 0;
// an empty text gives the fallback. Only the first 29 characters count, as the API reads
// the value into a 30-character buffer.
int32_t ParseProfileInt(std::string_view text, int32_t fallback);

// Reads every key in table order; absent keys get their defaults. Never fails: any text
// gives some value.
void LoadSettings(SettingsRecord& record, IniSource& source, int32_t systemLanguage);

// The text a key is written as.
std::string SettingText(const SettingsRecord& record, SettingKey key);

// Writes every key in save order, on after a refused key too. True when every write
// succeeded.
bool SaveSettings(const SettingsRecord& record, IniSink& sink);
