// A key-state source for the keyboard tests: what is held is set per pass; a tap is
// reported once, as the system reports a press made and released between two queries.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "keyboard/KeyPoller.h"

class FakeKeySource : public KeyStateSource {
public:
    std::set<int32_t> held;
    std::set<int32_t> tapped;
    std::vector<int32_t> queries;

    bool IsPressed(int32_t code) override {
        EXPECT_TRUE(code >= 1 && code <= 255) << "queried code " << code;
        queries.push_back(code);
        return held.contains(code) || tapped.erase(code) > 0;
    }
};
