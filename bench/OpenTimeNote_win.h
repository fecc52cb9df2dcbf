// How the test builds of Glimmora and the bare window note their opening moments for
// bench/open_time.py: one line "<event> <ms since process creation> <ms since entry>"
// appended to the file GLIMMORA_OPEN_TIME_FILE names. The process's creation is when Wine
// made it, before any DLL loaded, so the first figure includes the loading a bare window
// pays too; the second is the program's own work.
#pragma once

#include <windows.h>

#include <cstdio>

inline double MsSinceProcessCreation() {
    FILETIME creation{}, exitTime{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(creation)) / 10000.0;
}

inline double MsSince(LARGE_INTEGER entry) {
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - entry.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void NoteOpenTime(const char* event, LARGE_INTEGER entry) {
    // Both clocks first: the file's opening is not part of the moment.
    const double fromCreation = MsSinceProcessCreation(), fromEntry = MsSince(entry);
    wchar_t path[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"GLIMMORA_OPEN_TIME_FILE", path, MAX_PATH) == 0) return;
    if (FILE* file = ::_wfopen(path, L"a")) {
        std::fprintf(file, "%s %.1f %.1f\n", event, fromCreation, fromEntry);
        std::fclose(file);
    }
}
