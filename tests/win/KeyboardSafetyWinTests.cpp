// The keyboard display's password gate under Wine: which focused controls count as password
// fields (by style, by EM_GETPASSWORDCHAR, not at all), and a hung control is not waited for.
#include "keyboard/PasswordFocus_win.h"

#include <oleacc.h>

#include <atomic>

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

namespace {

// A browser's window: no edit control, but an accessible object whose child 1 is a protected
// field and child 2 a plain one; it announces their focus. A hung one sleeps on every query.
class FakeBrowser final : public IAccessible {
public:
    // Its thread may send to this thread's windows while it starts or ends: this one pumps as
    // it waits, and a slow start under a cold Wine is waited for, not cut short.
    explicit FakeBrowser(bool hung) : hung_(hung), thread_([this] { Run(); }) {
        PumpUntilTrue([this] { return threadId_ != 0; }, 60000);
    }
    ~FakeBrowser() {
        while (!::PostThreadMessageW(threadId_, WM_QUIT, 0, 0)) Pump(10);
        PumpUntilTrue([this] { return ended_.load(); }, 60000);
        thread_.join();
    }
    // Without a window manager X may hand the focus back: it is given until it stays.
    bool Focus(long child) {
        for (int i = 0; i < 10 && !(::SendMessageW(window_, WM_APP, static_cast<WPARAM>(child), 0), Pump(50),
                                    ::GetForegroundWindow() == window_); ++i) {}
        return ::GetForegroundWindow() == window_;
    }
    void ToggleShowPassword() { ::SendMessageW(window_, WM_APP + 1, 0, 0); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the test's object
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override { return *child = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return out->vt = VT_I4, out->lVal = focused_, S_OK; }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        const bool field = child.vt == VT_I4 && child.lVal == 1 && protected_;
        return out->vt = VT_I4, out->lVal = STATE_SYSTEM_FOCUSABLE | (field ? STATE_SYSTEM_PROTECTED : 0), S_OK;
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
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeBrowser*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_GETOBJECT && self && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            if (self->hung_) ::Sleep(1500);
            return ::LresultFromObject(__uuidof(IAccessible), wParam, self);
        }
        if (message == WM_APP && self) {
            ::SetForegroundWindow(window), ::SetFocus(window);
            self->focused_ = static_cast<long>(wParam);
            ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, static_cast<LONG>(wParam));
        }
        if (message == WM_APP + 1 && self) {
            self->protected_ = !self->protected_;
            ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, 1);
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    void Run() {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Proc, windowClass.lpszClassName = L"GlimmoraFakeBrowser";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 300, 300, 150,
                                    nullptr, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        threadId_ = ::GetCurrentThreadId();  // its queue exists with the window
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
        ::DestroyWindow(window_);
        ::CoUninitialize();
        ended_ = true;
    }
    bool hung_, protected_ = true;
    long focused_ = 1;
    HWND window_ = nullptr;
    std::atomic<DWORD> threadId_ = 0;
    std::atomic<bool> ended_ = false;
    std::thread thread_;
};

// The watch answers on its own thread, a little after the focus moved.
bool SettlesOn(PasswordFocus& focus, bool expected) {
    return PumpUntilTrue([&] { return focus.Focused() == expected; });
}

}  // namespace

TEST(KeyboardSafety, AProtectedFieldOfAnyWindowHidesTheKeysAndAHungOneHoldsNothingUp) {
    PasswordFocus focus;
    {
        FakeBrowser browser(false);
        for (const auto& [child, password] : {std::pair{1L, true}, {2L, false}, {1L, true}}) {
            ASSERT_TRUE(browser.Focus(child));
            EXPECT_TRUE(SettlesOn(focus, password)) << "focus on child " << child;
        }
        browser.ToggleShowPassword();  // "show password" takes the protection off the focused field
        EXPECT_TRUE(SettlesOn(focus, false));
        browser.ToggleShowPassword();
        ASSERT_TRUE(SettlesOn(focus, true));
        FakeBrowser hung(true);
        ASSERT_TRUE(hung.Focus(1));  // the watch is stuck asking it: each answer comes at once
        for (int i = 0; i < 10; ++i) {
            const DWORD start = ::GetTickCount();
            EXPECT_FALSE(focus.Focused()) << "an answer about another window";
            EXPECT_LT(::GetTickCount() - start, 300u);
        }
        const DWORD stopping = ::GetTickCount();
        focus.Stop();  // nor the exit
        EXPECT_LT(::GetTickCount() - stopping, 1000u);
    }
}
