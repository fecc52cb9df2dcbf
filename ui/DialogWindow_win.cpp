#include "ui/DialogWindow_win.h"

#include <algorithm>
#include <vector>

#include "base/Text_win.h"
#include "lang/SharedLanguage_win.h"

namespace {

// The dialogs that exist now, for the message loop.
std::vector<HWND>& OpenDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

}  // namespace

bool RouteDialogMessage(MSG& msg) {
    for (HWND dialog : OpenDialogs())
        if (msg.hwnd == dialog || ::IsChild(dialog, msg.hwnd)) return ::IsDialogMessageW(dialog, &msg) != FALSE;
    return false;
}

DialogBase::~DialogBase() { Detach(); }

std::wstring DialogBase::Text(int32_t id) { return Widen(SharedLanguage().GetString(id)); }

HWND DialogBase::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.window;
}

void DialogBase::Attach(HWND window, UINT dpi) {
    if (dialogWindow_ != window) {
        dialogWindow_ = window;
        OpenDialogs().push_back(window);
        languageSubscription_ = SharedLanguage().Subscribe([this] { Lang_LanguageChange(); });
    }
    dpi_ = dpi ? dpi : 96;
    fonts_.Make(dpi_);
}

void DialogBase::Detach() {
    if (!dialogWindow_) return;
    auto& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialogWindow_), dialogs.end());
    SharedLanguage().Unsubscribe(languageSubscription_);
    dialogWindow_ = nullptr;
    controls_.clear();
    fonts_.Release();
}

HWND DialogBase::AddControl(int id, const wchar_t* windowClass, DWORD style, const Rect& place96, bool bold) {
    const HWND child = ::CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialogWindow_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         ::GetModuleHandleW(nullptr), nullptr);
    const DWORD kind = style & 0x0F;
    const bool button = _wcsicmp(windowClass, L"Button") == 0;
    const bool box = button && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON ||
                                kind == BS_RADIOBUTTON);
    controls_[id] = {child, place96, place96.Height() > 24 || (style & BS_MULTILINE) != 0, box ? 20 : 0, bold};
    return child;
}

void DialogBase::AddPlaced(int id, HWND child, const Rect& place96) { controls_[id] = {child, place96, false, 0, false}; }

void DialogBase::MoveControl(int id, const Rect& place96) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) return;
    found->second.place96 = place96;
    const Rect r = ScaleRect(place96, dpi_);
    ::MoveWindow(found->second.window, r.left, r.top, r.Width(), r.Height(), TRUE);
    Fit(found->second);
}

void DialogBase::SetText(int id, const std::wstring& text) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) return;
    ::SetWindowTextW(found->second.window, text.c_str());
    Fit(found->second);
}

void DialogBase::Fit(const Placed& placed) const {
    wchar_t cls[32] = {};
    ::GetClassNameW(placed.window, cls, 32);
    // Only the standard controls take our caption fonts; our own controls size their text.
    // Lists and edit boxes hold what the user chose or typed: the normal font, never shrunk.
    if (_wcsicmp(cls, L"ComboBox") == 0 || _wcsicmp(cls, L"ListBox") == 0 || _wcsicmp(cls, L"Edit") == 0) {
        ::SendMessageW(placed.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), TRUE);
        return;
    }
    if (_wcsicmp(cls, L"Button") != 0 && _wcsicmp(cls, L"Static") != 0) return;
    fonts_.Fit(placed.window, placed.multiline, ScaleLength(placed.reserved96, dpi_), 0, placed.bold);
}

void DialogBase::LayOut() {
    for (const auto& [id, placed] : controls_) {
        const Rect r = ScaleRect(placed.place96, dpi_);
        ::MoveWindow(placed.window, r.left, r.top, r.Width(), r.Height(), TRUE);
        Fit(placed);
    }
}

bool DialogBase::HandleCommon(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_CLOSE:
        Close();
        result = 0;
        return true;
    case WM_COMMAND:
        // Escape arrives as IDCANCEL through the dialog navigation.
        if (LOWORD(wParam) == IDCANCEL) {
            Close();
            result = 0;
            return true;
        }
        return false;
    case WM_ACTIVATE:
        // Whole again whenever it comes forward: other windows may have left traces.
        if (LOWORD(wParam) != WA_INACTIVE)
            ::RedrawWindow(dialogWindow_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // White like the settings window.
        result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
    case WM_ERASEBKGND: {
        RECT area{};
        ::GetClientRect(dialogWindow_, &area);
        ::FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        result = 1;
        return true;
    }
    }
    return false;
}
