#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CoreTestSupport.h"

#include "settings/SettingsLocation.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSection.h"
#include "settings/ColorPalette.h"

namespace {

// The listing GetPrivateProfileSection would give for these entries.
std::string ListingOf(const std::vector<IniEntry>& entries) {
    std::string listing;
    for (const IniEntry& e : entries)
        if (e.text) listing += e.key + "=" + *e.text + '\0';
    return listing + '\0';
}

// Every key in reading order with the value it holds when the file lacks it (system
// language 3); colours as their pickers hold them, on the palette. Written out by hand so
// that a slip in the table shows up here.
const std::vector<std::pair<std::string, double>> kExpectedDefaults = {
    {"Buttons", 1}, {"ButtonsSize", 44}, {"ButtonsTrans", 50}, {"ButtonsFading", 1.0},
    {"MouseImage", 0}, {"MouseImageSize", 84}, {"MouseImageTrans", 30}, {"MouseImageColor", 0},
    {"MouseImageLockPos", 0}, {"MouseImagePosX", 0}, {"MouseImagePosY", 0},
    {"Halo", 1}, {"HaloSize", 100}, {"HaloTrans", 80}, {"HaloRing", 0}, {"HaloFullScreen", 0}, {"HaloColor", 0},
    {"Crosshair", 0}, {"CrosshairSize", 7}, {"CrosshairTrans", 40}, {"CrosshairGap", 100},
    {"CrosshairColor", 0xFFFFBF}, {"CrosshairArrows", 1},
    {"ListSpecialKeys", 0}, {"ListCharacterKeys", 0}, {"ListCharacterSpecialKeys", 1}, {"ListCursorKeys", 0},
    {"ListFunctionKeys", 0}, {"ListInputKeys", 0}, {"ListMouseButtons", 0}, {"ListAnyKeys", 1},
    {"LeftButtonColor", 0x0000FF}, {"LeftButtonWidth", 11}, {"MiddleButtonColor", 0x00BF00}, {"MiddleButtonWidth", 8},
    {"RightButtonColor", 0xFF6000}, {"RightButtonWidth", 6}, {"WheelColor", 0xBF00BF}, {"WheelWidth", 10},
    {"ShowWheelArrows", 1}, {"ShowLettersOnRings", 0}, {"RingsSameSize", 0}, {"DisksAsClickIndicators", 0},
    {"ListKeysFading", 4}, {"ShowKeysWindow", 1}, {"ShowKeysClick", 1}, {"KeyBoardTrans", 20},
    {"ListLockPos", 0}, {"ListPosX", 0}, {"ListPosY", 0},
    {"AutoHideMouse", 0}, {"AutoHideKeyboard", 0}, {"FadeAutoHide", 5}, {"LowRefresh", 0},
    {"HotKeyBlinkSpec1", 16}, {"HotKeyBlinkSpec2", 17}, {"HotKeyBlinkKeyCode", 89},
    {"HotKeyPauseSpec1", 16}, {"HotKeyPauseSpec2", 17}, {"HotKeyPauseKeyCode", 65},
    {"HotKeyButtonsSpec1", 16}, {"HotKeyButtonsSpec2", 17}, {"HotKeyButtonsKeyCode", -1},
    {"HotKeyPictureSpec1", 16}, {"HotKeyPictureSpec2", 17}, {"HotKeyPictureKeyCode", -1},
    {"HotKeySpotSpec1", 16}, {"HotKeySpotSpec2", 17}, {"HotKeySpotKeyCode", -1},
    {"HotKeyCrossHairSpec1", 16}, {"HotKeyCrossHairSpec2", 17}, {"HotKeyCrossHairKeyCode", -1},
    {"HotKeyKeyBoardSpec1", 16}, {"HotKeyKeyBoardSpec2", 17}, {"HotKeyKeyBoardKeyCode", -1},
    {"Language", 3}, {"Taskbar", 1}, {"WindowState", 0}, {"WindowVisible", 1},
    {"ReleaseLostClicks", 1}, {"HealHooks", 1}, {"FollowPointerMoves", 1}, {"SameSizeOnEveryMonitor", 0},
    {"HidePasswordKeys", 1}, {"KeyNamesFromLayout", 1},
};

struct RecordingSink final : IniSink {
    std::vector<std::pair<std::string, std::string>> written;
    std::vector<std::string> removed;
    bool refuse = false;
    bool Write(std::string_view key, std::string_view text) override {
        written.emplace_back(key, text);
        return !refuse;
    }
    bool Remove(std::string_view key) override {
        removed.emplace_back(key);
        return !refuse;
    }
    std::string Text(std::string_view key) const {
        for (const auto& [k, t] : written)
            if (k == key) return t;
        return "<missing>";
    }
};

// The listing of a file of one section "Settings" and plain CR LF lines.
std::string SettingsListingOf(const std::string& file) {
    std::string listing;
    for (size_t at = 0, end; at < file.size(); at = end + 2) {
        end = std::min(file.find("\r\n", at), file.size());
        const std::string line = file.substr(at, end - at);
        if (line.find('=') != std::string::npos) listing += line + '\0';
    }
    return listing + '\0';
}

SettingsRecord SavedAndReloaded(const SettingsRecord& record) {
    IniEntrySink sink;
    EXPECT_TRUE(SaveSettings(record, sink));
    return Loaded(ListingOf(sink.Entries()));
}

}  // namespace

TEST(SettingsRecord, EmptyFileGivesEveryDefaultInTableOrder) {
    ASSERT_EQ(kExpectedDefaults.size(), kSettingCount);
    const SettingsRecord record = Loaded("", 3);
    for (size_t i = 0; i < kSettingCount; ++i) {
        EXPECT_EQ(SettingRows()[i].name, kExpectedDefaults[i].first) << i;
        EXPECT_EQ(record.Get(SettingKey(i)), kExpectedDefaults[i].second) << kExpectedDefaults[i].first;
    }
    EXPECT_EQ(SettingsRecord(3), record);  // a new record is a record of defaults
}

// A file of defaults holds the 79 keys, window keys before the shortcuts; the six added
// keys at their defaults are removed rather than written.
TEST(SettingsRecord, DefaultsSaveTheSeventyNineKeysWithWindowKeysBeforeShortcuts) {
    std::vector<std::string> expected;
    for (size_t i = 0; i < 54; ++i) expected.push_back(kExpectedDefaults[i].first);
    for (size_t i = 75; i < 79; ++i) expected.push_back(kExpectedDefaults[i].first);
    for (size_t i = 54; i < 75; ++i) expected.push_back(kExpectedDefaults[i].first);
    ASSERT_EQ(expected.size(), 79u);
    std::vector<std::string> added;
    for (size_t i = 79; i < kSettingCount; ++i) added.push_back(kExpectedDefaults[i].first);

    RecordingSink sink;
    EXPECT_TRUE(SaveSettings(SettingsRecord(5), sink));
    std::vector<std::string> keys;
    for (const auto& entry : sink.written) keys.push_back(entry.first);
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(sink.removed, added);
    EXPECT_EQ(sink.Text("ButtonsFading"), "10");
    EXPECT_EQ(sink.Text("CrosshairColor"), "16777151");
    EXPECT_EQ(sink.Text("HotKeySpotKeyCode"), "-1");
    EXPECT_EQ(sink.Text("Language"), "5");

    // A refused key does not stop the others, and the caller hears of it.
    RecordingSink refusing;
    refusing.refuse = true;
    EXPECT_FALSE(SaveSettings(SettingsRecord(), refusing));
    EXPECT_EQ(refusing.written.size() + refusing.removed.size(), kSettingCount);
}

// Each added key set away from its default is written after the 79 and read back; set back,
// the file loses it, even where an older line of it stood twice, and reads as the default.
TEST(SettingsRecord, AnAddedKeyIsKeptWhileSetAndLeavesTheFileWhenSetBack) {
    for (size_t i = 79; i < kSettingCount; ++i) {
        const auto key = SettingKey(i);
        const std::string name = kExpectedDefaults[i].first;
        SCOPED_TRACE(name);
        const std::string other = kExpectedDefaults[i].second == 0 ? "1" : "0";
        SettingsRecord set;
        set.Set(key, 1 - kExpectedDefaults[i].second);
        RecordingSink sink;
        SaveSettings(set, sink);
        ASSERT_EQ(sink.written.size(), 80u);
        EXPECT_EQ(sink.written.back(), (std::pair<std::string, std::string>{name, other}));
        EXPECT_EQ(SavedAndReloaded(set), set);

        IniEntrySink setEntries;
        SaveSettings(set, setEntries);
        const std::string file = MergeSettingsSection("[Settings]\r\nJunk=1\r\n", setEntries.Entries());
        EXPECT_EQ(Loaded(SettingsListingOf(file)), set);

        IniEntrySink defaultEntries;
        SaveSettings(SettingsRecord(), defaultEntries);
        for (const std::string& before : {file, file + name + "=" + other + "\r\n"}) {
            const std::string after = MergeSettingsSection(before, defaultEntries.Entries());
            EXPECT_EQ(after.find(name), std::string::npos) << after;
            EXPECT_NE(after.find("Junk=1\r\n"), std::string::npos) << after;
            EXPECT_EQ(Loaded(SettingsListingOf(after)), SettingsRecord());
        }
    }
}

TEST(SettingsRecord, TransformsOnLoadAndSave) {
    SettingsRecord record = Loaded(Listing({"ButtonsFading=25", "MouseImageColor=7", "HotKeyPauseKeyCode=-1",
                                            "HotKeyBlinkSpec1=-16"}));
    EXPECT_EQ(record.Get(SettingKey::ButtonsFading), 2.5);
    EXPECT_EQ(record.Get(SettingKey::MouseImageColor), 1);
    RecordingSink sink;
    SaveSettings(record, sink);
    EXPECT_EQ(sink.Text("ButtonsFading"), "25");
    EXPECT_EQ(sink.Text("MouseImageColor"), "1");
    EXPECT_EQ(sink.Text("HotKeyPauseKeyCode"), "-1");
    EXPECT_EQ(sink.Text("HotKeyBlinkSpec1"), "-16");
    EXPECT_EQ(SavedAndReloaded(record), record);

    // What the holders hand back: slider values are rounded half to even, positions and
    // widths keep their decimal text, flags become 0 or 1.
    const std::tuple<SettingKey, double, const char*> held[] = {
        {SettingKey::ButtonsSize, 44.5, "44"},      {SettingKey::HaloSize, 45.5, "46"},
        {SettingKey::ButtonsFading, 0.25, "2"},     {SettingKey::CrosshairGap, -0.4, "0"},
        {SettingKey::ListPosX, 1234.5, "1234.5"},   {SettingKey::ListPosY, -15, "-15"},
        {SettingKey::Taskbar, -3, "1"},             {SettingKey::WindowVisible, 0, "0"},
        {SettingKey::Halo, 5, "1"},                 {SettingKey::Crosshair, -3, "1"},
        {SettingKey::ListAnyKeys, 0, "0"},
    };
    for (const auto& [key, value, text] : held) record.Set(key, value);
    RecordingSink saved;
    SaveSettings(record, saved);
    for (const auto& [key, value, text] : held) EXPECT_EQ(saved.Text(SettingRowOf(key).name), text) << value;
    EXPECT_EQ(record.GetInt(SettingKey::ButtonsSize), 44);
}

TEST(SettingsRecord, LoadedFlagsFollowTheirNeighbours) {
    const auto loaded = [](const std::vector<std::string_view>& entries) {
        const SettingsRecord record = Loaded(Listing(entries));
        return std::array{record.Get(SettingKey::ListAnyKeys), record.Get(SettingKey::Taskbar),
                          record.Get(SettingKey::WindowVisible)};
    };
    // ListAnyKeys by default follows the key classes read before it; a class its check box
    // cannot hold counts as its default (off, or on for the one on); present, it wins.
    // Taskbar forces the window visible.
    const std::pair<std::vector<std::string_view>, std::array<double, 3>> cases[] = {
        {{"ListCharacterSpecialKeys=0"}, {0, 1, 1}},
        {{"ListCharacterSpecialKeys=0", "ListMouseButtons=1"}, {1, 1, 1}},
        {{"ListCharacterSpecialKeys=0", "ListMouseButtons=-4"}, {0, 1, 1}},
        {{"ListCharacterSpecialKeys=7"}, {1, 1, 1}},
        {{"ListAnyKeys=0"}, {0, 1, 1}},
        {{"ListCharacterSpecialKeys=0", "ListAnyKeys=1"}, {1, 1, 1}},
        {{"Taskbar=1", "WindowVisible=0"}, {1, 1, 1}},
        {{"WindowVisible=0"}, {1, 1, 1}},
        {{"Taskbar=-7", "WindowVisible=0"}, {1, 1, 1}},
        {{"Taskbar=0", "WindowVisible=0"}, {1, 0, 0}},
        {{"Taskbar=0", "WindowVisible=5"}, {1, 0, 1}},
        {{"Taskbar=0"}, {1, 0, 1}},
    };
    for (const auto& [entries, flags] : cases) EXPECT_EQ(loaded(entries), flags) << entries.front();
}

TEST(SettingsRecord, ParsesIntegersLikeTheProfileApi) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"abc", 0}, {"9999999999", 1410065407}, {"-0", 0}, {"+5", 5}, {"12.7", 12}, {"-1", -1},
        {"4294967295", -1}, {"-2147483648", INT32_MIN}, {"2147483648", INT32_MIN}, {"\t\x01 42", 42},
        {"- 5", 0}, {"+-5", 0}, {"5\xC3\xA9", 5}, {"\xC3\xA9" "5", 0}, {"1 2", 1},
        {"0x1F", 31}, {"0xfg", 15}, {"-0x10", -16}, {"0X10", 0}, {"0o17", 15}, {"0b1012", 5}, {"0x", 0},
        // Only the first 29 characters count.
        {std::string(28, '0') + "12", 1}, {std::string(30, '0') + "12", 0}, {std::string(29, ' ') + "7", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseProfileInt(text, -77), expected) << text;
    EXPECT_EQ(ParseProfileInt("", -77), -77);
}

TEST(SettingsRecord, AnyDamageStillGivesARecordThatSavesAndReloadsUnchanged) {
    const std::vector<std::string> damage = {
        "abc", "9999999999", "-0", "+5", "", "  ", "\"\"", "'7'", "\"3", "1e9", std::string(300, '9'),
        std::string("4\0", 2), "\xFF\xFE", "-2147483649",
    };
    for (const std::string& value : damage) {
        std::string listing;
        for (const SettingRow& row : SettingRows()) listing += std::string(row.name) + "=" + value + '\0';
        const SettingsRecord record = Loaded(listing);
        EXPECT_EQ(SavedAndReloaded(record), record) << value;
    }
    // Quotes go, the first of two entries decides, a bare name reads as absent, case is
    // ignored and other keys or a missing closing NUL change nothing.
    const SettingsRecord record = Loaded(Listing({"haLOsize=\"42\"", "HaloSize=43", "Buttons", "Buttons=0", "Junk=4",
                                                  "HaloTrans='9'", "=5"}) + "HaloRing=1");
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 42);
    EXPECT_EQ(record.Get(SettingKey::Buttons), 1);
    EXPECT_EQ(record.Get(SettingKey::HaloTrans), 9);
    EXPECT_EQ(record.Get(SettingKey::HaloRing), 1);
    EXPECT_EQ(Loaded(Listing({"HaloSize="})).Get(SettingKey::HaloSize), 100);  // empty reads as absent
    EXPECT_EQ(Loaded(Listing({"HotKeyBlinkKeyCode=\"7"})).Get(SettingKey::HotKeyBlinkKeyCode), 0);  // an unmatched quote stays
}

namespace {

// What holds each key, as the settings window and the click options lay it out; written
// out by hand so that a key given the wrong rule in the table shows up here.
const std::set<std::string> kCheckBoxes = {
    "Buttons", "MouseImage", "MouseImageLockPos", "Halo", "HaloRing", "HaloFullScreen", "Crosshair",
    "CrosshairArrows", "ListSpecialKeys", "ListCharacterKeys", "ListCharacterSpecialKeys", "ListCursorKeys",
    "ListFunctionKeys", "ListInputKeys", "ListMouseButtons", "ListAnyKeys", "ShowWheelArrows", "ShowLettersOnRings",
    "RingsSameSize", "DisksAsClickIndicators", "ShowKeysWindow", "ShowKeysClick", "ListLockPos", "AutoHideMouse",
    "AutoHideKeyboard", "LowRefresh",
};
const std::map<std::string, ValueRange> kSliders = {
    {"ButtonsSize", {5, 90}}, {"ButtonsTrans", {0, 95}}, {"ButtonsFading", {0, 5}}, {"MouseImageSize", {20, 150}},
    {"MouseImageTrans", {0, 95}}, {"HaloSize", {20, 300}}, {"HaloTrans", {0, 95}}, {"CrosshairSize", {1, 30}},
    {"CrosshairTrans", {0, 95}}, {"CrosshairGap", {0, 100}}, {"LeftButtonWidth", {2, 20}},
    {"MiddleButtonWidth", {2, 20}}, {"RightButtonWidth", {2, 20}}, {"WheelWidth", {2, 20}},
    {"ListKeysFading", {1, 20}}, {"KeyBoardTrans", {0, 95}}, {"FadeAutoHide", {0, 60}},
};
const std::set<std::string> kColourPickers = {"HaloColor", "CrosshairColor", "LeftButtonColor", "MiddleButtonColor",
                                              "RightButtonColor", "WheelColor"};

bool OnPalette(double colour) { return colour >= 0 && colour <= 0xFFFFFF && SelectNearest(uint32_t(colour)).colour == colour; }

}  // namespace

// Every key of a file holding one value throughout ends where its holder can hold it:
// sliders clamped, check boxes at 0 or 1 (else the default), colours on the palette.
TEST(SettingsValid, EveryKeyEndsWhereItsHolderCanHoldIt) {
    for (const char* value : {"1", "5", "-3", "100000", "-100000", "9999999999", "0x7FFFFFFF"}) {
        SCOPED_TRACE(value);
        std::string listing;
        for (const SettingRow& row : SettingRows()) listing += std::string(row.name) + "=" + value + '\0';
        const SettingsRecord record = Loaded(listing, 3);
        const double read = ParseProfileInt(value, 0);
        for (size_t i = 0; i < kSettingCount; ++i) {
            const std::string name(SettingRows()[i].name);
            const double held = record.Get(SettingKey(i));
            const auto slider = kSliders.find(name);
            EXPECT_EQ(SettingRange(SettingKey(i)), slider == kSliders.end() ? std::nullopt
                                                                            : std::optional(slider->second)) << name;
            if (slider != kSliders.end()) {
                const double wanted = name == "ButtonsFading" ? read / 10 : read;
                EXPECT_EQ(held, std::clamp(wanted, double(slider->second.min), double(slider->second.max))) << name;
            } else if (kCheckBoxes.count(name)) {
                EXPECT_EQ(held, read == 0 || read == 1 ? read : kExpectedDefaults[i].second) << name;
            } else if (kColourPickers.count(name)) {
                EXPECT_TRUE(OnPalette(held)) << name << " " << held;
            }
        }
        SettingsRecord again = record;
        MakeSettingsValid(again, 3);
        EXPECT_EQ(again, record);
    }
    SettingsRecord defaults(3);
    MakeSettingsValid(defaults, 3);
    EXPECT_EQ(defaults, SettingsRecord(3));
}

TEST(SettingsValid, OutOfRangeValuesAndWhatIsSavedOfThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"ButtonsSize=4", "5"}, {"ButtonsFading=51", "50"}, {"ButtonsFading=-1", "0"}, {"HaloSize=100000", "300"},
        {"HaloTrans=-2147483648", "0"}, {"WheelWidth=1", "2"}, {"FadeAutoHide=61", "60"},
        // Colours: the nearest palette colour; what is no RGB colour at all (a system colour,
        // a negative or a huge value) gives the key's default, snapped in turn.
        {"HaloColor=254", "255"}, {"HaloColor=-2147483643", "0"}, {"CrosshairColor=16777216", "16777151"},
        {"LeftButtonColor=-1", "255"}, {"MiddleButtonColor=0x00D000", "48896"},
        // Check boxes and choices: anything they cannot hold gives the default.
        {"Halo=5", "1"}, {"Crosshair=-3", "0"}, {"ShowKeysClick=0", "0"}, {"WindowState=3", "0"},
        {"WindowState=2", "2"}, {"Language=7", "3"}, {"Language=-1", "3"}, {"Language=6", "6"},
        // As read: shortcuts (a code no list offers is repaired when its dialog opens) and positions.
        {"HotKeyBlinkKeyCode=-77", "-77"}, {"HotKeyPauseSpec2=100000", "100000"},
        {"ListPosX=-2147483648", "-2147483648"}, {"MouseImageColor=-9", "1"},
    };
    for (const auto& [entry, saved] : cases) {
        const std::string name = entry.substr(0, entry.find('='));
        const auto row = std::find_if(SettingRows().begin(), SettingRows().end(),
                                      [&](const SettingRow& r) { return r.name == name; });
        ASSERT_NE(row, SettingRows().end()) << entry;
        const SettingKey key = SettingKey(row - SettingRows().begin());
        const SettingsRecord record = Loaded(Listing({entry}), 3);
        EXPECT_EQ(SettingText(record, key), saved) << entry;
        EXPECT_EQ(SavedAndReloaded(record).Get(key), record.Get(key)) << entry;
    }
}
