// SPDX-License-Identifier: GPL-3.0-or-later
// The WAVE reader: the game's clips, good files of other shapes, and damaged or
// foreign data refused with its reason, never read beyond the bytes given.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WavBytes.h"
#include "devices/WavReader.h"
#include "support/Files.h"

namespace {

using namespace wavbytes;

TEST(WavReader, ReadsPcm16MonoAndSkipsOtherChunks) {
    const Bytes wav = Riff({Chunk("LIST", Bytes{'a', 'b', 'c'}), FmtChunk({}),
                            Chunk("data", Samples({0, 1, -1, 32767, -32768}))});
    PcmClip clip;
    ASSERT_EQ(ReadWav(wav, clip), WavError::kNone);
    EXPECT_EQ(clip.nSampleRate, 22050);
    EXPECT_EQ(clip.nChannels, 1);
    EXPECT_EQ(clip.aSamples, (std::vector<std::int16_t>{0, 1, -1, 32767, -32768}));
}

TEST(WavReader, ReadsStereoAndDropsATrailingPartialFrame) {
    // Two frames and half of a third.
    const Bytes wav =
        Riff({FmtChunk({.nChannels = 2, .nRate = 44100}), Chunk("data", Samples({1, 2, 3, 4, 5}))});
    PcmClip clip;
    ASSERT_EQ(ReadWav(wav, clip), WavError::kNone);
    EXPECT_EQ(clip.nChannels, 2);
    EXPECT_EQ(clip.Frames(), 2u);
    EXPECT_EQ(clip.aSamples, (std::vector<std::int16_t>{1, 2, 3, 4}));
}

// The shipped clips are made by the resource generator; each must decode to
// the length and format the game expects.
TEST(WavReader, ReadsTheGameClips) {
    const std::string strDir = COILIX_SOUNDS_DIR;
    const struct {
        const char* pszName;
        int nMs;
    } clips[] = {{"move", 30},   {"apple", 80},     {"coin", 390},     {"skull", 260},
                 {"crash", 830}, {"dropping", 510}, {"highscore", 790}};
    for (const auto& c : clips) {
        SCOPED_TRACE(c.pszName);
        const Bytes bytes = testsupport::ReadBytes(strDir + "/" + c.pszName + ".wav");
        ASSERT_FALSE(bytes.empty());
        PcmClip clip;
        ASSERT_EQ(ReadWav(bytes, clip), WavError::kNone);
        EXPECT_EQ(clip.nSampleRate, 22050);
        EXPECT_EQ(clip.nChannels, 1);
        EXPECT_NEAR(clip.DurationMs(), c.nMs, 2);
    }
}

struct BadCase {
    const char* pszName;
    Bytes bytes;
    WavError expected;
};

std::vector<BadCase> BadCases() {
    const Bytes good = Riff({FmtChunk({}), Chunk("data", Samples({1, 2, 3, 4}))});
    Bytes badAlign = FmtChunk({});
    badAlign[20] = 4;  // block align 4 for 16-bit mono
    Bytes wrongMagic = good;
    wrongMagic[8] = 'X';
    Bytes shortFmt = FmtChunk({});
    shortFmt[4] = 14;
    return {
        {"empty input", {}, WavError::kNotRiffWave},
        {"header only", Bytes(good.begin(), good.begin() + 11), WavError::kNotRiffWave},
        {"not WAVE", wrongMagic, WavError::kNotRiffWave},
        {"no chunks", Riff({}), WavError::kMissingFormat},
        {"no data", Riff({FmtChunk({})}), WavError::kMissingData},
        {"data before fmt", Riff({Chunk("data", Samples({1})), FmtChunk({})}),
         WavError::kMissingFormat},
        {"cut in the samples", Bytes(good.begin(), good.end() - 3), WavError::kTruncated},
        {"cut in the format", Bytes(good.begin(), good.begin() + 30), WavError::kTruncated},
        {"data claims 4 GiB", Riff({FmtChunk({}), Chunk("data", Samples({1}), 0xffffffffu)}),
         WavError::kTruncated},
        {"other chunk claims 4 GiB",
         Riff({Chunk("junk", Bytes{}, 0xfffffff0u), FmtChunk({}), Chunk("data", Samples({1}))}),
         WavError::kTruncated},
        {"fmt shorter than 16", Riff({shortFmt, Chunk("data", Samples({1}))}),
         WavError::kTruncated},
        {"ADPCM", Riff({FmtChunk({.nTag = 2}), Chunk("data", Samples({1}))}), WavError::kNotPcm},
        {"float", Riff({FmtChunk({.nTag = 3, .nBits = 32}), Chunk("data", Samples({1, 2}))}),
         WavError::kNotPcm},
        {"8-bit", Riff({FmtChunk({.nBits = 8}), Chunk("data", Samples({1}))}),
         WavError::kUnsupportedBits},
        {"24-bit", Riff({FmtChunk({.nBits = 24}), Chunk("data", Samples({1, 2, 3}))}),
         WavError::kUnsupportedBits},
        {"six channels",
         Riff({FmtChunk({.nChannels = 6}), Chunk("data", Samples({1, 2, 3, 4, 5, 6}))}),
         WavError::kUnsupportedLayout},
        {"no channels", Riff({FmtChunk({.nChannels = 0}), Chunk("data", Samples({1}))}),
         WavError::kUnsupportedLayout},
        {"block align out of line", Riff({badAlign, Chunk("data", Samples({1, 2}))}),
         WavError::kUnsupportedLayout},
        {"rate 0", Riff({FmtChunk({.nRate = 0}), Chunk("data", Samples({1}))}),
         WavError::kBadSampleRate},
        {"rate absurd", Riff({FmtChunk({.nRate = 0xffffffffu / 4}), Chunk("data", Samples({1}))}),
         WavError::kBadSampleRate},
        {"no whole frame", Riff({FmtChunk({}), Chunk("data", Bytes{7})}), WavError::kEmpty},
    };
}

TEST(WavReader, RefusesDamagedAndForeignDataAndLeavesTheClipAlone) {
    for (const BadCase& c : BadCases()) {
        SCOPED_TRACE(c.pszName);
        PcmClip clip;
        clip.nSampleRate = 1234;
        clip.aSamples = {9};
        EXPECT_EQ(ReadWav(c.bytes, clip), c.expected);
        EXPECT_EQ(clip.nSampleRate, 1234);
        EXPECT_EQ(clip.aSamples, std::vector<std::int16_t>{9});
    }
}

// Every prefix of a good file is either refused or, once the whole data chunk
// is there, read in full: a cut never yields a short or garbled clip.
TEST(WavReader, EveryPrefixOfAGoodFileIsRefusedOrComplete) {
    const Bytes good = Riff(
        {Chunk("LIST", Bytes{1, 2, 3}), FmtChunk({}), Chunk("data", Samples({5, -6, 7, -8, 9}))});
    for (std::size_t n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        PcmClip clip;
        const WavError error = ReadWav(std::span(good.data(), n), clip);
        if (error == WavError::kNone) {
            EXPECT_EQ(clip.aSamples, (std::vector<std::int16_t>{5, -6, 7, -8, 9}));
        }
    }
}

}  // namespace
