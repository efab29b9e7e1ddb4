// The score tables: checksum, scrambling, the 396-byte layout,
// loading and saving, ranking, and the names' UTF-8 rules.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "store/ScoreStore.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";

std::vector<uint8_t> Hex(const char* s) {
    std::vector<uint8_t> v;
    for (size_t i = 0; s[i] && s[i + 1]; i += 2) {
        v.push_back(static_cast<uint8_t>(std::strtoul(std::string(s + i, 2).c_str(), nullptr, 16)));
    }
    return v;
}

int32_t Int32At(const std::vector<uint8_t>& b, size_t off) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(b[off]) | static_cast<uint32_t>(b[off + 1]) << 8 |
        static_cast<uint32_t>(b[off + 2]) << 16 | static_cast<uint32_t>(b[off + 3]) << 24);
}

bool SameRecord(const ScoreEntry& a, const ScoreEntry& b) {
    return std::memcmp(&a, &b, sizeof(ScoreEntry)) == 0;
}

HighScoreTable TableOf(std::initializer_list<int32_t> scores) {
    HighScoreTable t;
    int i = 0;
    for (int32_t s : scores) t.m_aScores.emplace_back("P" + std::to_string(i++), s);
    return t;
}

std::vector<int32_t> Scores(const HighScoreTable& t) {
    std::vector<int32_t> v;
    for (const ScoreEntry& e : t.m_aScores) v.push_back(e.nScore);
    return v;
}

// The plain 360 bytes of ten records, as Save lays them out.
std::vector<uint8_t> PlainBytes(const std::vector<ScoreEntry>& rows) {
    std::vector<uint8_t> plain(360, 0);
    for (size_t i = 0; i < rows.size() && i < 10; ++i) {
        const uint32_t u = static_cast<uint32_t>(rows[i].nScore);
        for (int k = 0; k < 4; ++k) plain[i * 36 + k] = static_cast<uint8_t>(u >> (8 * k));
        std::memcpy(plain.data() + i * 36 + 4, rows[i].szName, 32);
    }
    return plain;
}

}  // namespace

// ---------------------------------------------------------------------------
// Checksum and stored form
// ---------------------------------------------------------------------------

TEST(StoreHighScores, ChecksumWorkedValues) {
    const uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(ScoreChecksum(abc, 3), 95089500);
    const uint8_t b80[] = {0x80};
    EXPECT_EQ(ScoreChecksum(b80, 1), 16256);
    const uint8_t b8001[] = {0x80, 0x01};
    EXPECT_EQ(ScoreChecksum(b8001, 2), 32514);
    EXPECT_EQ(ScoreChecksum(nullptr, 0), 0);
}

TEST(StoreHighScores, ChecksumWrapsAndFFResets) {
    // 0xFF (-1) sets the sum to 0: what stands before it no longer counts.
    const uint8_t a[] = {'x', 'y', 'z', 0xff, 'a', 'b', 'c'};
    EXPECT_EQ(ScoreChecksum(a, sizeof a), 95089500);
    // Long runs wrap as signed 32-bit arithmetic does.
    std::vector<uint8_t> many(360, 0x7f);
    uint32_t sum = 0;
    for (uint8_t b : many) sum = (sum + b) * (b + 1u);
    EXPECT_EQ(ScoreChecksum(many.data(), many.size()), static_cast<int32_t>(sum));
}

TEST(StoreHighScores, ValueNameFormat) {
    EXPECT_EQ(ScoreValueName(17, 13, 250), "Scores (17x13/250)");
    EXPECT_EQ(ScoreValueName(25, 19, 150), "Scores (25x19/150)");
    EXPECT_EQ(ScoreValueName(70, 5, 350), "Scores (70x5/350)");
    EXPECT_EQ(ScoreValueName(-1, INT32_MIN, 0), "Scores (-1x-2147483648/0)");
}

TEST(StoreHighScores, EncodedLayoutMatchesTheReferenceBytes) {
    // Reference bytes computed by an independent implementation of the format.
    const std::vector<uint8_t> empty = EncodeScoreTable({});
    ASSERT_EQ(empty.size(), 396u);
    EXPECT_EQ(std::vector<uint8_t>(empty.begin(), empty.begin() + 16),
              Hex("78cb66f55319ad3e3329de34a8e5ed71"));
    EXPECT_EQ(Int32At(empty, 360), 0);

    const std::vector<ScoreEntry> rows = {ScoreEntry("Ann", 500), ScoreEntry("Bob", 300)};
    const std::vector<uint8_t> b = EncodeScoreTable(rows);
    ASSERT_EQ(b.size(), 396u);
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 16),
              Hex("6ccc66f594871b3e3329de34a8e5ed71"));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 36, b.begin() + 44), Hex("127d1895ac32d8cf"));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 356, b.begin() + 368),
              Hex("072cb20b163a285e00000000"));
    EXPECT_EQ(Int32At(b, 360), 1579694614);
    const std::vector<uint8_t> plain = PlainBytes(rows);
    EXPECT_EQ(Int32At(b, 360), ScoreChecksum(plain.data(), plain.size()));
    for (size_t i = 364; i < 396; ++i) EXPECT_EQ(b[i], 0) << i;
}

TEST(StoreHighScores, ScramblingFollowsTheLcgSequenceFromSeed4721) {
    // With all plain bytes zero, each stored byte is the draw's offset:
    // rand() after srand(4721) gives 15455, 26082, 13159, ...
    const std::vector<uint8_t> b = EncodeScoreTable({});
    EXPECT_EQ(b[0], 15455 * 256 / 32767);
    EXPECT_EQ(b[1], 26082 * 256 / 32767);
    EXPECT_EQ(b[2], 13159 * 256 / 32767);
}

TEST(StoreHighScores, EncodeDecodeRoundTripKeepsBytesAfterTheTerminator) {
    std::vector<ScoreEntry> rows;
    for (int i = 0; i < 10; ++i) {
        ScoreEntry e("Name" + std::to_string(i), 1000 - i * 10);
        for (size_t k = 7; k < 32; ++k) e.szName[k] = static_cast<char>(0xA0 + i + k);
        rows.push_back(e);
    }
    const std::vector<ScoreEntry> back = DecodeScoreTable(EncodeScoreTable(rows).data(), 396);
    ASSERT_EQ(back.size(), 10u);
    for (size_t i = 0; i < 10; ++i) EXPECT_TRUE(SameRecord(back[i], rows[i])) << i;
}

TEST(StoreHighScores, EncodeUsesTheFirstTenRowsOnly) {
    std::vector<ScoreEntry> rows;
    for (int i = 0; i < 11; ++i) rows.emplace_back("x", 100 - i);
    const auto back = DecodeScoreTable(EncodeScoreTable(rows).data(), 396);
    ASSERT_EQ(back.size(), 10u);
    EXPECT_EQ(back[9].nScore, 91);
}

TEST(StoreHighScores, ChecksumFailureGivesTenEmptyRows) {
    std::vector<uint8_t> b = EncodeScoreTable({ScoreEntry("Ann", 500)});
    b[10] ^= 1;
    const auto rows = DecodeScoreTable(b.data(), b.size());
    ASSERT_EQ(rows.size(), 10u);
    for (const ScoreEntry& e : rows) EXPECT_TRUE(SameRecord(e, ScoreEntry())) << e.nScore;
}

TEST(StoreHighScores, ShortValueReadsMissingBytesAsZero) {
    const std::vector<uint8_t> b = EncodeScoreTable({ScoreEntry("Ann", 500)});
    // The first 364 bytes hold all that is checked.
    auto rows = DecodeScoreTable(b.data(), 364);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].nScore, 500);
    EXPECT_EQ(rows[0].Name(), "Ann");
    // Cut inside the checksum: the missing bytes are zero, the sum differs.
    rows = DecodeScoreTable(b.data(), 362);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].nScore, 0);
    rows = DecodeScoreTable(nullptr, 0);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].nScore, 0);
}

TEST(StoreHighScores, NameWithoutTerminatorIsCut) {
    // Only a hand-made value can hold one; its name must still end.
    ScoreEntry e;
    e.nScore = 7;
    std::memset(e.szName, 'A', sizeof e.szName);
    const auto rows = DecodeScoreTable(EncodeScoreTable({e}).data(), 396);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].nScore, 7);
    EXPECT_EQ(rows[0].szName[31], 0);
    EXPECT_EQ(rows[0].Name(), std::string(31, 'A'));
}

TEST(StoreHighScores, FFBytesInNamesRoundTrip) {
    ScoreEntry e("\xff\xff", 0x7fffff01);
    e.szName[20] = static_cast<char>(0xff);
    ScoreEntry f("ab\xff", -1);  // score 0xFFFFFFFF
    const std::vector<ScoreEntry> rows = {e, f};
    const std::vector<uint8_t> b = EncodeScoreTable(rows);
    // The stored checksum depends only on the bytes after the last 0xFF.
    const std::vector<uint8_t> plain = PlainBytes(rows);
    size_t last = 0;
    for (size_t i = 0; i < plain.size(); ++i)
        if (plain[i] == 0xff) last = i;
    EXPECT_EQ(Int32At(b, 360), ScoreChecksum(plain.data() + last + 1, 359 - last));

    CMemoryRegistry reg;
    HighScoreTable t;
    t.m_aScores = rows;
    SaveScoreTable(t, reg, kAppKey, 17, 13, 250);
    HighScoreTable u;
    LoadScoreTable(u, reg, kAppKey, 17, 13, 250);
    ASSERT_EQ(u.GetCount(), 10);
    EXPECT_TRUE(SameRecord(u.GetRow(0), e));
    EXPECT_TRUE(SameRecord(u.GetRow(1), f));
    EXPECT_EQ(u.GetRow(1).nScore, -1);
}

// ---------------------------------------------------------------------------
// Load and Save
// ---------------------------------------------------------------------------

TEST(StoreHighScores, NothingStoredLeavesTheTableEmpty) {
    CMemoryRegistry reg;
    HighScoreTable t = TableOf({1, 2, 3});
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(t.GetCount(), 0);
    EXPECT_EQ(t.GetScoreToBeat(10), 0);
}

TEST(StoreHighScores, SaveThenLoadGivesTheRowsAndDefaultRowsUpToTen) {
    CMemoryRegistry reg;
    HighScoreTable t = TableOf({500, 300});
    t.GetRow(1).szName[10] = 'z';  // after the terminator
    SaveScoreTable(t, reg, kAppKey, 17, 13, 250);
    const auto stored = reg.Query(kAppKey, "Scores (17x13/250)");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, RegType::kBinary);
    EXPECT_EQ(stored->bin.size(), 396u);

    HighScoreTable u;
    LoadScoreTable(u, reg, kAppKey, 17, 13, 250);
    ASSERT_EQ(u.GetCount(), 10);
    EXPECT_TRUE(SameRecord(u.GetRow(0), t.GetRow(0)));
    EXPECT_TRUE(SameRecord(u.GetRow(1), t.GetRow(1)));
    EXPECT_EQ(u.GetRow(1).szName[10], 'z');
    for (int i = 2; i < 10; ++i) EXPECT_TRUE(SameRecord(u.GetRow(i), ScoreEntry())) << i;
}

TEST(StoreHighScores, SaveAndLoadThroughTheFileStore) {
    testsupport::TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    HighScoreTable t = TableOf({900, 800, 700});
    t.GetRow(0).SetName("Jiří Šťastný 🐍");
    {
        CFileRegistry reg(path);
        SaveScoreTable(t, reg, kAppKey, 25, 19, 150);
    }
    CFileRegistry reg(path);
    HighScoreTable u;
    LoadScoreTable(u, reg, kAppKey, 25, 19, 150);
    ASSERT_EQ(u.GetCount(), 10);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRecord(u.GetRow(i), t.GetRow(i))) << i;
    EXPECT_EQ(u.GetRow(0).Name(), "Jiří Šťastný 🐍");
}

TEST(StoreHighScores, SpeedsKeepSeparateTables) {
    CMemoryRegistry reg;
    HighScoreTable slow = TableOf({250});
    HighScoreTable fast = TableOf({150, 140});
    SaveScoreTable(slow, reg, kAppKey, 17, 13, 250);
    SaveScoreTable(fast, reg, kAppKey, 17, 13, 150);
    EXPECT_TRUE(reg.Query(kAppKey, "Scores (17x13/250)"));
    EXPECT_TRUE(reg.Query(kAppKey, "Scores (17x13/150)"));

    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{250, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    LoadScoreTable(t, reg, kAppKey, 17, 13, 150);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{150, 140, 0, 0, 0, 0, 0, 0, 0, 0}));
    LoadScoreTable(t, reg, kAppKey, 17, 13, 350);
    EXPECT_EQ(t.GetCount(), 0);
    LoadScoreTable(t, reg, kAppKey, 13, 17, 250);
    EXPECT_EQ(t.GetCount(), 0);
}

TEST(StoreHighScores, LongerValueCannotBeReadAndTheTableStaysEmpty) {
    CMemoryRegistry reg;
    std::vector<uint8_t> b = EncodeScoreTable({ScoreEntry("Ann", 500)});
    b.push_back(0);
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary(b));
    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(t.GetCount(), 0);
}

TEST(StoreHighScores, DamagedOrShortValueGivesTenZeroRows) {
    CMemoryRegistry reg;
    std::vector<uint8_t> b = EncodeScoreTable({ScoreEntry("Ann", 500)});
    b[5] ^= 0x40;
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary(b));
    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(t), std::vector<int32_t>(10, 0));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(t.GetRow(i).Name(), "");

    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary({1, 2, 3}));
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(t), std::vector<int32_t>(10, 0));

    // The type is ignored: a dword gives four bytes, which fail the checksum.
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Dword(12345));
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(t), std::vector<int32_t>(10, 0));
}

TEST(StoreHighScores, ShortStoredValueThatChecksIsRead) {
    CMemoryRegistry reg;
    std::vector<uint8_t> b = EncodeScoreTable({ScoreEntry("Ann", 500)});
    b.resize(364);
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary(b));
    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    ASSERT_EQ(t.GetCount(), 10);
    EXPECT_EQ(t.GetRow(0).nScore, 500);
}

TEST(StoreHighScores, LoadAndSaveLeaveTheGamesGeneratorAlone) {
    // The scrambling draws from a generator of its own, started afresh for
    // each table: the same table is stored as the same bytes every time.
    const HighScoreTable t = TableOf({5, 4});
    CMemoryRegistry reg;
    SaveScoreTable(t, reg, kAppKey, 17, 13, 250);
    const std::optional<RegValue> first = reg.Query(kAppKey, "Scores (17x13/250)");
    ASSERT_TRUE(first);
    SaveScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(reg.Query(kAppKey, "Scores (17x13/250)"), first);

    // A new game loads its board's table after laying the board out; the
    // game's generator goes on with the same draws whether a table is stored
    // (and unscrambled) or not.
    uint32_t nStateAfter[2] = {};
    for (const bool bStored : {false, true}) {
        CMemoryRegistry store;
        if (bStored) SaveScoreTable(t, store, kAppKey, 17, 13, 250);
        CProfile profile(store, kAppKey);
        GameSettings settings;
        settings.m_nArrayWidth = 17;
        settings.m_nArrayHeight = 13;
        settings.m_nGameSpeed = kSpeedNormal;
        HighScoreTable table;
        CCoilixDoc doc(settings, table, profile);
        doc.m_nSeedOverride = 12345;
        ASSERT_TRUE(doc.OnNewDocument());
        EXPECT_EQ(Scores(table).size(), bStored ? 10u : 0u);
        nStateAfter[bStored ? 1 : 0] = doc.m_random.State();
    }
    EXPECT_EQ(nStateAfter[0], nStateAfter[1]);
}

// ---------------------------------------------------------------------------
// Ranking
// ---------------------------------------------------------------------------

TEST(StoreHighScores, EqualScoreGoesBelowTheEarlierOnes) {
    HighScoreTable t = TableOf({500, 300, 300, 100});
    EXPECT_EQ(t.InsertScore(300, 10), 3);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{500, 300, 300, 300, 100}));
    EXPECT_EQ(t.GetRow(3).Name(), "");
    EXPECT_EQ(t.GetRow(4).Name(), "P3");
}

TEST(StoreHighScores, FullTableLastRow120) {
    HighScoreTable t = TableOf({1000, 900, 800, 700, 600, 500, 400, 300, 200, 120});
    EXPECT_EQ(t.GetScoreToBeat(10), 120);
    // 120 is not strictly greater: the game step does not call InsertScore,
    // and if it did nothing would change.
    EXPECT_FALSE(120 > t.GetScoreToBeat(10));
    EXPECT_EQ(t.InsertScore(120, 10), -1);
    EXPECT_EQ(t.GetCount(), 10);
    EXPECT_TRUE(121 > t.GetScoreToBeat(10));
    EXPECT_EQ(t.InsertScore(121, 10), 9);
    EXPECT_EQ(t.GetCount(), 10);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{1000, 900, 800, 700, 600, 500, 400, 300, 200, 121}));
    EXPECT_EQ(t.InsertScore(5000, 10), 0);
    EXPECT_EQ(Scores(t),
              (std::vector<int32_t>{5000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}));
}

TEST(StoreHighScores, EmptyTable) {
    HighScoreTable t;
    EXPECT_EQ(t.GetScoreToBeat(10), 0);
    EXPECT_EQ(t.InsertScore(1, 10), 0);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{1}));
    EXPECT_EQ(t.GetRow(0).Name(), "");
}

TEST(StoreHighScores, TenZeroRowsAfterAChecksumFailure) {
    CMemoryRegistry reg;
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary(std::vector<uint8_t>(396, 0x55)));
    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    ASSERT_EQ(t.GetCount(), 10);
    EXPECT_EQ(t.GetScoreToBeat(10), 0);
    EXPECT_EQ(t.InsertScore(5, 10), 0);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{5, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(StoreHighScores, PartTableAppendsAtTheEnd) {
    HighScoreTable t = TableOf({500, 300});
    EXPECT_EQ(t.GetScoreToBeat(10), 0);  // fewer rows than asked for
    EXPECT_EQ(t.GetScoreToBeat(2), 300);
    EXPECT_EQ(t.InsertScore(300, 10), 2);
    EXPECT_EQ(t.InsertScore(-7, 10), 3);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{500, 300, 300, -7}));
    EXPECT_EQ(t.InsertScore(1, 4), 3);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{500, 300, 300, 1}));
    EXPECT_EQ(t.InsertScore(1, 4), -1);
}

TEST(StoreHighScores, ARowDroppedAtOnceIsNotReported) {
    HighScoreTable t = TableOf({3, 2, 1});
    EXPECT_EQ(t.InsertScore(2, 1), -1);  // lands at index 2, cut back to one row
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{3}));
}

// ---------------------------------------------------------------------------
// Names
// ---------------------------------------------------------------------------

TEST(StoreHighScores, DefaultEntry) {
    ScoreEntry e;
    EXPECT_EQ(e.nScore, 0);
    for (char c : e.szName) EXPECT_EQ(c, 0);
    EXPECT_EQ(e.Name(), "");
}

TEST(StoreHighScores, EntryKeepsAtMost31BytesAndTerminates) {
    ScoreEntry e(std::string(40, 'x'), 77);
    EXPECT_EQ(e.nScore, 77);
    EXPECT_EQ(e.Name(), std::string(31, 'x'));
    EXPECT_EQ(e.szName[31], 0);
    ScoreEntry f("", 1);
    EXPECT_EQ(f.Name(), "");
    ScoreEntry g(std::string(31, 'y'), 1);
    EXPECT_EQ(g.Name(), std::string(31, 'y'));
}

TEST(StoreHighScores, SetNameClearsTheOldBytes) {
    ScoreEntry e(std::string(31, 'x'), 1);
    e.SetName("Ann");
    EXPECT_EQ(e.Name(), "Ann");
    for (size_t i = 3; i < 32; ++i) EXPECT_EQ(e.szName[i], 0) << i;
}

TEST(StoreHighScores, TruncateUtf8NeverCutsACharacter) {
    EXPECT_EQ(TruncateUtf8("abc", 31), "abc");
    EXPECT_EQ(TruncateUtf8("abcdef", 3), "abc");
    EXPECT_EQ(TruncateUtf8("", 0), "");
    EXPECT_EQ(TruncateUtf8("abc", 0), "");
    // "ž" is two bytes, "€" three, "🐍" four.
    EXPECT_EQ(TruncateUtf8("ažb", 2), "a");
    EXPECT_EQ(TruncateUtf8("ažb", 3), "až");
    EXPECT_EQ(TruncateUtf8("a€", 1), "a");
    EXPECT_EQ(TruncateUtf8("a€", 2), "a");
    EXPECT_EQ(TruncateUtf8("a€", 3), "a");
    EXPECT_EQ(TruncateUtf8("a€", 4), "a€");
    EXPECT_EQ(TruncateUtf8("a🐍", 4), "a");
    EXPECT_EQ(TruncateUtf8("a🐍b", 5), "a🐍");
    // Thirty "ž" are 60 bytes; 31 bytes keep 15 of them.
    std::string z;
    for (int i = 0; i < 30; ++i) z += "ž";
    EXPECT_EQ(TruncateUtf8(z, 31).size(), 30u);
    ScoreEntry e(z, 1);
    EXPECT_EQ(e.Name().size(), 30u);
    EXPECT_EQ(e.Name(), z.substr(0, 30));
    const std::string czech = "Příliš žluťoučký kůň úpěl ďábelské ódy";
    const std::string cut = TruncateUtf8(czech, 31);
    EXPECT_LE(cut.size(), 31u);
    EXPECT_EQ(czech.compare(0, cut.size(), cut), 0);
    EXPECT_NE(static_cast<unsigned char>(czech[cut.size()]) & 0xC0, 0x80);
}

TEST(StoreHighScores, TruncateUtf8ToleratesInvalidBytes) {
    // Stray continuation bytes are not characters to protect.
    EXPECT_EQ(TruncateUtf8("\x80\x80\x80\x80\x80\x80", 3), "\x80\x80\x80");
    EXPECT_EQ(TruncateUtf8("ab\xff\xfe", 3), "ab\xff");
    // A lead byte whose sequence is complete before the cut.
    EXPECT_EQ(TruncateUtf8("\xc5\xbe\x80\x80", 3), "\xc5\xbe\x80");
}
