// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WAVE data made up for the tests, chunk by chunk, so that each field can be
// set to what a test needs, damaged values included.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace wavbytes {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t n) {
    b.push_back(static_cast<std::uint8_t>(n));
    b.push_back(static_cast<std::uint8_t>(n >> 8));
}

inline void Put32(Bytes& b, std::uint32_t n) {
    Put16(b, n & 0xffff);
    Put16(b, n >> 16);
}

inline void PutTag(Bytes& b, const char* psz) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(psz[i]));
}

struct FormatFields {
    std::uint16_t nTag = 1;
    std::uint16_t nChannels = 1;
    std::uint32_t nRate = 22050;
    std::uint16_t nBits = 16;
};

inline Bytes FmtChunk(const FormatFields& f) {
    Bytes b;
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, f.nTag);
    Put16(b, f.nChannels);
    Put32(b, f.nRate);
    Put32(b, f.nRate * f.nChannels * (f.nBits / 8));
    Put16(b, static_cast<std::uint16_t>(f.nChannels * (f.nBits / 8)));
    Put16(b, f.nBits);
    return b;
}

inline Bytes Chunk(const char* pszTag, const Bytes& body, std::uint32_t nDeclared) {
    Bytes b;
    PutTag(b, pszTag);
    Put32(b, nDeclared);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) b.push_back(0);
    return b;
}

inline Bytes Chunk(const char* pszTag, const Bytes& body) {
    return Chunk(pszTag, body, static_cast<std::uint32_t>(body.size()));
}

inline Bytes Samples(std::initializer_list<int> values) {
    Bytes b;
    for (const int n : values) Put16(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(n)));
    return b;
}

inline Bytes Riff(std::initializer_list<Bytes> chunks) {
    Bytes body;
    PutTag(body, "WAVE");
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutTag(b, "RIFF");
    Put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// nMs milliseconds of silence, 16-bit, at nRate with nChannels channels.
inline Bytes Silence(int nMs, std::uint16_t nChannels = 1, std::uint32_t nRate = 8000) {
    const std::size_t nBytes =
        std::size_t{nRate} * static_cast<std::size_t>(nMs) / 1000 * 2 * nChannels;
    return Riff(
        {FmtChunk({.nChannels = nChannels, .nRate = nRate}), Chunk("data", Bytes(nBytes, 0))});
}

}  // namespace wavbytes
