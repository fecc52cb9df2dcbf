// When Glimmora says that a window's input is hidden from it, and when it offers to restart
// as administrator.
#include <gtest/gtest.h>

#include <vector>

#include "app/Elevation.h"
#include "keyboard/KeyDisplay.h"

namespace {

constexpr uint32_t kLow = 0x1000, kSystem = 0x4000;

}  // namespace

// Own level × the foreground's level × whether the foreground changed (× paused).
TEST(AdminWindows, NoticeOncePerChangeToAWindowAboveUsAndTheOfferAfterIt) {
    struct Case {
        uint32_t own, foreground;
        bool changed, paused, show, offer;
    };
    const Case cases[] = {
        {kMediumIntegrity, kHighIntegrity, true, false, true, true},
        {kMediumIntegrity, kHighIntegrity, true, true, false, true},     // paused: quiet, but seen
        {kMediumIntegrity, kSystem, true, false, true, true},
        {kMediumIntegrity, kUnreadableIntegrity, true, false, true, true},
        {kMediumIntegrity, kLow, true, false, false, false},
        {kLow, kMediumIntegrity, true, false, true, true},
        {kHighIntegrity, kSystem, true, false, false, false},  // elevated: every input reaches us
        {kSystem, kUnreadableIntegrity, true, false, false, false},
    };
    for (const Case& c : cases) {
        AdminWindows admin(c.own);
        EXPECT_EQ(admin.ForegroundSeen(c.changed, c.foreground, c.paused), c.show) << std::hex << c.own << " " << c.foreground;
        EXPECT_EQ(admin.OfferRestart(), c.offer) << std::hex << c.own << " " << c.foreground;
        EXPECT_EQ(admin.Elevated(), c.own >= kHighIntegrity);
    }
}

// Staying on the window says nothing more; away and back says it again; the offer stays.
TEST(AdminWindows, AWindowAboveUsAgainAfterAnotherShowsTheNoticeAgain) {
    AdminWindows admin(kMediumIntegrity);
    const std::pair<bool, uint32_t> looks[] = {{true, kMediumIntegrity}, {true, kHighIntegrity}, {false, kHighIntegrity},
                                               {false, kHighIntegrity}, {true, kMediumIntegrity}, {true, kHighIntegrity}};
    std::vector<bool> shown, offered;
    for (const auto& [changed, level] : looks) {
        shown.push_back(admin.ForegroundSeen(changed, level, false));
        offered.push_back(admin.OfferRestart());
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, false, false, true}));
    EXPECT_EQ(offered, (std::vector<bool>{false, true, true, true, true, true}));
}

// The notice is one line of the keyboard display's list standing alone: its line height and
// padding, at the display's scale.
TEST(AdminWindows, TheNoticeIsOneListLineAroundItsText) {
    EXPECT_EQ(LoneListLine(100, 1.0), (ListLineLayout{{108, 31}, {4, 4, 104, 27}}));
    EXPECT_EQ(LoneListLine(100, 1.5), (ListLineLayout{{112, 47}, {6, 6, 106, 41}}));
}
