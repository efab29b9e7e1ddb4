// SPDX-License-Identifier: GPL-3.0-or-later
// The store's text form (REGEDIT4): writing, reading what can be read, and
// the strict reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "store/RegFile.h"
#include "support/Files.h"
#include "support/Store.h"

namespace {

using testsupport::kAppKey;
using testsupport::kSettingsKey;
using testsupport::PatternBytes;

}  // namespace

TEST(StoreRegFile, FormatsTheRegedit4TextForm) {
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

// A large store is written a piece at a time: the pieces make the whole text,
// none much larger than the pieces the writer makes (a value larger than
// that is one piece), and a refused piece stops the writing.
TEST(StoreRegFile, TheTextIsWrittenInPiecesThatMakeTheWholeText) {
    RegKeys keys;
    for (int i = 0; i < 3000; ++i) {
        keys[kAppKey]["Value " + std::to_string(i)] =
            RegValue::Binary(PatternBytes(300, uint8_t(i)));
    }
    keys[kSettingsKey]["Huge"] = RegValue::Binary(PatternBytes(400000));
    keys[kSettingsKey]["Last Name"] = RegValue::String("Ann \"A\" \\ B");
    const std::string whole = FormatRegFile(keys);
    std::string joined;
    size_t nPieces = 0;
    size_t nLargest = 0;
    EXPECT_TRUE(WriteRegText(keys, [&](std::string_view piece) {
        joined += piece;
        ++nPieces;
        nLargest = std::max(nLargest, piece.size());
        return true;
    }));
    EXPECT_EQ(joined, whole);
    EXPECT_GT(nPieces, 4u);
    EXPECT_LT(nLargest, whole.size() / 2);

    size_t nCalls = 0;
    EXPECT_FALSE(WriteRegText(keys, [&](std::string_view) { return ++nCalls < 2; }));
    EXPECT_EQ(nCalls, 2u);
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

TEST(StoreRegFile, LongHexIsWrappedAndReadBack) {
    RegKeys keys;
    keys[kAppKey]["Scores (17x13/250)"] = RegValue::Binary(PatternBytes(396));
    keys[kAppKey]["Short"] = RegValue::Binary(PatternBytes(3));
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
    const std::string text =
        testsupport::ReadText(std::string(COILIX_TEST_DATA_DIR) + "/store/sample.reg");
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

TEST(StoreRegFile, ReadsEachValueForm) {
    const struct {
        const char* pszLines;  // under [HKEY_CURRENT_USER\A]
        RegValue want;
    } cases[] = {
        {"\"x\"=\"C:\\dir\\n\"", RegValue::String("C:\\dir\\n")},  // unknown escape: kept
        {"\"x\"=hex:3a,9f,01,\\\n  02,03,\\\n  04", RegValue::Binary({0x3a, 0x9f, 1, 2, 3, 4})},
        {"\"x\"=hex:3a,9f,01,02,03,04", RegValue::Binary({0x3a, 0x9f, 1, 2, 3, 4})},
        {"\"x\"=hex:01,02,", RegValue::Binary({1, 2})},  // one trailing comma
        {"\"x\"=hex(1):41,6e,6e,00", RegValue::String("Ann")},
        {"\"x\"=hex(4):01,02,03,04", RegValue::Dword(0x04030201)},
        {"\"x\"=hex(3):ff", RegValue::Binary({0xff})},
        // Bytes given as bytes stay bytes: a file name that is not UTF-8.
        {"\"x\"=hex(1):63,61,66,e9,00", RegValue::String("caf\xe9")},
        // Quoted bytes that are not UTF-8 are text in a single-byte code page
        // (the default here, 1252); UTF-8 stays as it is.
        {"\"x\"=\"caf\xe9\"", RegValue::String("café")},
        {"\"x\"=\"café\"", RegValue::String("café")},
    };
    for (const auto& c : cases) {
        const std::string text =
            std::string("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n") + c.pszLines + "\n";
        auto parsed = ParseRegFile(text);
        ASSERT_TRUE(parsed) << c.pszLines;
        EXPECT_EQ((*parsed)["A"]["x"], c.want) << c.pszLines;
    }
    // The same quoted bytes in the central European code page.
    auto czech = ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"Ji\xf8\xed\"\n",
                              CodePage::kCentralEuropean);
    ASSERT_TRUE(czech);
    EXPECT_EQ((*czech)["A"]["x"], RegValue::String("Jiří"));
}

TEST(StoreRegFile, StringsTheQuotesCannotHoldAreWrittenAsBytes) {
    const struct {
        std::string value;
        const char* pszForm;
    } cases[] = {
        {"line 1\nline 2\r\n\x01", "\"s\"=hex(1):6c,69,6e,65,20,31,0a,"},
        {std::string("a\0b", 3), "\"s\"=hex(1):61,00,62,00\n"},
        {"a\tb", "\"s\"=\"a\tb\"\n"},
        {"Žluťoučký kůň", "\"s\"=\"Žluťoučký kůň\"\n"},
        // Not UTF-8: kept byte for byte, not read in a code page.
        {"/home/ann/caf\xe9.cx",
         "\"s\"=hex(1):2f,68,6f,6d,65,2f,61,6e,6e,2f,63,61,66,e9,2e,63,78,00\n"},
    };
    for (const auto& c : cases) {
        RegKeys keys;
        keys[kSettingsKey]["s"] = RegValue::String(c.value);
        const std::string text = FormatRegFile(keys);
        EXPECT_NE(text.find(c.pszForm), std::string::npos) << text;
        auto parsed = ParseRegFile(text, CodePage::kCentralEuropean);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, keys);
    }
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

// One bad line costs only itself: every section and value that parses is
// kept, and the lines left out are named.
TEST(StoreRegFile, ABadLineCostsOnlyItself) {
    const std::string good =
        "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
        "\"Last Name\"=\"Ann\"\n"
        "\"Sounds\"=dword:00000000\n";
    const struct {
        const char* pszWhat;
        std::string text;
        std::vector<size_t> dropped;  // line numbers
        size_t nValues;               // values kept under Coilix\Settings
    } cases[] = {
        {"a missing quote in a recent file",
         "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Recent File List]\n"
         "\"File1\"=\"/home/ann/game.cx\n\"File2\"=\"/home/ann/other.cx\"\n" +
             good,
         {3},
         2},
        {"no header", good, {}, 2},
        {"a bad section line loses its values only",
         "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n\"x\"=dword:1\n\"y\"=dword:2\n" + good,
         {2, 3, 4},
         2},
        {"a broken hex value does not swallow the next section",
         "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"b\"=hex:01,\\\n" + good,
         {3},
         2},
        {"a bad byte in a wrapped value loses that value",
         "REGEDIT4\n" + good + "\"Blob\"=hex:01,\\\n  zz,\\\n  03\n\"Game Speed\"=dword:2\n",
         {5},
         3},
        {"junk between values", "REGEDIT4\n" + good + "junk\n\"Game Speed\"=dword:2\n", {5}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        const RegReadResult r = ReadRegFile(c.text, CodePage::kWestern);
        EXPECT_FALSE(r.IsWhole());
        EXPECT_FALSE(ParseRegFile(c.text));
        std::vector<size_t> lines;
        for (const RegDroppedLine& d : r.dropped) lines.push_back(d.nLine);
        EXPECT_EQ(lines, c.dropped);
        EXPECT_EQ(r.nDropped, c.dropped.size());
        const RegValues& v = r.keys.at(kSettingsKey);
        EXPECT_EQ(v.size(), c.nValues);
        EXPECT_EQ(v.at("Last Name"), RegValue::String("Ann"));
        EXPECT_EQ(v.at("Sounds"), RegValue::Dword(0));
    }
    // The recent file whose quote is missing is gone; the next one is kept.
    const RegReadResult r = ReadRegFile(cases[0].text, CodePage::kWestern);
    const RegValues& recent = r.keys.at("Software\\Halvorn\\Coilix\\Recent File List");
    EXPECT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent.at("File2"), RegValue::String("/home/ann/other.cx"));
    EXPECT_EQ(r.dropped[0].strText, "\"File1\"=\"/home/ann/game.cx");

    // Many bad lines: all are counted, the first few are named.
    std::string many = "REGEDIT4\n";
    for (int i = 0; i < 40; ++i) many += "junk\n";
    const RegReadResult m = ReadRegFile(many, CodePage::kWestern);
    EXPECT_EQ(m.nDropped, 40u);
    EXPECT_EQ(m.dropped.size(), 5u);
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
