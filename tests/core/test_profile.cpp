// SPDX-License-Identifier: GPL-3.0-or-later
// The profile calls, and values read as raw bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "store/Profile.h"
#include "support/Store.h"

namespace {

using testsupport::kAppKey;
using testsupport::kSettingsKey;
using testsupport::PatternBytes;

}  // namespace

TEST(StoreProfile, IntegersAreSignedDwordsAndOtherTypesGiveTheDefault) {
    CMemoryRegistry reg;
    CProfile profile(reg, kAppKey);
    EXPECT_EQ(profile.SectionKey("Settings"), kSettingsKey);
    EXPECT_EQ(profile.GetProfileInt("Settings", "N", 42), 42);
    EXPECT_TRUE(profile.WriteProfileInt("Settings", "N", -5));
    EXPECT_EQ(reg.Query(kSettingsKey, "N"), RegValue::Dword(0xfffffffb));
    EXPECT_EQ(profile.GetProfileInt("Settings", "N", 42), -5);
    reg.Set(kSettingsKey, "Big", RegValue::Dword(0x80000000));
    EXPECT_EQ(profile.GetProfileInt("Settings", "Big", 0), INT32_MIN);

    reg.Set(kSettingsKey, "S", RegValue::String("12"));
    reg.Set(kSettingsKey, "B", RegValue::Binary({1, 0, 0, 0}));
    EXPECT_EQ(profile.GetProfileInt("Settings", "S", 7), 7);
    EXPECT_EQ(profile.GetProfileInt("Settings", "B", 7), 7);
    EXPECT_EQ(profile.GetProfileString("Settings", "N", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileString("Settings", "B", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileString("Settings", "Missing", "dflt"), "dflt");
    EXPECT_TRUE(profile.WriteProfileString("Settings", "S", "Ann"));
    EXPECT_EQ(profile.GetProfileString("Settings", "S"), "Ann");
}

TEST(StoreQueryBytes, TypeIgnoredAndLongerValuesFail) {
    CMemoryRegistry reg;
    reg.Set("K", "bin", RegValue::Binary(PatternBytes(44)));
    reg.Set("K", "long", RegValue::Binary(PatternBytes(45)));
    reg.Set("K", "short", RegValue::Binary(PatternBytes(3)));
    reg.Set("K", "str", RegValue::String("abc"));
    reg.Set("K", "dw", RegValue::Dword(0x11223344));

    EXPECT_EQ(QueryBytes(reg, "K", "bin", 44), PatternBytes(44));
    EXPECT_FALSE(QueryBytes(reg, "K", "long", 44));
    EXPECT_EQ(QueryBytes(reg, "K", "short", 44), PatternBytes(3));
    EXPECT_EQ(QueryBytes(reg, "K", "str", 44), (std::vector<uint8_t>{'a', 'b', 'c', 0}));
    EXPECT_FALSE(QueryBytes(reg, "K", "str", 3));  // the terminator counts
    EXPECT_EQ(QueryBytes(reg, "K", "dw", 4), (std::vector<uint8_t>{0x44, 0x33, 0x22, 0x11}));
    EXPECT_FALSE(QueryBytes(reg, "K", "dw", 3));
    EXPECT_FALSE(QueryBytes(reg, "K", "missing", 44));
    EXPECT_FALSE(QueryBytes(reg, "Nope", "bin", 44));
}
