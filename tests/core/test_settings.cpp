// SPDX-License-Identifier: GPL-3.0-or-later
// The user's settings: defaults, presets, range checks, the placement's raw
// bytes and the one-write save.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";
constexpr const char* kSettingsKey = "Software\\Halvorn\\Coilix\\Settings";
constexpr const char* kSection = "Settings";

using testsupport::TempDir;

// Counts the writes, to show that Save is one write.
class CountingRegistry : public CMemoryRegistry {
public:
    bool Apply(const std::vector<RegChange>& changes) override {
        ++m_nApplies;
        m_nLastBatch = changes.size();
        return CMemoryRegistry::Apply(changes);
    }
    int m_nApplies = 0;
    size_t m_nLastBatch = 0;
};

GameSettings LoadFrom(CRegistry& reg, const GameSettings& before = {}) {
    CProfile profile(reg, kAppKey);
    GameSettings s = before;
    s.Load(profile, kSection);
    return s;
}

RegValue Int(int32_t n) {
    return RegValue::Dword(static_cast<uint32_t>(n));
}

RegValue PlacementValue(const WindowPlacement& p) {
    const auto bytes = p.ToBytes();
    return RegValue::Binary(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

WindowPlacement SamplePlacement() {
    WindowPlacement p;
    p.length = 44;
    p.flags = 2;
    p.showCmd = kShowCmdMaximized;
    p.ptMinPosition[0] = -1;
    p.ptMinPosition[1] = -1;
    p.ptMaxPosition[0] = -8;
    p.ptMaxPosition[1] = -8;
    p.rcNormalPosition[0] = 100;
    p.rcNormalPosition[1] = 80;
    p.rcNormalPosition[2] = 600;
    p.rcNormalPosition[3] = 500;
    return p;
}

// The fields Load sets from the section, in one record for the tables.
struct Loaded {
    int32_t nSize, nWidth, nHeight, nSpeed;
    uint8_t bSounds;
    std::string strLastName;
    bool operator==(const Loaded&) const = default;
};

Loaded FieldsOf(const GameSettings& s) {
    return {s.m_nArraySize, s.m_nArrayWidth, s.m_nArrayHeight,
            s.m_nGameSpeed, s.m_bSounds,     s.m_strLastName};
}

std::ostream& operator<<(std::ostream& os, const Loaded& l) {
    return os << "size " << l.nSize << " " << l.nWidth << "x" << l.nHeight << " speed " << l.nSpeed
              << " sounds " << int(l.bSounds) << " name '" << l.strLastName << "'";
}

}  // namespace

TEST(StoreSettings, ConstructedState) {
    GameSettings s;
    EXPECT_EQ(s.m_placement, WindowPlacement{});
    EXPECT_EQ(s.m_placement.ToBytes(), (std::array<uint8_t, 44>{}));
    EXPECT_EQ(FieldsOf(s), (Loaded{0, 0, 0, 0, 1, ""}));
}

// What each set of stored values loads as: the presets supply only defaults,
// numbers out of range and values of another type give the defaults, and no
// speed out of range ever indexes the presets.
TEST(StoreSettings, StoredValuesAndWhatTheyLoadAs) {
    using Values = std::vector<std::pair<const char*, RegValue>>;
    const struct {
        const char* pszWhat;
        Values stored;
        Loaded want;
    } cases[] = {
        {"first run", {}, {0, 17, 13, 1, 1, ""}},
        {"Large without width and height", {{"Array Size", Int(1)}}, {1, 25, 19, 1, 1, ""}},
        {"a stored width wins over the preset",
         {{"Array Size", Int(0)}, {"Array Width", Int(30)}},
         {0, 30, 13, 1, 1, ""}},
        {"Custom without width and height: the Small row",
         {{"Array Size", Int(2)}},
         {2, 17, 13, 1, 1, ""}},
        {"everything stored",
         {{"Array Size", Int(2)},
          {"Array Width", Int(70)},
          {"Array Height", Int(5)},
          {"Game Speed", Int(2)},
          {"Sounds", Int(0)},
          {"Last Name", RegValue::String("Jiří")}},
         {2, 70, 5, 2, 0, "Jiří"}},
        {"sounds 7 is on", {{"Sounds", Int(7)}}, {0, 17, 13, 1, 1, ""}},
        {"sounds -1 is on", {{"Sounds", Int(-1)}}, {0, 17, 13, 1, 1, ""}},
        {"size 3", {{"Array Size", Int(3)}}, {0, 17, 13, 1, 1, ""}},
        {"size -1", {{"Array Size", Int(-1)}}, {0, 17, 13, 1, 1, ""}},
        {"smallest size",
         {{"Array Size", Int(INT32_MIN)}, {"Array Width", Int(25)}, {"Array Height", Int(19)}},
         {0, 25, 19, 1, 1, ""}},
        {"all out of range",
         {{"Array Size", Int(7)},
          {"Array Width", Int(4)},
          {"Array Height", Int(71)},
          {"Game Speed", Int(3)}},
         {0, 17, 13, 1, 1, ""}},
        {"Large, sides and speed out of range",
         {{"Array Size", Int(1)},
          {"Array Width", Int(0)},
          {"Array Height", Int(-5)},
          {"Game Speed", Int(INT32_MAX)}},
         {1, 25, 19, 1, 1, ""}},
        {"Custom, sides too large",
         {{"Array Size", Int(2)},
          {"Array Width", Int(71)},
          {"Array Height", Int(1000)},
          {"Game Speed", Int(0)}},
         {2, 17, 13, 0, 1, ""}},
        {"the edges of the ranges",
         {{"Array Width", Int(5)}, {"Array Height", Int(70)}, {"Game Speed", Int(2)}},
         {0, 5, 70, 2, 1, ""}},
        {"values of another type",
         {{"Array Size", RegValue::String("1")},
          {"Array Width", RegValue::Binary({30, 0, 0, 0})},
          {"Game Speed", RegValue::String("2")},
          {"Sounds", RegValue::String("0")},
          {"Last Name", RegValue::Dword(65)}},
         {0, 17, 13, 1, 1, ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CMemoryRegistry reg;
        for (const auto& [name, value] : c.stored) reg.Set(kSettingsKey, name, value);
        // Load sets every field but the placement, whatever they held before.
        GameSettings before;
        before.m_strLastName = "old";
        before.m_nArraySize = 1;
        before.m_nArrayWidth = 40;
        before.m_nArrayHeight = 40;
        before.m_nGameSpeed = 2;
        before.m_bSounds = 0;
        before.m_placement = SamplePlacement();
        const GameSettings s = LoadFrom(reg, before);
        EXPECT_EQ(FieldsOf(s), c.want);
        EXPECT_EQ(s.SpeedMs(), SpeedPresets[c.want.nSpeed]);
        EXPECT_EQ(s.m_placement, SamplePlacement());  // none stored: kept
    }
}

TEST(StoreSettings, SoundsAreWrittenBackAsZeroOrOne) {
    CMemoryRegistry reg;
    CProfile profile(reg, kAppKey);
    for (uint8_t bSounds : {uint8_t{0}, uint8_t{1}, uint8_t{0x80}}) {
        GameSettings s;
        s.m_bSounds = bSounds;
        s.Save(profile, kSection);
        EXPECT_EQ(reg.Query(kSettingsKey, "Sounds"), Int(bSounds != 0 ? 1 : 0));
    }
}

TEST(StoreSettings, PlacementBytesAreLittleEndianInFieldOrder) {
    const std::array<uint8_t, 44> b = SamplePlacement().ToBytes();
    const uint8_t want[44] = {44,   0,    0,    0,    2,    0,    0,    0,    3,    0,    0,
                              0,    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xf8, 0xff,
                              0xff, 0xff, 0xf8, 0xff, 0xff, 0xff, 100,  0,    0,    0,    80,
                              0,    0,    0,    0x58, 2,    0,    0,    0xf4, 1,    0,    0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.end()), std::vector<uint8_t>(want, want + 44));
    WindowPlacement p;
    p.FromBytes(b.data(), b.size());
    EXPECT_EQ(p, SamplePlacement());
}

// What each stored placement value loads as, over a placement already held:
// raw bytes whatever the type, a short value filling only the leading bytes,
// a longer one failing.
TEST(StoreSettings, StoredPlacementsAndWhatTheyLoadAs) {
    WindowPlacement held = SamplePlacement();
    held.flags = static_cast<int32_t>(0xAABBCCDD);

    WindowPlacement shortOne = held;  // six bytes: length, two low bytes of flags
    shortOne.length = 44;
    shortOne.flags = static_cast<int32_t>(0xAABB1234);
    WindowPlacement text = held;  // "abc" and its terminator
    text.length = 0x00636261;
    WindowPlacement dword = held;
    dword.length = 0x01020304;

    const struct {
        const char* pszWhat;
        const char* pszKey;
        RegValue value;
        WindowPlacement want;
    } cases[] = {
        {"44 bytes", kAppKey, PlacementValue(SamplePlacement()), SamplePlacement()},
        {"six bytes", kAppKey, RegValue::Binary({0x2c, 0, 0, 0, 0x34, 0x12}), shortOne},
        {"45 bytes", kAppKey, RegValue::Binary(std::vector<uint8_t>(45, 0x11)), held},
        {"a string", kAppKey, RegValue::String("abc"), text},
        {"a dword", kAppKey, RegValue::Dword(0x01020304), dword},
        {"under the section", kSettingsKey, PlacementValue(SamplePlacement()), held},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CMemoryRegistry reg;
        reg.Set(c.pszKey, "Frame Placement", c.value);
        GameSettings before;
        before.m_placement = held;
        EXPECT_EQ(LoadFrom(reg, before).m_placement, c.want);
    }
}

TEST(StoreSettings, SaveWritesAllSevenValuesInOneWriteAndLoadGivesThemBack) {
    CountingRegistry reg;
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary({1, 2, 3}));
    reg.Set(kSettingsKey, "Unrelated", RegValue::Dword(9));
    reg.m_nApplies = 0;
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.m_strLastName = "Ann";
    s.m_nArraySize = 2;
    s.m_nArrayWidth = 30;
    s.m_nArrayHeight = 20;
    s.m_nGameSpeed = 0;
    s.m_bSounds = 0;
    s.m_placement = SamplePlacement();
    s.Save(profile, kSection);
    EXPECT_EQ(reg.m_nApplies, 1);
    EXPECT_EQ(reg.m_nLastBatch, 7u);
    EXPECT_EQ(reg.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Size"), Int(2));
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Width"), Int(30));
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Height"), Int(20));
    EXPECT_EQ(reg.Query(kSettingsKey, "Game Speed"), Int(0));
    EXPECT_EQ(reg.Query(kSettingsKey, "Sounds"), Int(0));
    EXPECT_EQ(reg.Query(kAppKey, "Frame Placement"), PlacementValue(SamplePlacement()));
    // Other values of the store stay as they were.
    EXPECT_EQ(reg.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary({1, 2, 3}));
    EXPECT_EQ(reg.Query(kSettingsKey, "Unrelated"), RegValue::Dword(9));
    EXPECT_EQ(reg.Keys()[kSettingsKey].size(), 7u);
    EXPECT_EQ(reg.Keys()[kAppKey].size(), 2u);

    const GameSettings t = LoadFrom(reg);
    EXPECT_EQ(FieldsOf(t), FieldsOf(s));
    EXPECT_EQ(t.m_placement, SamplePlacement());
}

TEST(StoreSettings, NegativeNumbersAreStoredAsTheirDwordBits) {
    CMemoryRegistry reg;
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.m_nArrayWidth = -3;  // only by a bug elsewhere; stored as it is
    s.Save(profile, kSection);
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Width"), RegValue::Dword(0xfffffffd));
    EXPECT_EQ(LoadFrom(reg).m_nArrayWidth, 17);  // and refused when read
}

TEST(StoreSettings, FirstRunFromAMissingFileAndExitWritesEverything) {
    TempDir dir;
    const std::string path = dir.File("Halvorn/Coilix.reg");
    {
        CFileRegistry reg(path);
        GameSettings s = LoadFrom(reg);
        EXPECT_EQ(FieldsOf(s), (Loaded{0, 17, 13, 1, 1, ""}));
        EXPECT_EQ(s.m_placement.showCmd, 0);
        EXPECT_FALSE(fs::exists(path));

        // Exit writes everything, even unchanged.
        CProfile profile(reg, kAppKey);
        s.Save(profile, kSection);
    }
    std::string zeros19, zeros24;
    for (int i = 0; i < 19; ++i) zeros19 += "00,";
    for (int i = 0; i < 24; ++i) zeros24 += "00,";
    // 44 zero bytes: 19 on the first line (80 columns with ",\"), 25 on the next.
    EXPECT_EQ(testsupport::ReadText(path),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix]\n"
              "\"Frame Placement\"=hex:" +
                  zeros19 +
                  "\\\n"
                  "  " +
                  zeros24 +
                  "00\n"
                  "\n"
                  "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
                  "\"Array Height\"=dword:0000000d\n"
                  "\"Array Size\"=dword:00000000\n"
                  "\"Array Width\"=dword:00000011\n"
                  "\"Game Speed\"=dword:00000001\n"
                  "\"Last Name\"=\"\"\n"
                  "\"Sounds\"=dword:00000001\n"
                  "\n");
}

TEST(StoreSettings, LoadsTheSampleFile) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    fs::copy_file(std::string(COILIX_TEST_DATA_DIR) + "/store/sample.reg", path);
    CFileRegistry reg(path);
    EXPECT_FALSE(reg.HasNotices());
    const GameSettings s = LoadFrom(reg);
    EXPECT_EQ(FieldsOf(s), (Loaded{2, 40, 32, 2, 1, "Ann \"the\" \\ Winner"}));
    EXPECT_EQ(s.m_placement.length, 44);
    EXPECT_EQ(s.m_placement.showCmd, kShowCmdNormal);
    EXPECT_EQ(s.m_placement.ptMinPosition[0], -1);
    EXPECT_EQ(s.m_placement.rcNormalPosition[0], 100);
    EXPECT_EQ(s.m_placement.rcNormalPosition[3], 500);
}

// A store whose last name is in the player's single-byte code page (here
// 1250) rather than UTF-8: it is read as text in that code page.
TEST(StoreSettings, ALastNameInASingleByteCodePageIsReadAsText) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    testsupport::WriteText(path,
                           "REGEDIT4\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\r\n"
                           "\"Last Name\"=\"Ji\xf8\xed \x8alehofer\"\r\n");
    CFileRegistry reg(path, CodePage::kCentralEuropean);
    EXPECT_EQ(LoadFrom(reg).m_strLastName, "Jiří Šlehofer");
    EXPECT_FALSE(reg.HasNotices());
}
