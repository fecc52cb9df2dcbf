#include "controls/Accessible_win.h"

#include "base/LateFunction_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The accessibility libraries are loaded when a reader first asks, not with the program.
BSTR AllocText(const std::wstring& text) {
    static const LateFunction<decltype(::SysAllocStringLen)> alloc(L"oleaut32.dll", "SysAllocStringLen");
    return alloc.Call(BSTR{}, text.data(), static_cast<UINT>(text.size()));
}

// Wraps the system's standard object of the window: name, role and value of the control
// itself come from the describe function, everything else is the standard answer.
class DescribedAccessible final : public IAccessible {
public:
    DescribedAccessible(IAccessible* standard, DescribeAccessible describe)
        : standard_(standard), describe_(std::move(describe)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // What this control says of itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = AllocText(Describe().name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const long own = IsSelf(child) ? Describe().role : 0;
        if (own == 0) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = own;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const std::optional<std::wstring> own = IsSelf(child) ? Describe().value : std::nullopt;
        if (!own) return standard_->get_accValue(child, value);
        if (!value) return E_POINTER;
        *value = AllocText(*own);
        return S_OK;
    }

    // The rest is the standard object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        return standard_->get_accChild(child, dispatch);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return standard_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_->get_accDefaultAction(child, text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(x, y, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~DescribedAccessible() { standard_->Release(); }
    AccessibleInfo Describe() const {
        try {
            return describe_();
        } catch (...) {
            return {};
        }
    }

    IAccessible* standard_;
    DescribeAccessible describe_;
    ULONG references_ = 1;
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, DescribeAccessible describe) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return ::DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    IAccessible* standard = nullptr;
    static const LateFunction<decltype(::CreateStdAccessibleObject)> createStandard(L"oleacc.dll",
                                                                                   "CreateStdAccessibleObject");
    static const LateFunction<decltype(::LresultFromObject)> resultFromObject(L"oleacc.dll", "LresultFromObject");
    if (FAILED(createStandard.Call(E_FAIL, window, LONG{OBJID_CLIENT}, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&standard))) ||
        !standard)
        return ::DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    auto* described = new (std::nothrow) DescribedAccessible(standard, std::move(describe));
    if (!described) {
        standard->Release();
        return 0;
    }
    // LresultFromObject takes its own reference; ours ends here.
    const LRESULT result = resultFromObject.Call(LRESULT{0}, __uuidof(IAccessible), wParam,
                                                 static_cast<IUnknown*>(described));
    described->Release();
    return result;
}

namespace {

constexpr const wchar_t* kNamedProperty = L"Glimmora.AccessibleName";

LRESULT CALLBACK NamedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
    auto* describe = reinterpret_cast<DescribeAccessible*>(data);
    switch (message) {
    case WM_GETOBJECT:
        return AnswerGetObject(window, wParam, lParam, *describe);
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, &NamedControlProc, 0);
        ::RemovePropW(window, kNamedProperty);
        delete describe;
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void DescribeStandardControl(HWND control, DescribeAccessible describe) {
    // Named once; a control made again by its dialog is a new window and is named again.
    if (!control || ::GetPropW(control, kNamedProperty)) return;
    auto* owned = new DescribeAccessible(std::move(describe));
    if (!::SetWindowSubclass(control, &NamedControlProc, 0, reinterpret_cast<DWORD_PTR>(owned))) {
        delete owned;
        return;
    }
    ::SetPropW(control, kNamedProperty, reinterpret_cast<HANDLE>(owned));
}

void NotifyAccessibleValueChange(HWND window) {
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void NotifyAccessibleNameChange(HWND window) {
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}
