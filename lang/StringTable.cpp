#include "lang/StringTable.h"

#include <array>
#include <span>


namespace strings {
namespace {

constexpr Entry kEnglish[] = {
#include "lang/Strings_en.inc"
};
constexpr Entry kGerman[] = {
#include "lang/Strings_de.inc"
};
constexpr Entry kFrench[] = {
#include "lang/Strings_fr.inc"
};
constexpr Entry kPolish[] = {
#include "lang/Strings_pl.inc"
};
constexpr Entry kSpanish[] = {
#include "lang/Strings_es.inc"
};
constexpr Entry kTurkish[] = {
#include "lang/Strings_tr.inc"
};
constexpr Entry kDanish[] = {
#include "lang/Strings_da.inc"
};

// One slot per id: the numbered ids first, the added range right after them.
constexpr size_t kSlots = kLastId + 1 + (kLastAddedId - kFirstAddedId + 1);
constexpr size_t kNoSlot = kSlots;

constexpr size_t SlotOf(int32_t id) {
    if (id >= 0 && id <= kLastId) return static_cast<size_t>(id);
    if (id >= kFirstAddedId && id <= kLastAddedId) return static_cast<size_t>(kLastId + 1 + id - kFirstAddedId);
    return kNoSlot;
}

using Table = std::array<std::string_view, kSlots>;
using Tables = std::array<Table, kLanguageCount>;

constexpr bool IsDataId(int32_t id) {
    return (id >= 1 && id <= kLastId && (id < kFirstUnusedId || id > kHomePageId)) ||
           (id >= kFirstAddedId && id <= kLastAddedId);
}

// A data file with an id out of range or twice would make the lookup ambiguous; such a
// file fails the build instead of losing a text at run time.
constexpr bool WellFormed(std::span<const Entry> entries) {
    std::array<bool, kSlots> seen{};
    for (const Entry& entry : entries) {
        if (!IsDataId(entry.id) || seen[SlotOf(entry.id)]) return false;
        seen[SlotOf(entry.id)] = true;
    }
    return true;
}
static_assert(WellFormed(kEnglish), "Strings_en.inc: id out of range or repeated");
static_assert(WellFormed(kGerman), "Strings_de.inc: id out of range or repeated");
static_assert(WellFormed(kFrench), "Strings_fr.inc: id out of range or repeated");
static_assert(WellFormed(kPolish), "Strings_pl.inc: id out of range or repeated");
static_assert(WellFormed(kSpanish), "Strings_es.inc: id out of range or repeated");
static_assert(WellFormed(kTurkish), "Strings_tr.inc: id out of range or repeated");
static_assert(WellFormed(kDanish), "Strings_da.inc: id out of range or repeated");

constexpr Table Index(std::span<const Entry> entries) {
    Table table{};
    for (const Entry& entry : entries) table[SlotOf(entry.id)] = entry.text;
    table[kHomePageId] = kHomePageAddress;
    return table;
}

// Order follows LanguageNumber.
constexpr Tables kTables = {Index(kEnglish), Index(kGerman),  Index(kFrench), Index(kPolish),
                            Index(kSpanish), Index(kTurkish), Index(kDanish)};

}  // namespace

std::string_view TableText(int32_t language, int32_t id) {
    const size_t slot = SlotOf(id);
    if (language < 0 || language >= kLanguageCount || slot == kNoSlot) return {};
    return kTables[static_cast<size_t>(language)][slot];
}

}  // namespace strings
