// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/WavReader.h"

#include <cstring>
#include <utility>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint32_t kMinRate = 4000;
constexpr std::uint32_t kMaxRate = 192000;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsTag(const std::uint8_t* p, const char* pszTag) {
    return std::memcmp(p, pszTag, 4) == 0;
}

struct WavFormat {
    std::uint16_t nTag = 0;
    std::uint16_t nChannels = 0;
    std::uint32_t nRate = 0;
    std::uint32_t nByteRate = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t nBits = 0;
};

WavError CheckFormat(const WavFormat& fmt) {
    if (fmt.nTag != kFormatPcm) return WavError::kNotPcm;
    if (fmt.nBits != 16) return WavError::kUnsupportedBits;
    if (fmt.nChannels != 1 && fmt.nChannels != 2) return WavError::kUnsupportedLayout;
    if (fmt.nRate < kMinRate || fmt.nRate > kMaxRate) return WavError::kBadSampleRate;
    const std::uint32_t nAlign = 2u * fmt.nChannels;
    if (fmt.nBlockAlign != nAlign || fmt.nByteRate != fmt.nRate * nAlign) {
        return WavError::kUnsupportedLayout;
    }
    return WavError::kNone;
}

}  // namespace

WavError ReadWav(std::span<const std::uint8_t> bytes, PcmClip& clip) {
    if (bytes.size() < 12 || !IsTag(bytes.data(), "RIFF") || !IsTag(bytes.data() + 8, "WAVE")) {
        return WavError::kNotRiffWave;
    }
    // The RIFF size may be wrong either way (streaming writers put 0 or ~0
    // there): the chunks are walked over the bytes there really are.
    const std::size_t nEnd = bytes.size();
    std::size_t nPos = 12;
    WavFormat fmt;
    bool bHaveFormat = false;
    const std::uint8_t* pData = nullptr;
    std::size_t nDataBytes = 0;

    while (nEnd - nPos >= 8) {
        const std::uint8_t* pChunk = bytes.data() + nPos;
        // In 64 bits: a size near 4 GiB must not wrap the position.
        const std::uint64_t nSize = U32(pChunk + 4);
        const std::uint64_t nRoom = nEnd - nPos - 8;
        const std::uint8_t* pBody = pChunk + 8;
        if (IsTag(pChunk, "fmt ")) {
            if (nSize < 16 || nSize > nRoom) return WavError::kTruncated;
            if (!bHaveFormat) {
                fmt.nTag = U16(pBody);
                fmt.nChannels = U16(pBody + 2);
                fmt.nRate = U32(pBody + 4);
                fmt.nByteRate = U32(pBody + 8);
                fmt.nBlockAlign = U16(pBody + 12);
                fmt.nBits = U16(pBody + 14);
                bHaveFormat = true;
            }
        } else if (IsTag(pChunk, "data")) {
            if (nSize > nRoom) return WavError::kTruncated;
            pData = pBody;
            nDataBytes = static_cast<std::size_t>(nSize);
            break;
        } else if (nSize > nRoom) {
            return WavError::kTruncated;
        }
        // Chunks are padded to an even length; the last one's pad byte may be
        // missing.
        const std::uint64_t nStep = 8 + nSize + (nSize & 1);
        if (nStep > nEnd - nPos) break;
        nPos += static_cast<std::size_t>(nStep);
    }

    if (!bHaveFormat) return WavError::kMissingFormat;
    if (pData == nullptr) return WavError::kMissingData;
    if (const WavError error = CheckFormat(fmt); error != WavError::kNone) return error;

    // A partial frame at the end is not a whole set of samples: it is dropped.
    const std::size_t nFrames = nDataBytes / fmt.nBlockAlign;
    if (nFrames == 0) return WavError::kEmpty;

    PcmClip result;
    result.nSampleRate = static_cast<int>(fmt.nRate);
    result.nChannels = fmt.nChannels;
    result.aSamples.resize(nFrames * fmt.nChannels);
    for (std::size_t i = 0; i < result.aSamples.size(); ++i) {
        result.aSamples[i] = static_cast<std::int16_t>(U16(pData + 2 * i));
    }
    clip = std::move(result);
    return WavError::kNone;
}
