#include "framework/Document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

// No saved document comes anywhere near this; a larger file is refused before
// it is read so that it cannot exhaust memory.
constexpr size_t kMaxDocumentBytes = size_t{64} << 20;

std::string ErrorText(int nErr) {
    return std::strerror(nErr);
}

// Closes the descriptor when the scope ends, unless it was released.
class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
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

struct ReadFailure {
    FileError error;
    std::string detail;
};

// Reads a whole regular file into `data`. Devices, pipes and directories are
// refused so that an open never blocks or reads without end.
std::optional<ReadFailure> ReadWholeFile(const std::string& strPath, std::vector<uint8_t>& data) {
    FileHandle file(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        return ReadFailure{FileError::kCannotOpen, ErrorText(errno)};
    }
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) {
        return ReadFailure{FileError::kCannotOpen, ErrorText(errno)};
    }
    if (S_ISDIR(st.st_mode)) {
        return ReadFailure{FileError::kCannotOpen, ErrorText(EISDIR)};
    }
    if (!S_ISREG(st.st_mode)) {
        return ReadFailure{FileError::kCannotOpen, "not a regular file"};
    }
    const std::string strTooLarge = "the file is larger than any saved document";
    if (static_cast<uint64_t>(st.st_size) > kMaxDocumentBytes) {
        return ReadFailure{FileError::kBadFormat, strTooLarge};
    }
    data.clear();
    data.reserve(static_cast<size_t>(st.st_size));
    uint8_t buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadFailure{FileError::kCannotOpen, ErrorText(errno)};
        }
        if (n == 0) {
            break;
        }
        // The file may have grown since fstat.
        if (data.size() + static_cast<size_t>(n) > kMaxDocumentBytes) {
            return ReadFailure{FileError::kBadFormat, strTooLarge};
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    return std::nullopt;
}

bool WriteAll(int fd, const std::vector<uint8_t>& data) {
    size_t nDone = 0;
    while (nDone < data.size()) {
        const ssize_t n = ::write(fd, data.data() + nDone, data.size() - nDone);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
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

// Writes `data` to a temporary file beside `strPath`, flushes it to the disk
// and renames it over `strPath`. On failure the temporary file is removed,
// `strPath` is untouched and the system's explanation is returned.
std::optional<std::string> ReplaceFileContents(const std::string& strPath,
                                               const std::vector<uint8_t>& data) {
    // Saving through a symbolic link replaces the file it names, not the link.
    std::string strTarget = strPath;
    struct stat st {};
    if (::lstat(strPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* pResolved = ::realpath(strPath.c_str(), nullptr)) {
            strTarget = pResolved;
            std::free(pResolved);
        }
    }

    const size_t nSlash = strTarget.rfind('/');
    const std::string strDir = nSlash == std::string::npos ? "." : strTarget.substr(0, nSlash + 1);
    const std::string strBase =
        nSlash == std::string::npos ? strTarget : strTarget.substr(nSlash + 1);
    std::string strTemp =
        (nSlash == std::string::npos ? std::string() : strDir) + "." + strBase + ".XXXXXX";

    FileHandle file(::mkostemp(strTemp.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        return ErrorText(errno);
    }
    auto fail = [&](int nErr) {
        ::unlink(strTemp.c_str());
        return std::optional<std::string>(ErrorText(nErr));
    };

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones rather than the temporary file's private mode.
    mode_t nMode = DefaultFileMode();
    if (::stat(strTarget.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        nMode = st.st_mode & 07777;
    }
    if (::fchmod(file.Get(), nMode) != 0) {
        return fail(errno);
    }
    if (!WriteAll(file.Get(), data)) {
        return fail(errno);
    }
    if (::fsync(file.Get()) != 0) {
        return fail(errno);
    }
    if (!file.Close()) {
        return fail(errno);
    }
    if (::rename(strTemp.c_str(), strTarget.c_str()) != 0) {
        return fail(errno);
    }
    // Make the rename itself durable; the data is already safe if this fails.
    FileHandle dir(::open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
    return std::nullopt;
}

}  // namespace

bool CDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& strPath) {
    m_lastError.reset();

    // Everything is read before the current contents are touched, so a file
    // that cannot be read leaves the document as it was.
    std::vector<uint8_t> data;
    try {
        if (auto failure = ReadWholeFile(strPath, data)) {
            ReportError(failure->error, strPath, failure->detail);
            return false;
        }
    } catch (const std::bad_alloc&) {
        ReportError(FileError::kOutOfMemory, strPath, ErrorText(ENOMEM));
        return false;
    }

    DeleteContents();
    // Modified while reading: if reading fails, the caller sees a cleared
    // document and knows it must set up a fresh one.
    SetModifiedFlag(true);

    FileError error = FileError::kBadFormat;
    std::string strDetail;
    if (data.empty()) {
        strDetail = "the file is empty";
    } else {
        try {
            CArchive ar = CArchive::ForLoading(data);
            Serialize(ar);
            SetModifiedFlag(false);
            return true;
        } catch (const CArchiveException& e) {
            error = e.Cause() == ArchiveError::kMemory ? FileError::kOutOfMemory
                                                       : FileError::kBadFormat;
            strDetail = e.what();
        } catch (const std::bad_alloc&) {
            error = FileError::kOutOfMemory;
            strDetail = ErrorText(ENOMEM);
        } catch (const std::length_error&) {
            error = FileError::kOutOfMemory;
            strDetail = ErrorText(ENOMEM);
        }
    }
    DeleteContents();
    ReportError(error, strPath, strDetail);
    return false;
}

bool CDocument::OnSaveDocument(const std::string& strPath) {
    m_lastError.reset();

    std::vector<uint8_t> data;
    try {
        CArchive ar = CArchive::ForStoring(data);
        Serialize(ar);
    } catch (const CArchiveException& e) {
        ReportError(FileError::kCannotSave, strPath, e.what());
        return false;
    } catch (const std::bad_alloc&) {
        ReportError(FileError::kCannotSave, strPath, ErrorText(ENOMEM));
        return false;
    }

    if (auto strFailure = ReplaceFileContents(strPath, data)) {
        ReportError(FileError::kCannotSave, strPath, *strFailure);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::ReportError(FileError error, const std::string& strPath,
                            const std::string& strDetail) {
    m_lastError = FileErrorReport{error, strPath, strDetail};
    if (m_fnReport) {
        m_fnReport(*m_lastError);
    }
}

bool OpenDocumentFile(CDocument& doc, const std::string& strPath, bool& bReplaced) {
    bReplaced = false;
    if (doc.OnOpenDocument(strPath)) {
        doc.SetPathName(strPath);
        return true;
    }
    // The file was read only in part and the document has been cleared: a
    // fresh document with the default title takes its place.
    if (doc.IsModified()) {
        doc.SetPathName(std::string());
        bReplaced = doc.OnNewDocument();
    }
    return false;
}
