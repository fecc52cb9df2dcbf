// When Glimmora says that a window's input is hidden from it, and when it offers to restart
// as administrator.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/Elevation.h"
#include "keyboard/KeyDisplay.h"

namespace {

constexpr uint32_t kLow = 0x1000, kSystem = 0x4000;

}  // namespace

// Own level, then looks at the foreground: whether it changed, its level, whether paused. Per
// look: "s" the notice shows (and the offer with it), "o" only the offer stands, "n" neither.
TEST(AdminWindows, NoticeOncePerChangeToAWindowAboveUsAndTheOfferAfterIt) {
    struct Look {
        bool changed;
        uint32_t level;
        bool paused = false;
    };
    const std::tuple<uint32_t, std::vector<Look>, const char*> cases[] = {
        {kMediumIntegrity, {{true, kHighIntegrity}}, "s"},
        {kMediumIntegrity, {{true, kHighIntegrity, true}}, "o"},  // paused: quiet, but seen
        {kMediumIntegrity, {{true, kSystem}}, "s"},
        {kMediumIntegrity, {{true, kUnreadableIntegrity}}, "s"},
        {kMediumIntegrity, {{true, kLow}}, "n"},
        {kLow, {{true, kMediumIntegrity}}, "s"},
        {kHighIntegrity, {{true, kSystem}}, "n"},  // elevated: every input reaches us
        {kSystem, {{true, kUnreadableIntegrity}}, "n"},
        // Staying on the window says nothing more; away and back says it again; the offer stays.
        {kMediumIntegrity, {{true, kMediumIntegrity}, {true, kHighIntegrity}, {false, kHighIntegrity},
                            {false, kHighIntegrity}, {true, kMediumIntegrity}, {true, kHighIntegrity}}, "nsooos"},
    };
    for (const auto& [own, looks, expected] : cases) {
        AdminWindows admin(own);
        std::string seen;
        for (const Look& look : looks) {
            const bool shown = admin.ForegroundSeen(look.changed, look.level, look.paused);
            seen += shown ? (admin.OfferRestart() ? 's' : '!') : (admin.OfferRestart() ? 'o' : 'n');
        }
        EXPECT_EQ(seen, expected) << std::hex << own << " " << looks.back().level;
        EXPECT_EQ(admin.Elevated(), own >= kHighIntegrity);
    }
}

// The notice is one line of the keyboard display's list standing alone: its line height and
// padding, at the display's scale.
TEST(AdminWindows, TheNoticeIsOneListLineAroundItsText) {
    EXPECT_EQ(LoneListLine(100, 1.0), (ListLineLayout{{108, 31}, {4, 4, 104, 27}}));
    EXPECT_EQ(LoneListLine(100, 1.5), (ListLineLayout{{112, 47}, {6, 6, 106, 41}}));
}
