// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>
#include <chrono>
#include <cstddef>
#include <cstdint>
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

// Reads a whole regular file into `data`, refusing anything that is not a
// regular file or is larger than nMaxBytes. Opening never blocks (a pipe or a
// device at the path is refused, not waited on).
ReadResult ReadRegularFile(const std::string& strPath, size_t nMaxBytes,
                           std::vector<uint8_t>& data);

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

// An exclusive advisory lock on a file (created when missing), held until the
// object goes away.
class FileLock {
public:
    enum class Result { kLocked, kBusy, kFailed };

    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    // Waits at most `wait` while another holds the lock (kBusy after that);
    // kFailed when the lock file cannot be opened (Error() says why).
    Result Acquire(const std::string& strPath, std::chrono::milliseconds wait);
    int Error() const { return m_nError; }

private:
    int m_fd = -1;
    int m_nError = 0;
};

// The system's text for an error number.
std::string ErrorText(int nErr);

}  // namespace fileio
