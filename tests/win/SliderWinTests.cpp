// The slider as a real child window, driven with the messages the system sends it.
#include "controls/ctlSlider_win.h"

#include "tests/win/Accessible.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A visible parent with one slider at the settings window's place for a size slider.
struct SliderHarness {
    SliderHarness()
        : parent(::CreateWindowExW(0, L"STATIC", L"slider", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 300, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr)) {
        created = slider.Create(parent.get(), 1014, kPlace96, 96);
        slider.Change = [this] { ++changes; };
    }
    void Send(UINT message, WPARAM wParam, int x = 0, int y = 0) {
        ::SendMessageW(slider.hwnd(), message, wParam, MAKELPARAM(x, y));
    }
    // What the control shows there, through WM_PRINTCLIENT.
    COLORREF PixelAt(int x, int y) const {
        handles::WindowDc screen(nullptr);
        handles::MemoryDc dc(::CreateCompatibleDC(screen.get()));
        handles::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), 200, 80));
        handles::SelectObjectGuard selected(dc.get(), bitmap.get());
        ::SendMessageW(slider.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        return ::GetPixel(dc.get(), x, y);
    }

    static constexpr RECT kPlace96{236, 80, 341, 117};
    ctlSlider slider;
    handles::Window parent;  // goes first, taking the slider's window with it
    bool created = false;
    int changes = 0;
};

int g_valueEvents = 0;
void CALLBACK CountValueEvents(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) ++g_valueEvents;
}

}  // namespace

TEST(SliderWin, MouseAndArrowKeysMoveTheValueAndRaiseChangeAsTheUserActs) {
    SliderHarness h;
    ASSERT_TRUE(h.created);
    h.slider.SetRange(0, 95);
    h.slider.SetValue(50);
    const RECT knob = h.slider.KnobRect();
    const int x = (knob.left + knob.right) / 2, y = (knob.top + knob.bottom) / 2;

    h.Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    EXPECT_EQ(::GetFocus(), h.slider.hwnd());
    EXPECT_EQ(::GetCapture(), h.slider.hwnd());
    h.Send(WM_MOUSEMOVE, MK_LBUTTON, 5000, y);
    h.Send(WM_MOUSEMOVE, MK_LBUTTON, 6000, -300);
    EXPECT_EQ(h.slider.Value(), 95.0f);
    h.Send(WM_MOUSEMOVE, MK_LBUTTON, -5000, y);
    EXPECT_EQ(h.slider.Value(), 0.0f);
    h.Send(WM_MOUSEMOVE, 0, x, y);  // the button no longer held
    h.Send(WM_LBUTTONUP, 0, x, y);
    EXPECT_EQ(::GetCapture(), nullptr);
    h.Send(WM_RBUTTONDOWN, MK_RBUTTON, x, y);
    EXPECT_EQ(h.changes, 2) << "one Change per new value: none at Max again, none without the left button";

    h.Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);  // on the track: the knob centres on the pointer
    h.Send(WM_LBUTTONUP, 0, x, y);
    EXPECT_NEAR(h.slider.KnobRect().left, knob.left, 1);
    EXPECT_EQ(::SendMessageW(h.slider.hwnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    h.slider.SetValue(95);
    h.Send(WM_KEYDOWN, VK_RIGHT);
    h.Send(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(h.slider.Value(), 95.0f);
    EXPECT_EQ(h.changes, 4) << "the track press and Right at Max raise Change; SetValue and Up do not";

    // The line under the caption is black while focused, the shadow colour otherwise.
    EXPECT_EQ(h.PixelAt(knob.left - 2, knob.top - 1), RGB(0, 0, 0));
    ::SetFocus(nullptr);
    EXPECT_EQ(h.PixelAt(knob.left - 2, knob.top - 1), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST(SliderWin, ScreenReadersHearCaptionRoleAndEveryNewValue) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        SliderHarness h;
        ASSERT_TRUE(h.created);
        h.slider.SetRange(0, 5);
        h.slider.SetStep(0.1);
        h.slider.SetCaption(L"Fading");
        h.slider.SetValue(4.8);
        const AccessibleObject reader(h.slider.hwnd());
        ASSERT_TRUE(reader);
        const std::wstring separator(1, UserDecimalSeparator());
        const AccessibleRead first = reader.Read();
        EXPECT_EQ(first.name, L"Fading");
        EXPECT_EQ(first.role, ROLE_SYSTEM_SLIDER);
        EXPECT_EQ(first.value, L"4" + separator + L"8");

        g_valueEvents = 0;
        const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                                     &CountValueEvents, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        for (int i = 0; i < 3; ++i) h.Send(WM_KEYDOWN, VK_RIGHT);  // 4.9, 5, then 5 again
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::UnhookWinEvent(hook);
        EXPECT_EQ(g_valueEvents, 2);
        EXPECT_EQ(reader.Read().value, L"5" + separator + L"0") << "asked afresh";
    }
    ::CoUninitialize();
}

TEST(SliderWin, ADpiChangeScalesTheControlAndHundredsComeAndGoWithoutAHandleLeft) {
    const handles::LiveCounts before = handles::Live();
    for (int i = 0; i < 200; ++i) {
        auto h = std::make_unique<SliderHarness>();
        ASSERT_TRUE(h->created);
        h->slider.SetTooltip(L"Tip");
        h->slider.SetMaxText(L"Max");
        h->slider.SetValue(75);
        const RECT knob96 = h->slider.KnobRect();
        h->slider.SetDpi(144, SliderHarness::kPlace96);
        RECT place{};
        ::GetWindowRect(h->slider.hwnd(), &place);
        ::MapWindowPoints(nullptr, h->parent.get(), reinterpret_cast<POINT*>(&place), 2);
        const RECT expected{354, 120, 354 + 158, 120 + 56};
        ASSERT_TRUE(::EqualRect(&place, &expected))
            << place.left << "," << place.top << "," << place.right << "," << place.bottom;
        const RECT knob144 = h->slider.KnobRect();
        ASSERT_NEAR(knob144.right - knob144.left, (knob96.right - knob96.left) * 1.5, 1);
        ASSERT_NEAR(knob144.left, knob96.left * 1.5, 2) << "the value keeps its place on the track";
        if (i % 2) h->slider.Unload();  // the rest go with their parent
    }
    const handles::LiveCounts after = handles::Live();
    EXPECT_EQ((std::vector<long>{after.gdiObjects, after.dcs, after.windows}),
              (std::vector<long>{before.gdiObjects, before.dcs, before.windows}));
}
