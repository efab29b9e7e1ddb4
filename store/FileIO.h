// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The one layer between the stored forms (saved games, the settings store)
// and the file system, so that both get the same guards: only regular files
// are read, never blocking and never past a size cap; writes go to a
// temporary file that replaces the target only when it is complete.

namespace fileio {

// A file descriptor, closed when the object goes unless closed before.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now and reports whether the close succeeded.
    bool Close();

private:
    int m_fd;
};

enum class ReadStatus {
    kOk,
    kMissing,     // no such file
    kNotRegular,  // a folder, a device, a pipe...
    kTooLarge,    // larger than the cap given
    kError,       // the system refused (detail says why)
};

struct ReadResult {
    ReadStatus status = ReadStatus::kOk;
    std::string detail;  // the system's explanation, when there is one
    mode_t nMode = 0;    // the file's permissions, when it was read
};

// A regular file opened for reading, and what fstat said of it.
struct OpenedFile {
    ReadResult result;  // kOk, kMissing, kNotRegular or kError; never kTooLarge
    Descriptor file;    // open when result.status is kOk
    struct stat st {};  // when open
};
// Opens a regular file for reading without blocking (a pipe or a device at
// the path is refused, not waited on).
OpenedFile OpenRegularFile(const std::string& strPath);

// Reads a whole regular file into `data`, refusing anything that is not a
// regular file or is larger than nMaxBytes. Opening never blocks.
ReadResult ReadRegularFile(const std::string& strPath, size_t nMaxBytes,
                           std::vector<uint8_t>& data);

// Reads a file's lines one at a time, never holding more than one line and
// one block of the file: a line longer than nMaxLineBytes is cut there (the
// rest of it skipped), and says so.
class LineReader {
public:
    LineReader(int fd, size_t nMaxLineBytes) : m_fd(fd), m_nMaxLine(nMaxLineBytes) {}
    // The next line without its line end, valid until the next call; false
    // after the last one (a text that ends with a line end ends with an empty
    // line) or when reading failed (Error() then says why).
    bool Next(std::string_view& line, bool& bCut);
    // Bytes read so far.
    uint64_t BytesRead() const { return m_nRead; }
    int Error() const { return m_nError; }

private:
    bool Fill();

    int m_fd;
    size_t m_nMaxLine;
    std::string m_buffer;
    std::string m_strCut;  // the start of a line too long
    size_t m_nPos = 0;
    uint64_t m_nRead = 0;
    int m_nError = 0;
    bool m_bEnd = false;
    bool m_bDone = false;
};

enum class WriteMode {
    kAtomic,  // temporary file and rename, or nothing at all
    // The same, but where no temporary file can be made beside an existing
    // writable file (a read-only folder) the file is written in place.
    kAtomicOrInPlace,
};

// Writes `data` to a temporary file beside strPath, flushes it to the disk
// and renames it over strPath: the file is then either the old one or the new
// one, never part of either. A symbolic link at strPath is followed, so the
// file it names is replaced and the link stays. An existing file keeps its
// permissions, and one that may not be written is not replaced; a new one
// gets those the umask gives. Our temporary files that a killed save left in
// the folder are removed afterwards. On failure nothing is left behind and
// the system's explanation is returned.
std::optional<std::string> ReplaceFile(const std::string& strPath, std::span<const uint8_t> data,
                                       WriteMode mode = WriteMode::kAtomic);

// Writes one piece of a file; false when it could not be written.
using FileWriter = std::function<bool(std::span<const uint8_t> piece)>;
// Makes a file's bytes, handing them to the writer a piece at a time; false
// when it gives up (the writer failed, or the file is not to be written).
using FileMaker = std::function<bool(const FileWriter& fnPut)>;
// ReplaceFile with the bytes made a piece at a time, so a large file is never
// held whole in memory (atomic only). A file fnMake gives up on is not
// written: the file stays as it was, and the reason is the writer's error,
// or ECANCELED's text when fnMake stopped by itself.
std::optional<std::string> ReplaceFileWith(const std::string& strPath, const FileMaker& fnMake);

// Whether a file name is one of our temporary files (".<name>.coilix-tmp-XXXXXX").
bool IsTemporaryFileName(std::string_view name);
// Removes our temporary files in the folder that no save is writing (each
// save holds a lock on its own until it is renamed); returns how many.
size_t RemoveStaleTemporaryFiles(const std::string& strDir);

// The file a path stands for, symbolic links followed (at most 16 deep; a
// loop gives a path that is still a link).
std::string ResolveLinks(const std::string& strPath);

// What is at a path, links not followed.
enum class PathKind { kMissing, kRegular, kLink, kOther, kError };
PathKind KindOf(const std::string& strPath);

std::string DirName(const std::string& strPath);
std::string BaseName(const std::string& strPath);

// Creates the folder and its parents when missing (mode 0700 for new ones).
// On failure errno says why.
bool MakeDirs(const std::string& strDir);

// Moves a file to a name that does not exist yet; never replaces a file.
bool RenameNoReplace(const std::string& strFrom, const std::string& strTo);

// Moves strPath aside to "<path>.bad-<UTC date-time>" (with -1, -2, ... when
// taken) and returns the new name; nothing when it could not be moved.
std::optional<std::string> SetAside(const std::string& strPath);
// Writes a copy of a file's bytes under such a name, with the permissions
// given; the file itself stays. Nothing when no copy could be written.
std::optional<std::string> KeepCopyAside(const std::string& strPath, std::span<const uint8_t> data,
                                         mode_t nMode);
// The same, copying what the open file fdSource holds (read from its start).
std::optional<std::string> KeepCopyAside(const std::string& strPath, int fdSource, mode_t nMode);
// Another name for the file itself under such a name (a hard link): the
// bytes stay where they are, and replacing the file later leaves them there.
// Nothing when the file system cannot link (errno says why).
std::optional<std::string> LinkAside(const std::string& strPath);
// A copy kept aside earlier ("<path>.bad-...") that holds exactly what the
// open file fdSource holds; nothing when there is none.
std::optional<std::string> FindCopyAside(const std::string& strPath, int fdSource);

// An exclusive advisory lock on a file (created when missing), held until the
// object goes away. The lock file is opened for writing: only who may write
// it may lock it.
class FileLock {
public:
    enum class Result { kLocked, kBusy, kFailed };

    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    // Waits at most `wait` while another holds the lock (kBusy after that);
    // kFailed when the lock file cannot be opened for writing (Error() says
    // why). A lock file of ours gets the permissions nMode when given (a new
    // one else gets what the umask gives).
    Result Acquire(const std::string& strPath, std::chrono::milliseconds wait,
                   std::optional<mode_t> nMode = std::nullopt);
    int Error() const { return m_nError; }

private:
    int m_fd = -1;
    int m_nError = 0;
};

// The system's text for an error number.
std::string ErrorText(int nErr);

}  // namespace fileio
