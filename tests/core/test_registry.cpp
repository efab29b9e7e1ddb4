// The per-user store: the REGEDIT4 text form, the memory and file stores, the
// profile calls and the raw-bytes read. Every file lives in a fresh folder
// under /tmp; the user's own store is never touched.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";
constexpr const char* kSettingsKey = "Software\\Halvorn\\Coilix\\Settings";

using testsupport::ScopedEnv;
using testsupport::TempDir;

std::string ReadFile(const std::string& path) {
    return testsupport::ReadText(path);
}

void WriteFile(const std::string& path, const std::string& text) {
    testsupport::WriteText(path, text);
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> Bytes(size_t n, uint8_t start = 0) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(start + i * 7);
    return v;
}

// Sets an environment variable for the life of the object.

}  // namespace

// ---------------------------------------------------------------------------
// Text form
// ---------------------------------------------------------------------------

TEST(StoreRegFile, FormatsTheRegistryEditorsExportForm) {
    RegKeys keys;
    keys[kSettingsKey]["Array Size"] = RegValue::Dword(0);
    keys[kSettingsKey]["Last Name"] = RegValue::String("Ann");
    keys[kSettingsKey]["Game Speed"] = RegValue::Dword(0xfffffffe);
    keys[kAppKey]["Frame Placement"] = RegValue::Binary({0x3a, 0x9f, 0x00, 0xff});
    EXPECT_EQ(FormatRegFile(keys),
              "REGEDIT4\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix]\n"
              "\"Frame Placement\"=hex:3a,9f,00,ff\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
              "\"Array Size\"=dword:00000000\n"
              "\"Game Speed\"=dword:fffffffe\n"
              "\"Last Name\"=\"Ann\"\n"
              "\n");
}

TEST(StoreRegFile, EmptyStoreIsJustTheHeader) {
    EXPECT_EQ(FormatRegFile({}), "REGEDIT4\n\n");
    auto parsed = ParseRegFile("REGEDIT4\n\n");
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->empty());
}

TEST(StoreRegFile, EscapesBackslashAndQuote) {
    RegKeys keys;
    keys[kSettingsKey]["Last Name"] = RegValue::String("C:\\dir\\\"quoted\"\\");
    keys[kSettingsKey]["we\"ird\\name"] = RegValue::String("Žluťoučký kůň");
    const std::string text = FormatRegFile(keys);
    EXPECT_NE(text.find("\"Last Name\"=\"C:\\\\dir\\\\\\\"quoted\\\"\\\\\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\"we\\\"ird\\\\name\"=\"Žluťoučký kůň\"\n"), std::string::npos) << text;
    auto parsed = ParseRegFile(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, keys);
}

TEST(StoreRegFile, UnknownEscapeKeepsTheBackslash) {
    auto parsed = ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"C:\\dir\\n\"\n");
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)["A"]["x"], RegValue::String("C:\\dir\\n"));
}

TEST(StoreRegFile, LongHexIsWrappedAndReadBack) {
    RegKeys keys;
    keys[kAppKey]["Scores (17x13/250)"] = RegValue::Binary(Bytes(396));
    keys[kAppKey]["Short"] = RegValue::Binary(Bytes(3));
    keys[kAppKey]["Empty"] = RegValue::Binary({});
    const std::string text = FormatRegFile(keys);

    std::istringstream lines(text);
    std::string line;
    int nContinuations = 0;
    bool bPreviousWrapped = false;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u) << line;
        if (bPreviousWrapped) {
            EXPECT_EQ(line.substr(0, 2), "  ");
            EXPECT_NE(line[2], ' ');
            ++nContinuations;
        }
        bPreviousWrapped = line.size() >= 2 && line.substr(line.size() - 2) == ",\\";
    }
    EXPECT_GT(nContinuations, 10);
    EXPECT_NE(text.find("\"Short\"=hex:00,07,0e\n"), std::string::npos);
    EXPECT_NE(text.find("\"Empty\"=hex:\n"), std::string::npos);

    auto parsed = ParseRegFile(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, keys);
}

TEST(StoreRegFile, WrappedAndUnwrappedHexAreTheSame) {
    const std::string wrapped =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix]\n"
        "\"Scores (17x13/250)\"=hex:3a,9f,01,\\\n"
        "  02,03,\\\n"
        "  04\n";
    const std::string unwrapped =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix]\n"
        "\"Scores (17x13/250)\"=hex:3a,9f,01,02,03,04\n";
    auto a = ParseRegFile(wrapped);
    auto b = ParseRegFile(unwrapped);
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ((*a)[kAppKey]["Scores (17x13/250)"],
              RegValue::Binary({0x3a, 0x9f, 0x01, 0x02, 0x03, 0x04}));
}

TEST(StoreRegFile, AcceptsCrlfCommentsBlankLinesAndUpperCase) {
    const std::string text =
        "\xEF\xBB\xBF"
        "REGEDIT4\r\n"
        "\r\n"
        "; written by hand\r\n"
        "[hkey_current_user\\Software\\Halvorn\\Coilix\\Settings]\r\n"
        "\r\n"
        "\"Array Size\"=DWORD:0000001A\r\n"
        "  ; another comment\r\n"
        "\"Last Name\" = \"Ann\"   \r\n"
        "\"Blob\"=hex:0A,Ff,\\\r\n"
        "    1,\\\r\n"
        "  2\r\n"
        "@=\"default\"\r\n";
    auto parsed = ParseRegFile(text);
    ASSERT_TRUE(parsed);
    RegValues& v = (*parsed)[kSettingsKey];
    EXPECT_EQ(v["Array Size"], RegValue::Dword(0x1a));
    EXPECT_EQ(v["Last Name"], RegValue::String("Ann"));
    EXPECT_EQ(v["Blob"], RegValue::Binary({0x0a, 0xff, 0x01, 0x02}));
    EXPECT_EQ(v[""], RegValue::String("default"));
}

TEST(StoreRegFile, ReadsTheSampleFileWithCrlfEnds) {
    const std::string text = ReadFile(std::string(COILIX_TEST_DATA_DIR) + "/store/sample.reg");
    ASSERT_NE(text.find("\r\n"), std::string::npos);
    auto parsed = ParseRegFile(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)[kSettingsKey]["Last Name"], RegValue::String("Ann \"the\" \\ Winner"));
    EXPECT_EQ((*parsed)[kSettingsKey]["Array Size"], RegValue::Dword(2));
    EXPECT_EQ((*parsed)[kSettingsKey]["Sounds"], RegValue::Dword(7));
    const RegValue& placement = (*parsed)[kAppKey]["Frame Placement"];
    ASSERT_EQ(placement.type, RegType::kBinary);
    EXPECT_EQ(placement.bin.size(), 44u);
    EXPECT_EQ(placement.bin[0], 0x2c);
    // Read back from its own formatting.
    auto again = ParseRegFile(FormatRegFile(*parsed));
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *parsed);
}

TEST(StoreRegFile, StringsWithLineBreaksUseHexOne) {
    RegKeys keys;
    keys[kSettingsKey]["Multi"] = RegValue::String("line 1\nline 2\r\n\x01");
    keys[kSettingsKey]["Nul"] = RegValue::String(std::string("a\0b", 3));
    keys[kSettingsKey]["Tab"] = RegValue::String("a\tb");
    const std::string text = FormatRegFile(keys);
    EXPECT_NE(text.find("\"Multi\"=hex(1):6c,69,6e,65,20,31,0a,"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Nul\"=hex(1):61,00,62,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Tab\"=\"a\tb\"\n"), std::string::npos) << text;
    auto parsed = ParseRegFile(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, keys);
}

TEST(StoreRegFile, HexWithATypeNumber) {
    auto parsed = ParseRegFile(
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n"
        "\"s\"=hex(1):41,6e,6e,00\n"
        "\"d\"=hex(4):01,02,03,04\n"
        "\"b\"=hex(3):ff\n");
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)["A"]["s"], RegValue::String("Ann"));
    EXPECT_EQ((*parsed)["A"]["d"], RegValue::Dword(0x04030201));
    EXPECT_EQ((*parsed)["A"]["b"], RegValue::Binary({0xff}));
}

TEST(StoreRegFile, KeysAndNamesIgnoreCase) {
    auto parsed = ParseRegFile(
        "REGEDIT4\n"
        "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
        "\"Sounds\"=dword:00000001\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\halvorn\\coilix\\settings]\n"
        "\"SOUNDS\"=dword:00000000\n"
        "\"Other\"=dword:00000002\n");
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 1u);
    // The later section adds to the earlier one; the later value wins.
    const RegValues& v = parsed->at("software\\HALVORN\\Coilix\\Settings");
    EXPECT_EQ(v.size(), 2u);
    EXPECT_EQ(v.at("sounds"), RegValue::Dword(0));
    EXPECT_EQ(parsed->begin()->first, kSettingsKey);  // the first spelling stays
}

TEST(StoreRegFile, RejectsMalformedText) {
    const char* bad[] = {
        "",
        "\n\n",
        "REGEDIT5\n",
        "Registry Editor Version 5.00\n",
        "[HKEY_CURRENT_USER\\A]\nREGEDIT4\n",
        "REGEDIT4\n\"x\"=dword:1\n",                          // value before any key
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n",                // another root
        "REGEDIT4\n[HKEY_CURRENT_USER]\n",                    // the root itself
        "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n",                // deletion form
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n",            // empty component
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\]\n",               // trailing backslash
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",                  // no closing bracket
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"open\n",   // unterminated string
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"a\" b\n",  // junk after string
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x=\"a\"\n",      // unterminated name
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"\"a\"\n",     // no '='
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=-\n",        // deletion form
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:12g4\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:123\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:12,,34\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:,\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:zz\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,\\\n",        // continuation at the end
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,\\\n\n02\n",  // blank continuation
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex(2):41,00\n",     // a type the store lacks
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex(4):01,02\n",     // dword of two bytes
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex(:00\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=text\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\njunk\n",
    };
    for (const char* text : bad) EXPECT_FALSE(ParseRegFile(text)) << text;
}

TEST(StoreRegFile, TrailingCommaAfterBytesIsAccepted) {
    auto parsed = ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,02,\n");
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)["A"]["x"], RegValue::Binary({1, 2}));
}

TEST(StoreRegFile, FormatLeavesOutWhatTheTextCannotHold) {
    RegKeys keys;
    keys["A"]["bad\nname"] = RegValue::Dword(1);
    keys["A"]["good"] = RegValue::Dword(2);
    keys["B\\\\C"]["x"] = RegValue::Dword(3);
    auto parsed = ParseRegFile(FormatRegFile(keys));
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 1u);
    EXPECT_EQ((*parsed)["A"].size(), 1u);
}

TEST(StoreRegFile, EmptyKeysAndDefaultValueRoundTrip) {
    RegKeys keys;
    keys["Software\\Empty"];
    keys["Software\\X"][""] = RegValue::Dword(5);
    const std::string text = FormatRegFile(keys);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Empty]\n\n"), std::string::npos);
    EXPECT_NE(text.find("@=dword:00000005\n"), std::string::npos);
    auto parsed = ParseRegFile(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, keys);
}

// ---------------------------------------------------------------------------
// Memory store, profile and raw reads
// ---------------------------------------------------------------------------

TEST(StoreMemoryRegistry, SetQueryDelete) {
    CMemoryRegistry reg;
    EXPECT_FALSE(reg.Query(kSettingsKey, "Sounds"));
    EXPECT_TRUE(reg.Set(kSettingsKey, "Sounds", RegValue::Dword(1)));
    EXPECT_EQ(reg.Query("software\\halvorn\\coilix\\settings", "SOUNDS"), RegValue::Dword(1));
    EXPECT_TRUE(reg.Apply({RegChange{kSettingsKey, "Sounds", std::nullopt},
                           RegChange{kSettingsKey, "Other", RegValue::String("x")}}));
    EXPECT_FALSE(reg.Query(kSettingsKey, "Sounds"));
    EXPECT_EQ(reg.Query(kSettingsKey, "Other"), RegValue::String("x"));
    // Deleting from a missing key changes nothing.
    EXPECT_TRUE(reg.Apply({RegChange{"Software\\None", "x", std::nullopt}}));
    EXPECT_FALSE(reg.Query("Software\\None", "x"));
}

TEST(StoreMemoryRegistry, RefusesKeysAndNamesTheFileCannotHold) {
    CMemoryRegistry reg;
    EXPECT_FALSE(reg.Set("", "x", RegValue::Dword(1)));
    EXPECT_FALSE(reg.Set("A\\", "x", RegValue::Dword(1)));
    EXPECT_FALSE(reg.Set("A", "two\nlines", RegValue::Dword(1)));
    // A refused batch changes nothing.
    EXPECT_FALSE(reg.Apply(
        {RegChange{"A", "ok", RegValue::Dword(1)}, RegChange{"A", "bad\n", RegValue::Dword(1)}}));
    EXPECT_FALSE(reg.Query("A", "ok"));
}

TEST(StoreProfile, IntegersAreSignedDwordsAndOtherTypesGiveTheDefault) {
    CMemoryRegistry reg;
    CProfile profile(reg, kAppKey);
    EXPECT_EQ(profile.SectionKey("Settings"), kSettingsKey);
    EXPECT_EQ(profile.GetProfileInt("Settings", "N", 42), 42);
    EXPECT_TRUE(profile.WriteProfileInt("Settings", "N", -5));
    EXPECT_EQ(reg.Query(kSettingsKey, "N"), RegValue::Dword(0xfffffffb));
    EXPECT_EQ(profile.GetProfileInt("Settings", "N", 42), -5);
    reg.Set(kSettingsKey, "Big", RegValue::Dword(0x80000000));
    EXPECT_EQ(profile.GetProfileInt("Settings", "Big", 0), INT32_MIN);

    reg.Set(kSettingsKey, "S", RegValue::String("12"));
    reg.Set(kSettingsKey, "B", RegValue::Binary({1, 0, 0, 0}));
    EXPECT_EQ(profile.GetProfileInt("Settings", "S", 7), 7);
    EXPECT_EQ(profile.GetProfileInt("Settings", "B", 7), 7);
    EXPECT_EQ(profile.GetProfileString("Settings", "N", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileString("Settings", "B", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileString("Settings", "Missing", "dflt"), "dflt");
    EXPECT_TRUE(profile.WriteProfileString("Settings", "S", "Ann"));
    EXPECT_EQ(profile.GetProfileString("Settings", "S"), "Ann");
}

TEST(StoreQueryBytes, TypeIgnoredAndLongerValuesFail) {
    CMemoryRegistry reg;
    reg.Set("K", "bin", RegValue::Binary(Bytes(44)));
    reg.Set("K", "long", RegValue::Binary(Bytes(45)));
    reg.Set("K", "short", RegValue::Binary(Bytes(3)));
    reg.Set("K", "str", RegValue::String("abc"));
    reg.Set("K", "dw", RegValue::Dword(0x11223344));

    EXPECT_EQ(QueryBytes(reg, "K", "bin", 44), Bytes(44));
    EXPECT_FALSE(QueryBytes(reg, "K", "long", 44));
    EXPECT_EQ(QueryBytes(reg, "K", "short", 44), Bytes(3));
    EXPECT_EQ(QueryBytes(reg, "K", "str", 44), (std::vector<uint8_t>{'a', 'b', 'c', 0}));
    EXPECT_FALSE(QueryBytes(reg, "K", "str", 3));  // the terminator counts
    EXPECT_EQ(QueryBytes(reg, "K", "dw", 4), (std::vector<uint8_t>{0x44, 0x33, 0x22, 0x11}));
    EXPECT_FALSE(QueryBytes(reg, "K", "dw", 3));
    EXPECT_FALSE(QueryBytes(reg, "K", "missing", 44));
    EXPECT_FALSE(QueryBytes(reg, "Nope", "bin", 44));
}

// ---------------------------------------------------------------------------
// File store
// ---------------------------------------------------------------------------

TEST(StoreFileRegistry, DefaultPathFollowsTheEnvironment) {
    {
        ScopedEnv reg("COILIX_REGISTRY", "/tmp/somewhere/x.reg");
        EXPECT_EQ(CFileRegistry::DefaultPath("Halvorn", "Coilix"), "/tmp/somewhere/x.reg");
    }
    ScopedEnv reg("COILIX_REGISTRY", nullptr);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg");
        EXPECT_EQ(CFileRegistry::DefaultPath("Halvorn", "Coilix"), "/tmp/xdg/Halvorn/Coilix.reg");
    }
    ScopedEnv home("HOME", "/tmp/home-of-test");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(CFileRegistry::DefaultPath("Halvorn", "Coilix"),
                  "/tmp/home-of-test/.config/Halvorn/Coilix.reg");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "");
        EXPECT_EQ(CFileRegistry::DefaultPath("Halvorn", "Coilix"),
                  "/tmp/home-of-test/.config/Halvorn/Coilix.reg");
    }
    {
        // XDG base directories ignore a relative path.
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/dir");
        EXPECT_EQ(CFileRegistry::DefaultPath("Halvorn", "Coilix"),
                  "/tmp/home-of-test/.config/Halvorn/Coilix.reg");
    }
}

TEST(StoreFileRegistry, MissingFileIsAnEmptyStoreAndTheFirstWriteCreatesTheFolder) {
    TempDir dir;
    const std::string path = dir.File("config/Halvorn/Coilix.reg");
    CFileRegistry reg(path);
    EXPECT_EQ(reg.Path(), path);
    EXPECT_FALSE(reg.Query(kSettingsKey, "Sounds"));
    EXPECT_FALSE(reg.SetAsidePath());
    EXPECT_FALSE(fs::exists(dir.File("config")));  // reading creates nothing

    ASSERT_TRUE(reg.Apply({RegChange{kSettingsKey, "Array Size", RegValue::Dword(0)},
                           RegChange{kSettingsKey, "Last Name", RegValue::String("Ann")}}));
    EXPECT_EQ(ReadFile(path),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
              "\"Array Size\"=dword:00000000\n\"Last Name\"=\"Ann\"\n\n");
    EXPECT_EQ(reg.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    // Only the store and its lock file; no temporary file is left behind.
    EXPECT_EQ(FilesIn(dir.File("config/Halvorn")),
              (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));

    CFileRegistry again(path);
    EXPECT_EQ(again.Query(kSettingsKey, "Array Size"), RegValue::Dword(0));
    EXPECT_EQ(again.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
}

TEST(StoreFileRegistry, ValuesSurviveByteExact) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i) all[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Apply({RegChange{kAppKey, "Scores (17x13/250)", RegValue::Binary(all)},
                               RegChange{kAppKey, "Text", RegValue::String("a\"b\\c\nd ü")},
                               RegChange{kAppKey, "N", RegValue::Dword(0xdeadbeef)}}));
    }
    CFileRegistry reg(path);
    EXPECT_EQ(reg.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary(all));
    EXPECT_EQ(reg.Query(kAppKey, "Text"), RegValue::String("a\"b\\c\nd ü"));
    EXPECT_EQ(reg.Query(kAppKey, "N"), RegValue::Dword(0xdeadbeef));
}

TEST(StoreFileRegistry, ApplyDeletesValues) {
    TempDir dir;
    CFileRegistry reg(dir.File("Coilix.reg"));
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    ASSERT_TRUE(reg.Set(kAppKey, "B", RegValue::Dword(2)));
    ASSERT_TRUE(reg.Apply({RegChange{kAppKey, "a", std::nullopt}}));
    CFileRegistry again(dir.File("Coilix.reg"));
    EXPECT_FALSE(again.Query(kAppKey, "A"));
    EXPECT_EQ(again.Query(kAppKey, "B"), RegValue::Dword(2));
}

TEST(StoreFileRegistry, RefusedChangesLeaveTheFileAlone) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reg(path);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    const std::string before = ReadFile(path);
    EXPECT_FALSE(reg.Apply({RegChange{kAppKey, "B", RegValue::Dword(2)},
                            RegChange{kAppKey, "bad\nname", RegValue::Dword(3)}}));
    EXPECT_FALSE(reg.Set("\\Software", "x", RegValue::Dword(1)));
    EXPECT_EQ(ReadFile(path), before);
}

TEST(StoreFileRegistry, TwoStoresOnOneFileMergeTheirWrites) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry a(path);
    CFileRegistry b(path);
    ASSERT_TRUE(a.Set(kSettingsKey, "Last Name", RegValue::String("Ann")));
    // b read the file before a wrote; its write keeps a's value.
    ASSERT_TRUE(b.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary(Bytes(396))));
    ASSERT_TRUE(a.Set(kSettingsKey, "Sounds", RegValue::Dword(0)));

    CFileRegistry c(path);
    EXPECT_EQ(c.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    EXPECT_EQ(c.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
    EXPECT_EQ(c.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary(Bytes(396)));
    // Each store sees what the other wrote.
    EXPECT_EQ(b.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
    EXPECT_EQ(a.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary(Bytes(396)));

    // The same value written by both: the later write wins, the rest stays.
    ASSERT_TRUE(a.Set(kSettingsKey, "Last Name", RegValue::String("A")));
    ASSERT_TRUE(b.Set(kSettingsKey, "Last Name", RegValue::String("B")));
    CFileRegistry d(path);
    EXPECT_EQ(d.Query(kSettingsKey, "Last Name"), RegValue::String("B"));
    EXPECT_EQ(d.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
}

TEST(StoreFileRegistry, ConcurrentThreadsLoseNoValue) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    constexpr int kThreads = 4;
    constexpr int kWrites = 40;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            CFileRegistry reg(path);  // each thread its own store, as two programs would
            for (int i = 0; i < kWrites; ++i) {
                const std::string name = "T" + std::to_string(t) + "-" + std::to_string(i);
                if (!reg.Apply({RegChange{kAppKey, name, RegValue::Dword(static_cast<uint32_t>(i))},
                                RegChange{kAppKey, "Last T" + std::to_string(t),
                                          RegValue::Dword(static_cast<uint32_t>(i))}}))
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (auto& th : threads) th.join();
    for (int f : failures) EXPECT_EQ(f, 0);

    auto parsed = ParseRegFile(ReadFile(path));
    ASSERT_TRUE(parsed);
    const RegValues& v = (*parsed)[kAppKey];
    EXPECT_EQ(v.size(), static_cast<size_t>(kThreads * (kWrites + 1)));
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(v.at("Last T" + std::to_string(t)), RegValue::Dword(kWrites - 1));
        for (int i = 0; i < kWrites; ++i) {
            EXPECT_EQ(v.count("T" + std::to_string(t) + "-" + std::to_string(i)), 1u);
        }
    }
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));
}

TEST(StoreFileRegistry, ConcurrentProcessesLoseNoValue) {
    TempDir dir;
    const std::string path = dir.File("sub/Coilix.reg");  // the folder is made by a racer
    constexpr int kProcs = 4;
    constexpr int kWrites = 40;
    std::vector<pid_t> pids;
    for (int p = 0; p < kProcs; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            CFileRegistry reg(path);
            int nFailed = 0;
            for (int i = 0; i < kWrites; ++i) {
                const std::string name = "P" + std::to_string(p) + "-" + std::to_string(i);
                if (!reg.Apply({RegChange{kSettingsKey, name, RegValue::String(name)},
                                RegChange{kSettingsKey, "Count P" + std::to_string(p),
                                          RegValue::Dword(static_cast<uint32_t>(i + 1))}}))
                    ++nFailed;
                // Reading while others write never sees half a file.
                if (reg.SetAsidePath()) ++nFailed;
            }
            _exit(nFailed == 0 ? 0 : 1);
        }
        pids.push_back(pid);
    }
    for (pid_t pid : pids) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    CFileRegistry reg(path);
    EXPECT_FALSE(reg.SetAsidePath());
    for (int p = 0; p < kProcs; ++p) {
        EXPECT_EQ(reg.Query(kSettingsKey, "Count P" + std::to_string(p)), RegValue::Dword(kWrites));
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = "P" + std::to_string(p) + "-" + std::to_string(i);
            EXPECT_EQ(reg.Query(kSettingsKey, name), RegValue::String(name));
        }
    }
}

TEST(StoreFileRegistry, DamagedFileIsSetAsideWhenOpened) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::string garbage = "this is not\na registry file\n\"x\"=dword:1\n";
    WriteFile(path, garbage);

    CFileRegistry reg(path);
    ASSERT_TRUE(reg.SetAsidePath());
    const std::string aside = *reg.SetAsidePath();
    EXPECT_EQ(aside.rfind(path + ".bad-", 0), 0u) << aside;
    EXPECT_EQ(ReadFile(aside), garbage);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(reg.Query(kAppKey, "x"));

    // The program goes on with an empty store and writes a fresh file.
    ASSERT_TRUE(reg.Set(kAppKey, "x", RegValue::Dword(2)));
    CFileRegistry again(path);
    EXPECT_FALSE(again.SetAsidePath());
    EXPECT_EQ(again.Query(kAppKey, "x"), RegValue::Dword(2));
    EXPECT_EQ(ReadFile(aside), garbage);
}

TEST(StoreFileRegistry, SetAsideNeverOverwritesAnEarlierOne) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    std::vector<std::string> asides;
    for (int i = 0; i < 3; ++i) {
        WriteFile(path, "broken " + std::to_string(i));
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.SetAsidePath());
        asides.push_back(*reg.SetAsidePath());
    }
    // Within one second the names get -1, -2; in any case all three survive.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadFile(asides[static_cast<size_t>(i)]), "broken " + std::to_string(i));
    EXPECT_NE(asides[0], asides[1]);
    EXPECT_NE(asides[1], asides[2]);
}

TEST(StoreFileRegistry, DamagedFileIsSetAsideWhenReadAgainBeforeAWrite) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reg(path);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    WriteFile(path, "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:zz\n");  // damaged meanwhile

    ASSERT_TRUE(reg.Set(kAppKey, "B", RegValue::Dword(2)));
    ASSERT_TRUE(reg.SetAsidePath());
    EXPECT_EQ(ReadFile(*reg.SetAsidePath()), "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:zz\n");
    CFileRegistry again(path);
    EXPECT_FALSE(again.Query(kAppKey, "A"));  // it was in the damaged file only
    EXPECT_EQ(again.Query(kAppKey, "B"), RegValue::Dword(2));
}

TEST(StoreFileRegistry, DamagedFileIsSetAsideWhenAQuerySeesIt) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reg(path);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    WriteFile(path, "garbage");
    EXPECT_FALSE(reg.Query(kAppKey, "A"));
    ASSERT_TRUE(reg.SetAsidePath());
    EXPECT_EQ(ReadFile(*reg.SetAsidePath()), "garbage");
}

TEST(StoreFileRegistry, EmptyFileIsAnEmptyStore) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    WriteFile(path, "");
    CFileRegistry reg(path);
    EXPECT_FALSE(reg.SetAsidePath());
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_EQ(CFileRegistry(path).Query(kAppKey, "A"), RegValue::Dword(1));
}

TEST(StoreFileRegistry, HandEditedFileIsRead) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    WriteFile(path,
              "REGEDIT4\r\n\r\n; my settings\r\n"
              "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\r\n"
              "\"Last Name\"=\"Eve\"\r\n");
    CFileRegistry reg(path);
    EXPECT_FALSE(reg.SetAsidePath());
    EXPECT_EQ(reg.Query(kSettingsKey, "Last Name"), RegValue::String("Eve"));
}

TEST(StoreFileRegistry, SeesChangesMadeByAnotherStore) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reader(path);
    EXPECT_FALSE(reader.Query(kAppKey, "A"));
    CFileRegistry writer(path);
    ASSERT_TRUE(writer.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_EQ(reader.Query(kAppKey, "A"), RegValue::Dword(1));
    ASSERT_TRUE(writer.Set(kAppKey, "A", RegValue::Dword(2)));
    EXPECT_EQ(reader.Query(kAppKey, "A"), RegValue::Dword(2));
    fs::remove(path);
    EXPECT_FALSE(reader.Query(kAppKey, "A"));
}

// A write that fails half way (here: the file size limit, as a full disk
// would) leaves the old file as it was and no temporary file behind. Runs in a
// child process so the limit cannot reach the test's own output.
TEST(StoreFileRegistry, FailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Set(kAppKey, "Old", RegValue::Dword(1)));
    }
    const std::string before = ReadFile(path);
    ASSERT_LT(before.size(), 200u);

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{};
        getrlimit(RLIMIT_FSIZE, &lim);
        lim.rlim_cur = 512;
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(3);
        CFileRegistry reg(path);
        const bool ok = reg.Set(kAppKey, "Big", RegValue::Binary(Bytes(4000)));
        // The store still holds what the file holds.
        const bool oldKept =
            reg.Query(kAppKey, "Old") == RegValue::Dword(1) && !reg.Query(kAppKey, "Big");
        _exit(ok ? 1 : (oldKept ? 0 : 2));
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));
}

TEST(StoreFileRegistry, StorePathThatIsAFolderFailsQuietly) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    fs::create_directory(path);
    CFileRegistry reg(path);
    EXPECT_FALSE(reg.Query(kAppKey, "A"));
    EXPECT_FALSE(reg.SetAsidePath());
    EXPECT_FALSE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_TRUE(fs::is_empty(path));
}

TEST(StoreFileRegistry, FolderThatCannotBeMadeFailsQuietly) {
    TempDir dir;
    WriteFile(dir.File("file"), "x");
    CFileRegistry reg(dir.File("file/Halvorn/Coilix.reg"));
    EXPECT_FALSE(reg.Query(kAppKey, "A"));
    EXPECT_FALSE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_EQ(ReadFile(dir.File("file")), "x");
}

TEST(StoreFileRegistry, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    const std::string sub = dir.File("ro");
    fs::create_directory(sub);
    const std::string path = sub + "/Coilix.reg";
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Set(kAppKey, "Old", RegValue::Dword(1)));
    }
    const std::string before = ReadFile(path);
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    CFileRegistry reg(path);
    EXPECT_EQ(reg.Query(kAppKey, "Old"), RegValue::Dword(1));
    EXPECT_FALSE(reg.Set(kAppKey, "New", RegValue::Dword(2)));
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_EQ(ReadFile(path), before);
}

TEST(StoreFileRegistry, DamagedFileThatCannotBeSetAsideIsNeverOverwritten) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    const std::string sub = dir.File("ro");
    fs::create_directory(sub);
    const std::string path = sub + "/Coilix.reg";
    WriteFile(path, "garbage");
    WriteFile(path + ".lock", "");
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    CFileRegistry reg(path);
    EXPECT_FALSE(reg.SetAsidePath());
    EXPECT_FALSE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_EQ(ReadFile(path), "garbage");
}

TEST(StoreFileRegistry, SymbolicLinkToTheStoreIsKept) {
    TempDir dir;
    fs::create_directory(dir.File("dotfiles"));
    const std::string target = dir.File("dotfiles/Coilix.reg");
    const std::string link = dir.File("Coilix.reg");
    fs::create_symlink("dotfiles/Coilix.reg", link);  // relative, dangling at first
    CFileRegistry reg(link);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_TRUE(fs::is_symlink(link));
    ASSERT_TRUE(fs::is_regular_file(target));
    ASSERT_TRUE(reg.Set(kAppKey, "B", RegValue::Dword(2)));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::exists(target + ".lock"));  // one lock for the link and its target
    EXPECT_FALSE(fs::exists(link + ".lock"));
    CFileRegistry again(target);
    EXPECT_EQ(again.Query(kAppKey, "A"), RegValue::Dword(1));
    EXPECT_EQ(again.Query(kAppKey, "B"), RegValue::Dword(2));
}

TEST(StoreFileRegistry, KeepsTheFilesPermissions) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reg(path);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(2)));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}
