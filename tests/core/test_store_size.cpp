// SPDX-License-Identifier: GPL-3.0-or-later
// How large the settings store may grow: the largest store the program makes
// is read back whole, a write that would make it too large to read is
// refused, and a file too large to be a store keeps the program's values.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/Limits.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "store/ScoreStore.h"
#include "support/Files.h"
#include "support/Processes.h"

namespace fs = std::filesystem;

namespace {

using testsupport::TempDir;

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";
constexpr const char* kSettingsKey = "Software\\Halvorn\\Coilix\\Settings";
constexpr const char* kOtherKey = "Software\\Someone Else";

// What the program keeps of a store too large to read: its own key.
bool UnderAppKey(const std::string& strKey, const std::string&) {
    return IsSameOrSubKey(strKey, kAppKey);
}

// Ten rows with names as long as a row holds.
std::vector<ScoreEntry> FullRows(int32_t nSeed) {
    std::vector<ScoreEntry> rows;
    for (int i = 0; i < kScoreTableRows; ++i) {
        rows.emplace_back(std::string(kMaxNameBytes, static_cast<char>('A' + (nSeed + i) % 26)),
                          nSeed * 10 - i);
    }
    return rows;
}

// A binary value whose text form is a little under nTextBytes.
RegValue BlobOfTextSize(size_t nTextBytes) {
    RegValue value = RegValue::Binary(std::vector<uint8_t>(nTextBytes / 3, 0x5a));
    for (;;) {
        const size_t nSize = FormattedValueSize("Blob", value);
        if (nSize > nTextBytes) {
            value.bin.resize(value.bin.size() - (nSize - nTextBytes) / 3 - 1);
        } else if (nTextBytes - nSize > 100) {
            value.bin.resize(value.bin.size() + (nTextBytes - nSize) / 4);
        } else {
            return value;
        }
    }
}

// The sections of a store's text, without its header.
std::string Sections(const RegKeys& keys) {
    return FormatRegFile(keys).substr(FormatRegFile({}).size());
}

}  // namespace

// Every table of every board and speed, with the longest settings, recent
// files and bar state the program keeps: written, read back whole, and still
// taking a new score through the score entry.
TEST(StoreSize, TheLargestStoreTheProgramMakesIsReadBackWhole) {
    const size_t nBoards = kBoardsAndSpeeds;
    ASSERT_EQ(nBoards, 13068u);  // 66 widths, 66 heights, 3 speeds
    std::vector<RegChange> changes;
    for (size_t i = 0; i + 1 < nBoards; ++i) {
        const BoardAndSpeed b = NthBoardAndSpeed(static_cast<int32_t>(i));
        changes.push_back({kAppKey, ScoreValueName(b.nWidth, b.nHeight, b.nSpeedMs),
                           RegValue::Binary(EncodeScoreTable(FullRows(static_cast<int32_t>(i))))});
    }
    // Paths as long as the system allows, in bytes that are not UTF-8 (the
    // longest form); a name of letters three bytes long each; the bar state
    // as long as it is read back.
    for (int i = 1; i <= 4; ++i) {
        changes.push_back({std::string(kAppKey) + "\\Recent File List", "File" + std::to_string(i),
                           RegValue::String("/" + std::string(4094, '\xe9'))});
    }
    std::string strName;
    for (int i = 0; i < kMaxNameBytes; ++i) strName += "\xe2\x82\xac";
    changes.push_back({kSettingsKey, "Last Name", RegValue::String(strName)});
    changes.push_back({std::string(kAppKey) + "\\Control", "State",
                       RegValue::Binary(std::vector<uint8_t>(1 << 16, 0xff))});
    changes.push_back({kAppKey, "Frame Placement", RegValue::Binary(std::vector<uint8_t>(44, 1))});

    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Apply(changes));
    }
    // The last table as a game's end enters it.
    const BoardAndSpeed last = NthBoardAndSpeed(kBoardsAndSpeeds - 1);
    {
        CFileRegistry reg(path);
        HighScoreTable table;
        EXPECT_EQ(EnterScore(table, reg, kAppKey, last.nWidth, last.nHeight, last.nSpeedMs,
                             ScoreEntry("Last", 500)),
                  0);
        EXPECT_FALSE(reg.HasNotices());
    }
    const uintmax_t nSize = fs::file_size(path);
    RecordProperty("largest_store_bytes", std::to_string(nSize));
    EXPECT_GT(nSize, size_t{16} << 20);
    EXPECT_LT(nSize, CFileRegistry::kMaxStoreBytes);

    CFileRegistry reg(path);
    EXPECT_FALSE(reg.HasNotices());
    EXPECT_FALSE(reg.SetAsidePath());
    size_t nWhole = 0;
    for (size_t i = 0; i + 1 < nBoards; ++i) {
        const BoardAndSpeed b = NthBoardAndSpeed(static_cast<int32_t>(i));
        HighScoreTable table;
        LoadScoreTable(table, reg, kAppKey, b.nWidth, b.nHeight, b.nSpeedMs);
        if (table.m_aScores.size() == 10 &&
            std::memcmp(table.m_aScores.data(), FullRows(static_cast<int32_t>(i)).data(),
                        10 * sizeof(ScoreEntry)) == 0) {
            ++nWhole;
        }
    }
    EXPECT_EQ(nWhole, nBoards - 1);
    HighScoreTable table;
    LoadScoreTable(table, reg, kAppKey, last.nWidth, last.nHeight, last.nSpeedMs);
    EXPECT_EQ(table.GetRow(0).nScore, 500);
    EXPECT_EQ(table.GetRow(0).Name(), "Last");
}

// A store that holds more than the program's own values may not grow past
// what is read: the write is refused and said, and the file stays whole.
TEST(StoreSize, AWriteThatWouldMakeTheStoreTooLargeIsRefused) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    {
        RegKeys keys;
        keys[kOtherKey]["Blob"] = BlobOfTextSize(CFileRegistry::kMaxStoreBytes - 500);
        keys[kSettingsKey]["Last Name"] = RegValue::String("Ann");
        testsupport::WriteText(path, FormatRegFile(keys));
    }
    ASSERT_LE(fs::file_size(path), CFileRegistry::kMaxStoreBytes);

    CFileRegistry reg(path);
    EXPECT_EQ(reg.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    EXPECT_TRUE(reg.Set(kAppKey, "Small", RegValue::Dword(1)));  // still fits
    const size_t nRoom = CFileRegistry::kMaxStoreBytes - fs::file_size(path);
    EXPECT_FALSE(reg.Set(kAppKey, "Big", RegValue::Binary(std::vector<uint8_t>(nRoom / 3 + 10))));
    const std::vector<StoreNotice> notices = reg.TakeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, StoreNotice::Kind::kWouldBeTooLarge);
    EXPECT_FALSE(reg.Query(kAppKey, "Big"));
    // The write stopped at the limit leaves nothing behind.
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));

    CFileRegistry again(path);
    EXPECT_FALSE(again.HasNotices());
    EXPECT_LE(fs::file_size(path), CFileRegistry::kMaxStoreBytes);
    EXPECT_EQ(again.Query(kAppKey, "Small"), RegValue::Dword(1));
    EXPECT_EQ(again.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    ASSERT_TRUE(again.Query(kOtherKey, "Blob"));
}

// A file larger than any store keeps what the program stored in it: the file
// is kept aside as it was, and the store is written again with the program's
// own values; another program's values and lines far too long are left out.
TEST(StoreSize, AFileTooLargeKeepsTheProgramsValues) {
    RegKeys own;
    own[kAppKey][ScoreValueName(17, 13, 250)] = RegValue::Binary(EncodeScoreTable(FullRows(1)));
    own[kAppKey][ScoreValueName(70, 70, 150)] = RegValue::Binary(EncodeScoreTable(FullRows(2)));
    own[kSettingsKey]["Last Name"] = RegValue::String("Ann");
    RegKeys other;
    other[kOtherKey]["Blob"] = BlobOfTextSize(CFileRegistry::kMaxStoreBytes / 2);
    other[kOtherKey]["Small"] = RegValue::Dword(1);
    // One line longer than a whole store, between the program's values.
    const std::string text = FormatRegFile(other) + "[HKEY_CURRENT_USER\\" + kAppKey + "]\n" +
                             "\"Long\"=\"" + std::string(CFileRegistry::kMaxStoreBytes, 'x') +
                             "\"\n" + Sections(own);

    const struct {
        const char* pszWhat;
        bool bReadOnlyFolder;
        bool bLockFile;  // the lock file is there already, and may be written
        StoreNotice::Kind told;
    } cases[] = {
        {"a writable folder", false, false, StoreNotice::Kind::kTooLarge},
        {"a read-only folder", true, false, StoreNotice::Kind::kCannotWrite},
        {"a read-only folder with its lock file", true, true, StoreNotice::Kind::kTooLargeKept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        if (c.bReadOnlyFolder && geteuid() == 0) continue;  // permissions do not stop root
        TempDir dir;
        const std::string sub = dir.File("store");
        fs::create_directory(sub);
        const std::string path = sub + "/Coilix.reg";
        testsupport::WriteText(path, text);
        if (c.bLockFile) testsupport::WriteText(path + ".lock", "");
        if (c.bReadOnlyFolder) {
            fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
        }
        CFileRegistry reg(path, CodePage::kWestern, UnderAppKey);
        for (const auto& [key, values] : own) {
            for (const auto& [name, value] : values) EXPECT_EQ(reg.Query(key, name), value) << name;
        }
        EXPECT_FALSE(reg.Query(kOtherKey, "Small"));
        EXPECT_FALSE(reg.Query(kAppKey, "Long"));
        if (c.bReadOnlyFolder) {
            // Read where it is, never written over, and why said once.
            EXPECT_FALSE(reg.Set(kAppKey, "New", RegValue::Dword(1)));
            const std::vector<StoreNotice> notices = reg.TakeNotices();
            ASSERT_EQ(notices.size(), 1u);
            EXPECT_EQ(notices[0].kind, c.told);
            EXPECT_EQ(reg.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
            fs::permissions(sub, fs::perms::owner_all);
            EXPECT_EQ(fs::file_size(path), text.size());
            continue;
        }
        const std::vector<StoreNotice> notices = reg.TakeNotices();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, c.told);
        EXPECT_EQ(notices[0].nLeftOut, 2u);
        EXPECT_EQ(notices[0].nDropped, 1u);
        EXPECT_EQ(notices[0].strAside.rfind(path + ".bad-", 0), 0u);
        EXPECT_EQ(fs::file_size(notices[0].strAside), text.size());
        EXPECT_EQ(ParseRegFile(testsupport::ReadText(path)), own);
        CFileRegistry again(path);
        EXPECT_FALSE(again.HasNotices());
        EXPECT_EQ(again.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    }
}

// Read while another copy of the program holds the lock: the values are
// there at once, and the file is kept aside by the first write after.
TEST(StoreSize, AFileTooLargeReadWhileLockedIsKeptAsideByTheNextWrite) {
    RegKeys own;
    own[kSettingsKey]["Last Name"] = RegValue::String("Ann");
    RegKeys other;
    other[kOtherKey]["Blob"] = BlobOfTextSize(CFileRegistry::kMaxStoreBytes + 1000);
    const std::string text = FormatRegFile(other) + Sections(own);
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    testsupport::WriteText(path, text);
    std::optional<CFileRegistry> reg;
    {
        testsupport::HeldLock held(path + ".lock");
        reg.emplace(path, CodePage::kWestern, UnderAppKey);
        EXPECT_EQ(reg->Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
        EXPECT_FALSE(reg->HasNotices());
        EXPECT_EQ(fs::file_size(path), text.size());
    }
    ASSERT_TRUE(reg->Set(kSettingsKey, "Sounds", RegValue::Dword(0)));
    const std::vector<StoreNotice> notices = reg->TakeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, StoreNotice::Kind::kTooLarge);
    EXPECT_EQ(fs::file_size(notices[0].strAside), text.size());
    CFileRegistry again(path);
    EXPECT_EQ(again.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    EXPECT_EQ(again.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
    EXPECT_FALSE(again.Query(kOtherKey, "Blob"));
}
