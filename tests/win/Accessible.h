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

inline AccessibleRead ReadAccessible(HWND window) {
    AccessibleRead read;
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))) ||
        !object)
        return read;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR value = nullptr;
        std::wstring copy;
        if (SUCCEEDED((object->*get)(self, &value)) && value) copy.assign(value, ::SysStringLen(value));
        ::SysFreeString(value);
        return copy;
    };
    read.name = text(&IAccessible::get_accName);
    read.value = text(&IAccessible::get_accValue);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
    object->Release();
    return read;
}
