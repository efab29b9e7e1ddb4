// SPDX-License-Identifier: GPL-3.0-or-later
// The archive's byte encodings and the document open/save cycle around it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "store/Archive.h"
#include "store/Document.h"
#include "store/FileIO.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

template <class Fn>
std::optional<ArchiveError> CauseOf(Fn&& fn) {
    try {
        fn();
    } catch (const CArchiveException& e) {
        return e.Cause();
    }
    return std::nullopt;
}

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

}  // namespace

TEST(ArchiveTest, Int32IsLittleEndianBothWays) {
    struct Case {
        int32_t n;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0}},
        {1, {1, 0, 0, 0}},
        {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
        {0x12345678, {0x78, 0x56, 0x34, 0x12}},
        {INT32_MIN, {0, 0, 0, 0x80}},
        {INT32_MAX, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        Bytes out;
        CArchive::ForStoring(out) << c.n;
        EXPECT_EQ(out, c.bytes) << c.n;
        CArchive in = CArchive::ForLoading(c.bytes);
        int32_t n = 0;
        in >> n;
        EXPECT_EQ(n, c.n);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }
}

TEST(ArchiveTest, StringAndCountFormsByLength) {
    struct Case {
        size_t nLength;
        Bytes prefix;
    };
    const Case strings[] = {
        {0, {0x00}},
        {20, {0x14}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65534, {0xFF, 0xFE, 0xFF}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : strings) {
        std::string s(c.nLength, 'x');
        if (!s.empty()) {
            s.front() = 'a';
            s.back() = 'z';
        }
        Bytes out;
        CArchive::ForStoring(out).WriteString(s);
        ASSERT_EQ(out.size(), c.prefix.size() + c.nLength) << c.nLength;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), out.begin())) << c.nLength;
        CArchive in = CArchive::ForLoading(out);
        EXPECT_EQ(in.ReadString(), s);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }

    struct CountCase {
        uint32_t n;
        Bytes bytes;
    };
    const CountCase counts[] = {
        {0, {0, 0}},
        {10, {10, 0}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const CountCase& c : counts) {
        Bytes out;
        CArchive::ForStoring(out).WriteCount(c.n);
        EXPECT_EQ(out, c.bytes) << c.n;
        CArchive in = CArchive::ForLoading(c.bytes);
        EXPECT_EQ(in.ReadCount(), c.n);
    }
}

TEST(ArchiveTest, ShortDataIsEndOfFile) {
    struct Case {
        const char* name;
        Bytes data;
        std::function<void(CArchive&)> read;
    };
    auto readInt = [](CArchive& ar) {
        int32_t n;
        ar >> n;
    };
    auto readString = [](CArchive& ar) { ar.ReadString(); };
    auto readCount = [](CArchive& ar) { ar.ReadCount(); };
    const Case cases[] = {
        {"int32 from nothing", {}, readInt},
        {"int32 from three bytes", {1, 2, 3}, readInt},
        {"string from nothing", {}, readString},
        {"string shorter than its length", {5, 'a', 'b'}, readString},
        {"long string without its length", {0xFF, 0x10}, readString},
        {"16-bit length beyond the data", {0xFF, 0x00, 0x01, 'a'}, readString},
        // A 4 GiB length must not be allocated before the data runs out.
        {"32-bit length beyond the data",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'},
         readString},
        {"count from one byte", {7}, readCount},
        {"wide count without its value", {0xFF, 0xFF, 1, 2, 3}, readCount},
    };
    for (const Case& c : cases) {
        CArchive ar = CArchive::ForLoading(c.data);
        EXPECT_EQ(CauseOf([&] { c.read(ar); }), ArchiveError::kEndOfFile) << c.name;
    }
}

TEST(ArchiveTest, RawReadStopsQuietlyAtTheEnd) {
    const Bytes data = {1, 2, 3, 4, 5};
    CArchive ar = CArchive::ForLoading(data);
    uint8_t buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(ar.Read(buffer, 3), 3u);
    EXPECT_EQ(ar.BytesLeft(), 2u);
    EXPECT_EQ(ar.Read(buffer, 4), 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(buffer[2], 3);  // beyond what was copied: untouched
    EXPECT_EQ(ar.Read(buffer, 4), 0u);
}

namespace {

// A document holding one text, with switches to make loading or storing fail.
class TextDoc : public CDocument {
public:
    std::string m_strText;
    int m_nDeleteCalls = 0;
    int m_nNewCalls = 0;
    std::optional<ArchiveError> m_failLoad;
    bool m_bLoadRunsOutOfMemory = false;
    std::optional<ArchiveError> m_failStore;

    bool OnNewDocument() override {
        ++m_nNewCalls;
        if (!CDocument::OnNewDocument()) {
            return false;
        }
        m_strText = "new";
        return true;
    }
    void DeleteContents() override {
        ++m_nDeleteCalls;
        m_strText.clear();
    }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            if (m_failStore) {
                throw CArchiveException(*m_failStore);
            }
            ar.WriteString(m_strText);
            return;
        }
        m_strText = ar.ReadString();
        if (m_failLoad) {
            throw CArchiveException(*m_failLoad);
        }
        if (m_bLoadRunsOutOfMemory) {
            throw std::bad_alloc();
        }
    }
};

Bytes TextFile(const std::string& s) {
    Bytes out;
    CArchive::ForStoring(out).WriteString(s);
    return out;
}

}  // namespace

TEST(DocumentCycleTest, SaveThenOpenRestoresContentsAndClearsFlag) {
    TempDir dir;
    const fs::path path = dir.Path() / "game.cx";
    TextDoc doc;
    doc.m_strText = "hello";
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(path.string()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadBytes(path), TextFile("hello"));
    // Only the saved file is left: the temporary file was renamed into place.
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"game.cx"});

    TextDoc other;
    other.m_strText = "old";
    bool bReplaced = true;
    ASSERT_TRUE(OpenDocumentFile(other, path.string(), bReplaced));
    EXPECT_FALSE(bReplaced);
    EXPECT_EQ(other.m_strText, "hello");
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.GetPathName(), path.string());
    EXPECT_FALSE(other.LastError().has_value());
}

TEST(DocumentCycleTest, UnreadableFileLeavesTheDocumentAsItWas) {
    TempDir dir;
    const fs::path fifo = dir.Path() / "pipe.cx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Sparse: takes no disk space, but is larger than any saved document.
    const fs::path huge = dir.Path() / "huge.cx";
    WriteBytes(huge, TextFile("x"));
    fs::resize_file(huge, (uintmax_t{64} << 20) + 1);

    struct Case {
        fs::path path;
        FileError error;
    };
    const fs::path zero = dir.Path() / "zero.cx";
    fs::create_symlink("/dev/zero", zero);
    const fs::path loop = dir.Path() / "loop.cx";
    fs::create_symlink("loop-back.cx", loop);
    fs::create_symlink("loop.cx", dir.Path() / "loop-back.cx");

    const Case cases[] = {
        {dir.Path() / "missing.cx", FileError::kCannotOpen},
        {dir.Path(), FileError::kCannotOpen},
        {fifo, FileError::kCannotOpen},
        {zero, FileError::kCannotOpen},
        {loop, FileError::kCannotOpen},
        {huge, FileError::kBadFormat},
    };
    for (const Case& c : cases) {
        TextDoc doc;
        doc.m_strText = "current game";
        doc.SetPathName("current.cx");
        std::vector<FileErrorReport> reports;
        doc.SetErrorReporter([&](const FileErrorReport& r) { reports.push_back(r); });
        bool bReplaced = true;
        EXPECT_FALSE(OpenDocumentFile(doc, c.path.string(), bReplaced)) << c.path;
        EXPECT_FALSE(bReplaced) << c.path;
        EXPECT_EQ(doc.m_strText, "current game") << c.path;
        EXPECT_EQ(doc.m_nDeleteCalls, 0) << c.path;
        EXPECT_EQ(doc.m_nNewCalls, 0) << c.path;
        EXPECT_FALSE(doc.IsModified()) << c.path;
        EXPECT_EQ(doc.GetPathName(), "current.cx") << c.path;
        ASSERT_EQ(reports.size(), 1u) << c.path;
        EXPECT_EQ(reports[0].error, c.error) << c.path;
        EXPECT_EQ(reports[0].path, c.path.string());
        EXPECT_FALSE(reports[0].detail.empty()) << c.path;
    }
}

TEST(DocumentCycleTest, FailedReadClearsAndANewDocumentTakesOver) {
    struct Case {
        const char* name;
        Bytes data;
        std::optional<ArchiveError> failLoad;
        bool bOutOfMemory;
        FileError error;
    };
    const Case cases[] = {
        {"empty file", {}, std::nullopt, false, FileError::kBadFormat},
        {"truncated", {9, 'a', 'b'}, std::nullopt, false, FileError::kBadFormat},
        {"format error", TextFile("t"), ArchiveError::kFormat, false, FileError::kBadFormat},
        {"version error", TextFile("t"), ArchiveError::kVersion, false, FileError::kBadFormat},
        {"archive memory error", TextFile("t"), ArchiveError::kMemory, false,
         FileError::kOutOfMemory},
        {"allocation failure", TextFile("t"), std::nullopt, true, FileError::kOutOfMemory},
    };
    TempDir dir;
    const fs::path path = dir.Path() / "bad.cx";
    for (const Case& c : cases) {
        WriteBytes(path, c.data);
        TextDoc doc;
        doc.m_strText = "current game";
        doc.m_failLoad = c.failLoad;
        doc.m_bLoadRunsOutOfMemory = c.bOutOfMemory;

        // The bare open: cleared, reported, still marked modified.
        EXPECT_FALSE(doc.OnOpenDocument(path.string())) << c.name;
        EXPECT_EQ(doc.m_strText, "") << c.name;
        EXPECT_TRUE(doc.IsModified()) << c.name;
        ASSERT_TRUE(doc.LastError().has_value()) << c.name;
        EXPECT_EQ(doc.LastError()->error, c.error) << c.name;

        // Through the template's open a fresh document stands in.
        doc.m_strText = "current game";
        doc.SetModifiedFlag(false);
        doc.SetPathName("current.cx");
        bool bReplaced = false;
        EXPECT_FALSE(OpenDocumentFile(doc, path.string(), bReplaced)) << c.name;
        EXPECT_TRUE(bReplaced) << c.name;
        EXPECT_EQ(doc.m_nNewCalls, 1) << c.name;
        EXPECT_EQ(doc.m_strText, "new") << c.name;
        EXPECT_FALSE(doc.IsModified()) << c.name;
        EXPECT_EQ(doc.GetPathName(), "") << c.name;
        EXPECT_EQ(doc.LastError()->error, c.error) << c.name;
    }
}

TEST(DocumentCycleTest, FailedSaveLeavesThePreviousFileUntouched) {
    TempDir dir;
    const fs::path existing = dir.Path() / "game.cx";
    const Bytes previous = TextFile("previous game");
    const fs::path subdir = dir.Path() / "folder";
    fs::create_directory(subdir);
    WriteBytes(subdir / "inside.cx", previous);

    struct Case {
        const char* name;
        fs::path path;
        std::optional<ArchiveError> failStore;
    };
    const Case cases[] = {
        {"directory missing", dir.Path() / "no-such-dir" / "game.cx", std::nullopt},
        {"target is a directory", subdir, std::nullopt},
        {"nothing to store", existing, ArchiveError::kFormat},
        {"no directory can be written", "/proc/coilix-game.cx", std::nullopt},
    };
    for (const Case& c : cases) {
        WriteBytes(existing, previous);
        TextDoc doc;
        doc.m_strText = "new contents";
        doc.m_failStore = c.failStore;
        doc.SetModifiedFlag(true);
        EXPECT_FALSE(doc.OnSaveDocument(c.path.string())) << c.name;
        ASSERT_TRUE(doc.LastError().has_value()) << c.name;
        EXPECT_EQ(doc.LastError()->error, FileError::kCannotSave) << c.name;
        EXPECT_FALSE(doc.LastError()->detail.empty()) << c.name;
        EXPECT_TRUE(doc.IsModified()) << c.name;
        EXPECT_EQ(doc.m_strText, "new contents") << c.name;

        EXPECT_EQ(ReadBytes(existing), previous) << c.name;
        EXPECT_TRUE(fs::is_directory(subdir)) << c.name;
        EXPECT_EQ(ReadBytes(subdir / "inside.cx"), previous) << c.name;
        // No temporary file is left behind.
        std::vector<std::string> entries = dir.Entries();
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, (std::vector<std::string>{"folder", "game.cx"})) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(subdir), fs::directory_iterator()), 1)
            << c.name;
    }
}

TEST(DocumentCycleTest, SaveKeepsModeAndSymbolicLinkOfTheReplacedFile) {
    TempDir dir;
    const fs::path real = dir.Path() / "real.cx";
    const fs::path link = dir.Path() / "link.cx";
    WriteBytes(real, TextFile("old"));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, link);

    TextDoc doc;
    doc.m_strText = "saved through the link";
    ASSERT_TRUE(doc.OnSaveDocument(link.string()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), TextFile("saved through the link"));
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// Saving over a game where no temporary file can be made (a read-only
// folder) writes the file in place; a read-only file is never replaced, and a
// new file cannot be made there.
TEST(DocumentCycleTest, ReadOnlyFolderSavesInPlaceAndReadOnlyFilesAreKept) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    const struct {
        const char* pszWhat;
        bool bFolderReadOnly;
        bool bFileExists;
        bool bFileReadOnly;
        bool bSaved;
    } cases[] = {
        {"writable game in a read-only folder", true, true, false, true},
        {"new game in a read-only folder", true, false, false, false},
        {"read-only game in a writable folder", false, true, true, false},
        {"read-only game in a read-only folder", true, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        TempDir dir;
        const fs::path folder = dir.Path() / "games";
        fs::create_directory(folder);
        const fs::path path = folder / "game.cx";
        if (c.bFileExists) WriteBytes(path, TextFile("a much longer previous game"));
        struct stat before {};
        ::stat(path.c_str(), &before);
        if (c.bFileReadOnly) fs::permissions(path, fs::perms::owner_read);
        if (c.bFolderReadOnly)
            fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

        TextDoc doc;
        doc.m_strText = "saved";
        EXPECT_EQ(doc.OnSaveDocument(path.string()), c.bSaved);
        fs::permissions(folder, fs::perms::owner_all);
        if (c.bSaved) {
            EXPECT_EQ(ReadBytes(path), TextFile("saved"));  // shorter: the rest cut off
            struct stat after {};
            ::stat(path.c_str(), &after);
            EXPECT_EQ(after.st_ino, before.st_ino) << "written in place";
        } else {
            ASSERT_TRUE(doc.LastError());
            EXPECT_EQ(doc.LastError()->detail, fileio::ErrorText(EACCES));
            if (c.bFileExists) {
                EXPECT_EQ(ReadBytes(path), TextFile("a much longer previous game"));
            }
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
                  c.bFileExists ? 1 : 0);
    }
}

// A save removes the temporary files that killed saves left in its folder,
// but not one that a save in progress holds, nor others' files.
TEST(DocumentCycleTest, StaleTemporaryFilesAreRemovedWhenSavingThere) {
    TempDir dir;
    for (const char* pszName : {".game.cx.coilix-tmp-A1b2C3", ".other.cx.coilix-tmp-zzzzzz",
                                ".busy.cx.coilix-tmp-000000", ".game.cx.swp", "notes.txt"}) {
        WriteBytes(dir.Path() / pszName, TextFile("left over"));
    }
    const int fdBusy = ::open((dir.Path() / ".busy.cx.coilix-tmp-000000").c_str(), O_RDONLY);
    ASSERT_GE(fdBusy, 0);
    ASSERT_EQ(::flock(fdBusy, LOCK_EX), 0);

    TextDoc doc;
    doc.m_strText = "saved";
    ASSERT_TRUE(doc.OnSaveDocument((dir.Path() / "game.cx").string()));
    ::close(fdBusy);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{".busy.cx.coilix-tmp-000000", ".game.cx.swp",
                                                       "game.cx", "notes.txt"}));
}
