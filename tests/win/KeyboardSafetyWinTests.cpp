// The Win32 edges of the keyboard display's password gate and layout names: which focused
// controls count as password fields (by style, by EM_GETPASSWORDCHAR, not at all), that a
// hung control is not waited for, and key names read from the active keyboard layout.
#include "keyboard/KeyNames_win.h"
#include "keyboard/PasswordFocus_win.h"
#include "tests/win/Pump.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr wchar_t kAnsweringEdit[] = L"GlimmoraTestMaskedEdit";   // answers EM_GETPASSWORDCHAR
constexpr wchar_t kHungEdit[] = L"GlimmoraTestHungEdit";          // its thread stops pumping
constexpr wchar_t kHost[] = L"GlimmoraTestPasswordHost";

LRESULT CALLBACK AnsweringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_GETPASSWORDCHAR) return L'*';
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = proc;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = name;
    ::RegisterClassW(&cls);
}

class PasswordFieldTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Register(kAnsweringEdit, AnsweringProc);
        Register(kHungEdit, ::DefWindowProcW);
        Register(kHost, ::DefWindowProcW);
    }
    void SetUp() override {
        host_ = ::CreateWindowExW(0, kHost, L"password host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 200, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(host_, nullptr);
        password_ = Child(L"EDIT", ES_PASSWORD, 10);
        plain_ = Child(L"EDIT", 0, 40);
        answering_ = Child(kAnsweringEdit, 0, 70);
        button_ = Child(L"BUTTON", ES_PASSWORD, 100);  // the same bit is BS_LEFTTEXT there
        ::SetForegroundWindow(host_);
        Pump(50);
    }
    void TearDown() override { ::DestroyWindow(host_); }

    HWND Child(const wchar_t* cls, DWORD style, int top) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 10, top, 200, 24, host_, nullptr, nullptr,
                                 nullptr);
    }

    HWND host_ = nullptr, password_ = nullptr, plain_ = nullptr, answering_ = nullptr, button_ = nullptr;
};

TEST_F(PasswordFieldTest, OnlyEditControlsThatMaskTheirTextArePasswordFields) {
    EXPECT_TRUE(IsPasswordControl(password_));
    EXPECT_FALSE(IsPasswordControl(plain_));
    EXPECT_FALSE(IsPasswordControl(button_));
    EXPECT_FALSE(IsPasswordControl(host_));
    EXPECT_FALSE(IsPasswordControl(nullptr));
    // No style bit: only the message tells, and only when it may be sent.
    EXPECT_TRUE(IsPasswordControl(answering_, true));
    EXPECT_FALSE(IsPasswordControl(answering_, false));
    // A "show password" box switches the mask at run time.
    ::SendMessageW(plain_, EM_SETPASSWORDCHAR, L'*', 0);
    EXPECT_TRUE(IsPasswordControl(plain_));
    ::SendMessageW(password_, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_FALSE(IsPasswordControl(password_));
}

TEST_F(PasswordFieldTest, FollowsTheFocusOfTheForegroundWindow) {
    PasswordFocus focus;
    ASSERT_EQ(::GetForegroundWindow(), host_);
    const struct {
        HWND control;
        bool password;
    } steps[] = {{password_, true}, {plain_, false}, {answering_, true}, {button_, false}, {password_, true}};
    for (const auto& step : steps) {
        ::SetFocus(step.control);
        EXPECT_EQ(focus.Focused(), step.password) << "focus on control at " << (&step - steps);
    }
    // The mask goes while the focus stays: seen on the next pass.
    ::SendMessageW(password_, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_FALSE(focus.Focused());
}

TEST_F(PasswordFieldTest, AHungControlIsNotWaitedFor) {
    HWND hung = nullptr;
    HANDLE created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        hung = ::CreateWindowExW(0, kHungEdit, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ::SetEvent(created);
        ::Sleep(400);  // busy: no messages answered
        ::DestroyWindow(hung);
    });
    ::WaitForSingleObject(created, 5000);
    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(IsPasswordControl(hung, true));
    EXPECT_LT(::GetTickCount() - start, 300u);
    owner.join();
    ::CloseHandle(created);
}

// Whatever layout the test machine has, its letters and digits name as the table does,
// its punctuation as the layout types it: never the code-page character of the code.
TEST(KeyboardLayoutNames, TheActiveLayoutNamesThePunctuationKeys) {
    const WindowsKeyboardLayout layout(::GetKeyboardLayout(0));
    for (const int32_t code : {'A', 'Z'}) EXPECT_EQ(DisplayKeyName(code, true), DisplayKeyName(code, false));
    EXPECT_EQ(DisplayKeyName('1', true), "1");
    EXPECT_EQ(DisplayKeyName(112, true), "F1");
    int named = 0;
    for (const int32_t code : LayoutPunctuationCodes()) {
        const auto typed = layout.CharacterOf(code, false);
        if (!typed) continue;
        ++named;
        const std::string name = DisplayKeyName(code, true);
        EXPECT_FALSE(name.empty()) << code;
        EXPECT_NE(name, DisplayKeyName(code, false)) << code;
    }
    EXPECT_GE(named, 10) << "a layout types most of its punctuation keys";
    // The US layout is the usual one here: check it exactly where it is the one.
    if (LOWORD(reinterpret_cast<UINT_PTR>(::GetKeyboardLayout(0))) == 0x0409) {
        EXPECT_EQ(DisplayKeyName(186, true), ";");
        EXPECT_EQ(DisplayKeyName(222, true), "'");
        EXPECT_EQ(DisplayKeyName(192, true), "`");
    }
}

}  // namespace
