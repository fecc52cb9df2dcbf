// The command line: switches separated by "/", read after the settings file at every load
// and never saved. "pause" starts paused; "pof=", "kof=" and "halohole=" tune three values
// that have no control in the settings window; "handover=" names the process of a restart
// as administrator, which the new one waits for.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct CommandLineValues {
    std::optional<double> pictureOffsetFactor;   // -20..-0.1 or 0.1..20
    std::optional<double> keyboardOffsetFactor;  // 0.1..10
    std::optional<int32_t> haloHolePercent;      // 10..95
    bool pause = false;
    std::optional<uint32_t> handoverFrom;        // a process id, never 0
    bool operator==(const CommandLineValues&) const = default;
};

// arguments: the command line after the program's path. Unknown switches, malformed
// values and extra "=" are ignored; a value without a number counts as 0 and is clamped.
// A switch given twice: the last one wins.
CommandLineValues ParseCommandLine(std::wstring_view arguments);

// The leading number of a value: leading blanks skipped, "." as the decimal point, an
// optional exponent; 0 when the text does not start with a number.
double LeadingNumber(std::wstring_view text);

// What follows the program's path in a whole command line as the system gives it: the
// path is the first quoted string, or everything up to the first blank.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);
