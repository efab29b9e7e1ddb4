// SPDX-License-Identifier: GPL-3.0-or-later
// The saved-game file: its byte layout, loading it back, and the files that
// are refused or tolerated.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

constexpr size_t kWidthAt = 25;
constexpr size_t kHeightAt = 29;
constexpr size_t kHeadXAt = 33;
constexpr size_t kHeadYAt = 37;
constexpr size_t kScoreAt = 41;
constexpr size_t kSpeedAt = 45;
constexpr size_t kSpawnAt = 49;
constexpr size_t kBonusAt = 53;
constexpr size_t kDropAt = 57;
constexpr size_t kFrownAt = 61;
constexpr size_t kLastDirectionAt = 65;
constexpr size_t kDirectionAt = 69;
constexpr size_t kBoardAt = 73;
// Offsets in the 17 x 13 example: 10 crawler records, 4 item records.
constexpr size_t kBodyCountAt = kBoardAt + 8 * 17 * 13;
constexpr size_t kBodyAt = kBodyCountAt + 2;
constexpr size_t kItemCountAt = kBodyAt + 10 * 16;
constexpr size_t kItemsAt = kItemCountAt + 2;
constexpr size_t kExampleSize = kItemsAt + 4 * 16;

const fs::path kExampleFile = fs::path(COILIX_TEST_DATA_DIR) / "savedgame" / "example-17x13.cx";

int32_t I32At(const Bytes& b, size_t at) {
    return static_cast<int32_t>(b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) |
                                (static_cast<uint32_t>(b.at(at + 3)) << 24));
}

uint16_t U16At(const Bytes& b, size_t at) {
    return static_cast<uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

void PutI32(Bytes& b, size_t at, int32_t n) {
    for (int i = 0; i < 4; ++i) {
        b.at(at + i) = static_cast<uint8_t>(static_cast<uint32_t>(n) >> (8 * i));
    }
}

// The file image written out field by field, without the document's code.
Bytes ExpectedImage(const CCoilixDoc& doc) {
    Bytes b;
    auto i32 = [&](int32_t n) {
        for (int i = 0; i < 4; ++i) {
            b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(n) >> (8 * i)));
        }
    };
    auto u16 = [&](size_t n) {
        b.push_back(static_cast<uint8_t>(n));
        b.push_back(static_cast<uint8_t>(n >> 8));
    };
    const std::string_view tag = "Coilix Game Document";
    b.push_back(static_cast<uint8_t>(tag.size()));
    b.insert(b.end(), tag.begin(), tag.end());
    for (int32_t n :
         {1, doc.m_nWidth, doc.m_nHeight, doc.m_nHeadX, doc.m_nHeadY, doc.m_nScore, doc.m_nSpeed,
          doc.m_nSpawnCountdown, doc.m_nBonusCountdown, doc.m_nDropCountdown, doc.m_nFrownCountdown,
          doc.m_nLastDirection, doc.m_nDirection}) {
        i32(n);
    }
    for (int32_t y = 0; y < doc.m_nHeight; ++y) {
        for (int32_t x = 0; x < doc.m_nWidth; ++x) {
            i32(doc.CellAt(x, y).nValue);
            i32(doc.CellAt(x, y).nType);
        }
    }
    u16(doc.m_aBody.size());
    for (const CellRef& r : doc.m_aBody) {
        i32(r.nDir), i32(r.x), i32(r.y), i32(0);
    }
    u16(doc.m_aItems.size());
    for (const CellRef& r : doc.m_aItems) {
        i32(r.nDir), i32(r.x), i32(r.y), i32(0);
    }
    return b;
}

// A 17 x 13 game in play: a crawler of 10 segments moving left along row 6
// with an up turn asked for, and four items.
void FillExampleGame(CCoilixDoc& doc) {
    doc.DeleteContents();
    doc.m_nWidth = 17;
    doc.m_nHeight = 13;
    doc.m_nHeadX = 3;
    doc.m_nHeadY = 6;
    doc.m_nScore = 1234;
    doc.m_nSpeed = 250;
    doc.m_nSpawnCountdown = 7;
    doc.m_nBonusCountdown = 2;
    doc.m_nDropCountdown = 33;
    doc.m_nFrownCountdown = 3;
    doc.m_nLastDirection = dirLeft;
    doc.m_nDirection = dirUp;
    doc.m_pCells = std::make_unique<Cell[]>(17 * 13);
    for (int32_t x = 12; x >= 3; --x) {
        const int32_t nType = x == 12 ? ctTailLeft : x == 3 ? ctHeadLeft : ctBodyHorz;
        doc.CellAt(x, 6).nType = nType;
        doc.m_aBody.push_back({});
        doc.m_aBody.back().Set(doc.CellPtr(x, 6), x, 6, x == 3 ? dirNone : dirLeft);
    }
    // An eaten apple's lifetime still counting down under the crawler.
    doc.CellAt(9, 6).nValue = 5;
    struct Item {
        int32_t x, y, nType, nValue, nDir;
    };
    for (const Item& it : {Item{1, 1, ctApple, 30, 0}, Item{15, 2, ctCoin, 20, 0},
                           Item{2, 11, ctSkull, 100, 0}, Item{14, 10, ctDropping, 40, dirLeft}}) {
        doc.CellAt(it.x, it.y) = Cell{it.nValue, it.nType};
        doc.m_aItems.push_back({});
        doc.m_aItems.back().Set(doc.CellPtr(it.x, it.y), it.x, it.y, it.nDir);
    }
}

std::optional<ArchiveError> LoadBytes(CCoilixDoc& doc, const Bytes& data) {
    try {
        CArchive ar = CArchive::ForLoading(data);
        doc.Serialize(ar);
    } catch (const CArchiveException& e) {
        return e.Cause();
    }
    return std::nullopt;
}

// Every stored field, cell and record the same; every link on its own square.
void ExpectSameGame(const CCoilixDoc& got, const CCoilixDoc& want) {
    EXPECT_EQ(got.m_nWidth, want.m_nWidth);
    EXPECT_EQ(got.m_nHeight, want.m_nHeight);
    EXPECT_EQ(got.m_nHeadX, want.m_nHeadX);
    EXPECT_EQ(got.m_nHeadY, want.m_nHeadY);
    EXPECT_EQ(got.m_nScore, want.m_nScore);
    EXPECT_EQ(got.m_nSpeed, want.m_nSpeed);
    EXPECT_EQ(got.m_nSpawnCountdown, want.m_nSpawnCountdown);
    EXPECT_EQ(got.m_nBonusCountdown, want.m_nBonusCountdown);
    EXPECT_EQ(got.m_nDropCountdown, want.m_nDropCountdown);
    EXPECT_EQ(got.m_nFrownCountdown, want.m_nFrownCountdown);
    EXPECT_EQ(got.m_nLastDirection, want.m_nLastDirection);
    EXPECT_EQ(got.m_nDirection, want.m_nDirection);
    ASSERT_TRUE(got.HasBoard());
    ASSERT_EQ(got.m_nWidth * got.m_nHeight, want.m_nWidth * want.m_nHeight);
    for (int32_t i = 0; i < got.m_nWidth * got.m_nHeight; ++i) {
        EXPECT_EQ(got.m_pCells[i].nValue, want.m_pCells[i].nValue) << "cell " << i;
        EXPECT_EQ(got.m_pCells[i].nType, want.m_pCells[i].nType) << "cell " << i;
    }
    auto sameRecords = [&](const auto& a, const auto& b, const char* what) {
        ASSERT_EQ(a.size(), b.size()) << what;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].nDir, b[i].nDir) << what << ' ' << i;
            EXPECT_EQ(a[i].x, b[i].x) << what << ' ' << i;
            EXPECT_EQ(a[i].y, b[i].y) << what << ' ' << i;
            EXPECT_EQ(a[i].pCell, &got.CellAt(a[i].x, a[i].y)) << what << ' ' << i;
        }
    };
    sameRecords(got.m_aBody, want.m_aBody, "body");
    sameRecords(got.m_aItems, want.m_aItems, "items");
}

class SavedGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The settings differ from the example's board and speed, so a fresh
        // game is told apart from a loaded one.
        m_settings.m_nArrayWidth = 25;
        m_settings.m_nArrayHeight = 19;
        m_settings.m_nGameSpeed = 2;
        m_doc.SetSeedSource([] { return 12345u; });
        m_other.SetSeedSource([] { return 12345u; });
    }

    Bytes SaveExample() {
        FillExampleGame(m_doc);
        const fs::path path = m_dir / "example.cx";
        EXPECT_TRUE(m_doc.OnSaveDocument(path.string()));
        return testsupport::ReadBytes(path);
    }

    // The game as a save writes it, without touching the document's file or
    // its modified flag; nothing for a document without a board.
    static Bytes Stored(CCoilixDoc& doc) {
        Bytes data;
        try {
            CArchive ar = CArchive::ForStoring(data);
            doc.Serialize(ar);
        } catch (const CArchiveException&) {
            data.clear();
        }
        return data;
    }

    // A doc holding a fresh game of the settings, after a failed open.
    void ExpectFreshGame(const CCoilixDoc& doc) {
        ASSERT_TRUE(doc.HasBoard());
        EXPECT_EQ(doc.m_nWidth, 25);
        EXPECT_EQ(doc.m_nHeight, 19);
        EXPECT_EQ(doc.m_nSpeed, 150);
        EXPECT_EQ(doc.m_nDirection, dirNone);
        EXPECT_EQ(doc.m_nScore, 0);
        EXPECT_TRUE(doc.m_aBody.empty());
        EXPECT_EQ(doc.CellAt(12, 9).nType, ctStart);
        EXPECT_FALSE(doc.m_bPaused);
        EXPECT_FALSE(doc.m_bLoadedGame);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), "");
    }

    GameSettings m_settings;
    HighScoreTable m_scores;
    CMemoryRegistry m_registry;
    CProfile m_profile{m_registry, CProfile::AppKeyPath("Tests", "Coilix")};
    CCoilixDoc m_doc{m_settings, m_scores, m_profile};
    CCoilixDoc m_other{m_settings, m_scores, m_profile};
    testsupport::TempDir m_tempDir;
    const fs::path& m_dir = m_tempDir.Path();
};

}  // namespace

TEST_F(SavedGameTest, ExampleGameHasTheDocumentedLayout) {
    const Bytes b = SaveExample();
    ASSERT_EQ(b.size(), 2069u);
    ASSERT_EQ(b.size(), kExampleSize);
    EXPECT_EQ(b, ExpectedImage(m_doc));

    EXPECT_EQ(b[0], 20);
    EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 21), "Coilix Game Document");
    EXPECT_EQ(I32At(b, 21), 1);
    const int32_t header[] = {17, 13, 3, 6, 1234, 250, 7, 2, 33, 3, dirLeft, dirUp};
    for (size_t i = 0; i < std::size(header); ++i) {
        EXPECT_EQ(I32At(b, kWidthAt + 4 * i), header[i]) << "field " << i;
    }
    // The last direction comes before the current one.
    EXPECT_EQ(I32At(b, kLastDirectionAt), dirLeft);
    EXPECT_EQ(I32At(b, kDirectionAt), dirUp);
    // Cells row by row, value then type.
    auto cellAt = [](int x, int y) { return kBoardAt + 8 * static_cast<size_t>(y * 17 + x); };
    EXPECT_EQ(I32At(b, cellAt(1, 1)), 30);
    EXPECT_EQ(I32At(b, cellAt(1, 1) + 4), ctApple);
    EXPECT_EQ(I32At(b, cellAt(3, 6) + 4), ctHeadLeft);
    EXPECT_EQ(I32At(b, cellAt(9, 6)), 5);
    EXPECT_EQ(I32At(b, cellAt(16, 12) + 4), ctEmpty);
    // Tail first, then the items, each record nDir, x, y, four zero bytes.
    EXPECT_EQ(U16At(b, kBodyCountAt), 10);
    EXPECT_EQ(I32At(b, kBodyAt), dirLeft);
    EXPECT_EQ(I32At(b, kBodyAt + 4), 12);
    EXPECT_EQ(I32At(b, kBodyAt + 8), 6);
    EXPECT_EQ(I32At(b, kBodyAt + 12), 0);
    EXPECT_EQ(I32At(b, kBodyAt + 9 * 16), dirNone);
    EXPECT_EQ(I32At(b, kBodyAt + 9 * 16 + 4), 3);
    EXPECT_EQ(U16At(b, kItemCountAt), 4);
    EXPECT_EQ(I32At(b, kItemsAt + 3 * 16), dirLeft);
    EXPECT_EQ(I32At(b, kItemsAt + 3 * 16 + 4), 14);
    EXPECT_EQ(I32At(b, kItemsAt + 3 * 16 + 8), 10);
    EXPECT_EQ(I32At(b, kItemsAt + 3 * 16 + 12), 0);
}

TEST_F(SavedGameTest, StoredExampleOpensPausedAndSavesBackIdentically) {
    const Bytes stored = testsupport::ReadBytes(kExampleFile);
    ASSERT_EQ(stored.size(), kExampleSize) << kExampleFile;
    EXPECT_EQ(SaveExample(), stored);

    bool bReplaced = true;
    ASSERT_TRUE(OpenDocumentFile(m_other, kExampleFile.string(), bReplaced));
    EXPECT_FALSE(bReplaced);
    ExpectSameGame(m_other, m_doc);
    EXPECT_TRUE(m_other.m_bPaused);
    EXPECT_TRUE(m_other.m_bLoadedGame);
    EXPECT_FALSE(m_other.IsModified());
    EXPECT_EQ(m_other.GetPathName(), kExampleFile.string());

    const fs::path again = m_dir / "again.cx";
    ASSERT_TRUE(m_other.OnSaveDocument(again.string()));
    EXPECT_EQ(testsupport::ReadBytes(again), stored);
}

TEST_F(SavedGameTest, NewGameBeforeTheFirstMoveSavesAndReopensPaused) {
    m_settings.m_nArrayWidth = 17;
    m_settings.m_nArrayHeight = 13;
    ASSERT_TRUE(m_doc.OnNewDocument());
    const fs::path path = m_dir / "new.cx";
    ASSERT_TRUE(m_doc.OnSaveDocument(path.string()));
    const Bytes b = testsupport::ReadBytes(path);

    ASSERT_FALSE(m_doc.m_aItems.empty());
    EXPECT_EQ(b.size(), kBodyAt + 2 + 16 * m_doc.m_aItems.size());
    EXPECT_EQ(I32At(b, kDirectionAt), dirNone);
    EXPECT_EQ(I32At(b, kLastDirectionAt), dirNone);
    EXPECT_EQ(b[kBodyCountAt], 0);
    EXPECT_EQ(b[kBodyCountAt + 1], 0);
    EXPECT_EQ(U16At(b, kBodyAt), m_doc.m_aItems.size());
    EXPECT_EQ(b, ExpectedImage(m_doc));

    bool bReplaced = true;
    ASSERT_TRUE(OpenDocumentFile(m_other, path.string(), bReplaced));
    ExpectSameGame(m_other, m_doc);
    EXPECT_TRUE(m_other.m_bPaused);
    EXPECT_TRUE(m_other.m_bLoadedGame);
    EXPECT_EQ(m_other.CellAt(8, 6).nType, ctStart);
}

TEST_F(SavedGameTest, TagLetterCaseIsIgnored) {
    Bytes b = SaveExample();
    const std::string_view other = "cOILIX GAME document";
    std::memcpy(&b[1], other.data(), other.size());
    ASSERT_EQ(LoadBytes(m_other, b), std::nullopt);
    ExpectSameGame(m_other, m_doc);
}

TEST_F(SavedGameTest, DamagedFilesAreRefusedAndLeaveAFreshGame) {
    struct Case {
        const char* name;
        std::function<void(CCoilixDoc&)> editGame;  // before saving
        std::function<void(Bytes&)> editBytes;      // after saving
        ArchiveError cause;
    };
    auto put = [](size_t at, int32_t n) { return [=](Bytes& b) { PutI32(b, at, n); }; };
    auto cut = [](size_t n) { return [=](Bytes& b) { b.resize(n); }; };
    auto wideCount = [](size_t at) {
        return [=](Bytes& b) {
            b.erase(b.begin() + at, b.begin() + at + 2);
            b.insert(b.begin() + at, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        };
    };
    const Case cases[] = {
        {"tag with a trailing space", nullptr,
         [](Bytes& b) {
             b[0] = 21;
             b.insert(b.begin() + 21, ' ');
         },
         ArchiveError::kFormat},
        {"another tag", nullptr, [](Bytes& b) { b[1] = 'K'; }, ArchiveError::kFormat},
        {"version 2", nullptr, put(21, 2), ArchiveError::kVersion},
        {"version 0", nullptr, put(21, 0), ArchiveError::kVersion},
        {"width 4", nullptr, put(kWidthAt, 4), ArchiveError::kFormat},
        {"width 71", nullptr, put(kWidthAt, 71), ArchiveError::kFormat},
        {"negative height", nullptr, put(kHeightAt, -13), ArchiveError::kFormat},
        {"huge height", nullptr, put(kHeightAt, 0x7FFFFFFF), ArchiveError::kFormat},
        {"head right of the board", nullptr, put(kHeadXAt, 17), ArchiveError::kFormat},
        {"head above the board", nullptr, put(kHeadYAt, -1), ArchiveError::kFormat},
        {"speed 0", nullptr, put(kSpeedAt, 0), ArchiveError::kFormat},
        {"negative speed", nullptr, put(kSpeedAt, -250), ArchiveError::kFormat},
        {"speed above a minute", nullptr, put(kSpeedAt, 60001), ArchiveError::kFormat},
        // Play would count these past the range of an int32.
        {"negative spawn countdown", nullptr, put(kSpawnAt, INT32_MIN), ArchiveError::kFormat},
        {"huge bonus countdown", nullptr, put(kBonusAt, INT32_MAX), ArchiveError::kFormat},
        {"negative dropping countdown", nullptr, put(kDropAt, -1), ArchiveError::kFormat},
        {"negative frown countdown", nullptr, put(kFrownAt, -7), ArchiveError::kFormat},
        {"score near the top of the range", nullptr, put(kScoreAt, INT32_MAX - 100),
         ArchiveError::kFormat},
        {"score near the bottom of the range", nullptr, put(kScoreAt, INT32_MIN),
         ArchiveError::kFormat},
        {"negative lifetime under an item", nullptr, put(kBoardAt + 8 * (17 + 1), -1),
         ArchiveError::kFormat},
        {"crawler record right of the board", nullptr, put(kBodyAt + 4, 17), ArchiveError::kFormat},
        {"item record below the board", nullptr, put(kItemsAt + 2 * 16 + 8, 13),
         ArchiveError::kFormat},
        {"item record left of the board", nullptr, put(kItemsAt + 4, -1), ArchiveError::kFormat},
        {"crawler count of four billion", nullptr, wideCount(kBodyCountAt), ArchiveError::kFormat},
        {"item count of four billion", nullptr, wideCount(kItemCountAt), ArchiveError::kFormat},
        {"head not at the last crawler record", nullptr, put(kBodyAt + 9 * 16 + 4, 4),
         ArchiveError::kFormat},
        {"moved crawler with a single record",
         [](CCoilixDoc& doc) { doc.m_aBody.erase(doc.m_aBody.begin(), doc.m_aBody.end() - 1); },
         nullptr, ArchiveError::kFormat},
        {"unmoved crawler on the left edge",
         [](CCoilixDoc& doc) {
             doc.m_aBody.clear();
             doc.m_nHeadX = 0;
             doc.CellAt(0, 6).nType = ctStart;
             doc.m_nDirection = dirNone;
         },
         nullptr, ArchiveError::kFormat},
        {"unmoved crawler on the bottom edge",
         [](CCoilixDoc& doc) {
             doc.m_aBody.clear();
             doc.m_nHeadX = 8;
             doc.m_nHeadY = 12;
             doc.CellAt(8, 12).nType = ctStart;
         },
         nullptr, ArchiveError::kFormat},
        {"empty file", nullptr, cut(0), ArchiveError::kEndOfFile},
        {"ends inside the tag", nullptr, cut(10), ArchiveError::kEndOfFile},
        {"ends inside the version", nullptr, cut(23), ArchiveError::kEndOfFile},
        {"ends inside the numbers", nullptr, cut(50), ArchiveError::kEndOfFile},
        {"ends before the board", nullptr, cut(kBoardAt), ArchiveError::kFormat},
        {"ends inside the board", nullptr, cut(1000), ArchiveError::kFormat},
        {"one board byte short", nullptr, cut(kBodyCountAt - 1), ArchiveError::kFormat},
        {"ends inside the crawler count", nullptr, cut(kBodyCountAt + 1), ArchiveError::kEndOfFile},
        {"ends inside the crawler records", nullptr, cut(kBodyAt + 50), ArchiveError::kEndOfFile},
        {"ends before the item count", nullptr, cut(kItemCountAt), ArchiveError::kEndOfFile},
    };

    const fs::path path = m_dir / "damaged.cx";
    for (const Case& c : cases) {
        FillExampleGame(m_doc);
        if (c.editGame) {
            c.editGame(m_doc);
        }
        ASSERT_TRUE(m_doc.OnSaveDocument(path.string())) << c.name;
        Bytes b = testsupport::ReadBytes(path);
        if (c.editBytes) {
            c.editBytes(b);
        }
        testsupport::WriteBytes(path, b);

        EXPECT_EQ(LoadBytes(m_other, b), c.cause) << c.name;

        // Opened over a game in progress: reported as a bad format, and a
        // fresh game of the current settings takes the place of both.
        FillExampleGame(m_other);
        m_other.SetPathName("previous.cx");
        const Bytes previous = Stored(m_other);
        ASSERT_FALSE(previous.empty());
        std::vector<FileErrorReport> reports;
        // While the message is up, the game shown behind it is the previous
        // one, whole.
        std::vector<Bytes> shown;
        m_other.SetErrorReporter([&](const FileErrorReport& r) {
            reports.push_back(r);
            shown.push_back(Stored(m_other));
        });
        bool bReplaced = false;
        EXPECT_FALSE(OpenDocumentFile(m_other, path.string(), bReplaced)) << c.name;
        ASSERT_EQ(shown.size(), 1u) << c.name;
        EXPECT_TRUE(shown[0] == previous) << c.name;
        EXPECT_TRUE(bReplaced) << c.name;
        ASSERT_EQ(reports.size(), 1u) << c.name;
        EXPECT_EQ(reports[0].error, FileError::kBadFormat) << c.name;
        SCOPED_TRACE(c.name);
        ExpectFreshGame(m_other);
    }
}

TEST_F(SavedGameTest, FileEndingInsideTheItemRecordsLoadsZeroRecords) {
    Bytes b = SaveExample();
    // Record 0 whole, record 1 down to its nDir and the low byte of x.
    b.resize(kItemsAt + 16 + 5);
    ASSERT_EQ(LoadBytes(m_other, b), std::nullopt);
    ASSERT_EQ(m_other.m_aItems.size(), 4u);
    const CellRef& first = m_other.m_aItems[0];
    EXPECT_EQ(first.x, 1);
    EXPECT_EQ(first.y, 1);
    EXPECT_EQ(first.pCell, &m_other.CellAt(1, 1));
    const CellRef& partial = m_other.m_aItems[1];
    EXPECT_EQ(partial.x, 15);
    EXPECT_EQ(partial.y, 0);
    EXPECT_EQ(partial.pCell, &m_other.CellAt(15, 0));
    for (size_t i = 2; i < 4; ++i) {
        const CellRef& r = m_other.m_aItems[i];
        EXPECT_EQ(r.nDir, 0);
        EXPECT_EQ(r.x, 0);
        EXPECT_EQ(r.y, 0);
        EXPECT_EQ(r.pCell, &m_other.CellAt(0, 0));
    }
    EXPECT_EQ(m_other.m_aBody.size(), 10u);
}

TEST_F(SavedGameTest, LinkBytesAndTrailingBytesAreIgnored) {
    const Bytes saved = SaveExample();
    Bytes b = saved;
    for (size_t i = 0; i < 10; ++i) {
        PutI32(b, kBodyAt + 16 * i + 12, static_cast<int32_t>(0xDEADBEEF));
    }
    for (size_t i = 0; i < 4; ++i) {
        PutI32(b, kItemsAt + 16 * i + 12, -1);
    }
    b.insert(b.end(), 100, 0xAB);
    ASSERT_EQ(LoadBytes(m_other, b), std::nullopt);
    ExpectSameGame(m_other, m_doc);

    const fs::path path = m_dir / "resaved.cx";
    ASSERT_TRUE(m_other.OnSaveDocument(path.string()));
    EXPECT_EQ(testsupport::ReadBytes(path), saved);
}

TEST_F(SavedGameTest, OddButHarmlessValuesLoadAsStored) {
    struct Case {
        const char* name;
        std::function<void(CCoilixDoc&)> edit;
    };
    const Case cases[] = {
        {"cell types outside the table",
         [](CCoilixDoc& doc) {
             doc.CellAt(0, 0).nType = 99;
             doc.CellAt(5, 5).nType = -7;
             doc.CellAt(5, 5).nValue = INT32_MIN;  // no item record counts it
         }},
        {"large but reachable numbers",
         [](CCoilixDoc& doc) {
             doc.m_nScore = -900000;
             doc.m_nBonusCountdown = 5000;
             doc.CellAt(1, 1).nValue = INT32_MAX;
         }},
        {"unknown directions",
         [](CCoilixDoc& doc) {
             doc.m_nDirection = 9;
             doc.m_nLastDirection = -2;
             doc.m_aBody[4].nDir = 77;
             doc.m_aItems[0].nDir = -1;
         }},
        {"ended game whose crawler could not move",
         [](CCoilixDoc& doc) {
             doc.m_nDirection = dirGameOver;
             doc.m_aBody.erase(doc.m_aBody.begin() + 1, doc.m_aBody.end());
         }},
        {"unmoved crawler at the middle without records",
         [](CCoilixDoc& doc) {
             doc.m_aBody.clear();
             doc.m_nHeadX = 8;
             doc.CellAt(8, 6).nType = ctStart;
             doc.m_nDirection = dirNone;
         }},
    };
    const fs::path path = m_dir / "odd.cx";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillExampleGame(m_doc);
        c.edit(m_doc);
        ASSERT_TRUE(m_doc.OnSaveDocument(path.string()));
        bool bReplaced = true;
        ASSERT_TRUE(OpenDocumentFile(m_other, path.string(), bReplaced));
        ExpectSameGame(m_other, m_doc);
    }
}

TEST_F(SavedGameTest, DocumentWithoutBoardIsNotSaved) {
    const Bytes saved = SaveExample();
    const fs::path path = m_dir / "example.cx";
    m_doc.DeleteContents();
    EXPECT_FALSE(m_doc.OnSaveDocument(path.string()));
    ASSERT_TRUE(m_doc.LastError().has_value());
    EXPECT_EQ(m_doc.LastError()->error, FileError::kCannotSave);
    EXPECT_EQ(testsupport::ReadBytes(path), saved);
}

// Saves of a game killed at a hundred moments: the file is always the game
// saved before or the new one, whole, and the next save leaves no temporary
// file beside it.
TEST_F(SavedGameTest, KilledSavesLeaveAWholeGame) {
    // The largest board, so that a save takes a while; two games that differ.
    m_settings.m_nArrayWidth = 70;
    m_settings.m_nArrayHeight = 70;
    ASSERT_TRUE(m_doc.OnNewDocument());
    const fs::path path = m_dir / "big.cx";
    ASSERT_TRUE(m_doc.OnSaveDocument(path.string()));
    const Bytes before = testsupport::ReadBytes(path);
    m_doc.m_nScore = 4321;
    const fs::path other = m_dir / "other.cx";
    ASSERT_TRUE(m_doc.OnSaveDocument(other.string()));
    const Bytes after = testsupport::ReadBytes(other);
    fs::remove(other);
    ASSERT_NE(before, after);

    int nLeftovers = 0;
    testsupport::KillDuringWrites(
        100,
        [&](uint64_t i) {
            m_doc.m_nScore = i % 2 == 0 ? 4321 : 0;
            m_doc.OnSaveDocument(path.string());
        },
        [&](int nRound) {
            const Bytes now = testsupport::ReadBytes(path);
            ASSERT_TRUE(now == before || now == after) << "round " << nRound;
            if (m_tempDir.Entries().size() > 1) ++nLeftovers;
            ASSERT_TRUE(m_other.OnOpenDocument(path.string())) << "round " << nRound;

            m_doc.m_nScore = 0;
            ASSERT_TRUE(m_doc.OnSaveDocument(path.string()));
            EXPECT_EQ(m_tempDir.Entries(), std::vector<std::string>{"big.cx"})
                << "round " << nRound;
        });
    RecordProperty("kills_that_left_a_temporary_file", nLeftovers);
}
