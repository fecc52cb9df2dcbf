// The command line: switch splitting, value reading and the clamps of each switch, on
// ordinary, hostile and enormous inputs.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CommandLineValues& v, std::ostream* out) {
    if (v.pictureOffsetFactor) *out << "pof=" << *v.pictureOffsetFactor << " ";
    if (v.keyboardOffsetFactor) *out << "kof=" << *v.keyboardOffsetFactor << " ";
    if (v.haloHolePercent) *out << "halohole=" << *v.haloHolePercent << " ";
    *out << (v.pause ? "pause" : "running");
}

namespace {

CommandLineValues Values(std::optional<double> pof, std::optional<double> kof, std::optional<int32_t> hole,
                         bool pause) {
    CommandLineValues v;
    v.pictureOffsetFactor = pof;
    v.keyboardOffsetFactor = kof;
    v.haloHolePercent = hole;
    v.pause = pause;
    return v;
}
CommandLineValues Pof(double f) { return Values(f, {}, {}, false); }
CommandLineValues Kof(double f) { return Values({}, f, {}, false); }
CommandLineValues Hole(int32_t p) { return Values({}, {}, p, false); }
const CommandLineValues kPause = Values({}, {}, {}, true);
const CommandLineValues kNothing{};

void ExpectParses(const std::vector<std::pair<std::wstring, CommandLineValues>>& cases) {
    for (const auto& [arguments, expected] : cases) {
        const std::string shown(arguments.begin(), arguments.begin() + std::min<size_t>(arguments.size(), 60));
        EXPECT_EQ(ParseCommandLine(arguments), expected) << "arguments: \"" << shown << "\"";
    }
}

TEST(CommandLine, EachSwitchClampsItsValueInTheOrderGiven) {
    ExpectParses({
        {L"/pof=0", Pof(0.1)}, {L"/pof=-0.05", Pof(-0.1)}, {L"/pof=-0.1", Pof(-0.1)}, {L"/pof=-3", Pof(-3)},
        {L"/pof=100", Pof(20)}, {L"/pof=-100", Pof(-20)}, {L"/pof=abc", Pof(0.1)},
        {L"/pof=-0", Pof(0.1)},  // -0 is not below 0, so it takes the positive side
        {L"/kof=-3", Kof(3)}, {L"/kof=0", Kof(0.1)}, {L"/kof=-0.05", Kof(0.1)}, {L"/kof=-50", Kof(10)},
        {L"/halohole=5", Hole(10)}, {L"/halohole=99", Hole(95)}, {L"/halohole=-30", Hole(30)},
        {L"/halohole=50.5", Hole(50)}, {L"/halohole=51.5", Hole(52)}, {L"/halohole=", Hole(10)},
        // The value is the leading number: blanks before it skipped, "." as the point, an exponent.
        {L"/kof= 2.5abc", Kof(2.5)}, {L"/kof=-.5", Kof(0.5)}, {L"/kof=+7", Kof(7)}, {L"/kof=3.", Kof(3)},
        {L"/kof=1.2.3", Kof(1.2)}, {L"/kof=5 6", Kof(5)}, {L"/kof=0002", Kof(2)}, {L"/kof=0.1e1", Kof(1)},
        {L"/kof=4e-1", Kof(0.4)}, {L"/kof=2e x", Kof(2)}, {L"/kof=3e+", Kof(3)}, {L"/kof=- 5", Kof(0.1)},
        {L"/kof=\t5", Kof(0.1)}, {L"/kof=\xFF15", Kof(0.1)},  // a tab, a full-width 5
    });
}

TEST(CommandLine, NamesAreTrimmedAndCaseInsensitiveAndOnlyExactFormsCount) {
    const CommandLineValues all = Values(3, 2, 20, true);
    ExpectParses({
        {L"/ Pause", kPause}, {L" /PAUSE ", kPause}, {L"pause", kPause},  // the text before the first slash too
        {L"/pause=1", kNothing}, {L"/paused", kNothing}, {L"/pa use", kNothing},
        {L"/ HALOHOLE=20", Hole(20)}, {L"/ POF = 3", Pof(3)},
        {L"/pof=3/kof=2/halohole=20/pause", all}, {L"/pause/halohole=20 /kof=2x/pof=3.0", all},
        {L"/pof=3/pof=5", Pof(5)}, {L"/a=b=c", kNothing}, {L"/pof=1=2", kNothing}, {L"/pof==2", kNothing},
        {L"/=5", kNothing}, {L"/////", kNothing}, {L"", kNothing}, {L"/p of=2/pof2=2/-pof=2", kNothing},
    });
}

TEST(CommandLine, HugeTinyAndNonNumericValuesClampWithoutOverflow) {
    const std::wstring tiny = L"0." + std::wstring(5'000, L'0') + L"1";
    ExpectParses({
        {L"/pof=1e309", Pof(20)}, {L"/pof=-1e309", Pof(-20)}, {L"/kof=1e309", Kof(10)},
        {L"/halohole=1e300", Hole(95)}, {L"/halohole=-1e300", Hole(95)}, {L"/halohole=2147483648", Hole(95)},
        {L"/halohole=1e99999999999999999999999999", Hole(95)}, {L"/pof=" + std::wstring(10'000, L'9'), Pof(20)},
        // Too small for a double, but still on its side of zero.
        {L"/pof=" + tiny, Pof(0.1)}, {L"/pof=-" + tiny, Pof(-0.1)}, {L"/pof=-1e-999", Pof(-0.1)},
        {L"/pof=-1e-350", Pof(-0.1)}, {L"/kof=2." + std::wstring(500, L'0'), Kof(2)},
        {L"/kof=0." + std::wstring(500, L'0') + L"5e501", Kof(5)},
        {L"/pof=nan", Pof(0.1)}, {L"/pof=-infinity", Pof(0.1)}, {L"/kof=NaN", Kof(0.1)},
        {std::wstring(10'000, L'/'), kNothing}, {std::wstring(10'000, L'='), kNothing},
    });
    EXPECT_EQ(LeadingNumber(L"1e308"), 1e308);
    EXPECT_EQ(LeadingNumber(L"123456789012345678901234567890"), 1.2345678901234568e29);
}

TEST(CommandLine, EveryShortMixOfSwitchCharactersGivesValuesInRange) {
    // All strings of up to four of these characters after each switch name.
    const std::wstring alphabet = L"/=pof1e-. ";
    std::wstring text;
    int checked = 0;
    const auto walk = [&](auto&& self, size_t depth) -> void {
        for (const wchar_t* prefix : {L"", L"/pof=", L"/kof=", L"/halohole="}) {
            const CommandLineValues v = ParseCommandLine(prefix + text);
            const double pof = v.pictureOffsetFactor ? std::fabs(*v.pictureOffsetFactor) : 1;
            const double kof = v.keyboardOffsetFactor.value_or(1);
            const int32_t hole = v.haloHolePercent.value_or(50);
            ASSERT_TRUE(pof >= 0.1 && pof <= 20 && kof >= 0.1 && kof <= 10 && hole >= 10 && hole <= 95)
                << "\"" << std::string(text.begin(), text.end()) << "\" after " << prefix;
            ++checked;
        }
        for (size_t i = 0; depth < 4 && i < alphabet.size(); ++i) {
            text.push_back(alphabet[i]);
            self(self, depth + 1);
            text.pop_back();
        }
    };
    walk(walk, 0);
    EXPECT_EQ(checked, 4 * 11'111);
}

TEST(CommandLine, ArgumentsFollowTheProgramPathQuotedOrNot) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"C:\\Program Files\\Glimmora\\Glimmora.exe\" /pause", L" /pause"},
        {L"\"C:/odd/Glimmora.exe\"/pof=2", L"/pof=2"},  // slashes inside the quotes are the path's
        {L"C:\\Glimmora\\Glimmora.exe /pof=2", L" /pof=2"}, {L"Glimmora.exe\t/kof=3", L"\t/kof=3"},
        {L"Glimmora.exe", L""}, {L"\"C:\\no closing quote /pause", L""}, {L"", L""},
    };
    for (const auto& [commandLine, arguments] : cases) EXPECT_EQ(ArgumentsOf(commandLine), arguments);
}

}  // namespace
