// What an accessibility client reads of a window: its client object's name, role and value.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

struct AccessibleRead {
    std::wstring name;
    long role = 0;
    std::wstring value;
};

// A client's hold on the object: every Read asks it afresh, and the hold may outlast the window.
class AccessibleObject {
public:
    explicit AccessibleObject(HWND window) {
        if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&object_))))
            object_ = nullptr;
    }
    ~AccessibleObject() {
        if (object_) object_->Release();
    }
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;
    explicit operator bool() const { return object_ != nullptr; }

    AccessibleRead Read() const {
        AccessibleRead read;
        if (!object_) return read;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
            BSTR value = nullptr;
            std::wstring copy;
            if (SUCCEEDED((object_->*get)(self, &value)) && value) copy.assign(value, ::SysStringLen(value));
            ::SysFreeString(value);
            return copy;
        };
        read.name = text(&IAccessible::get_accName);
        read.value = text(&IAccessible::get_accValue);
        VARIANT role{};
        if (SUCCEEDED(object_->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
        return read;
    }

private:
    IAccessible* object_ = nullptr;
};

inline AccessibleRead ReadAccessible(HWND window) { return AccessibleObject(window).Read(); }
