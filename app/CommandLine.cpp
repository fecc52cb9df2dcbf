#include "app/CommandLine.h"

#include "base/Geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min();
// A number whose first digit stands further than this from the decimal point is beyond
// any double (1e308 is the largest, 5e-324 the smallest); the exponent is counted only
// this far, so that a thousand-digit exponent cannot overflow the count.
constexpr long kBeyondDouble = 400;
constexpr long kExponentCap = 1'000'000;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring_view TrimSpaces(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

bool IsName(std::wstring_view piece, std::wstring_view lowerCaseName) {
    const std::wstring_view name = TrimSpaces(piece);
    return std::equal(name.begin(), name.end(), lowerCaseName.begin(), lowerCaseName.end(), [](wchar_t a, wchar_t b) {
        return (a >= L'A' && a <= L'Z' ? wchar_t(a - L'A' + L'a') : a) == b;
    });
}

// A process id: digits alone between the blanks, above 0 and within 32 bits.
std::optional<uint32_t> ProcessId(std::wstring_view piece) {
    const std::wstring_view digits = TrimSpaces(piece);
    if (digits.empty() || digits.size() > 10 || !std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
    uint64_t id = 0;
    for (const wchar_t c : digits) id = id * 10 + static_cast<uint64_t>(c - L'0');
    if (id == 0 || id > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(id);
}

}  // namespace

double LeadingNumber(std::wstring_view text) {
    size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring_view::npos) return 0;
    const size_t n = text.size();
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') negative = text[i++] == L'-';

    std::string mantissa;  // digits and the point, as from_chars reads them
    long power = 0;        // decimal power of the first non-zero digit
    long fractionDigits = 0;
    bool anyDigit = false, nonZero = false, point = false;
    for (; i < n; ++i) {
        const wchar_t c = text[i];
        if (c == L'.' && !point) {
            point = true;
        } else if (IsDigit(c)) {
            anyDigit = true;
            if (point) ++fractionDigits;
            if (!nonZero && c != L'0') {
                nonZero = true;
                power = point ? -fractionDigits : 0;
            } else if (nonZero && !point) {
                ++power;
            }
        } else {
            break;
        }
        mantissa.push_back(static_cast<char>(c));
    }
    if (!anyDigit) return 0;  // "-", ".", "nan", "inf": no number
    const double zero = negative ? -0.0 : 0.0;
    if (!nonZero) return zero;

    long exponent = 0;
    if (i < n && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == L'+' || text[j] == L'-')) negativeExponent = text[j++] == L'-';
        if (j < n && IsDigit(text[j])) {
            for (; j < n && IsDigit(text[j]); ++j) exponent = std::min(exponent * 10 + (text[j] - L'0'), kExponentCap);
            if (negativeExponent) exponent = -exponent;
        }
    }
    // Beyond a double's range: "1e309" counts as infinitely large, and every switch then
    // clamps it to its largest value; a non-zero value too small for a double becomes the
    // smallest one of its sign, so that "-1e-400" stays below zero as it should.
    power += exponent;
    const double infinite = negative ? -kInfinity : kInfinity;
    const double tiny = negative ? -kSmallest : kSmallest;
    if (power > kBeyondDouble) return infinite;
    if (power < -kBeyondDouble) return tiny;

    if (mantissa.front() == '.') mantissa.insert(0, 1, '0');
    if (mantissa.back() == '.') mantissa.push_back('0');
    mantissa += 'e';
    mantissa += std::to_string(exponent);
    double value = 0;
    const std::errc error = std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), value).ec;
    if (error == std::errc::result_out_of_range) return power > 0 ? infinite : tiny;
    if (error != std::errc()) return zero;
    return negative ? -value : value;
}

CommandLineValues ParseCommandLine(std::wstring_view arguments) {
    CommandLineValues values;
    size_t start = 0;
    for (;;) {
        const size_t slash = arguments.find(L'/', start);
        const size_t length = slash == std::wstring_view::npos ? slash : slash - start;
        const std::wstring_view part = arguments.substr(start, length);
        const size_t equals = part.find(L'=');
        if (equals == std::wstring_view::npos) {
            if (IsName(part, L"pause")) values.pause = true;
        } else if (part.find(L'=', equals + 1) == std::wstring_view::npos) {
            const std::wstring_view name = part.substr(0, equals);
            const double v = LeadingNumber(part.substr(equals + 1));
            if (IsName(name, L"pof")) {
                // A negative factor puts the mouse image left of the pointer; none comes
                // closer to it than a tenth.
                double f = v;
                if (f >= 0 && f < 0.1) f = 0.1;
                if (f > -0.1 && f <= 0) f = -0.1;
                values.pictureOffsetFactor = std::clamp(f, -20.0, 20.0);
            } else if (IsName(name, L"kof")) {
                values.keyboardOffsetFactor = std::clamp(std::fabs(v), 0.1, 10.0);
            } else if (IsName(name, L"halohole")) {
                // Clamped before rounding so that no huge value reaches the integer; the
                // bounds are whole numbers, so the result is the same either way.
                values.haloHolePercent = RoundEven(std::clamp(std::fabs(v), 10.0, 95.0));
            } else if (IsName(name, L"handover")) {
                // A wrong id would make the start wait for a stranger: anything but a plain
                // number is no handover at all.
                if (const auto id = ProcessId(part.substr(equals + 1))) values.handoverFrom = id;
            }
        }
        if (slash == std::wstring_view::npos) break;
        start = slash + 1;
    }
    return values;
}

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
    if (commandLine.empty()) return {};
    size_t end = 0;
    if (commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring_view::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}
