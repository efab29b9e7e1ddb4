// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

// Comparisons that ignore the case of ASCII letters only, as the stored
// forms' names and tags are compared.

constexpr unsigned char LowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(static_cast<unsigned char>(a[i])) !=
            LowerAscii(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

constexpr bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}
