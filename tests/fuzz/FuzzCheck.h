// A fuzz target's assertion: a broken property stops the run with the input that broke it.
#pragma once

inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}
