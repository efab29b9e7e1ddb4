// The user's settings: defaults, presets, range checks, the
// placement's raw bytes and the one-write save.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/RegFile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";
constexpr const char* kSettingsKey = "Software\\Halvorn\\Coilix\\Settings";
constexpr const char* kSection = "Settings";

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

GameSettings LoadFrom(CRegistry& reg) {
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.Load(profile, kSection);
    return s;
}

void SetInt(CRegistry& reg, const char* name, int32_t n) {
    reg.Set(kSettingsKey, name, RegValue::Dword(static_cast<uint32_t>(n)));
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

}  // namespace

TEST(StoreSettings, ConstructedState) {
    GameSettings s;
    EXPECT_EQ(s.m_placement, WindowPlacement{});
    EXPECT_EQ(s.m_placement.ToBytes(), (std::array<uint8_t, 44>{}));
    EXPECT_EQ(s.m_strLastName, "");
    EXPECT_EQ(s.m_nArraySize, 0);
    EXPECT_EQ(s.m_nGameSpeed, 0);
    EXPECT_EQ(s.m_nArrayWidth, 0);
    EXPECT_EQ(s.m_nArrayHeight, 0);
    EXPECT_EQ(s.m_bSounds, 1);
}

TEST(StoreSettings, FirstRunDefaults) {
    CMemoryRegistry reg;
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_nArraySize, 0);
    EXPECT_EQ(s.m_nArrayWidth, 17);
    EXPECT_EQ(s.m_nArrayHeight, 13);
    EXPECT_EQ(s.m_nGameSpeed, 1);
    EXPECT_EQ(s.SpeedMs(), 250);
    EXPECT_EQ(s.m_bSounds, 1);
    EXPECT_EQ(s.m_strLastName, "");
    EXPECT_EQ(s.m_placement, WindowPlacement{});
}

TEST(StoreSettings, FirstRunFromAMissingFile) {
    char tmpl[] = "/tmp/coilix-settings-test-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string path = std::string(tmpl) + "/Halvorn/Coilix.reg";
    {
        CFileRegistry reg(path);
        GameSettings s = LoadFrom(reg);
        EXPECT_EQ(s.m_nArrayWidth, 17);
        EXPECT_EQ(s.m_nArrayHeight, 13);
        EXPECT_EQ(s.m_nGameSpeed, 1);
        EXPECT_EQ(s.m_placement.showCmd, 0);
        EXPECT_FALSE(fs::exists(path));

        // Exit writes everything, even unchanged.
        CProfile profile(reg, kAppKey);
        s.Save(profile, kSection);
    }
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::string zeros19, zeros24;
    for (int i = 0; i < 19; ++i) zeros19 += "00,";
    for (int i = 0; i < 24; ++i) zeros24 += "00,";
    // 44 zero bytes: 19 on the first line (80 columns with ",\"), 25 on the next.
    EXPECT_EQ(text.str(),
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
    fs::remove_all(tmpl);
}

TEST(StoreSettings, LargeWithoutWidthAndHeightGivesItsPreset) {
    CMemoryRegistry reg;
    SetInt(reg, "Array Size", 1);
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_nArraySize, 1);
    EXPECT_EQ(s.m_nArrayWidth, 25);
    EXPECT_EQ(s.m_nArrayHeight, 19);
}

TEST(StoreSettings, StoredWidthWinsOverThePreset) {
    CMemoryRegistry reg;
    SetInt(reg, "Array Size", 0);
    SetInt(reg, "Array Width", 30);
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_nArraySize, 0);
    EXPECT_EQ(s.m_nArrayWidth, 30);
    EXPECT_EQ(s.m_nArrayHeight, 13);
}

TEST(StoreSettings, CustomWithoutWidthAndHeightUsesTheSmallRow) {
    CMemoryRegistry reg;
    SetInt(reg, "Array Size", 2);
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_nArraySize, 2);
    EXPECT_EQ(s.m_nArrayWidth, 17);
    EXPECT_EQ(s.m_nArrayHeight, 13);
}

TEST(StoreSettings, StoredValuesAreTaken) {
    CMemoryRegistry reg;
    SetInt(reg, "Array Size", 2);
    SetInt(reg, "Array Width", 70);
    SetInt(reg, "Array Height", 5);
    SetInt(reg, "Game Speed", 2);
    SetInt(reg, "Sounds", 0);
    reg.Set(kSettingsKey, "Last Name", RegValue::String("Jiří"));
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_nArraySize, 2);
    EXPECT_EQ(s.m_nArrayWidth, 70);
    EXPECT_EQ(s.m_nArrayHeight, 5);
    EXPECT_EQ(s.m_nGameSpeed, 2);
    EXPECT_EQ(s.SpeedMs(), 150);
    EXPECT_EQ(s.m_bSounds, 0);
    EXPECT_EQ(s.m_strLastName, "Jiří");
}

TEST(StoreSettings, SoundsSevenLoadsAsOnAndIsWrittenBackAsOne) {
    CMemoryRegistry reg;
    SetInt(reg, "Sounds", 7);
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.Load(profile, kSection);
    EXPECT_EQ(s.m_bSounds, 1);
    s.Save(profile, kSection);
    EXPECT_EQ(reg.Query(kSettingsKey, "Sounds"), RegValue::Dword(1));

    SetInt(reg, "Sounds", -1);
    s.Load(profile, kSection);
    EXPECT_EQ(s.m_bSounds, 1);
    // Any non-zero byte in memory is written as 1 too.
    s.m_bSounds = 0x80;
    s.Save(profile, kSection);
    EXPECT_EQ(reg.Query(kSettingsKey, "Sounds"), RegValue::Dword(1));
}

TEST(StoreSettings, OutOfRangeNumbersAreReplacedByDefaults) {
    struct Case {
        std::optional<int32_t> size, width, height, speed;
        int32_t wantSize, wantWidth, wantHeight, wantSpeed;
    };
    const Case cases[] = {
        {3, {}, {}, {}, 0, 17, 13, 1},
        {-1, {}, {}, {}, 0, 17, 13, 1},
        {INT32_MIN, 25, 19, {}, 0, 25, 19, 1},
        {7, 4, 71, 3, 0, 17, 13, 1},
        {1, 4, 71, -1, 1, 25, 19, 1},
        {1, 0, -5, INT32_MAX, 1, 25, 19, 1},
        {2, 71, 1000, 0, 2, 17, 13, 0},
        {0, 5, 70, 2, 0, 5, 70, 2},
        {1, 70, 5, 0, 1, 70, 5, 0},
    };
    for (const Case& c : cases) {
        CMemoryRegistry reg;
        if (c.size) SetInt(reg, "Array Size", *c.size);
        if (c.width) SetInt(reg, "Array Width", *c.width);
        if (c.height) SetInt(reg, "Array Height", *c.height);
        if (c.speed) SetInt(reg, "Game Speed", *c.speed);
        GameSettings s = LoadFrom(reg);
        SCOPED_TRACE(testing::Message()
                     << "size " << c.size.value_or(-99) << " width " << c.width.value_or(-99)
                     << " height " << c.height.value_or(-99) << " speed " << c.speed.value_or(-99));
        EXPECT_EQ(s.m_nArraySize, c.wantSize);
        EXPECT_EQ(s.m_nArrayWidth, c.wantWidth);
        EXPECT_EQ(s.m_nArrayHeight, c.wantHeight);
        EXPECT_EQ(s.m_nGameSpeed, c.wantSpeed);
        EXPECT_EQ(s.SpeedMs(), SpeedPresets[c.wantSpeed]);
    }
}

TEST(StoreSettings, ValuesOfAnotherTypeGiveTheDefault) {
    CMemoryRegistry reg;
    reg.Set(kSettingsKey, "Array Size", RegValue::String("1"));
    reg.Set(kSettingsKey, "Array Width", RegValue::Binary({30, 0, 0, 0}));
    reg.Set(kSettingsKey, "Game Speed", RegValue::String("2"));
    reg.Set(kSettingsKey, "Sounds", RegValue::String("0"));
    reg.Set(kSettingsKey, "Last Name", RegValue::Dword(65));
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_nArraySize, 0);
    EXPECT_EQ(s.m_nArrayWidth, 17);
    EXPECT_EQ(s.m_nGameSpeed, 1);
    EXPECT_EQ(s.m_bSounds, 1);
    EXPECT_EQ(s.m_strLastName, "");
}

TEST(StoreSettings, LoadSetsEveryFieldButThePlacement) {
    CMemoryRegistry reg;
    GameSettings s;
    s.m_strLastName = "old";
    s.m_nArraySize = 1;
    s.m_nArrayWidth = 40;
    s.m_nArrayHeight = 40;
    s.m_nGameSpeed = 2;
    s.m_bSounds = 0;
    s.m_placement = SamplePlacement();
    CProfile profile(reg, kAppKey);
    s.Load(profile, kSection);
    EXPECT_EQ(s.m_strLastName, "");
    EXPECT_EQ(s.m_nArraySize, 0);
    EXPECT_EQ(s.m_nArrayWidth, 17);
    EXPECT_EQ(s.m_nArrayHeight, 13);
    EXPECT_EQ(s.m_nGameSpeed, 1);
    EXPECT_EQ(s.m_bSounds, 1);
    EXPECT_EQ(s.m_placement, SamplePlacement());  // nothing stored: kept
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

TEST(StoreSettings, PlacementRoundTrip) {
    CMemoryRegistry reg;
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.m_placement = SamplePlacement();
    s.Save(profile, kSection);
    const auto stored = reg.Query(kAppKey, "Frame Placement");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, RegType::kBinary);
    EXPECT_EQ(stored->bin.size(), 44u);
    GameSettings t;
    t.Load(profile, kSection);
    EXPECT_EQ(t.m_placement, SamplePlacement());
}

TEST(StoreSettings, ShortPlacementFillsOnlyTheLeadingBytes) {
    CMemoryRegistry reg;
    // Six bytes: length whole, and the two low bytes of flags.
    reg.Set(kAppKey, "Frame Placement", RegValue::Binary({0x2c, 0, 0, 0, 0x34, 0x12}));
    GameSettings s;
    s.m_placement = SamplePlacement();
    s.m_placement.flags = static_cast<int32_t>(0xAABBCCDD);
    CProfile profile(reg, kAppKey);
    s.Load(profile, kSection);
    EXPECT_EQ(s.m_placement.length, 44);
    EXPECT_EQ(s.m_placement.flags, static_cast<int32_t>(0xAABB1234));
    EXPECT_EQ(s.m_placement.showCmd, kShowCmdMaximized);
    EXPECT_EQ(s.m_placement.rcNormalPosition[3], 500);
}

TEST(StoreSettings, LongerPlacementFailsAndKeepsThePlacement) {
    CMemoryRegistry reg;
    reg.Set(kAppKey, "Frame Placement", RegValue::Binary(std::vector<uint8_t>(45, 0x11)));
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_placement, WindowPlacement{});
}

TEST(StoreSettings, PlacementTypeIsIgnored) {
    CMemoryRegistry reg;
    reg.Set(kAppKey, "Frame Placement", RegValue::String("abc"));  // 61 62 63 00
    GameSettings s = LoadFrom(reg);
    EXPECT_EQ(s.m_placement.length, 0x00636261);
    EXPECT_EQ(s.m_placement.showCmd, 0);

    reg.Set(kAppKey, "Frame Placement", RegValue::Dword(0x01020304));
    GameSettings t = LoadFrom(reg);
    EXPECT_EQ(t.m_placement.length, 0x01020304);
}

TEST(StoreSettings, PlacementUnderTheSectionIsNotRead) {
    CMemoryRegistry reg;
    const auto bytes = SamplePlacement().ToBytes();
    reg.Set(kSettingsKey, "Frame Placement",
            RegValue::Binary(std::vector<uint8_t>(bytes.begin(), bytes.end())));
    EXPECT_EQ(LoadFrom(reg).m_placement, WindowPlacement{});
}

TEST(StoreSettings, SaveWritesAllSevenValuesInOneWrite) {
    CountingRegistry reg;
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
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Size"), RegValue::Dword(2));
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Width"), RegValue::Dword(30));
    EXPECT_EQ(reg.Query(kSettingsKey, "Array Height"), RegValue::Dword(20));
    EXPECT_EQ(reg.Query(kSettingsKey, "Game Speed"), RegValue::Dword(0));
    EXPECT_EQ(reg.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
    const auto bytes = SamplePlacement().ToBytes();
    EXPECT_EQ(reg.Query(kAppKey, "Frame Placement"),
              RegValue::Binary(std::vector<uint8_t>(bytes.begin(), bytes.end())));
    EXPECT_EQ(reg.Keys().size(), 2u);
    EXPECT_EQ(reg.Keys()[kSettingsKey].size(), 6u);
    EXPECT_EQ(reg.Keys()[kAppKey].size(), 1u);

    GameSettings t;
    t.Load(profile, kSection);
    EXPECT_EQ(t.m_strLastName, "Ann");
    EXPECT_EQ(t.m_nArraySize, 2);
    EXPECT_EQ(t.m_nArrayWidth, 30);
    EXPECT_EQ(t.m_nArrayHeight, 20);
    EXPECT_EQ(t.m_nGameSpeed, 0);
    EXPECT_EQ(t.m_bSounds, 0);
    EXPECT_EQ(t.m_placement, SamplePlacement());
}

TEST(StoreSettings, SaveKeepsOtherValuesOfTheStore) {
    CMemoryRegistry reg;
    reg.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary({1, 2, 3}));
    reg.Set(kSettingsKey, "Unrelated", RegValue::Dword(9));
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.Save(profile, kSection);
    EXPECT_EQ(reg.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary({1, 2, 3}));
    EXPECT_EQ(reg.Query(kSettingsKey, "Unrelated"), RegValue::Dword(9));
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

TEST(StoreSettings, LoadsTheSampleFile) {
    char tmpl[] = "/tmp/coilix-settings-test-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string path = std::string(tmpl) + "/Coilix.reg";
    fs::copy_file(std::string(COILIX_TEST_DATA_DIR) + "/store/sample.reg", path);
    {
        CFileRegistry reg(path);
        EXPECT_FALSE(reg.SetAsidePath());
        GameSettings s = LoadFrom(reg);
        EXPECT_EQ(s.m_strLastName, "Ann \"the\" \\ Winner");
        EXPECT_EQ(s.m_nArraySize, 2);
        EXPECT_EQ(s.m_nArrayWidth, 40);
        EXPECT_EQ(s.m_nArrayHeight, 32);
        EXPECT_EQ(s.m_nGameSpeed, 2);
        EXPECT_EQ(s.m_bSounds, 1);
        EXPECT_EQ(s.m_placement.length, 44);
        EXPECT_EQ(s.m_placement.showCmd, kShowCmdNormal);
        EXPECT_EQ(s.m_placement.ptMinPosition[0], -1);
        EXPECT_EQ(s.m_placement.rcNormalPosition[0], 100);
        EXPECT_EQ(s.m_placement.rcNormalPosition[3], 500);
    }
    fs::remove_all(tmpl);
}
