// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FileRegistry.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace {

std::span<const uint8_t> TextBytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The store file's lines as the text form's reader takes them.
class FileLines : public RegLineSource {
public:
    FileLines(int fd, size_t nMaxLineBytes) : m_reader(fd, nMaxLineBytes) {}
    bool Next(std::string_view& line, bool& bCut) override { return m_reader.Next(line, bCut); }
    const fileio::LineReader& Reader() const { return m_reader; }

private:
    fileio::LineReader m_reader;
};

}  // namespace

CFileRegistry::CFileRegistry(std::string strPath, CodePage cp, KeepFn fnKeep)
    : m_strPath(std::move(strPath)), m_cp(cp), m_fnKeep(std::move(fnKeep)) {
    // Temporary files that a killed write left behind.
    fileio::RemoveStaleTemporaryFiles(fileio::DirName(fileio::ResolveLinks(m_strPath)));
    Reload();
}

bool CFileRegistry::MarkUnreadable() {
    m_fileId = FileId{};
    m_fileId.bUnreadable = true;
    return false;
}

CFileRegistry::FileId CFileRegistry::IdOf(const struct stat& st) {
    FileId id;
    id.bExists = true;
    id.nDev = static_cast<uint64_t>(st.st_dev);
    id.nIno = static_cast<uint64_t>(st.st_ino);
    id.nSize = static_cast<int64_t>(st.st_size);
    id.nMtimeSec = static_cast<int64_t>(st.st_mtim.tv_sec);
    id.nMtimeNsec = static_cast<int64_t>(st.st_mtim.tv_nsec);
    return id;
}

CFileRegistry::FileId CFileRegistry::CurrentFileId() const {
    struct stat st {};
    return stat(m_strPath.c_str(), &st) == 0 ? IdOf(st) : FileId{};
}

mode_t CFileRegistry::LockMode(const std::string& strFile) {
    // Read and written by those who may write the store, and by no one else:
    // any lock, even one taken on a file opened only for reading, would hold
    // off every write. Before there is a store, its owner alone.
    mode_t nMode = S_IRUSR | S_IWUSR;
    struct stat st {};
    if (stat(strFile.c_str(), &st) != 0) return nMode;
    if ((st.st_mode & S_IWGRP) != 0) nMode |= S_IRGRP | S_IWGRP;
    if ((st.st_mode & S_IWOTH) != 0) nMode |= S_IROTH | S_IWOTH;
    return nMode;
}

void CFileRegistry::Notify(StoreNotice::Kind kind, bool bOncePerRun, std::string strDetail,
                           std::string strAside, const RegReadResult* pParsed) {
    if (bOncePerRun && !m_told.insert(kind).second) return;
    StoreNotice notice;
    notice.kind = kind;
    notice.strPath = m_strPath;
    notice.strAside = std::move(strAside);
    notice.strDetail = std::move(strDetail);
    if (pParsed != nullptr) {
        notice.nDropped = pParsed->nDropped;
        notice.dropped = pParsed->dropped;
        notice.nLeftOut = pParsed->nLeftOut;
    }
    m_notices.push_back(std::move(notice));
    if (m_fnNotice) m_fnNotice();
}

std::vector<StoreNotice> CFileRegistry::TakeNotices() {
    return std::exchange(m_notices, {});
}

bool CFileRegistry::CheckTarget(const std::string& strFile) {
    const fileio::PathKind kind = fileio::KindOf(strFile);
    const int nErr = errno;
    switch (kind) {
        case fileio::PathKind::kMissing:
        case fileio::PathKind::kRegular:
            return true;
        case fileio::PathKind::kLink:  // still a link after following: a loop
            Notify(StoreNotice::Kind::kUnreadable, true, fileio::ErrorText(ELOOP));
            return false;
        case fileio::PathKind::kOther:
            Notify(StoreNotice::Kind::kUnreadable, true, "not a regular file");
            return false;
        case fileio::PathKind::kError:
            Notify(StoreNotice::Kind::kUnreadable, true, fileio::ErrorText(nErr));
            return false;
    }
    return false;
}

bool CFileRegistry::WriteKeys(const std::string& strFile, const RegKeys& keys,
                              StoreNotice::Kind failure, const std::string& strAside,
                              const RegReadResult* pParsed) {
    // Written a piece at a time, and never a store that could not be read
    // back: past the limit the write stops and the file stays as it was.
    size_t nWritten = 0;
    bool bTooLarge = false;
    const std::optional<std::string> error =
        fileio::ReplaceFileWith(strFile, [&](const fileio::FileWriter& fnPut) {
            return WriteRegText(keys, [&](std::string_view piece) {
                nWritten += piece.size();
                bTooLarge = nWritten > kMaxStoreBytes;
                return !bTooLarge &&
                       fnPut({reinterpret_cast<const uint8_t*>(piece.data()), piece.size()});
            });
        });
    if (bTooLarge) {
        Notify(StoreNotice::Kind::kWouldBeTooLarge, true);
        return false;
    }
    if (error) {
        Notify(failure, true, *error, strAside, pParsed);
        return false;
    }
    return true;
}

bool CFileRegistry::ReadFile(RegKeys& keys, bool bLocked, const std::string& file) {
    keys.clear();
    fileio::OpenedFile opened = fileio::OpenRegularFile(file);
    switch (opened.result.status) {
        case fileio::ReadStatus::kMissing:
            m_fileId = CurrentFileId();
            return true;
        case fileio::ReadStatus::kOk:
            break;
        case fileio::ReadStatus::kTooLarge:
        case fileio::ReadStatus::kNotRegular:
        case fileio::ReadStatus::kError:
            Notify(StoreNotice::Kind::kUnreadable, true, opened.result.detail);
            return MarkUnreadable();
    }
    m_nFileMode = opened.result.nMode;
    if (static_cast<uint64_t>(opened.st.st_size) > kMaxStoreBytes) {
        return ReadTooLarge(keys, bLocked, file, opened);
    }
    const FileId id = IdOf(opened.st);
    // Line by line: memory holds what is read, not the text as well.
    FileLines lines(opened.file.Get(), kMaxStoreBytes);
    RegReadResult parsed = ReadRegLines(lines, m_cp);
    if (lines.Reader().Error() != 0) {
        keys.clear();
        Notify(StoreNotice::Kind::kUnreadable, true, fileio::ErrorText(lines.Reader().Error()));
        return MarkUnreadable();
    }
    if (lines.Reader().BytesRead() > kMaxStoreBytes) {
        // It grew past the limit while it was read.
        keys.clear();
        opened = fileio::OpenRegularFile(file);
        if (opened.result.status != fileio::ReadStatus::kOk) return MarkUnreadable();
        return ReadTooLarge(keys, bLocked, file, opened);
    }
    keys = std::move(parsed.keys);
    m_fileId = id;
    // An empty file holds nothing that could be lost: it is an empty store.
    if (parsed.IsWhole() || lines.Reader().BytesRead() == 0) return true;

    // Damaged: keep what was read, keep the file as it was aside, and write it
    // again without the bad lines. Without the lock that waits for a write.
    if (!bLocked) return true;
    if (!KeepDamaged(parsed, file, opened)) return false;
    // The copy is kept; a file that cannot be written again is left as it
    // is, and said so once (the next write tries again).
    const bool bRepaired = WriteKeys(file, keys, StoreNotice::Kind::kNotRepaired,
                                     m_strSetAside.value_or(std::string()), &parsed);
    if (bRepaired && m_bNewlyKept) {
        Notify(StoreNotice::Kind::kLinesDropped, false, {}, *m_strSetAside, &parsed);
    }
    m_fileId = CurrentFileId();
    return bRepaired;
}

bool CFileRegistry::KeepDamaged(const RegReadResult& parsed, const std::string& file,
                                const fileio::OpenedFile& opened) {
    const FileId id = IdOf(opened.st);
    m_bNewlyKept = false;
    if (m_keptCopyOf && *m_keptCopyOf == id) return true;
    // One copy of a damaged file, however often it is read: an earlier run may
    // have kept it already, when the file could not be written again.
    std::optional<std::string> aside = fileio::FindCopyAside(file, opened.file.Get());
    if (!aside) aside = fileio::KeepCopyAside(file, opened.file.Get(), m_nFileMode);
    if (!aside) {
        // A damaged file whose copy cannot be kept is never overwritten.
        Notify(StoreNotice::Kind::kDamagedKept, true, fileio::ErrorText(errno), {}, &parsed);
        return MarkUnreadable();
    }
    m_keptCopyOf = id;
    m_strSetAside = aside;
    m_bNewlyKept = true;  // told once the file is written again without the bad lines
    return true;
}

bool CFileRegistry::ReadTooLarge(RegKeys& keys, bool bLocked, const std::string& file,
                                 const fileio::OpenedFile& opened) {
    // Not a store the program made: only the program's own values are read,
    // within what a store may hold, a line at a time.
    RegReadLimits limits;
    limits.fnKeep = m_fnKeep;
    limits.nMaxKeptBytes = kMaxStoreBytes - FormatRegFile({}).size();
    limits.nMaxValueBytes = kMaxStoreBytes;
    FileLines lines(opened.file.Get(), kMaxStoreBytes);
    RegReadResult parsed = ReadRegLines(lines, m_cp, limits);
    keys = std::move(parsed.keys);
    m_fileId = IdOf(opened.st);
    // Without the lock it is left for the next write.
    if (!bLocked) return false;

    // The file as it is stays under another name (a second link, no copy of
    // its bytes); where links cannot be made it is moved there instead.
    bool bLinked = true;
    std::optional<std::string> aside = fileio::LinkAside(file);
    if (!aside && (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK)) {
        bLinked = false;
        aside = fileio::SetAside(file);
    }
    if (!aside) {
        Notify(StoreNotice::Kind::kTooLargeKept, true, fileio::ErrorText(errno));
        return false;
    }
    if (!WriteKeys(file, keys)) {
        // The file stays where it was, as it was.
        if (bLinked) {
            ::unlink(aside->c_str());
        } else {
            fileio::RenameNoReplace(*aside, file);
        }
        return false;
    }
    m_strSetAside = aside;
    Notify(StoreNotice::Kind::kTooLarge, false, {}, *aside, &parsed);
    m_fileId = CurrentFileId();
    return true;
}

void CFileRegistry::ShowWaitingWrites() {
    for (const ChangeFn& fnChange : m_waiting) fnChange(m_keys, nullptr);
    for (const ChangeFn& fnChange : m_batch) fnChange(m_keys, nullptr);
}

void CFileRegistry::Reload() {
    // The lock keeps a second copy from writing between our read and a
    // repair; reading itself needs none (every write replaces the whole
    // file), so a busy lock never makes a read wait. Without a file there is
    // nothing to repair, and no lock file is made.
    const std::string file = fileio::ResolveLinks(m_strPath);
    RegKeys keys;
    if (!CheckTarget(file)) {
        MarkUnreadable();
    } else {
        fileio::FileLock lock;
        const bool bLocked = fileio::KindOf(file) == fileio::PathKind::kRegular &&
                             lock.Acquire(LockPath(file), std::chrono::milliseconds(0),
                                          LockMode(file)) == fileio::FileLock::Result::kLocked;
        ReadFile(keys, bLocked, file);
    }
    m_keys = std::move(keys);
    ShowWaitingWrites();
}

std::optional<RegValue> CFileRegistry::Query(const std::string& strKey,
                                             const std::string& strName) {
    // Another copy of the game may have written since: read again when the
    // file is no longer the one last read.
    const FileId id = CurrentFileId();
    if (m_fileId.bUnreadable || !(id == m_fileId)) Reload();
    return FindValue(m_keys, strKey, strName);
}

bool CFileRegistry::WriteLocked(std::vector<ChangeFn> newChanges, bool bShown,
                                std::chrono::milliseconds wait) {
    // Changes already seen in memory that cannot be written are no longer
    // seen: the keys are read again.
    auto fail = [&] {
        if (bShown && !newChanges.empty()) Reload();
        return false;
    };
    const std::string file = fileio::ResolveLinks(m_strPath);
    if (!CheckTarget(file)) return fail();
    if (!fileio::MakeDirs(fileio::DirName(file))) {
        Notify(StoreNotice::Kind::kCannotWrite, true, fileio::ErrorText(errno));
        return fail();
    }

    fileio::FileLock lock;
    switch (lock.Acquire(LockPath(file), wait, LockMode(file))) {
        case fileio::FileLock::Result::kLocked:
            break;
        case fileio::FileLock::Result::kBusy:
            // Kept, and seen in memory, until the lock is free.
            if (!newChanges.empty()) {
                for (ChangeFn& fnChange : newChanges) {
                    if (!bShown) fnChange(m_keys, nullptr);
                    m_waiting.push_back(std::move(fnChange));
                }
                Notify(StoreNotice::Kind::kLockBusy, true);
            }
            return false;
        case fileio::FileLock::Result::kFailed:
            Notify(StoreNotice::Kind::kCannotWrite, true, fileio::ErrorText(lock.Error()));
            return fail();
    }

    // The keys are changed in place (a store is read into memory once, not
    // twice); when the write fails they are read again from the file. The
    // writes that waited go first, in order; failed or written, they wait
    // no more.
    std::vector<ChangeFn> changes = std::exchange(m_waiting, {});
    for (ChangeFn& fnChange : newChanges) changes.push_back(std::move(fnChange));
    if (!ReadFile(m_keys, true, file)) return false;
    // A change that cannot be made safely (kFail, told) is left out alone.
    bool bWrite = false;
    for (const ChangeFn& fnEach : changes) {
        if (fnEach(m_keys, &file) == Change::kWrite) bWrite = true;
    }
    if (!bWrite) return true;
    if (!WriteKeys(file, m_keys)) {
        ReadFile(m_keys, true, file);
        return false;
    }
    m_fileId = CurrentFileId();
    return true;
}

bool CFileRegistry::Write(ChangeFn fnChange) {
    if (m_bBatch) {
        fnChange(m_keys, nullptr);
        m_batch.push_back(std::move(fnChange));
        return true;
    }
    // While writes wait, the lock was busy a moment ago: a new write joins
    // them at once rather than making the player wait again.
    const std::chrono::milliseconds wait =
        m_waiting.empty() ? m_waits.lock : std::chrono::milliseconds(0);
    std::vector<ChangeFn> changes;
    changes.push_back(std::move(fnChange));
    return WriteLocked(std::move(changes), false, wait);
}

void CFileRegistry::BeginBatch() {
    m_bBatch = true;
}

bool CFileRegistry::EndBatch(std::chrono::milliseconds wait) {
    m_bBatch = false;
    std::vector<ChangeFn> batch = std::exchange(m_batch, {});
    if (!batch.empty() || !m_waiting.empty()) WriteLocked(std::move(batch), true, wait);
    return m_waiting.empty();
}

bool CFileRegistry::RetryWaitingWrites(std::chrono::milliseconds wait) {
    if (m_waiting.empty()) return true;
    WriteLocked({}, true, wait);
    return m_waiting.empty();
}

void CFileRegistry::AbandonWaitingWrites() {
    if (m_waiting.empty()) return;
    m_waiting.clear();
    Notify(StoreNotice::Kind::kNotStored, false);
    Reload();
}

bool CFileRegistry::Apply(const std::vector<RegChange>& changes) {
    if (!AreValidChanges(changes)) return false;
    return Write([changes](RegKeys& keys, const std::string*) {
        ApplyChanges(keys, changes);
        return Change::kWrite;
    });
}

bool CFileRegistry::Update(const std::string& strKey, const std::string& strName,
                           const RegUpdateFn& fn) {
    if (!IsValidKeyPath(strKey) || !IsValidValueName(strName)) return false;
    ChangeFn fnChange = [this, strKey, strName, fn](RegKeys& keys, const std::string* pFile) {
        RegUpdate update = fn(FindValue(keys, strKey, strName));
        if (!update.value) return Change::kNone;
        if (update.bKeepOldAside && pFile != nullptr) {
            // The store as it is now, damaged value and all, in its text form.
            const std::optional<std::string> aside =
                fileio::KeepCopyAside(*pFile, TextBytes(FormatRegFile(keys)), m_nFileMode);
            if (!aside) {
                Notify(StoreNotice::Kind::kCannotWrite, true, fileio::ErrorText(errno));
                return Change::kFail;
            }
            m_strSetAside = aside;
            Notify(StoreNotice::Kind::kScoreKeptAside, false, {}, *aside);
        }
        keys[strKey][strName] = std::move(*update.value);
        return Change::kWrite;
    };
    return Write(std::move(fnChange));
}

std::string CFileRegistry::DefaultPath(const std::string& strCompany, const std::string& strApp) {
    if (const char* p = std::getenv("COILIX_REGISTRY"); p && *p) return p;
    std::string base;
    if (const char* p = std::getenv("XDG_CONFIG_HOME"); p && *p == '/') {
        base = p;
    } else {
        std::string home;
        if (const char* h = std::getenv("HOME"); h && *h) {
            home = h;
        } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
            home = pw->pw_dir;
        }
        base = home + "/.config";
    }
    return base + "/" + strCompany + "/" + strApp + ".reg";
}
