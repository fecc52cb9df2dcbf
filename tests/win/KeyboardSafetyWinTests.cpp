// The keyboard display's password gate under Wine: which focused controls count as password
// fields (by style, by EM_GETPASSWORDCHAR, not at all), and a hung control is not waited for.
#include "keyboard/PasswordFocus_win.h"

#include "tests/win/ProgramTest.h"

namespace {

HWND Child(HWND host, const wchar_t* cls, DWORD style, int top) {
    return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 10, top, 200, 24, host, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(KeyboardSafety, OnlyFocusedEditControlsThatMaskTheirTextArePasswordFields) {
    // One without the style bit, where only EM_GETPASSWORDCHAR tells; one whose thread stops answering.
    const WNDPROC answering = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return message == EM_GETPASSWORDCHAR ? L'*' : ::DefWindowProcW(window, message, wParam, lParam);
    };
    for (const auto& [name, proc] : {std::pair{L"GlimmoraTestMaskedEdit", answering}, {L"GlimmoraTestHungEdit", ::DefWindowProcW}}) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = proc, windowClass.lpszClassName = name;
        ::RegisterClassW(&windowClass);
    }
    const handles::Window host(::CreateWindowExW(0, L"STATIC", L"password host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                                 400, 200, nullptr, nullptr, nullptr, nullptr));
    const HWND password = Child(host.get(), L"EDIT", ES_PASSWORD, 10), plain = Child(host.get(), L"EDIT", 0, 40),
               masked = Child(host.get(), L"GlimmoraTestMaskedEdit", 0, 70),
               button = Child(host.get(), L"BUTTON", ES_PASSWORD, 100);  // the same bit is BS_LEFTTEXT there
    ::SetForegroundWindow(host.get());
    Pump(50);
    EXPECT_FALSE(IsPasswordControl(host.get()));
    EXPECT_FALSE(IsPasswordControl(nullptr));
    EXPECT_FALSE(IsPasswordControl(masked, false)) << "the message only when it may be sent";

    PasswordFocus focus;
    ASSERT_EQ(::GetForegroundWindow(), host.get());
    for (const auto& [control, expected] : {std::pair{password, true}, {plain, false}, {masked, true}, {button, false}}) {
        ::SetFocus(control);
        EXPECT_EQ(focus.Focused(), expected) << ::GetDlgCtrlID(control) << " at " << WindowRect(control).top;
    }
    // A "show password" box switches the mask at run time: seen on the next pass.
    ::SendMessageW(plain, EM_SETPASSWORDCHAR, L'*', 0), ::SetFocus(plain);
    EXPECT_TRUE(focus.Focused());
    ::SendMessageW(plain, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_FALSE(focus.Focused());
    focus.Stop();

    // A control whose thread answers nothing is not waited for.
    HWND hung = nullptr;
    const handles::KernelObject created(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread owner([&] {
        hung = ::CreateWindowExW(0, L"GlimmoraTestHungEdit", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ::SetEvent(created.get());
        ::Sleep(400);  // busy: no messages answered
        ::DestroyWindow(hung);
    });
    ::WaitForSingleObject(created.get(), 5000);
    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(IsPasswordControl(hung, true));
    EXPECT_LT(::GetTickCount() - start, 300u);
    owner.join();
}
