// The seven built-in string tables, indexed for constant-time lookup.
#pragma once

#include <cstdint>
#include <string_view>

namespace strings {

struct Entry {
    int32_t id;
    std::string_view text;
};

inline constexpr int32_t kLastId = 133;
// Ids 80 to 92 are unused; 93 is the home-page address, kept in one place for every language.
inline constexpr int32_t kFirstUnusedId = 80;
inline constexpr int32_t kLastUnusedId = 92;
inline constexpr int32_t kHomePageId = 93;

// Text of the id in the language as the table holds it (no replacements); empty for an
// id or language outside the tables.
std::string_view TableText(int32_t language, int32_t id);

}  // namespace strings
