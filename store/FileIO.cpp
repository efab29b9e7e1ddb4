#include "store/FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace fileio {

namespace {

// Closes the descriptor when the scope ends, unless closed before.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const std::vector<uint8_t>& data) {
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

// Permissions for a new file as an ordinary create would give them.
mode_t DefaultFileMode() {
    const mode_t nMask = ::umask(0);
    ::umask(nMask);
    return static_cast<mode_t>(0666 & ~nMask);
}

}  // namespace

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

ReadResult ReadRegularFile(const std::string& strPath, size_t nMaxBytes,
                           std::vector<uint8_t>& data) {
    data.clear();
    Descriptor file(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        const int nErr = errno;
        return {nErr == ENOENT ? ReadStatus::kMissing : ReadStatus::kError, ErrorText(nErr)};
    }
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) return {ReadStatus::kError, ErrorText(errno)};
    if (S_ISDIR(st.st_mode)) return {ReadStatus::kNotRegular, ErrorText(EISDIR)};
    if (!S_ISREG(st.st_mode)) return {ReadStatus::kNotRegular, "not a regular file"};
    const std::string strTooLarge = "the file is larger than expected";
    if (static_cast<uint64_t>(st.st_size) > nMaxBytes) {
        return {ReadStatus::kTooLarge, strTooLarge};
    }
    data.reserve(static_cast<size_t>(st.st_size));
    uint8_t buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {ReadStatus::kError, ErrorText(errno)};
        }
        if (n == 0) break;
        // The file may have grown since fstat.
        if (data.size() + static_cast<size_t>(n) > nMaxBytes) {
            data.clear();
            return {ReadStatus::kTooLarge, strTooLarge};
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    return {};
}

std::optional<std::string> ReplaceFile(const std::string& strPath,
                                       const std::vector<uint8_t>& data) {
    const std::string strTarget = ResolveLinks(strPath);
    const std::string strDir = DirName(strTarget);
    std::string strTemp = strDir + "/." + BaseName(strTarget) + ".tmp-XXXXXX";

    Descriptor file(::mkostemp(strTemp.data(), O_CLOEXEC));
    if (file.Get() < 0) return ErrorText(errno);
    auto fail = [&](int nErr) {
        ::unlink(strTemp.c_str());
        return std::optional<std::string>(ErrorText(nErr));
    };

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones rather than the temporary file's private mode.
    mode_t nMode = DefaultFileMode();
    struct stat st {};
    if (::stat(strTarget.c_str(), &st) == 0 && S_ISREG(st.st_mode)) nMode = st.st_mode & 07777;
    if (::fchmod(file.Get(), nMode) != 0) return fail(errno);
    if (!WriteAll(file.Get(), data)) return fail(errno);
    if (::fsync(file.Get()) != 0) return fail(errno);
    if (!file.Close()) return fail(errno);
    if (::rename(strTemp.c_str(), strTarget.c_str()) != 0) return fail(errno);

    // Make the rename itself durable; the data is already safe if this fails.
    Descriptor dir(::open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return std::nullopt;
}

bool MakeDirs(const std::string& strDir) {
    struct stat st {};
    if (::stat(strDir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string strParent = DirName(strDir);
    if (strParent != strDir && !MakeDirs(strParent)) return false;
    if (::mkdir(strDir.c_str(), 0700) == 0) return true;
    return errno == EEXIST && ::stat(strDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::gmtime_r(&now, &tm);
    char szStamp[32];
    std::strftime(szStamp, sizeof szStamp, "%Y%m%d-%H%M%S", &tm);
    const std::string strBase = strPath + ".bad-" + szStamp;
    for (int i = 0; i < 1000; ++i) {
        const std::string strName = i == 0 ? strBase : strBase + "-" + std::to_string(i);
        if (RenameNoReplace(strPath, strName)) return strName;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

FileLock::~FileLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}

bool FileLock::Acquire(const std::string& strPath) {
    m_fd = ::open(strPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) m_fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) return false;
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
    }
    return true;
}

}  // namespace fileio
