// The Win32 edges of the keyboard display's password gate and layout names: which focused
// controls count as password fields (by style, by EM_GETPASSWORDCHAR, not at all), that a
// hung control is not waited for, and key names read from the active keyboard layout.
#include "keyboard/KeyNames_win.h"
#include "keyboard/PasswordFocus_win.h"
#include "tests/win/Pump.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <chrono>
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

// A window that is no edit control, as a browser's: its accessible object has two simple
// children, a protected field (1) and a plain one (2), and announces their focus.
constexpr wchar_t kFakeBrowser[] = L"GlimmoraFakeBrowser";
constexpr UINT kFocusChild = WM_APP + 1;  // wParam: the child; 0 focuses the plain window beside
constexpr UINT kShowPassword = WM_APP + 2;  // the field's protection goes

class FakeFields final : public IAccessible {
public:
    long focused = 1;
    bool fieldProtected = true;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as its fake browser
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override { return *child = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return Number(child, focused); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const bool field = child.vt == VT_I4 && child.lVal == 1 && fieldProtected;
        return Number(state, STATE_SYSTEM_FOCUSABLE | (field ? STATE_SYSTEM_PROTECTED : 0));
    }
#define NOT_ASKED(...) HRESULT STDMETHODCALLTYPE __VA_ARGS__ override { return E_NOTIMPL; }
    NOT_ASKED(GetTypeInfoCount(UINT*)) NOT_ASKED(GetTypeInfo(UINT, LCID, ITypeInfo**))
    NOT_ASKED(GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*))
    NOT_ASKED(Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*))
    NOT_ASKED(get_accParent(IDispatch**)) NOT_ASKED(get_accChildCount(long*)) NOT_ASKED(get_accSelection(VARIANT*))
    NOT_ASKED(get_accName(VARIANT, BSTR*)) NOT_ASKED(get_accValue(VARIANT, BSTR*)) NOT_ASKED(get_accRole(VARIANT, VARIANT*))
    NOT_ASKED(get_accDescription(VARIANT, BSTR*)) NOT_ASKED(get_accHelp(VARIANT, BSTR*))
    NOT_ASKED(get_accHelpTopic(BSTR*, VARIANT, long*)) NOT_ASKED(get_accKeyboardShortcut(VARIANT, BSTR*))
    NOT_ASKED(get_accDefaultAction(VARIANT, BSTR*)) NOT_ASKED(accSelect(long, VARIANT))
    NOT_ASKED(accLocation(long*, long*, long*, long*, VARIANT)) NOT_ASKED(accNavigate(long, VARIANT, VARIANT*))
    NOT_ASKED(accHitTest(long, long, VARIANT*)) NOT_ASKED(accDoDefaultAction(VARIANT))
    NOT_ASKED(put_accName(VARIANT, BSTR)) NOT_ASKED(put_accValue(VARIANT, BSTR))
#undef NOT_ASKED

private:
    static HRESULT Number(VARIANT* out, long value) { return out->vt = VT_I4, out->lVal = value, S_OK; }
};

// The fake browser on a thread of its own, as another application would run it. A hung
// one sleeps on every accessibility query.
class FakeBrowser {
public:
    explicit FakeBrowser(bool hung) : hung_(hung), thread_([this] { Run(); }) { ::WaitForSingleObject(ready_, 5000); }
    ~FakeBrowser() {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
        ::CloseHandle(ready_);
    }
    // Without a window manager, X may hand the focus back to a window made just before:
    // the focus is given again until it stays.
    bool Focus(long child) {
        for (int i = 0; i < 10; ++i) {
            ::SendMessageW(window_, kFocusChild, static_cast<WPARAM>(child), 0);
            Pump(50);
            if (::GetForegroundWindow() == (child ? window_ : plain_)) return true;
        }
        return false;
    }
    HWND window_ = nullptr, plain_ = nullptr;
    FakeFields fields_;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeBrowser*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_GETOBJECT && self && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            if (self->hung_) ::Sleep(1500);
            return ::LresultFromObject(__uuidof(IAccessible), wParam, &self->fields_);
        }
        if (message == kFocusChild && self) {
            const HWND target = wParam ? window : self->plain_;
            ::SetForegroundWindow(target);
            ::SetFocus(target);
            self->fields_.focused = static_cast<long>(wParam);
            if (wParam) ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, static_cast<LONG>(wParam));
        }
        if (message == kShowPassword && self) {
            self->fields_.fieldProtected = false;
            ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, 1);
        }
        if (message == WM_DESTROY) ::PostQuitMessage(0);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    void Run() {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Register(kFakeBrowser, &Proc);
        window_ = ::CreateWindowExW(0, kFakeBrowser, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 300, 300, 150, nullptr,
                                    nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        plain_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 400, 300, 99, 50, window_, nullptr, nullptr,
                                   nullptr);
        ::SetEvent(ready_);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
        ::CoUninitialize();
    }
    bool hung_;
    HANDLE ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
};

// The watch answers on its own thread, a little after the focus moved.
bool SettlesOn(PasswordFocus& focus, bool expected) {
    for (int i = 0; i < 100 && focus.Focused() != expected; ++i) Pump(20);
    return focus.Focused() == expected;
}

TEST(ProtectedFieldTest, AProtectedElementOfAnyWindowHidesTheKeys) {
    FakeBrowser browser(false);
    ASSERT_TRUE(browser.Focus(1));
    PasswordFocus focus;  // starts watching after the focus came: asks for it
    EXPECT_TRUE(SettlesOn(focus, true)) << "focus found at start";
    const struct {
        long child;
        bool password;
    } steps[] = {{2, false}, {1, true}, {0, false}, {1, true}};
    for (const auto& step : steps) {
        ASSERT_TRUE(browser.Focus(step.child));
        EXPECT_TRUE(SettlesOn(focus, step.password)) << "focus on child " << step.child;
    }
    // "Show password" takes the protection off the focused field.
    ::SendMessageW(browser.window_, kShowPassword, 0, 0);
    EXPECT_TRUE(SettlesOn(focus, false));
}

TEST(ProtectedFieldTest, AHungApplicationHoldsUpNeitherTheKeyboardPassNorTheExit) {
    PasswordFocus focus;
    FakeBrowser browser(false), hung(true);
    ASSERT_TRUE(browser.Focus(1));
    ASSERT_TRUE(SettlesOn(focus, true));
    ASSERT_TRUE(hung.Focus(1));  // the watch is now stuck asking it; its old answer is about another window
    // Each wait is far below the 1.5 s the hung one takes to answer: nothing waits for it.
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < 10; ++i) {
        const Clock::time_point start = Clock::now();
        EXPECT_FALSE(focus.Focused());
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(300));
    }
    const Clock::time_point stopping = Clock::now();
    focus.Stop();
    EXPECT_LT(Clock::now() - stopping, std::chrono::milliseconds(1000));
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
