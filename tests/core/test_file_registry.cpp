// SPDX-License-Identifier: GPL-3.0-or-later
// The store in its file: the guards on what stands at its path, notices,
// the lock and temporary files, and writes killed half way. Every file lives
// in a fresh folder under /tmp; the user's own store is never touched.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "store/FileIO.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/RecentFileList.h"
#include "store/RegFile.h"
#include "support/Files.h"
#include "support/Processes.h"
#include "support/Store.h"

namespace fs = std::filesystem;

namespace {

using testsupport::kAppKey;
using testsupport::KindsOf;
using testsupport::kSettingsKey;
using testsupport::PatternBytes;
using testsupport::ScopedEnv;
using testsupport::TempDir;

std::string ReadFile(const std::string& path) {
    return testsupport::ReadText(path);
}

void WriteFile(const std::string& path, const std::string& text) {
    testsupport::WriteText(path, text);
}

// Names in a folder, hidden ones included, sorted.
std::vector<std::string> NamesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A store holding one value "Old"; returns its text.
std::string WriteOldStore(const std::string& path) {
    CFileRegistry reg(path);
    if (!reg.Set(kAppKey, "Old", RegValue::Dword(1))) throw std::runtime_error("cannot write");
    return ReadFile(path);
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

}  // namespace

TEST(StoreFileRegistry, DefaultPathFollowsTheEnvironment) {
    const struct {
        const char* pszRegistry;
        const char* pszXdg;
        const char* pszPath;
    } cases[] = {
        {"/tmp/somewhere/x.reg", "/tmp/xdg", "/tmp/somewhere/x.reg"},
        {nullptr, "/tmp/xdg", "/tmp/xdg/Halvorn/Coilix.reg"},
        {"", "/tmp/xdg", "/tmp/xdg/Halvorn/Coilix.reg"},
        {nullptr, nullptr, "/tmp/home-of-test/.config/Halvorn/Coilix.reg"},
        {nullptr, "", "/tmp/home-of-test/.config/Halvorn/Coilix.reg"},
        // XDG base directories ignore a relative path.
        {nullptr, "relative/dir", "/tmp/home-of-test/.config/Halvorn/Coilix.reg"},
    };
    ScopedEnv home("HOME", "/tmp/home-of-test");
    for (const auto& c : cases) {
        ScopedEnv reg("COILIX_REGISTRY", c.pszRegistry);
        ScopedEnv xdg("XDG_CONFIG_HOME", c.pszXdg);
        EXPECT_EQ(CFileRegistry::DefaultPath("Halvorn", "Coilix"), c.pszPath);
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
    EXPECT_EQ(NamesIn(dir.File("config/Halvorn")),
              (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));
    EXPECT_TRUE(reg.TakeNotices().empty());

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

// Recent-file paths are bytes: one that is not UTF-8 comes back unchanged,
// whatever the code page, and can still be opened.
TEST(StoreFileRegistry, RecentFilePathsSurviveByteForByte) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::vector<std::string> files = {dir.File("caf\xe9.cx"), dir.File("Žluťoučký.cx"),
                                            dir.File("a\"b\\c.cx")};
    {
        CFileRegistry reg(path, CodePage::kWestern);
        CProfile profile(reg, kAppKey);
        CRecentFileList list(4);
        for (auto it = files.rbegin(); it != files.rend(); ++it) list.Add(*it);
        list.WriteList(profile);
    }
    for (CodePage cp : {CodePage::kWestern, CodePage::kCentralEuropean}) {
        CFileRegistry reg(path, cp);
        CProfile profile(reg, kAppKey);
        CRecentFileList list(4);
        list.ReadList(profile);
        EXPECT_EQ(list.Files(), files);
    }
}

TEST(StoreFileRegistry, ApplyDeletesValuesAndRefusedChangesLeaveTheFileAlone) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry reg(path);
    ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    ASSERT_TRUE(reg.Set(kAppKey, "B", RegValue::Dword(2)));
    ASSERT_TRUE(reg.Apply({RegChange{kAppKey, "a", std::nullopt}}));
    const std::string before = ReadFile(path);
    EXPECT_FALSE(reg.Apply({RegChange{kAppKey, "C", RegValue::Dword(3)},
                            RegChange{kAppKey, "bad\nname", RegValue::Dword(3)}}));
    EXPECT_FALSE(reg.Set("\\Software", "x", RegValue::Dword(1)));
    EXPECT_EQ(ReadFile(path), before);

    CFileRegistry again(path);
    EXPECT_FALSE(again.Query(kAppKey, "A"));
    EXPECT_EQ(again.Query(kAppKey, "B"), RegValue::Dword(2));
    EXPECT_FALSE(again.Query(kAppKey, "C"));
}

TEST(StoreFileRegistry, TwoStoresOnOneFileMergeTheirWrites) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    CFileRegistry a(path);
    CFileRegistry b(path);
    ASSERT_TRUE(a.Set(kSettingsKey, "Last Name", RegValue::String("Ann")));
    // b read the file before a wrote; its write keeps a's value.
    ASSERT_TRUE(b.Set(kAppKey, "Scores (17x13/250)", RegValue::Binary(PatternBytes(396))));
    ASSERT_TRUE(a.Set(kSettingsKey, "Sounds", RegValue::Dword(0)));

    CFileRegistry c(path);
    EXPECT_EQ(c.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
    EXPECT_EQ(c.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
    EXPECT_EQ(c.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary(PatternBytes(396)));
    // Each store sees what the other wrote.
    EXPECT_EQ(b.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));
    EXPECT_EQ(a.Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary(PatternBytes(396)));

    // The same value written by both: the later write wins, the rest stays.
    ASSERT_TRUE(a.Set(kSettingsKey, "Last Name", RegValue::String("A")));
    ASSERT_TRUE(b.Set(kSettingsKey, "Last Name", RegValue::String("B")));
    CFileRegistry d(path);
    EXPECT_EQ(d.Query(kSettingsKey, "Last Name"), RegValue::String("B"));
    EXPECT_EQ(d.Query(kSettingsKey, "Sounds"), RegValue::Dword(0));

    // A store sees changes and removal by another.
    fs::remove(path);
    EXPECT_FALSE(a.Query(kSettingsKey, "Sounds"));
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
            // This many writers take turns for longer than a player waits.
            reg.SetWaits({.lock = std::chrono::seconds(60)});
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
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));
}

TEST(StoreFileRegistry, ConcurrentProcessesLoseNoValue) {
    TempDir dir;
    const std::string path = dir.File("sub/Coilix.reg");  // the folder is made by a racer
    constexpr int kProcs = 4;
    constexpr int kWrites = 40;
    const int nFailed = testsupport::RunInProcesses(kProcs, [&](int p) {
        CFileRegistry reg(path);
        reg.SetWaits({.lock = std::chrono::seconds(60)});
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = "P" + std::to_string(p) + "-" + std::to_string(i);
            if (!reg.Apply({RegChange{kSettingsKey, name, RegValue::String(name)},
                            RegChange{kSettingsKey, "Count P" + std::to_string(p),
                                      RegValue::Dword(static_cast<uint32_t>(i + 1))}}))
                return false;
            // Reading while others write never sees half a file.
            if (reg.SetAsidePath() || reg.HasNotices()) return false;
        }
        return true;
    });
    EXPECT_EQ(nFailed, 0);
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

// A damaged line costs only itself: the rest is read, the file as it was is
// kept aside, the file is written again without the line, and the player is
// told which lines were left out and where the copy is.
TEST(StoreFileRegistry, DamagedLinesAreLeftOutAndTheFileIsKeptAside) {
    RegKeys keys;
    keys[kAppKey]["Scores (17x13/250)"] = RegValue::Binary(PatternBytes(396));
    const std::string scores = FormatRegFile(keys);
    const std::string damaged = scores +
                                "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Recent File List]\n"
                                "\"File1\"=\"/home/ann/game.cx\n"
                                "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
                                "\"Last Name\"=\"Ann\"\n";
    const struct {
        const char* pszWhen;
        bool bAtStart;
    } cases[] = {{"when opened", true}, {"when read again later", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhen);
        TempDir dir;
        const std::string path = dir.File("Coilix.reg");
        std::optional<CFileRegistry> reg;
        if (c.bAtStart) {
            WriteFile(path, damaged);
            reg.emplace(path);
        } else {
            reg.emplace(path);
            ASSERT_TRUE(reg->Set(kAppKey, "Old", RegValue::Dword(1)));
            WriteFile(path, damaged);  // another program damaged it meanwhile
        }
        EXPECT_EQ(reg->Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
        EXPECT_EQ(reg->Query(kAppKey, "Scores (17x13/250)"), RegValue::Binary(PatternBytes(396)));

        const std::vector<StoreNotice> notices = reg->TakeNotices();
        ASSERT_EQ(KindsOf(notices),
                  std::vector<StoreNotice::Kind>{StoreNotice::Kind::kLinesDropped});
        EXPECT_EQ(notices[0].strPath, path);
        EXPECT_EQ(notices[0].nDropped, 1u);
        ASSERT_EQ(notices[0].dropped.size(), 1u);
        EXPECT_EQ(notices[0].dropped[0].strText, "\"File1\"=\"/home/ann/game.cx");
        EXPECT_EQ(notices[0].strAside.rfind(path + ".bad-", 0), 0u);
        EXPECT_EQ(ReadFile(notices[0].strAside), damaged);
        EXPECT_EQ(reg->SetAsidePath(), notices[0].strAside);

        // The file itself now holds all that could be read, and nothing more
        // is set aside when it is read or written again.
        const auto clean = ParseRegFile(ReadFile(path));
        ASSERT_TRUE(clean);
        EXPECT_EQ(FindValue(*clean, kSettingsKey, "Last Name"), RegValue::String("Ann"));
        ASSERT_TRUE(reg->Set(kAppKey, "New", RegValue::Dword(2)));
        CFileRegistry again(path);
        EXPECT_EQ(again.Query(kSettingsKey, "Last Name"), RegValue::String("Ann"));
        EXPECT_EQ(again.Query(kAppKey, "New"), RegValue::Dword(2));
        EXPECT_FALSE(again.HasNotices());
        EXPECT_FALSE(reg->HasNotices());
    }
}

TEST(StoreFileRegistry, EveryDamagedFileIsKeptUnderANameOfItsOwn) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    std::vector<std::string> asides;
    for (int i = 0; i < 3; ++i) {
        WriteFile(path, "broken " + std::to_string(i));
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.SetAsidePath());
        asides.push_back(*reg.SetAsidePath());
        // Nothing could be read: the store is empty, and says so.
        EXPECT_FALSE(reg.Query(kAppKey, "x"));
        EXPECT_EQ(ReadFile(path), "REGEDIT4\n\n");
    }
    // Within one second the names get -1, -2; in any case all three survive.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadFile(asides[static_cast<size_t>(i)]), "broken " + std::to_string(i));
    EXPECT_NE(asides[0], asides[1]);
    EXPECT_NE(asides[1], asides[2]);
}

TEST(StoreFileRegistry, EmptyAndHandEditedFilesAreRead) {
    const struct {
        const char* pszText;
        std::optional<RegValue> lastName;
    } cases[] = {
        {"", std::nullopt},
        {"REGEDIT4\r\n\r\n; my settings\r\n"
         "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\r\n"
         "\"Last Name\"=\"Eve\"\r\n",
         RegValue::String("Eve")},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.File("Coilix.reg");
        WriteFile(path, c.pszText);
        CFileRegistry reg(path);
        EXPECT_FALSE(reg.HasNotices());
        EXPECT_EQ(reg.Query(kSettingsKey, "Last Name"), c.lastName);
        ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
        EXPECT_EQ(CFileRegistry(path).Query(kAppKey, "A"), RegValue::Dword(1));
    }
}

// What stands at the store's path may be no file at all: it is never waited
// on, read into memory, replaced or removed, and the player is told once.
TEST(StoreFileRegistry, WhatIsNoStoreFileIsLeftAloneAndToldOnce) {
    TempDir dir;
    const struct {
        const char* pszWhat;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"a folder", [](const std::string& p) { fs::create_directory(p); }},
        {"a named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"a link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
        {"a loop of links",
         [](const std::string& p) {
             fs::create_symlink(p + ".other", p);
             fs::create_symlink(p, p + ".other");
         }},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        const std::string path = dir.File("store" + std::to_string(n++) + ".reg");
        c.make(path);
        const fs::file_status before = fs::symlink_status(path);
        CFileRegistry reg(path);
        EXPECT_FALSE(reg.Query(kAppKey, "A"));
        EXPECT_FALSE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
        EXPECT_FALSE(reg.Set(kAppKey, "B", RegValue::Dword(2)));
        const std::vector<StoreNotice> notices = reg.TakeNotices();
        ASSERT_EQ(KindsOf(notices), std::vector<StoreNotice::Kind>{StoreNotice::Kind::kUnreadable});
        EXPECT_FALSE(notices[0].strDetail.empty());
        EXPECT_EQ(fs::symlink_status(path).type(), before.type());
        EXPECT_FALSE(reg.SetAsidePath());
    }
    EXPECT_TRUE(fs::is_empty(dir.File("store0.reg")));
}

TEST(StoreFileRegistry, FolderThatCannotBeMadeIsToldOnce) {
    TempDir dir;
    WriteFile(dir.File("file"), "x");
    CFileRegistry reg(dir.File("file/Halvorn/Coilix.reg"));
    EXPECT_FALSE(reg.Query(kAppKey, "A"));
    EXPECT_FALSE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_FALSE(reg.Set(kAppKey, "B", RegValue::Dword(1)));
    const std::vector<StoreNotice> notices = reg.TakeNotices();
    ASSERT_EQ(KindsOf(notices), std::vector<StoreNotice::Kind>{StoreNotice::Kind::kCannotWrite});
    EXPECT_EQ(notices[0].strDetail, fileio::ErrorText(ENOTDIR));
    EXPECT_EQ(ReadFile(dir.File("file")), "x");
}

// A folder or file the user may not write: the store is read, nothing is
// written, and the player is told once why, with the reason of the call that
// failed, whether the lock file is there yet or not. As root, the store is
// used by another user, for whom the same holds.
TEST(StoreFileRegistry, ReadOnlyFolderOrFileIsToldOnceWithTheTrueReason) {
    const bool bRoot = geteuid() == 0;
    const struct {
        const char* pszWhat;
        bool bFolder;  // else the file is read-only
        bool bStore;   // the store is there
        bool bLock;    // and its lock file
    } cases[] = {
        {"read-only folder", true, true, true},
        {"read-only folder, no lock file yet", true, true, false},
        {"read-only folder, no store yet", true, false, false},
        {"read-only file", false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        TempDir dir;
        const std::string sub = dir.File("ro");
        fs::create_directory(sub);
        const std::string path = sub + "/Coilix.reg";
        const std::string before = WriteOldStore(path);
        if (!c.bLock) fs::remove(path + ".lock");
        if (!c.bStore) fs::remove(path);
        const std::vector<std::string> names = NamesIn(sub);
        // As root the other user must reach the folder; a read-only file's
        // folder may be written by anyone.
        fs::permissions(dir.Path(),
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        if (c.bFolder) {
            fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec |
                                     fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
        } else {
            fs::permissions(sub, fs::perms::all);
            fs::permissions(path,
                            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        }
        const std::string strFailed = testsupport::InChildProcess([&]() -> std::string {
            if (bRoot && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return "no other user";
            CFileRegistry reg(path);
            if (c.bStore && reg.Query(kAppKey, "Old") != RegValue::Dword(1)) return "not read";
            if (reg.Set(kAppKey, "New", RegValue::Dword(2)) ||
                reg.Set(kAppKey, "New", RegValue::Dword(3))) {
                return "written";
            }
            const std::vector<StoreNotice> notices = reg.TakeNotices();
            if (KindsOf(notices) !=
                std::vector<StoreNotice::Kind>{StoreNotice::Kind::kCannotWrite}) {
                return "told " + std::to_string(notices.size()) + " notices";
            }
            if (notices[0].strDetail != fileio::ErrorText(EACCES)) {
                return "told why as \"" + notices[0].strDetail + "\"";
            }
            return {};
        });
        EXPECT_EQ(strFailed, "");
        fs::permissions(sub, fs::perms::owner_all);
        if (c.bStore) {
            EXPECT_EQ(ReadFile(path), before);
        }
        EXPECT_EQ(NamesIn(sub), names);
    }
}

TEST(StoreFileRegistry, DamagedFileThatCannotBeKeptAsideIsNeverOverwritten) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    const std::string sub = dir.File("ro");
    fs::create_directory(sub);
    const std::string path = sub + "/Coilix.reg";
    WriteFile(path, "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:1\ngarbage\n");
    WriteFile(path + ".lock", "");
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    CFileRegistry reg(path);
    EXPECT_EQ(reg.Query("A", "x"), RegValue::Dword(1));  // what parses is still used
    EXPECT_FALSE(reg.SetAsidePath());
    EXPECT_FALSE(reg.Set(kAppKey, "A", RegValue::Dword(1)));
    EXPECT_EQ(KindsOf(reg.TakeNotices()),
              std::vector<StoreNotice::Kind>{StoreNotice::Kind::kDamagedKept});
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_EQ(ReadFile(path), "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:1\ngarbage\n");
}

// A damaged store that cannot be written again keeps one copy aside, however
// often the program starts; each start says once that it cannot be repaired.
TEST(StoreFileRegistry, ADamagedStoreThatCannotBeRepairedIsKeptAsideOnce) {
    // Read in code page 1252, the name takes twice the bytes as UTF-8:
    // the file written again is larger than the damaged one.
    const std::string damaged =
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"" + std::string(200, '\xe9') + "\"\ngarbage\n";
    std::string strName;  // what is read: é in UTF-8
    for (int i = 0; i < 200; ++i) strName += "é";
    const struct {
        const char* pszWhat;
        bool bReadOnlyFile;  // else the disk takes the copy but not the larger store
        int nErr;
    } cases[] = {{"a read-only file", true, EACCES}, {"a disk that is full", false, EFBIG}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        if (c.bReadOnlyFile && geteuid() == 0) continue;  // permissions do not stop root
        TempDir dir;
        const std::string path = dir.File("Coilix.reg");
        WriteFile(path, damaged);
        if (c.bReadOnlyFile) fs::permissions(path, fs::perms::owner_read);
        // In a process of its own, where the file size limit stands for a full
        // disk without reaching the test's own output.
        const int nFailed = testsupport::RunInProcesses(1, [&](int) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit lim{};
            getrlimit(RLIMIT_FSIZE, &lim);
            lim.rlim_cur = damaged.size() + 10;
            if (!c.bReadOnlyFile && setrlimit(RLIMIT_FSIZE, &lim) != 0) return false;
            std::string strAside;
            for (int nStart = 0; nStart < 3; ++nStart) {
                CFileRegistry reg(path, CodePage::kWestern);
                const std::vector<StoreNotice> notices = reg.TakeNotices();
                if (KindsOf(notices) !=
                    std::vector<StoreNotice::Kind>{StoreNotice::Kind::kNotRepaired}) {
                    return false;
                }
                if (notices[0].strDetail != fileio::ErrorText(c.nErr)) return false;
                if (nStart == 0) strAside = notices[0].strAside;
                if (notices[0].strAside != strAside || strAside.empty()) return false;
                if (reg.Query("A", "x") != RegValue::String(strName)) return false;
                // Writes leave it alone too, and say nothing more.
                if (reg.Set("A", "y", RegValue::Dword(1)) || reg.HasNotices()) return false;
            }
            return true;
        });
        EXPECT_EQ(nFailed, 0);
        EXPECT_EQ(ReadFile(path), damaged);
        std::vector<std::string> copies;
        for (const std::string& name : dir.Entries()) {
            if (name.rfind("Coilix.reg.bad-", 0) == 0) copies.push_back(name);
        }
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(ReadFile(dir.File(copies[0])), damaged);
    }
}

// Only who may write the store may lock it: the lock file is opened for
// writing, never only for reading, and only those who may write the store may
// open it at all (any lock on it, however taken, would hold off writes).
TEST(StoreFileRegistry, OnlyWhoMayWriteTheStoreMayLockIt) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::string lock = path + ".lock";
    {
        // The first write makes the store and a lock file for its owner alone.
        const mode_t nOld = ::umask(0);
        CFileRegistry reg(path);
        const bool bWritten = reg.Set(kAppKey, "Old", RegValue::Dword(1));
        ::umask(nOld);
        ASSERT_TRUE(bWritten);
        EXPECT_EQ(ModeOf(lock), 0600u);
    }
    const struct {
        mode_t nStore;
        mode_t nLock;
    } modes[] = {{0640, 0600}, {0600, 0600}, {0444, 0600}, {0664, 0660}, {0666, 0666}};
    for (const auto& m : modes) {
        ASSERT_EQ(::chmod(lock.c_str(), 0666), 0);  // a lock file left writable by all
        ASSERT_EQ(::chmod(path.c_str(), m.nStore), 0);
        CFileRegistry reg(path);
        reg.Set(kAppKey, "A", RegValue::Dword(1));
        EXPECT_EQ(ModeOf(lock), m.nLock) << std::oct << m.nStore;
    }

    // Someone who may read the store and its lock file, but not write them
    // (a lock file left so by hand): as root, another user;
    // otherwise the owner, of a lock file made read-only.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(lock.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.File("").c_str(), 0755), 0);
    const std::string before = ReadFile(path);
    const bool bRoot = geteuid() == 0;
    if (!bRoot) {
        ASSERT_EQ(::chmod(lock.c_str(), 0444), 0);
    }
    int nFailed = testsupport::RunInProcesses(1, [&](int) {
        if (bRoot && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
        fileio::FileLock held;
        if (held.Acquire(lock, std::chrono::milliseconds(0)) != fileio::FileLock::Result::kFailed ||
            held.Error() != EACCES) {
            return false;
        }
        if (!bRoot) return true;
        CFileRegistry reg(path);
        return reg.Query(kAppKey, "Old") == RegValue::Dword(1) &&
               !reg.Set(kAppKey, "B", RegValue::Dword(2));
    });
    EXPECT_EQ(nFailed, 0);
    EXPECT_EQ(ReadFile(path), before);
    // Once the owner has written, the lock file is theirs again and no
    // longer readable to others at all: no lock can be had on it by opening
    // it to read.
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(3)));
    }
    EXPECT_EQ(ModeOf(lock), 0600u);
    if (geteuid() != 0) return;
    nFailed = testsupport::RunInProcesses(1, [&](int) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return false;
        return ::open(lock.c_str(), O_RDONLY) < 0 && errno == EACCES;
    });
    EXPECT_EQ(nFailed, 0);
}

// While another copy holds the store, reading goes on at once and a write
// gives up after a short wait, says so once, and waits in memory: what it
// changes is seen at once, and written, in order, as soon as the lock is free.
TEST(StoreFileRegistry, AHeldLockNeverBlocksReadingAndAWriteWaitsForIt) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::string before = WriteOldStore(path);
    CFileRegistry reg(path);
    {
        testsupport::HeldLock held(path + ".lock");
        reg.SetWaits({.lock = std::chrono::milliseconds(50)});
        EXPECT_EQ(reg.Query(kAppKey, "Old"), RegValue::Dword(1));
        EXPECT_FALSE(reg.Set(kAppKey, "New", RegValue::Dword(2)));
        EXPECT_FALSE(reg.Apply({RegChange{kAppKey, "New", RegValue::Dword(3)},
                                RegChange{kAppKey, "Old", std::nullopt}}));
        EXPECT_EQ(KindsOf(reg.TakeNotices()),
                  std::vector<StoreNotice::Kind>{StoreNotice::Kind::kLockBusy});
        EXPECT_EQ(ReadFile(path), before);
        EXPECT_TRUE(reg.HasWaitingWrites());
        EXPECT_EQ(reg.Query(kAppKey, "New"), RegValue::Dword(3));
        EXPECT_FALSE(reg.Query(kAppKey, "Old"));
        EXPECT_FALSE(reg.RetryWaitingWrites(std::chrono::milliseconds(0)));
        // Another copy writes meanwhile; what waits is still seen over it.
        testsupport::WriteText(path, "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n\"x\"=dword:7\n");
        EXPECT_EQ(reg.Query("Other", "x"), RegValue::Dword(7));
        EXPECT_EQ(reg.Query(kAppKey, "New"), RegValue::Dword(3));
    }
    EXPECT_TRUE(reg.RetryWaitingWrites(std::chrono::milliseconds(0)));
    EXPECT_FALSE(reg.HasWaitingWrites());
    EXPECT_FALSE(reg.HasNotices());
    CFileRegistry again(path);
    EXPECT_EQ(again.Query(kAppKey, "New"), RegValue::Dword(3));
    EXPECT_FALSE(again.Query(kAppKey, "Old"));
    EXPECT_EQ(again.Query("Other", "x"), RegValue::Dword(7));
}

// A counter that each update makes one more, to show it is counted once.
RegUpdate CountUp(const std::optional<RegValue>& current) {
    RegUpdate update;
    update.value = RegValue::Dword(current ? current->dw + 1 : 1);
    return update;
}

// Writes in a batch are seen at once and reach the file together with the
// writes that waited for the lock, in one read and rewrite as the batch ends:
// until then the file is as another copy left it, and what that copy wrote
// is kept. An update in the batch is made once.
TEST(StoreFileRegistry, ABatchIsWrittenInOnePassWithTheWritesThatWaited) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    WriteOldStore(path);
    CFileRegistry reg(path);
    reg.SetWaits({.lock = std::chrono::milliseconds(0)});
    {
        testsupport::HeldLock held(path + ".lock");
        EXPECT_FALSE(reg.Set(kAppKey, "Waited", RegValue::Dword(1)));
    }
    reg.BeginBatch();
    EXPECT_TRUE(reg.Set(kSettingsKey, "A", RegValue::Dword(2)));
    EXPECT_TRUE(reg.Apply({RegChange{kSettingsKey, "B", RegValue::Dword(3)},
                           RegChange{kAppKey, "Old", std::nullopt}}));
    EXPECT_TRUE(reg.Update(kAppKey, "Count", CountUp));
    {
        CFileRegistry other(path);
        ASSERT_TRUE(other.Set("Other", "x", RegValue::Dword(7)));
    }
    const std::string strOthers = ReadFile(path);
    EXPECT_EQ(reg.Query("Other", "x"), RegValue::Dword(7));
    EXPECT_EQ(reg.Query(kSettingsKey, "A"), RegValue::Dword(2));
    EXPECT_EQ(reg.Query(kAppKey, "Count"), RegValue::Dword(1));
    EXPECT_FALSE(reg.Query(kAppKey, "Old"));
    EXPECT_EQ(ReadFile(path), strOthers);

    EXPECT_TRUE(reg.EndBatch(std::chrono::milliseconds(0)));
    EXPECT_FALSE(reg.HasWaitingWrites());
    EXPECT_EQ(KindsOf(reg.TakeNotices()),
              std::vector<StoreNotice::Kind>{StoreNotice::Kind::kLockBusy});
    RegKeys want;
    want[kAppKey]["Waited"] = RegValue::Dword(1);
    want[kAppKey]["Count"] = RegValue::Dword(1);
    want[kSettingsKey]["A"] = RegValue::Dword(2);
    want[kSettingsKey]["B"] = RegValue::Dword(3);
    want["Other"]["x"] = RegValue::Dword(7);
    EXPECT_EQ(ReadFile(path), FormatRegFile(want));
    // After the batch, a write is made at once again.
    EXPECT_TRUE(reg.Update(kAppKey, "Count", CountUp));
    EXPECT_EQ(CFileRegistry(path).Query(kAppKey, "Count"), RegValue::Dword(2));
}

// A batch that ends while another copy holds the store waits with the other
// writes, seen meanwhile, and is written once the store is free; one that
// cannot be written at all is told and no longer seen.
TEST(StoreFileRegistry, ABatchThatFindsTheStoreBusyWaitsAndOneThatCannotBeWrittenIsDropped) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::string before = WriteOldStore(path);
    {
        CFileRegistry reg(path);
        std::optional<testsupport::HeldLock> held(std::in_place, path + ".lock");
        reg.BeginBatch();
        reg.Set(kAppKey, "New", RegValue::Dword(2));
        reg.Update(kAppKey, "Count", CountUp);
        EXPECT_FALSE(reg.EndBatch(std::chrono::milliseconds(0)));
        EXPECT_TRUE(reg.HasWaitingWrites());
        EXPECT_EQ(KindsOf(reg.TakeNotices()),
                  std::vector<StoreNotice::Kind>{StoreNotice::Kind::kLockBusy});
        EXPECT_EQ(reg.Query(kAppKey, "New"), RegValue::Dword(2));
        EXPECT_EQ(reg.Query(kAppKey, "Count"), RegValue::Dword(1));
        EXPECT_EQ(ReadFile(path), before);
        held.reset();
        EXPECT_TRUE(reg.RetryWaitingWrites(std::chrono::milliseconds(0)));
    }
    {
        CFileRegistry again(path);
        EXPECT_EQ(again.Query(kAppKey, "New"), RegValue::Dword(2));
        EXPECT_EQ(again.Query(kAppKey, "Count"), RegValue::Dword(1));
    }
    // A folder stands where the lock file would be: nothing can be written.
    const std::string written = ReadFile(path);
    fs::remove(path + ".lock");
    fs::create_directory(path + ".lock");
    CFileRegistry reg(path);
    reg.BeginBatch();
    reg.Set(kAppKey, "Lost", RegValue::Dword(3));
    EXPECT_EQ(reg.Query(kAppKey, "Lost"), RegValue::Dword(3));
    EXPECT_TRUE(reg.EndBatch(std::chrono::milliseconds(0)));
    EXPECT_EQ(KindsOf(reg.TakeNotices()),
              std::vector<StoreNotice::Kind>{StoreNotice::Kind::kCannotWrite});
    EXPECT_FALSE(reg.Query(kAppKey, "Lost"));
    EXPECT_FALSE(reg.HasWaitingWrites());
    EXPECT_EQ(ReadFile(path), written);
}

// Writes still waiting when the program ends are given up, and said so.
TEST(StoreFileRegistry, WaitingWritesGivenUpAreToldAndNoLongerSeen) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::string before = WriteOldStore(path);
    testsupport::HeldLock held(path + ".lock");
    CFileRegistry reg(path);
    reg.SetWaits({.lock = std::chrono::milliseconds(0)});
    EXPECT_FALSE(reg.Set(kAppKey, "New", RegValue::Dword(2)));
    reg.TakeNotices();
    reg.AbandonWaitingWrites();
    EXPECT_EQ(KindsOf(reg.TakeNotices()),
              std::vector<StoreNotice::Kind>{StoreNotice::Kind::kNotStored});
    EXPECT_FALSE(reg.HasWaitingWrites());
    EXPECT_FALSE(reg.Query(kAppKey, "New"));
    EXPECT_EQ(ReadFile(path), before);
}

// A write that fails half way (here: the file size limit, as a full disk
// would) leaves the old file as it was and no temporary file behind. Runs in a
// child process so the limit cannot reach the test's own output.
TEST(StoreFileRegistry, FailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::string before = WriteOldStore(path);
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
        const bool ok = reg.Set(kAppKey, "Big", RegValue::Binary(PatternBytes(4000)));
        // The store still holds what the file holds, and says why it failed.
        const bool oldKept =
            reg.Query(kAppKey, "Old") == RegValue::Dword(1) && !reg.Query(kAppKey, "Big");
        const auto notices = reg.TakeNotices();
        const bool told = notices.size() == 1 && notices[0].strDetail == fileio::ErrorText(EFBIG);
        _exit(ok ? 1 : (oldKept && told ? 0 : 2));
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}));
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

// A new store is made as the umask says (it holds the player's name and
// paths); an existing one keeps its permissions.
TEST(StoreFileRegistry, ModesFollowTheUmaskAndAnExistingFile) {
    const struct {
        mode_t nUmask;
        mode_t nNew;
    } cases[] = {{022, 0644}, {077, 0600}, {027, 0640}};
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.File("Coilix.reg");
        const mode_t nOld = ::umask(c.nUmask);
        CFileRegistry reg(path);
        const bool bWritten = reg.Set(kAppKey, "A", RegValue::Dword(1));
        ::umask(nOld);
        ASSERT_TRUE(bWritten);
        EXPECT_EQ(ModeOf(path), c.nNew) << std::oct << c.nUmask;
        ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
        ASSERT_TRUE(reg.Set(kAppKey, "A", RegValue::Dword(2)));
        EXPECT_EQ(ModeOf(path), 0604u);
    }
}

// Temporary files of a write that was killed are removed when the store is
// opened, but not one that a write in progress holds, nor files of others.
TEST(StoreFileRegistry, StaleTemporaryFilesAreRemovedAtStart) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    const std::vector<std::string> stale = {".Coilix.reg.coilix-tmp-Ab3dE9",
                                            ".Coilix.reg.lock.coilix-tmp-zzzzzz"};
    const std::vector<std::string> others = {".Coilix.reg.tmp-Ab3dE9",
                                             "Coilix.reg.coilix-tmp-Ab3dE9",
                                             ".Coilix.reg.coilix-tmp-Ab3d", ".x.coilix-tmp-busy12"};
    for (const std::string& name : stale) WriteFile(dir.File(name), "half a store");
    for (const std::string& name : others) WriteFile(dir.File(name), "not ours to take");
    testsupport::HeldLock inUse(dir.File(".x.coilix-tmp-busy12"));
    CFileRegistry reg(path);
    // Reading a store that is not there yet makes no lock file either.
    std::vector<std::string> want = others;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(dir.Entries(), want);
}

// ---------------------------------------------------------------------------
// Writes killed half way
// ---------------------------------------------------------------------------

// The store's writes, killed at a hundred moments: the file is always the old
// store or the new one, whole, and the next write leaves no temporary file.
TEST(StoreFileRegistry, KilledWritesLeaveAWholeStore) {
    TempDir dir;
    const std::string path = dir.File("Coilix.reg");
    // Two stores that differ in every value, large enough that a write takes
    // a while.
    auto values = [](uint64_t i) {
        return RegValue::Binary(PatternBytes(200000, static_cast<uint8_t>(i % 2 == 0 ? 1 : 2)));
    };
    {
        CFileRegistry reg(path);
        ASSERT_TRUE(reg.Set(kAppKey, "Blob", values(0)));
    }
    int nLeftovers = 0;
    testsupport::KillDuringWrites(
        100,
        [&](uint64_t i) {
            CFileRegistry reg(path);
            reg.Set(kAppKey, "Blob", values(i + 1));
        },
        [&](int nRound) {
            const auto parsed = ParseRegFile(ReadFile(path));
            ASSERT_TRUE(parsed) << "round " << nRound;
            const auto blob = FindValue(*parsed, kAppKey, "Blob");
            ASSERT_TRUE(blob == values(0) || blob == values(1)) << "round " << nRound;
            if (dir.Entries().size() > 2) ++nLeftovers;

            CFileRegistry reg(path);
            ASSERT_TRUE(reg.Set(kAppKey, "Blob", values(0)));
            EXPECT_FALSE(reg.HasNotices());
            EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"Coilix.reg", "Coilix.reg.lock"}))
                << "round " << nRound;
        });
    RecordProperty("kills_that_left_a_temporary_file", nLeftovers);
}
