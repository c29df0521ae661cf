// Sorting by collation keys gives the order of sorting by lstrcmpA, for every
// key and both directions, on generated names.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/sjis_win32.h"
#include "listing/dir_platform_win32.h"
#include "listing/sort.h"
#include "../core/core_test.h"

using namespace qrn;

namespace {

std::vector<FileEntry> GeneratedRows() {
    static const char* const pieces[] = {"a", "B", "c", "z", "Z", "0", "9", "-", "'", "_", " ", ".", "~",
                                         "\x83\x5C", "\x83\x41", "\x82\xA0", "\x82\xA9", "\x88\x9F", "\x8A\xBF",
                                         "\xB1", "\xDE", "\x81\x5B"};
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> piece(0, 21), length(1, 9), small(0, 3);
    std::vector<FileEntry> rows;
    auto add = [&](const std::string& name, std::uint32_t attributes) {
        FileEntry e{};
        std::snprintf(e.name, sizeof e.name, "%s", name.c_str());
        e.attributes = attributes;
        e.ext = ExtensionIndex(e.name);
        e.date = static_cast<std::uint16_t>(small(rng));  // many ties, settled by the name
        e.time = static_cast<std::uint16_t>(small(rng));
        e.size = static_cast<std::uint64_t>(small(rng));
        rows.push_back(e);
    };
    add(".", kAttrDirectory);
    add("..", kAttrDirectory);
    for (int i = 0; i < 800; ++i) {
        std::string name;
        for (int n = length(rng); n > 0; --n) name += pieces[piece(rng)];
        if (small(rng) == 0) name += std::string(".") + pieces[piece(rng)] + pieces[piece(rng)];
        const std::uint32_t kinds[] = {0, kAttrDirectory, kAttrHidden, kAttrSystem, kAttrReadOnly,
                                       kAttrDirectory | kAttrHidden, kAttrArchive};
        const std::uint32_t attributes = kinds[rng() % 7];
        add(name, attributes);
        if (i % 10 == 0)  // the same name in other letter cases
            for (auto change : {PlatformUpper, PlatformLower}) change(name.data()), add(name, attributes);
    }
    return rows;
}

int g_keys = 0, g_collations = 0;
std::size_t CountedKey(const char* s, unsigned char* out, std::size_t n) { return ++g_keys, CollationKey(s, out, n); }
int CountedCollate(const char* a, const char* b) { return ++g_collations, Collate(a, b); }

}  // namespace

// Also where the user's locale is not the one of the ANSI code page
// (Japanese names on an English locale).
TEST(Sort, CollationKeysGiveTheOrderOfTheCollation) {
    const LCID own = GetThreadLocale();
    for (LCID locale : {own, static_cast<LCID>(MAKELCID(0x409, SORT_DEFAULT))}) {
        SetThreadLocale(locale);
        for (int key = 1; key <= 4; ++key) {
            for (int order = 1; order <= 2; ++order) {
                SCOPED_TRACE(::testing::Message() << "locale " << locale << " key " << key << " order " << order);
                std::vector<FileEntry> byCollation = GeneratedRows(), byKeys = byCollation;
                SortEntries(byCollation.data(), static_cast<int>(byCollation.size()),
                            SortSpec{order, key, Collate, PlatformUpper});
                g_keys = g_collations = 0;
                SortEntries(byKeys.data(), static_cast<int>(byKeys.size()),
                            SortSpec{order, key, CountedCollate, PlatformUpper, CountedKey});
                EXPECT_EQ(qrn::test::NamesOf(byCollation.data(), static_cast<int>(byCollation.size())),
                          qrn::test::NamesOf(byKeys.data(), static_cast<int>(byKeys.size())));
                EXPECT_EQ(0, g_collations) << "sorted by the keys alone";
                EXPECT_GT(g_keys, 0);
            }
        }
    }
    SetThreadLocale(own);
}
