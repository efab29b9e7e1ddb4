// SPDX-License-Identifier: GPL-3.0-or-later
// The score tables: checksum, scrambling, the 396-byte layout, loading and
// saving, entering a score under the store's lock, ranking, and the names in
// the players' single-byte code page.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/CodePage.h"
#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "store/ScoreStore.h"
#include "support/Files.h"
#include "support/Processes.h"

namespace fs = std::filesystem;

namespace {

using testsupport::Bytes;
using testsupport::TempDir;

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";
constexpr const char* kValue17x13 = "Scores (17x13/250)";

Bytes Hex(const char* s) {
    Bytes v;
    for (size_t i = 0; s[i] && s[i + 1]; i += 2) {
        v.push_back(static_cast<uint8_t>(std::strtoul(std::string(s + i, 2).c_str(), nullptr, 16)));
    }
    return v;
}

int32_t Int32At(const Bytes& b, size_t off) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(b[off]) | static_cast<uint32_t>(b[off + 1]) << 8 |
        static_cast<uint32_t>(b[off + 2]) << 16 | static_cast<uint32_t>(b[off + 3]) << 24);
}

bool SameRecord(const ScoreEntry& a, const ScoreEntry& b) {
    return std::memcmp(&a, &b, sizeof(ScoreEntry)) == 0;
}

HighScoreTable TableOf(const std::vector<int32_t>& scores) {
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

std::vector<int32_t> TenWith(std::initializer_list<int32_t> first) {
    std::vector<int32_t> v(first);
    v.resize(10, 0);
    return v;
}

// The plain 360 bytes of ten records, as Save lays them out.
Bytes PlainBytes(const std::vector<ScoreEntry>& rows) {
    Bytes plain(360, 0);
    for (size_t i = 0; i < rows.size() && i < 10; ++i) {
        const uint32_t u = static_cast<uint32_t>(rows[i].nScore);
        for (int k = 0; k < 4; ++k) plain[i * 36 + k] = static_cast<uint8_t>(u >> (8 * k));
        std::memcpy(plain.data() + i * 36 + 4, rows[i].szName, 32);
    }
    return plain;
}

Bytes Encoded(std::initializer_list<int32_t> scores) {
    return EncodeScoreTable(TableOf(scores).m_aScores);
}

}  // namespace

// ---------------------------------------------------------------------------
// Checksum and stored form
// ---------------------------------------------------------------------------

TEST(StoreHighScores, ChecksumWorkedValues) {
    const struct {
        Bytes bytes;
        int32_t nSum;
    } cases[] = {
        {{'a', 'b', 'c'}, 95089500},
        {{0x80}, 16256},
        {{0x80, 0x01}, 32514},
        {{}, 0},
        // 0xFF (-1) sets the sum to 0: what stands before it no longer counts.
        {{'x', 'y', 'z', 0xff, 'a', 'b', 'c'}, 95089500},
    };
    for (const auto& c : cases) EXPECT_EQ(ScoreChecksum(c.bytes.data(), c.bytes.size()), c.nSum);

    // Long runs wrap as signed 32-bit arithmetic does.
    const Bytes many(360, 0x7f);
    uint32_t sum = 0;
    for (uint8_t b : many) sum = (sum + b) * (b + 1u);
    EXPECT_EQ(ScoreChecksum(many.data(), many.size()), static_cast<int32_t>(sum));
}

TEST(StoreHighScores, ValueNameFormat) {
    const struct {
        int32_t w, h, ms;
        const char* pszName;
    } cases[] = {
        {17, 13, 250, "Scores (17x13/250)"},
        {25, 19, 150, "Scores (25x19/150)"},
        {70, 5, 350, "Scores (70x5/350)"},
        {-1, INT32_MIN, 0, "Scores (-1x-2147483648/0)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ScoreValueName(c.w, c.h, c.ms), c.pszName);
}

TEST(StoreHighScores, EncodedLayoutMatchesTheReferenceBytes) {
    // Reference bytes computed by an independent implementation of the format.
    const Bytes empty = EncodeScoreTable({});
    ASSERT_EQ(empty.size(), 396u);
    EXPECT_EQ(Bytes(empty.begin(), empty.begin() + 16), Hex("78cb66f55319ad3e3329de34a8e5ed71"));
    EXPECT_EQ(Int32At(empty, 360), 0);

    const std::vector<ScoreEntry> rows = {ScoreEntry("Ann", 500), ScoreEntry("Bob", 300)};
    const Bytes b = EncodeScoreTable(rows);
    ASSERT_EQ(b.size(), 396u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 16), Hex("6ccc66f594871b3e3329de34a8e5ed71"));
    EXPECT_EQ(Bytes(b.begin() + 36, b.begin() + 44), Hex("127d1895ac32d8cf"));
    EXPECT_EQ(Bytes(b.begin() + 356, b.begin() + 368), Hex("072cb20b163a285e00000000"));
    EXPECT_EQ(Int32At(b, 360), 1579694614);
    const Bytes plain = PlainBytes(rows);
    EXPECT_EQ(Int32At(b, 360), ScoreChecksum(plain.data(), plain.size()));
    for (size_t i = 364; i < 396; ++i) EXPECT_EQ(b[i], 0) << i;
}

TEST(StoreHighScores, ScramblingFollowsTheLcgSequenceFromSeed4721) {
    // With all plain bytes zero, each stored byte is the draw's offset:
    // rand() after srand(4721) gives 15455, 26082, 13159, ...
    const Bytes b = EncodeScoreTable({});
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

    // Only the first ten rows are stored.
    rows.emplace_back("x", 1);
    EXPECT_EQ(DecodeScoreTable(EncodeScoreTable(rows).data(), 396).size(), 10u);
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
    const Bytes b = EncodeScoreTable(rows);
    // The stored checksum depends only on the bytes after the last 0xFF.
    const Bytes plain = PlainBytes(rows);
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
}

// ---------------------------------------------------------------------------
// Load and Save
// ---------------------------------------------------------------------------

// What each stored value gives: the rows, and whether it counts as damaged
// (its bytes are kept aside before a new table replaces it).
TEST(StoreHighScores, StoredValuesAndTheTablesTheyGive) {
    Bytes flipped = Encoded({500});
    flipped[5] ^= 0x40;
    Bytes longer = Encoded({500});
    longer.push_back(0);
    Bytes checkedShort = Encoded({500});
    checkedShort.resize(364);  // the checked bytes are all there
    Bytes cutInChecksum = Encoded({500});
    cutInChecksum.resize(362);

    const struct {
        const char* pszWhat;
        std::optional<RegValue> value;
        std::vector<int32_t> scores;
        bool bDamaged;
    } cases[] = {
        {"nothing stored", std::nullopt, {}, false},
        {"a good table", RegValue::Binary(Encoded({500, 300})), TenWith({500, 300}), false},
        {"one flipped bit", RegValue::Binary(flipped), TenWith({}), true},
        {"three bytes", RegValue::Binary({1, 2, 3}), TenWith({}), true},
        {"a short value that checks", RegValue::Binary(checkedShort), TenWith({500}), false},
        {"cut inside the checksum", RegValue::Binary(cutInChecksum), TenWith({}), true},
        {"longer than 396 bytes", RegValue::Binary(longer), {}, true},
        {"all bytes 0x55", RegValue::Binary(Bytes(396, 0x55)), TenWith({}), true},
        // The type is ignored: a dword gives four bytes, which fail the checksum.
        {"a dword", RegValue::Dword(12345), TenWith({}), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CMemoryRegistry reg;
        if (c.value) reg.Set(kAppKey, kValue17x13, *c.value);
        HighScoreTable t = TableOf({1, 2, 3});
        LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
        EXPECT_EQ(Scores(t), c.scores);
        if (c.value) {
            EXPECT_EQ(IsDamagedScoreValue(*c.value), c.bDamaged);
        }
        if (c.scores == TenWith({})) {
            for (int i = 0; i < 10; ++i) EXPECT_TRUE(SameRecord(t.GetRow(i), ScoreEntry()));
        }
    }
}

TEST(StoreHighScores, SaveThenLoadGivesTheRowsAndDefaultRowsUpToTen) {
    CMemoryRegistry reg;
    HighScoreTable t = TableOf({500, 300});
    t.GetRow(1).szName[10] = 'z';  // after the terminator
    SaveScoreTable(t, reg, kAppKey, 17, 13, 250);
    const auto stored = reg.Query(kAppKey, kValue17x13);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, RegType::kBinary);
    EXPECT_EQ(stored->bin.size(), 396u);

    HighScoreTable u;
    LoadScoreTable(u, reg, kAppKey, 17, 13, 250);
    ASSERT_EQ(u.GetCount(), 10);
    EXPECT_TRUE(SameRecord(u.GetRow(0), t.GetRow(0)));
    EXPECT_TRUE(SameRecord(u.GetRow(1), t.GetRow(1)));
    for (int i = 2; i < 10; ++i) EXPECT_TRUE(SameRecord(u.GetRow(i), ScoreEntry())) << i;
}

TEST(StoreHighScores, SaveAndLoadThroughTheFileStore) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    HighScoreTable t = TableOf({900, 800, 700});
    SetRowName(t.GetRow(0), "Jiří Šťastný", CodePage::kCentralEuropean);
    {
        CFileRegistry reg(path);
        SaveScoreTable(t, reg, kAppKey, 25, 19, 150);
    }
    CFileRegistry reg(path);
    HighScoreTable u;
    LoadScoreTable(u, reg, kAppKey, 25, 19, 150);
    ASSERT_EQ(u.GetCount(), 10);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRecord(u.GetRow(i), t.GetRow(i))) << i;
    EXPECT_EQ(RowName(u.GetRow(0), CodePage::kCentralEuropean), "Jiří Šťastný");
}

TEST(StoreHighScores, SpeedsKeepSeparateTables) {
    CMemoryRegistry reg;
    SaveScoreTable(TableOf({250}), reg, kAppKey, 17, 13, 250);
    SaveScoreTable(TableOf({150, 140}), reg, kAppKey, 17, 13, 150);
    EXPECT_TRUE(reg.Query(kAppKey, "Scores (17x13/250)"));
    EXPECT_TRUE(reg.Query(kAppKey, "Scores (17x13/150)"));

    const struct {
        int32_t w, h, ms;
        std::vector<int32_t> scores;
    } cases[] = {
        {17, 13, 250, TenWith({250})},
        {17, 13, 150, TenWith({150, 140})},
        {17, 13, 350, {}},
        {13, 17, 250, {}},
    };
    for (const auto& c : cases) {
        HighScoreTable t;
        LoadScoreTable(t, reg, kAppKey, c.w, c.h, c.ms);
        EXPECT_EQ(Scores(t), c.scores) << c.w << "x" << c.h << "/" << c.ms;
    }
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
        doc.SetSeedSource([] { return 12345u; });
        ASSERT_TRUE(doc.OnNewDocument());
        EXPECT_EQ(Scores(table).size(), bStored ? 10u : 0u);
        nStateAfter[bStored ? 1 : 0] = doc.m_random.State();
    }
    EXPECT_EQ(nStateAfter[0], nStateAfter[1]);
}

// ---------------------------------------------------------------------------
// Entering a score: read again, insert and write under the store's lock
// ---------------------------------------------------------------------------

TEST(StoreEnterScore, TwoCopiesOnOneBoardLoseNoRow) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry first(path);
    CFileRegistry second(path);
    SaveScoreTable(TableOf({900, 100}), first, kAppKey, 17, 13, 250);
    // Both copies load the table when their games start.
    HighScoreTable a;
    HighScoreTable b;
    LoadScoreTable(a, first, kAppKey, 17, 13, 250);
    LoadScoreTable(b, second, kAppKey, 17, 13, 250);

    // The second copy enters first; the first then enters from its older table.
    EXPECT_EQ(EnterScore(b, second, kAppKey, 17, 13, 250, ScoreEntry("Bob", 500)), 1);
    EXPECT_EQ(EnterScore(a, first, kAppKey, 17, 13, 250, ScoreEntry("Ann", 300)), 2);
    EXPECT_EQ(Scores(a), TenWith({900, 500, 300, 100}));

    CFileRegistry third(path);
    HighScoreTable stored;
    LoadScoreTable(stored, third, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(stored), TenWith({900, 500, 300, 100}));
    EXPECT_EQ(stored.GetRow(1).Name(), "Bob");
    EXPECT_EQ(stored.GetRow(2).Name(), "Ann");
}

TEST(StoreEnterScore, ConcurrentProcessesLoseNoRow) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    constexpr int kProcs = 4;
    constexpr int kScoresEach = 2;  // 8 rows in all, all fit in ten
    const int nFailed = testsupport::RunInProcesses(kProcs, [&](int p) {
        CFileRegistry reg(path);
        reg.SetWaits({.lock = std::chrono::seconds(30)});
        HighScoreTable t;
        LoadScoreTable(t, reg, kAppKey, 17, 13, 250);  // all start from the same table
        for (int i = 0; i < kScoresEach; ++i) {
            const int32_t nScore = 100 * (p + 1) + i;
            if (EnterScore(t, reg, kAppKey, 17, 13, 250, ScoreEntry("P", nScore)) < 0) {
                return false;
            }
        }
        return !reg.HasNotices();
    });
    EXPECT_EQ(nFailed, 0);
    CFileRegistry reg(path);
    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(t), TenWith({401, 400, 301, 300, 201, 200, 101, 100}));
}

// Another copy of the program holds the store for 4 seconds as a game ends:
// the new row is shown at once, waits, and is written as soon as the lock is
// free, while the program runs on (it retries now and then).
TEST(StoreEnterScore, ARowThatFindsTheStoreBusyIsWrittenWhenItIsFree) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reg(path);
    reg.SetWaits({.lock = std::chrono::milliseconds(50)});
    ASSERT_TRUE(reg.Set(kAppKey, kValue17x13, RegValue::Binary(Encoded({800, 300}))));
    std::optional<testsupport::HeldLock> other(std::in_place, path + ".lock");
    HighScoreTable t;
    EXPECT_EQ(EnterScore(t, reg, kAppKey, 17, 13, 250, ScoreEntry("Ann", 500)), 1);
    EXPECT_EQ(Scores(t), TenWith({800, 500, 300}));
    EXPECT_TRUE(reg.HasWaitingWrites());
    ASSERT_EQ(reg.TakeNotices().size(), 1u);
    {
        CFileRegistry fresh(path);
        HighScoreTable stored;
        LoadScoreTable(stored, fresh, kAppKey, 17, 13, 250);
        EXPECT_EQ(Scores(stored), TenWith({800, 300}));
    }
    // Seen meanwhile, as a new game on this board loads its table.
    HighScoreTable shown;
    LoadScoreTable(shown, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(shown), TenWith({800, 500, 300}));

    // Still busy: the row keeps waiting; once the other copy lets go it is written.
    EXPECT_FALSE(reg.RetryWaitingWrites(std::chrono::milliseconds(0)));
    EXPECT_TRUE(reg.HasWaitingWrites());
    other.reset();
    EXPECT_TRUE(reg.RetryWaitingWrites(std::chrono::milliseconds(50)));
    EXPECT_FALSE(reg.HasWaitingWrites());
    EXPECT_FALSE(reg.HasNotices());
    CFileRegistry again(path);
    HighScoreTable stored;
    LoadScoreTable(stored, again, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(stored), TenWith({800, 500, 300}));
    EXPECT_EQ(stored.GetRow(1).Name(), "Ann");
}

TEST(StoreEnterScore, ADamagedValueIsKeptAsideBeforeItIsReplaced) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    Bytes damaged = Encoded({800, 700});
    damaged[7] ^= 1;
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Set(kAppKey, kValue17x13, RegValue::Binary(damaged)));
    }
    CFileRegistry reg(path);
    HighScoreTable t;
    LoadScoreTable(t, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(t), TenWith({}));  // the rule: a damaged table reads as empty rows

    EXPECT_EQ(EnterScore(t, reg, kAppKey, 17, 13, 250, ScoreEntry("Eve", 50)), 0);
    const std::vector<StoreNotice> notices = reg.TakeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, StoreNotice::Kind::kScoreKeptAside);
    // The copy holds the damaged bytes as they were; the store the new table.
    const auto aside = ParseRegFile(testsupport::ReadText(notices[0].strAside));
    ASSERT_TRUE(aside);
    EXPECT_EQ(FindValue(*aside, kAppKey, kValue17x13), RegValue::Binary(damaged));
    HighScoreTable stored;
    LoadScoreTable(stored, reg, kAppKey, 17, 13, 250);
    EXPECT_EQ(Scores(stored), TenWith({50}));

    // A good table is replaced without a copy.
    EXPECT_EQ(EnterScore(t, reg, kAppKey, 17, 13, 250, ScoreEntry("Eve", 60)), 0);
    EXPECT_TRUE(reg.TakeNotices().empty());
}

TEST(StoreEnterScore, NoPlaceWritesNothingAndAFailedWriteKeepsTheRowInMemory) {
    CMemoryRegistry reg;
    SaveScoreTable(TableOf({100, 90, 80, 70, 60, 50, 40, 30, 20, 10}), reg, kAppKey, 17, 13, 250);
    const auto before = reg.Query(kAppKey, kValue17x13);
    HighScoreTable t;
    EXPECT_EQ(EnterScore(t, reg, kAppKey, 17, 13, 250, ScoreEntry("Low", 10)), -1);
    EXPECT_EQ(reg.Query(kAppKey, kValue17x13), before);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}));

    // A store that refuses every write.
    class RefusingRegistry : public CMemoryRegistry {
    public:
        bool Apply(const std::vector<RegChange>&) override { return false; }
    } refusing;
    refusing.Keys() = reg.Keys();
    EXPECT_EQ(EnterScore(t, refusing, kAppKey, 17, 13, 250, ScoreEntry("Kim", 55)), 5);
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{100, 90, 80, 70, 60, 55, 50, 40, 30, 20}));
    EXPECT_EQ(t.GetRow(5).Name(), "Kim");
}

// The row a name is asked for is the one the store then gives; asking writes
// nothing.
TEST(StoreEnterScore, TheRowForAScoreIsWhereEnterScorePlacesIt) {
    const struct {
        const char* pszWhat;
        std::vector<int32_t> stored;  // nothing stored when empty
        int32_t nScore;
        int nRow;
    } cases[] = {
        {"nothing stored", {}, 50, 0},
        {"below an equal score", {900, 500, 100}, 500, 2},
        {"at the end", {900, 500, 100}, 50, 3},
        {"a full table's last score", {100, 90, 80, 70, 60, 50, 40, 30, 20, 10}, 10, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CMemoryRegistry reg;
        if (!c.stored.empty()) SaveScoreTable(TableOf(c.stored), reg, kAppKey, 17, 13, 250);
        const auto before = reg.Query(kAppKey, kValue17x13);
        EXPECT_EQ(StoredRowForScore(reg, kAppKey, 17, 13, 250, c.nScore), c.nRow);
        EXPECT_EQ(reg.Query(kAppKey, kValue17x13), before);
        HighScoreTable t;
        EXPECT_EQ(EnterScore(t, reg, kAppKey, 17, 13, 250, ScoreEntry("A", c.nScore)), c.nRow);
    }
}

// ---------------------------------------------------------------------------
// Ranking
// ---------------------------------------------------------------------------

TEST(StoreHighScores, InsertScorePlacesByRank) {
    const std::vector<int32_t> full = {1000, 900, 800, 700, 600, 500, 400, 300, 200, 120};
    const struct {
        const char* pszWhat;
        std::vector<int32_t> before;
        int32_t nScore;
        int nMaxRows;
        int nIndex;
        std::vector<int32_t> after;
    } cases[] = {
        {"equal scores: below the earlier ones",
         {500, 300, 300, 100},
         300,
         10,
         3,
         {500, 300, 300, 300, 100}},
        {"full table, equal to the last row", full, 120, 10, -1, full},
        {"full table, one more than the last row",
         full,
         121,
         10,
         9,
         {1000, 900, 800, 700, 600, 500, 400, 300, 200, 121}},
        {"full table, a new top",
         full,
         5000,
         10,
         0,
         {5000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}},
        {"empty table", {}, 1, 10, 0, {1}},
        {"ten zero rows", std::vector<int32_t>(10, 0), 5, 10, 0, TenWith({5})},
        {"part table: appended", {500, 300}, 300, 10, 2, {500, 300, 300}},
        {"part table: negative appended", {500, 300}, -7, 10, 2, {500, 300, -7}},
        {"limit reached: replaces the last", {500, 300, 300, -7}, 1, 4, 3, {500, 300, 300, 1}},
        {"limit reached: no place", {500, 300, 300, 1}, 1, 4, -1, {500, 300, 300, 1}},
        {"a row dropped at once is not reported", {3, 2, 1}, 2, 1, -1, {3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        HighScoreTable t;
        for (int32_t n : c.before) t.m_aScores.emplace_back("old", n);
        EXPECT_EQ(t.InsertScore(c.nScore, c.nMaxRows), c.nIndex);
        EXPECT_EQ(Scores(t), c.after);
        if (c.nIndex >= 0) {
            EXPECT_EQ(t.GetRow(c.nIndex).Name(), "");
        }
    }
}

TEST(StoreHighScores, ScoreToBeat) {
    const struct {
        std::vector<int32_t> scores;
        int nRows;
        int32_t nToBeat;
    } cases[] = {
        {{}, 10, 0},
        {{500, 300}, 10, 0},  // fewer rows than asked for
        {{500, 300}, 2, 300},
        {{1000, 900, 800, 700, 600, 500, 400, 300, 200, 120}, 10, 120},
        {std::vector<int32_t>(10, -5), 10, -5},
    };
    for (const auto& c : cases) {
        HighScoreTable t;
        for (int32_t n : c.scores) t.m_aScores.emplace_back("x", n);
        EXPECT_EQ(t.GetScoreToBeat(c.nRows), c.nToBeat) << c.scores.size();
    }
}

// ---------------------------------------------------------------------------
// Names: bytes in the players' code page
// ---------------------------------------------------------------------------

TEST(StoreNames, EntryKeepsAtMost31BytesAndClearsTheRest) {
    ScoreEntry e;
    EXPECT_EQ(e.nScore, 0);
    for (char c : e.szName) EXPECT_EQ(c, 0);

    ScoreEntry f(std::string(40, 'x'), 77);
    EXPECT_EQ(f.Name(), std::string(31, 'x'));
    EXPECT_EQ(f.szName[31], 0);
    f.SetName("Ann");
    EXPECT_EQ(f.Name(), "Ann");
    for (size_t i = 3; i < 32; ++i) EXPECT_EQ(f.szName[i], 0) << i;
}

TEST(StoreNames, CodePageTablesFollowThePublicDefinitions) {
    const struct {
        uint8_t b;
        CodePage cp;
        char32_t c;
    } cases[] = {
        {0x41, CodePage::kCentralEuropean, U'A'}, {0x80, CodePage::kCentralEuropean, U'€'},
        {0x8A, CodePage::kCentralEuropean, U'Š'}, {0x9D, CodePage::kCentralEuropean, U'ť'},
        {0xA3, CodePage::kCentralEuropean, U'Ł'}, {0xC8, CodePage::kCentralEuropean, U'Č'},
        {0xD8, CodePage::kCentralEuropean, U'Ř'}, {0xE8, CodePage::kCentralEuropean, U'č'},
        {0xF8, CodePage::kCentralEuropean, U'ř'}, {0xF9, CodePage::kCentralEuropean, U'ů'},
        {0xFF, CodePage::kCentralEuropean, U'˙'}, {0x83, CodePage::kCentralEuropean, U'\x83'},
        {0x80, CodePage::kWestern, U'€'},         {0x83, CodePage::kWestern, U'ƒ'},
        {0x9F, CodePage::kWestern, U'Ÿ'},         {0xE9, CodePage::kWestern, U'é'},
        {0xFF, CodePage::kWestern, U'ÿ'},         {0x81, CodePage::kWestern, U'\x81'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeByte(c.b, c.cp), c.c) << int(c.b);
        EXPECT_EQ(EncodeChar(c.c, c.cp), c.b) << int(c.b);
    }
    // Every byte survives text and back, in both code pages.
    for (CodePage cp : {CodePage::kCentralEuropean, CodePage::kWestern}) {
        std::string all;
        for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
        const std::string text = DecodeToUtf8(all, cp);
        EXPECT_TRUE(IsValidUtf8(text));
        EXPECT_EQ(EncodeFromUtf8(text, cp), all);
    }
    EXPECT_FALSE(EncodeChar(U'ř', CodePage::kWestern));
    EXPECT_FALSE(EncodeChar(U'é' + 0x1000, CodePage::kCentralEuropean));
}

TEST(StoreNames, CodePageOfTheLanguage) {
    const struct {
        const char* pszLanguage;
        CodePage cp;
    } cases[] = {
        {"cs", CodePage::kCentralEuropean},
        {"cs_CZ.UTF-8", CodePage::kCentralEuropean},
        {"pl_PL", CodePage::kCentralEuropean},
        {"hu-HU", CodePage::kCentralEuropean},
        {"sr_RS@latin", CodePage::kCentralEuropean},
        {"sr_RS", CodePage::kWestern},
        {"en", CodePage::kWestern},
        {"de", CodePage::kWestern},
        {"de_DE@euro", CodePage::kWestern},
        {"pt_BR", CodePage::kWestern},
        {"", CodePage::kWestern},
        {"csb_PL", CodePage::kWestern},  // another language that starts alike
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageForLanguage(c.pszLanguage), c.cp) << c.pszLanguage;
    }
}

TEST(StoreNames, ThirtyOneLettersAlwaysFitAndNamesAreTheirCodePagesBytes) {
    const std::string czech = "Příliš žluťoučký kůň úpěl ďábel";  // 31 letters
    ScoreEntry e;
    SetRowName(e, czech, CodePage::kCentralEuropean);
    EXPECT_EQ(e.Name().size(), 31u);
    EXPECT_EQ(RowName(e, CodePage::kCentralEuropean), czech);
    // Longer names keep their first 31 letters.
    SetRowName(e, czech + " ódy", CodePage::kCentralEuropean);
    EXPECT_EQ(RowName(e, CodePage::kCentralEuropean), czech);

    // A row that holds "Jiří" in code page 1250 is these four bytes.
    ScoreEntry stored("\x4a\x69\xf8\xed", 300);
    EXPECT_EQ(RowName(stored, CodePage::kCentralEuropean), "Jiří");
    ScoreEntry ours;
    SetRowName(ours, "Jiří", CodePage::kCentralEuropean);
    ours.nScore = 300;
    EXPECT_TRUE(SameRecord(ours, stored));

    // Western: "Zoë Müller"; letters the code page lacks are left out.
    SetRowName(e, "Zoë Müller", CodePage::kWestern);
    EXPECT_EQ(e.Name(), "Zo\xeb M\xfcller");
    SetRowName(e, "Łucja 🐍 ř", CodePage::kWestern);
    EXPECT_EQ(e.Name(), "ucja  ");
}

TEST(StoreNames, Utf8Reading) {
    const struct {
        const char* pszBytes;
        bool bValid;
    } cases[] = {
        {"", true},
        {"abc", true},
        {"žluť 🐍 €", true},
        {"caf\xe9.cx", false},        // a byte of code page 1252
        {"\xc0\xaf", false},          // an overlong form
        {"\xed\xa0\x80", false},      // a surrogate
        {"\xf4\x90\x80\x80", false},  // past the last plane
        {"\xe2\x82", false},          // cut short
        {"\x80", false},              // a lone continuation byte
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.pszBytes), c.bValid) << c.pszBytes;
    std::string s;
    AppendUtf8(s, U'🐍');
    size_t pos = 0;
    EXPECT_EQ(NextUtf8Char(s, pos), U'🐍');
    EXPECT_EQ(pos, 4u);
}
