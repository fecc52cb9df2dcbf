// System functions that the opening of the settings window does not need, looked up in their
// library when first used instead of imported: every imported library is mapped and
// initialised before the program's entry, and the linker has no delay-loading of its own.
#pragma once

#include <windows.h>

// The address of a system library's export, the library loaded from the system folder (and
// kept for the process); nullptr when either is missing.
void (*LateExport(const wchar_t* library, const char* name))();

// One such function, typed: `static const LateFunction<decltype(::ShellExecuteW)>
// shellExecute(L"shell32.dll", "ShellExecuteW");` looks it up at its first use, once.
template <typename Function>
class LateFunction {
public:
    LateFunction(const wchar_t* library, const char* name)
        : function_(reinterpret_cast<Function*>(LateExport(library, name))) {}

    explicit operator bool() const { return function_ != nullptr; }

    // The function's result, or `missing` when the system lacks it.
    template <typename Result, typename... Args>
    Result Call(Result missing, Args... args) const {
        return function_ ? static_cast<Result>(function_(args...)) : missing;
    }

    // A function without a result: nothing happens when the system lacks it.
    template <typename... Args>
    void Run(Args... args) const {
        if (function_) function_(args...);
    }

private:
    Function* function_;
};
