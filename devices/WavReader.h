// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A reader for the one kind of WAVE data the sound player takes: RIFF/WAVE, integer
// PCM, 16 bits per sample, one or two channels. Anything else is refused with
// a reason. A size field is never trusted beyond the bytes given, so damaged
// or hostile data cannot make it read out of bounds or allocate more than the
// input holds.

// Decoded samples, interleaved when there are two channels.
struct PcmClip {
    int nSampleRate = 0;
    int nChannels = 0;
    std::vector<std::int16_t> aSamples;

    // Frames (samples per channel) in the clip.
    std::size_t Frames() const {
        return nChannels > 0 ? aSamples.size() / static_cast<std::size_t>(nChannels) : 0;
    }
    // Length in milliseconds, rounded down.
    std::int64_t DurationMs() const {
        return nSampleRate > 0 ? static_cast<std::int64_t>(Frames()) * 1000 / nSampleRate : 0;
    }
};

enum class WavError {
    kNone,
    kNotRiffWave,        // no "RIFF....WAVE" header
    kMissingFormat,      // no "fmt " chunk before the data
    kMissingData,        // no "data" chunk
    kTruncated,          // a chunk claims more bytes than there are
    kNotPcm,             // compressed or floating-point samples
    kUnsupportedBits,    // not 16 bits per sample
    kUnsupportedLayout,  // channel count, block alignment or byte rate out of line
    kBadSampleRate,      // below 4 kHz or above 192 kHz
    kEmpty,              // a data chunk without one whole frame
};

// Decodes bytes into clip. On failure clip is left untouched.
WavError ReadWav(std::span<const std::uint8_t> bytes, PcmClip& clip);
