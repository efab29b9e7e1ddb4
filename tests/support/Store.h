// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the store's tests share: the program's keys, values made of bytes that
// differ from one another, and the kinds of notices a store gave.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/FileRegistry.h"

namespace testsupport {

inline constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";
inline constexpr const char* kSettingsKey = "Software\\Halvorn\\Coilix\\Settings";

// n bytes, each 7 more than the one before, from `start`.
inline std::vector<uint8_t> PatternBytes(size_t n, uint8_t start = 0) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(start + i * 7);
    return v;
}

inline std::vector<StoreNotice::Kind> KindsOf(const std::vector<StoreNotice>& notices) {
    std::vector<StoreNotice::Kind> kinds;
    for (const StoreNotice& n : notices) kinds.push_back(n.kind);
    return kinds;
}

}  // namespace testsupport
