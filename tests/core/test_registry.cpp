// SPDX-License-Identifier: GPL-3.0-or-later
// The store held in memory, and the names every store accepts.
#include <gtest/gtest.h>

#include <optional>

#include "store/Registry.h"
#include "support/Store.h"

using testsupport::kSettingsKey;

TEST(StoreMemoryRegistry, SetQueryDelete) {
    CMemoryRegistry reg;
    EXPECT_FALSE(reg.Query(kSettingsKey, "Sounds"));
    EXPECT_TRUE(reg.Set(kSettingsKey, "Sounds", RegValue::Dword(1)));
    EXPECT_EQ(reg.Query("software\\halvorn\\coilix\\settings", "SOUNDS"), RegValue::Dword(1));
    EXPECT_TRUE(reg.Apply({RegChange{kSettingsKey, "Sounds", std::nullopt},
                           RegChange{kSettingsKey, "Other", RegValue::String("x")}}));
    EXPECT_FALSE(reg.Query(kSettingsKey, "Sounds"));
    EXPECT_EQ(reg.Query(kSettingsKey, "Other"), RegValue::String("x"));
    // Deleting from a missing key changes nothing.
    EXPECT_TRUE(reg.Apply({RegChange{"Software\\None", "x", std::nullopt}}));
    EXPECT_FALSE(reg.Query("Software\\None", "x"));
}

TEST(StoreMemoryRegistry, RefusesKeysAndNamesTheFileCannotHold) {
    CMemoryRegistry reg;
    EXPECT_FALSE(reg.Set("", "x", RegValue::Dword(1)));
    EXPECT_FALSE(reg.Set("A\\", "x", RegValue::Dword(1)));
    EXPECT_FALSE(reg.Set("A", "two\nlines", RegValue::Dword(1)));
    // A refused batch changes nothing.
    EXPECT_FALSE(reg.Apply(
        {RegChange{"A", "ok", RegValue::Dword(1)}, RegChange{"A", "bad\n", RegValue::Dword(1)}}));
    EXPECT_FALSE(reg.Query("A", "ok"));
}
