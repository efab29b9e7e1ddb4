// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FileRegistry.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "store/FileIO.h"

namespace {

std::span<const uint8_t> TextBytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

CFileRegistry::CFileRegistry(std::string strPath, CodePage cp)
    : m_strPath(std::move(strPath)), m_cp(cp) {
    // Temporary files that a killed write left behind.
    fileio::RemoveStaleTemporaryFiles(fileio::DirName(fileio::ResolveLinks(m_strPath)));
    Reload();
}

bool CFileRegistry::MarkUnreadable() {
    m_fileId = FileId{};
    m_fileId.bUnreadable = true;
    return false;
}

CFileRegistry::FileId CFileRegistry::CurrentFileId() const {
    FileId id;
    struct stat st;
    if (stat(m_strPath.c_str(), &st) == 0) {
        id.bExists = true;
        id.nDev = static_cast<uint64_t>(st.st_dev);
        id.nIno = static_cast<uint64_t>(st.st_ino);
        id.nSize = static_cast<int64_t>(st.st_size);
        id.nMtimeSec = static_cast<int64_t>(st.st_mtim.tv_sec);
        id.nMtimeNsec = static_cast<int64_t>(st.st_mtim.tv_nsec);
    }
    return id;
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

bool CFileRegistry::ReadFile(RegKeys& keys, bool bLocked, const std::string& file) {
    keys.clear();
    const FileId id = CurrentFileId();
    std::vector<uint8_t> bytes;
    const fileio::ReadResult read = fileio::ReadRegularFile(file, kMaxStoreBytes, bytes);
    switch (read.status) {
        case fileio::ReadStatus::kMissing:
            m_fileId = id;
            return true;
        case fileio::ReadStatus::kOk:
            m_nFileMode = read.nMode;
            break;
        case fileio::ReadStatus::kTooLarge:
            // Not a store; without the lock it is left for the next write.
            if (!bLocked) return MarkUnreadable();
            if (auto aside = fileio::SetAside(file)) {
                m_strSetAside = aside;
                Notify(StoreNotice::Kind::kTooLarge, false, {}, *aside);
                m_fileId = CurrentFileId();
                return true;
            }
            Notify(StoreNotice::Kind::kUnreadable, true, read.detail);
            return MarkUnreadable();
        case fileio::ReadStatus::kNotRegular:
        case fileio::ReadStatus::kError:
            Notify(StoreNotice::Kind::kUnreadable, true, read.detail);
            return MarkUnreadable();
    }
    // An empty file holds nothing that could be lost: it is an empty store.
    if (bytes.empty()) {
        m_fileId = id;
        return true;
    }
    RegReadResult parsed = ReadRegFile(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), m_cp);
    keys = std::move(parsed.keys);
    m_fileId = id;
    if (parsed.IsWhole()) return true;

    // Damaged: keep what was read, keep the file as it was aside, and write it
    // again without the bad lines. Without the lock that waits for a write.
    if (!bLocked) return true;
    if (!(m_keptCopyOf && *m_keptCopyOf == id)) {
        const std::optional<std::string> aside = fileio::KeepCopyAside(file, bytes, m_nFileMode);
        if (!aside) {
            // A damaged file whose copy cannot be kept is never overwritten.
            Notify(StoreNotice::Kind::kDamagedKept, true, fileio::ErrorText(errno), {}, &parsed);
            return MarkUnreadable();
        }
        m_keptCopyOf = id;
        m_strSetAside = aside;
        Notify(StoreNotice::Kind::kLinesDropped, false, {}, *aside, &parsed);
    }
    // When this fails the next write tries again; the copy is kept already.
    if (!fileio::ReplaceFile(file, TextBytes(FormatRegFile(keys)))) m_fileId = CurrentFileId();
    return true;
}

void CFileRegistry::Reload() {
    // The lock keeps a second copy from writing between our read and a
    // repair; reading itself needs none (every write replaces the whole
    // file), so a busy lock never makes a read wait.
    const std::string file = fileio::ResolveLinks(m_strPath);
    RegKeys keys;
    if (!CheckTarget(file)) {
        MarkUnreadable();
    } else {
        fileio::FileLock lock;
        const bool bLocked = lock.Acquire(LockPath(file), std::chrono::milliseconds(0)) ==
                             fileio::FileLock::Result::kLocked;
        ReadFile(keys, bLocked, file);
    }
    m_keys = std::move(keys);
}

std::optional<RegValue> CFileRegistry::Query(const std::string& strKey,
                                             const std::string& strName) {
    // Another copy of the game may have written since: read again when the
    // file is no longer the one last read.
    const FileId id = CurrentFileId();
    if (m_fileId.bUnreadable || !(id == m_fileId)) Reload();
    return FindValue(m_keys, strKey, strName);
}

bool CFileRegistry::WriteLocked(
    const std::function<Change(RegKeys&, const std::string&)>& fnChange) {
    const std::string file = fileio::ResolveLinks(m_strPath);
    if (!CheckTarget(file)) return false;
    if (!fileio::MakeDirs(fileio::DirName(file))) {
        Notify(StoreNotice::Kind::kCannotWrite, true, fileio::ErrorText(errno));
        return false;
    }

    fileio::FileLock lock;
    switch (lock.Acquire(LockPath(file), m_lockWait)) {
        case fileio::FileLock::Result::kLocked:
            break;
        case fileio::FileLock::Result::kBusy:
            Notify(StoreNotice::Kind::kLockBusy, true);
            return false;
        case fileio::FileLock::Result::kFailed:
            Notify(StoreNotice::Kind::kCannotWrite, true, fileio::ErrorText(lock.Error()));
            return false;
    }

    // The keys are changed in place (a store is read into memory once, not
    // twice); when the write fails they are read again from the file.
    const bool bMayWrite = ReadFile(m_keys, true, file);
    if (!bMayWrite) return false;

    switch (fnChange(m_keys, file)) {
        case Change::kWrite:
            break;
        case Change::kNone:
            return true;
        case Change::kFail:
            return false;
    }
    const std::optional<std::string> failure =
        fileio::ReplaceFile(file, TextBytes(FormatRegFile(m_keys)));
    if (failure) {
        Notify(StoreNotice::Kind::kCannotWrite, true, *failure);
        ReadFile(m_keys, true, file);
        return false;
    }
    m_fileId = CurrentFileId();
    return true;
}

bool CFileRegistry::Apply(const std::vector<RegChange>& changes) {
    if (!AreValidChanges(changes)) return false;
    return WriteLocked([&](RegKeys& keys, const std::string&) {
        ApplyChanges(keys, changes);
        return Change::kWrite;
    });
}

bool CFileRegistry::Update(const std::string& strKey, const std::string& strName,
                           const RegUpdateFn& fn) {
    if (!IsValidKeyPath(strKey) || !IsValidValueName(strName)) return false;
    return WriteLocked([&](RegKeys& keys, const std::string& file) {
        RegUpdate update = fn(FindValue(keys, strKey, strName));
        if (!update.value) return Change::kNone;
        if (update.bKeepOldAside) {
            // The store as it is now, damaged value and all, in its text form.
            const std::optional<std::string> aside =
                fileio::KeepCopyAside(file, TextBytes(FormatRegFile(keys)), m_nFileMode);
            if (!aside) {
                Notify(StoreNotice::Kind::kCannotWrite, true, fileio::ErrorText(errno));
                return Change::kFail;
            }
            m_strSetAside = aside;
            Notify(StoreNotice::Kind::kScoreKeptAside, false, {}, *aside);
        }
        keys[strKey][strName] = std::move(*update.value);
        return Change::kWrite;
    });
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
