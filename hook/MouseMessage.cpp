#include "hook/MouseMessage.h"

namespace {

enum Button { Left = 0, Middle = 1, Right = 2 };

struct Row {
    uint32_t message;
    Button button;
    bool press;
    MouseEventCode code;
};

constexpr Row kTable[] = {
    {wm::LButtonDown, Left, true, LeftDown},     {wm::LButtonUp, Left, false, LeftUp},
    {wm::LButtonDblClk, Left, true, LeftDouble}, {wm::MButtonDown, Middle, true, MiddleDown},
    {wm::MButtonUp, Middle, false, MiddleUp},    {wm::MButtonDblClk, Middle, true, MiddleDouble},
    {wm::RButtonDown, Right, true, RightDown},   {wm::RButtonUp, Right, false, RightUp},
    {wm::RButtonDblClk, Right, true, RightDouble},
};

}  // namespace

uint32_t ClientMessage(uint32_t message) {
    switch (message) {
        case wm::NcLButtonDown: return wm::LButtonDown;
        case wm::NcLButtonUp: return wm::LButtonUp;
        case wm::NcLButtonDblClk: return wm::LButtonDblClk;
        case wm::NcRButtonDown: return wm::RButtonDown;
        case wm::NcRButtonUp: return wm::RButtonUp;
        case wm::NcRButtonDblClk: return wm::RButtonDblClk;
        case wm::NcMButtonDown:
        case wm::NcXButtonDown: return wm::MButtonDown;
        case wm::NcMButtonUp:
        case wm::NcXButtonUp: return wm::MButtonUp;
        case wm::NcMButtonDblClk:
        case wm::NcXButtonDblClk: return wm::MButtonDblClk;
        default: return message;
    }
}

bool TakenFromLowLevelHook(uint32_t message) {
    switch (message) {
        case wm::LButtonUp:
        case wm::RButtonUp:
        case wm::MButtonUp:
        case wm::NcLButtonUp:
        case wm::NcRButtonUp:
        case wm::NcMButtonUp:
        case wm::NcXButtonUp:
        case wm::MouseWheel:
        case wm::MouseHWheel: return true;
        default: return false;
    }
}

int32_t WheelSign(uint32_t mouseData) {
    const auto value = static_cast<int32_t>(mouseData);
    return (value > 0) - (value < 0);
}

std::optional<MouseEvent> MouseMessageTranslator::Translate(uint32_t message, int32_t data) {
    message = ClientMessage(message);
    if (message == wm::MouseWheel) return MouseEvent{WheelTurned, data};
    for (const Row& row : kTable) {
        if (row.message != message) continue;
        bool& held = buttonIsDown_[row.button];
        upSince_[row.button].reset();
        if (row.press && held) return std::nullopt;
        held = row.press;
        return MouseEvent{row.code, 0};
    }
    return std::nullopt;
}

ButtonStates LogicalButtons(bool physicalLeft, bool physicalMiddle, bool physicalRight, bool swapped) {
    if (swapped) return {{physicalRight, physicalMiddle, physicalLeft}};
    return {{physicalLeft, physicalMiddle, physicalRight}};
}

std::vector<MouseEvent> MouseMessageTranslator::ReleaseLost(const ButtonStates& now, uint32_t nowMs) {
    static constexpr MouseEventCode kRelease[3] = {LeftUp, MiddleUp, RightUp};
    std::vector<MouseEvent> releases;
    for (int button = 0; button < 3; ++button) {
        std::optional<uint32_t>& upSince = upSince_[button];
        if (!buttonIsDown_[button] || now.down[button]) {
            upSince.reset();
            continue;
        }
        if (!upSince) upSince = nowMs;
        if (nowMs - *upSince < kLostReleaseAfterMs) continue;
        buttonIsDown_[button] = false;
        upSince.reset();
        releases.push_back({kRelease[button], 0});
    }
    return releases;
}

void MouseMessageTranslator::ForgetHeld() {
    for (int button = 0; button < 3; ++button) {
        buttonIsDown_[button] = false;
        upSince_[button].reset();
    }
}
