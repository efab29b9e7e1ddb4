// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>

namespace fileio {

namespace {

bool WriteAll(int fd, std::span<const uint8_t> data) {
    size_t nDone = 0;
    while (nDone < data.size()) {
        const ssize_t n = ::write(fd, data.data() + nDone, data.size() - nDone);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        nDone += static_cast<size_t>(n);
    }
    return true;
}

constexpr std::string_view kTempMarker = ".coilix-tmp-";
constexpr size_t kTempRandomChars = 6;

std::string RandomSuffix() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    uint8_t bytes[kTempRandomChars];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        // No entropy yet: the clock and the process still make clashes rare,
        // and a clash only costs another try.
        timespec ts{};
        ::clock_gettime(CLOCK_MONOTONIC, &ts);
        uint64_t x = static_cast<uint64_t>(ts.tv_nsec) ^ (static_cast<uint64_t>(::getpid()) << 32);
        for (uint8_t& b : bytes) {
            x = x * 6364136223846793005u + 1442695040888963407u;
            b = static_cast<uint8_t>(x >> 56);
        }
    }
    std::string s;
    for (uint8_t b : bytes) s += kChars[b % (sizeof kChars - 1)];
    return s;
}

// Creates a fresh temporary file beside strTarget and locks it, so that no
// clean-up takes it away while it is written. Returns the descriptor (or -1,
// errno set) and the name.
int CreateTemporary(const std::string& strTarget, std::string& strTemp) {
    // Keep the name within the system's limit however long the target's is.
    const std::string strBase = BaseName(strTarget).substr(0, 200);
    for (int nTry = 0; nTry < 100; ++nTry) {
        strTemp = DirName(strTarget) + "/." + strBase + std::string(kTempMarker) + RandomSuffix();
        // 0666: a new file gets what the umask gives; an existing target's
        // permissions are copied onto it before any data is written.
        const int fd =
            ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        // A clean-up that opened the file before our lock may have removed it.
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// Writes over an existing file; used only where no temporary file can be made.
// The space is claimed first, so a full disk is found before a byte changes.
std::optional<std::string> WriteInPlace(const std::string& strTarget,
                                        std::span<const uint8_t> data) {
    Descriptor file(::open(strTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) return ErrorText(errno);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) return ErrorText(errno);
    if (!S_ISREG(st.st_mode)) return std::string("not a regular file");
    if (!data.empty()) {
        const int nErr = ::posix_fallocate(file.Get(), 0, static_cast<off_t>(data.size()));
        if (nErr != 0 && nErr != EOPNOTSUPP && nErr != EINVAL) return ErrorText(nErr);
    }
    if (::lseek(file.Get(), 0, SEEK_SET) != 0) return ErrorText(errno);
    if (!WriteAll(file.Get(), data)) return ErrorText(errno);
    if (::ftruncate(file.Get(), static_cast<off_t>(data.size())) != 0) return ErrorText(errno);
    if (::fsync(file.Get()) != 0) return ErrorText(errno);
    if (!file.Close()) return ErrorText(errno);
    return std::nullopt;
}

std::string AsideStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::gmtime_r(&now, &tm);
    char szStamp[32];
    std::strftime(szStamp, sizeof szStamp, "%Y%m%d-%H%M%S", &tm);
    return szStamp;
}

// Tries "<path>.bad-<stamp>", then "-1", "-2", ... while fnTry fails with
// EEXIST; returns the name that fnTry took.
template <class Fn>
std::optional<std::string> FirstFreeAsideName(const std::string& strPath, Fn fnTry) {
    const std::string strBase = strPath + ".bad-" + AsideStamp();
    for (int i = 0; i < 1000; ++i) {
        const std::string strName = i == 0 ? strBase : strBase + "-" + std::to_string(i);
        if (fnTry(strName)) return strName;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

Descriptor::~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

bool Descriptor::Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

std::string ErrorText(int nErr) {
    return std::strerror(nErr);
}

std::string DirName(const std::string& strPath) {
    const size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) return ".";
    if (nSlash == 0) return "/";
    return strPath.substr(0, nSlash);
}

std::string BaseName(const std::string& strPath) {
    const size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string ResolveLinks(const std::string& strPath) {
    std::string current = strPath;
    for (int i = 0; i < 16; ++i) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) return current;
        target.resize(static_cast<size_t>(n));
        current = target.front() == '/' ? target : DirName(current) + "/" + target;
    }
    return current;
}

PathKind KindOf(const std::string& strPath) {
    struct stat st {};
    if (::lstat(strPath.c_str(), &st) != 0) {
        // A file where a folder should be also means there is no such file.
        return errno == ENOENT || errno == ENOTDIR ? PathKind::kMissing : PathKind::kError;
    }
    if (S_ISREG(st.st_mode)) return PathKind::kRegular;
    if (S_ISLNK(st.st_mode)) return PathKind::kLink;
    return PathKind::kOther;
}

OpenedFile OpenRegularFile(const std::string& strPath) {
    OpenedFile opened;
    Descriptor file(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.Get() < 0) {
        const int nErr = errno;
        const bool bMissing = nErr == ENOENT || nErr == ENOTDIR;
        opened.result = {bMissing ? ReadStatus::kMissing : ReadStatus::kError, ErrorText(nErr)};
        return opened;
    }
    if (::fstat(file.Get(), &opened.st) != 0) {
        opened.result = {ReadStatus::kError, ErrorText(errno)};
    } else if (S_ISDIR(opened.st.st_mode)) {
        opened.result = {ReadStatus::kNotRegular, ErrorText(EISDIR)};
    } else if (!S_ISREG(opened.st.st_mode)) {
        opened.result = {ReadStatus::kNotRegular, "not a regular file"};
    } else {
        opened.result = {ReadStatus::kOk, {}, opened.st.st_mode & 07777};
        opened.file = std::move(file);
    }
    return opened;
}

ReadResult ReadRegularFile(const std::string& strPath, size_t nMaxBytes,
                           std::vector<uint8_t>& data) {
    data.clear();
    OpenedFile opened = OpenRegularFile(strPath);
    if (opened.result.status != ReadStatus::kOk) return opened.result;
    const Descriptor& file = opened.file;
    const struct stat& st = opened.st;
    const mode_t nMode = opened.result.nMode;
    const std::string strTooLarge = "the file is larger than expected";
    if (static_cast<uint64_t>(st.st_size) > nMaxBytes) {
        return {ReadStatus::kTooLarge, strTooLarge, nMode};
    }
    data.reserve(static_cast<size_t>(st.st_size));
    uint8_t buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {ReadStatus::kError, ErrorText(errno), nMode};
        }
        if (n == 0) break;
        // The file may have grown since fstat.
        if (data.size() + static_cast<size_t>(n) > nMaxBytes) {
            data.clear();
            return {ReadStatus::kTooLarge, strTooLarge, nMode};
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    return {ReadStatus::kOk, {}, nMode};
}

bool LineReader::Fill() {
    // Keep only what is not yet given out, then read one more block.
    m_buffer.erase(0, m_nPos);
    m_nPos = 0;
    constexpr size_t kBlock = size_t{64} * 1024;
    const size_t nOld = m_buffer.size();
    m_buffer.resize(nOld + kBlock);
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data() + nOld, kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) m_nError = errno;
        m_buffer.resize(nOld + (n > 0 ? static_cast<size_t>(n) : 0));
        if (n <= 0) m_bEnd = true;
        if (n > 0) m_nRead += static_cast<uint64_t>(n);
        return n > 0;
    }
}

bool LineReader::Next(std::string_view& line, bool& bCut) {
    bCut = false;
    if (m_bDone || m_nError != 0) return false;
    // Of a line too long only the start is kept (for a message); the rest of
    // it is dropped as it is read.
    constexpr size_t kKeptOfCutLine = 256;
    bool bSkipping = false;
    for (;;) {
        const size_t nEnd = m_buffer.find('\n', m_nPos);
        if (nEnd == std::string::npos && !m_bEnd) {
            if (!bSkipping && m_buffer.size() - m_nPos > m_nMaxLine) {
                m_strCut.assign(m_buffer, m_nPos, std::min(m_nMaxLine, kKeptOfCutLine));
                bSkipping = true;
            }
            if (bSkipping) m_nPos = m_buffer.size();
            Fill();
            continue;
        }
        const size_t nLineEnd = nEnd == std::string::npos ? m_buffer.size() : nEnd;
        if (bSkipping) {
            line = m_strCut;
            bCut = true;
        } else if (nLineEnd - m_nPos > m_nMaxLine) {
            line = std::string_view(m_buffer).substr(m_nPos, std::min(m_nMaxLine, kKeptOfCutLine));
            bCut = true;
        } else {
            line = std::string_view(m_buffer).substr(m_nPos, nLineEnd - m_nPos);
        }
        if (nEnd == std::string::npos) m_bDone = true;
        m_nPos = nLineEnd + 1;
        return m_nError == 0;
    }
}

namespace {

// ReplaceFile and ReplaceFileWith: pInPlace, the whole data, when a file in a
// read-only folder may be written in place instead.
std::optional<std::string> Replace(const std::string& strPath, const FileMaker& fnMake,
                                   const std::span<const uint8_t>* pInPlace) {
    const std::string strTarget = ResolveLinks(strPath);
    const std::string strDir = DirName(strTarget);

    struct stat st {};
    const bool bExists = ::stat(strTarget.c_str(), &st) == 0;
    if (!bExists && errno != ENOENT) return ErrorText(errno);
    if (bExists && !S_ISREG(st.st_mode)) return std::string("not a regular file");
    // A file the user made read-only stays as it is, as it would if it were
    // written in place.
    if (bExists && ::faccessat(AT_FDCWD, strTarget.c_str(), W_OK, AT_EACCESS) != 0) {
        return ErrorText(errno);
    }

    std::string strTemp;
    Descriptor file(CreateTemporary(strTarget, strTemp));
    if (file.Get() < 0) {
        const int nErr = errno;
        // A read-only folder around a writable file: write the file itself.
        if (pInPlace != nullptr && bExists && (nErr == EACCES || nErr == EPERM)) {
            return WriteInPlace(strTarget, *pInPlace);
        }
        return ErrorText(nErr);
    }
    auto fail = [&](int nErr) {
        ::unlink(strTemp.c_str());
        return std::optional<std::string>(ErrorText(nErr));
    };

    if (bExists && ::fchmod(file.Get(), st.st_mode & 07777) != 0) return fail(errno);
    int nWriteError = 0;
    const bool bMade = fnMake([&](std::span<const uint8_t> piece) {
        if (WriteAll(file.Get(), piece)) return true;
        nWriteError = errno;
        return false;
    });
    if (!bMade) return fail(nWriteError != 0 ? nWriteError : ECANCELED);
    if (::fsync(file.Get()) != 0) return fail(errno);
    // Renamed while still locked, so no clean-up can take it meanwhile.
    if (::rename(strTemp.c_str(), strTarget.c_str()) != 0) return fail(errno);
    file.Close();

    // Make the rename itself durable; the data is already safe if this fails.
    Descriptor dir(::open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    RemoveStaleTemporaryFiles(strDir);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReplaceFile(const std::string& strPath, std::span<const uint8_t> data,
                                       WriteMode mode) {
    return Replace(
        strPath, [data](const FileWriter& fnPut) { return fnPut(data); },
        mode == WriteMode::kAtomicOrInPlace ? &data : nullptr);
}

std::optional<std::string> ReplaceFileWith(const std::string& strPath, const FileMaker& fnMake) {
    return Replace(strPath, fnMake, nullptr);
}

bool IsTemporaryFileName(std::string_view name) {
    if (name.size() < 1 + kTempMarker.size() + kTempRandomChars || name.front() != '.') {
        return false;
    }
    const std::string_view tail = name.substr(name.size() - kTempRandomChars);
    for (char c : tail) {
        const bool bAlnum =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!bAlnum) return false;
    }
    return name.substr(name.size() - kTempRandomChars - kTempMarker.size(), kTempMarker.size()) ==
           kTempMarker;
}

size_t RemoveStaleTemporaryFiles(const std::string& strDir) {
    DIR* pDir = ::opendir(strDir.c_str());
    if (pDir == nullptr) return 0;
    const int dirFd = ::dirfd(pDir);
    size_t nRemoved = 0;
    while (const dirent* pEntry = ::readdir(pDir)) {
        if (!IsTemporaryFileName(pEntry->d_name)) continue;
        Descriptor file(::openat(dirFd, pEntry->d_name,
                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat st {};
        if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        // A save in progress holds the lock; one that was killed does not.
        if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) continue;
        struct stat now {};
        if (::fstatat(dirFd, pEntry->d_name, &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            now.st_dev == st.st_dev && now.st_ino == st.st_ino &&
            ::unlinkat(dirFd, pEntry->d_name, 0) == 0) {
            ++nRemoved;
        }
    }
    ::closedir(pDir);
    return nRemoved;
}

bool MakeDirs(const std::string& strDir) {
    struct stat st {};
    if (::stat(strDir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    const std::string strParent = DirName(strDir);
    if (strParent != strDir && !MakeDirs(strParent)) return false;
    if (::mkdir(strDir.c_str(), 0700) == 0) return true;
    const int nErr = errno;
    if (nErr == EEXIST && ::stat(strDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
    errno = nErr;
    return false;
}

bool RenameNoReplace(const std::string& strFrom, const std::string& strTo) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, strFrom.c_str(), AT_FDCWD, strTo.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // No atomic form on this file system: a hard link fails when the name is
    // taken; without links, check and rename (the caller holds a lock).
    if (::link(strFrom.c_str(), strTo.c_str()) == 0) return ::unlink(strFrom.c_str()) == 0;
    if (errno == EEXIST) return false;
    struct stat st {};
    if (::lstat(strTo.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    if (errno != ENOENT) return false;
    return ::rename(strFrom.c_str(), strTo.c_str()) == 0;
}

std::optional<std::string> SetAside(const std::string& strPath) {
    return FirstFreeAsideName(
        strPath, [&](const std::string& strName) { return RenameNoReplace(strPath, strName); });
}

namespace {

// Writes a new file under a free aside name, with the permissions given,
// its bytes written by fnWrite(fd); nothing is left behind when that fails.
template <class Fn>
std::optional<std::string> WriteCopyAside(const std::string& strPath, mode_t nMode, Fn fnWrite) {
    return FirstFreeAsideName(strPath, [&](const std::string& strName) {
        Descriptor file(
            ::open(strName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (file.Get() < 0) return false;
        const bool bWritten = ::fchmod(file.Get(), nMode & 07777) == 0 && fnWrite(file.Get()) &&
                              ::fsync(file.Get()) == 0 && file.Close();
        if (!bWritten) {
            const int nErr = errno;
            ::unlink(strName.c_str());
            // Not a name clash: stop trying other names.
            errno = nErr == EEXIST ? EIO : nErr;
        }
        return bWritten;
    });
}

// Reads up to n bytes from nOffset on, fewer only at the end of the file;
// -1 when reading fails.
ssize_t ReadAt(int fd, uint8_t* p, size_t n, off_t nOffset) {
    size_t nDone = 0;
    while (nDone < n) {
        const ssize_t r = ::pread(fd, p + nDone, n - nDone, nOffset + static_cast<off_t>(nDone));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return -1;
        if (r == 0) break;
        nDone += static_cast<size_t>(r);
    }
    return static_cast<ssize_t>(nDone);
}

// Copies what fdSource holds, from its start, to fd.
bool CopyFile(int fdSource, int fd) {
    uint8_t buffer[64 * 1024];
    for (off_t nOffset = 0;;) {
        const ssize_t n = ReadAt(fdSource, buffer, sizeof buffer, nOffset);
        if (n <= 0) return n == 0;
        if (!WriteAll(fd, {buffer, static_cast<size_t>(n)})) return false;
        nOffset += n;
    }
}

}  // namespace

std::optional<std::string> KeepCopyAside(const std::string& strPath, std::span<const uint8_t> data,
                                         mode_t nMode) {
    return WriteCopyAside(strPath, nMode, [&](int fd) { return WriteAll(fd, data); });
}

std::optional<std::string> KeepCopyAside(const std::string& strPath, int fdSource, mode_t nMode) {
    return WriteCopyAside(strPath, nMode, [&](int fd) { return CopyFile(fdSource, fd); });
}

std::optional<std::string> LinkAside(const std::string& strPath) {
    return FirstFreeAsideName(strPath, [&](const std::string& strName) {
        return ::link(strPath.c_str(), strName.c_str()) == 0;
    });
}

namespace {

// Whether two open files hold the same bytes.
bool SameContent(int fdA, int fdB) {
    uint8_t a[16 * 1024];
    uint8_t b[sizeof a];
    for (off_t nOffset = 0;;) {
        const ssize_t nA = ReadAt(fdA, a, sizeof a, nOffset);
        const ssize_t nB = ReadAt(fdB, b, sizeof b, nOffset);
        if (nA < 0 || nA != nB || std::memcmp(a, b, static_cast<size_t>(nA)) != 0) return false;
        if (nA == 0) return true;
        nOffset += nA;
    }
}

}  // namespace

std::optional<std::string> FindCopyAside(const std::string& strPath, int fdSource) {
    struct stat source {};
    if (::fstat(fdSource, &source) != 0) return std::nullopt;
    const std::string strDir = DirName(strPath);
    const std::string strPrefix = BaseName(strPath) + ".bad-";
    DIR* pDir = ::opendir(strDir.c_str());
    if (pDir == nullptr) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* pEntry = ::readdir(pDir)) {
        if (std::string_view(pEntry->d_name).substr(0, strPrefix.size()) != strPrefix) continue;
        const std::string strName = strDir + "/" + pEntry->d_name;
        Descriptor file(::open(strName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_size != source.st_size) {
            continue;
        }
        if (SameContent(fdSource, file.Get())) {
            found = strName;
            break;
        }
    }
    ::closedir(pDir);
    return found;
}

FileLock::~FileLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}

FileLock::Result FileLock::Acquire(const std::string& strPath, std::chrono::milliseconds wait,
                                   std::optional<mode_t> nMode) {
    // Opened for writing, never only for reading: a lock that anyone who can
    // read the file could take would let them hold off every write.
    const int nFlags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    m_fd = ::open(strPath.c_str(), nFlags, nMode ? *nMode & 0666 : 0666);
    // Why the open failed: the calls that look further must not replace it.
    int nOpenError = m_fd < 0 ? errno : 0;
    // A lock file of ours that was made read-only is given its permissions.
    struct stat st {};
    if (m_fd < 0 && nOpenError == EACCES && nMode && ::lstat(strPath.c_str(), &st) == 0 &&
        S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && ::chmod(strPath.c_str(), *nMode) == 0) {
        m_fd = ::open(strPath.c_str(), nFlags, *nMode & 0666);
        if (m_fd < 0) nOpenError = errno;
    }
    if (m_fd < 0) {
        m_nError = nOpenError;
        return Result::kFailed;
    }
    // The permissions asked for on a lock file of ours, whatever the umask
    // or whoever made the file left them at.
    if (nMode && ::fstat(m_fd, &st) == 0 && st.st_uid == ::geteuid() &&
        (st.st_mode & 07777) != (*nMode & 07777)) {
        ::fchmod(m_fd, *nMode & 07777);
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) return Result::kLocked;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            m_nError = errno;
            ::close(m_fd);
            m_fd = -1;
            return Result::kFailed;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(m_fd);
            m_fd = -1;
            return Result::kBusy;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace fileio
