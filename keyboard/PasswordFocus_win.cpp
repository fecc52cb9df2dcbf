#include "keyboard/PasswordFocus_win.h"

#include <cwctype>
#include <string_view>

namespace {

// Long enough for a busy but live process to answer; the keyboard pass must not stall.
constexpr UINT kAnswerTimeoutMs = 30;

// Edit, RichEdit20W, RICHEDIT50W, WindowsForms10.EDIT.app..., TEdit: every common edit
// wrapper keeps "edit" in its class name. Other classes are never sent EM_GETPASSWORDCHAR,
// whose number may mean something else to them.
bool IsEditClass(HWND control) {
    wchar_t name[128] = {};
    const int length = ::GetClassNameW(control, name, 128);
    for (int i = 0; i < length; ++i) name[i] = static_cast<wchar_t>(std::towupper(name[i]));
    return std::wstring_view(name, static_cast<size_t>(length > 0 ? length : 0)).find(L"EDIT") != std::wstring_view::npos;
}

bool HasPasswordStyle(HWND control) { return (::GetWindowLongW(control, GWL_STYLE) & ES_PASSWORD) != 0; }

bool AnswersPasswordChar(HWND control) {
    DWORD_PTR character = 0;
    return ::SendMessageTimeoutW(control, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kAnswerTimeoutMs,
                                 &character) != 0 &&
           character != 0;
}

}  // namespace

bool IsPasswordControl(HWND control, bool askWindow) {
    if (!control || !::IsWindow(control) || !IsEditClass(control)) return false;
    return HasPasswordStyle(control) || (askWindow && AnswersPasswordChar(control));
}

bool PasswordFocus::Focused() {
    protectedFocus_.Start();
    const HWND foreground = ::GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!foreground || !::GetGUIThreadInfo(::GetWindowThreadProcessId(foreground, nullptr), &info)) {
        control_ = nullptr;
        return false;
    }
    if (info.hwndFocus != control_) {
        control_ = info.hwndFocus;
        answeredPassword_ = IsPasswordControl(control_, false) ? false : IsPasswordControl(control_, true);
    }
    if (answeredPassword_ || IsPasswordControl(control_, false)) return true;
    // The watch may lag behind a switch, or be stuck in a hung application: an answer
    // about a window that has lost the focus no longer counts.
    const HWND protectedWindow = protectedFocus_.ProtectedWindow();
    return protectedWindow &&
           (protectedWindow == info.hwndFocus || ::GetAncestor(protectedWindow, GA_ROOT) == foreground);
}
