// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// Little-endian 32-bit values in byte buffers, as every stored form uses them.
inline void PutInt32LE(uint8_t* p, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

inline int32_t GetInt32LE(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}
