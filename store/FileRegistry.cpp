#include "store/FileRegistry.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "store/FileIO.h"
#include "store/RegFile.h"

namespace {

// A real store is a few kilobytes; anything much larger is not one.
constexpr size_t kMaxStoreBytes = size_t{4} << 20;

}  // namespace

CFileRegistry::CFileRegistry(std::string strPath) : m_strPath(std::move(strPath)) {
    Reload();
}

// Beside the file itself, so that a symbolic link and its target share it.
std::string CFileRegistry::LockPath() const {
    return fileio::ResolveLinks(m_strPath) + ".lock";
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

bool CFileRegistry::ReadLocked(RegKeys& keys) {
    keys.clear();
    const std::string file = fileio::ResolveLinks(m_strPath);
    const FileId id = CurrentFileId();
    std::vector<uint8_t> bytes;
    switch (fileio::ReadRegularFile(file, kMaxStoreBytes, bytes).status) {
        case fileio::ReadStatus::kMissing:
            m_fileId = id;
            return true;
        case fileio::ReadStatus::kOk:
            break;
        case fileio::ReadStatus::kTooLarge:
        case fileio::ReadStatus::kNotRegular:
        case fileio::ReadStatus::kError:
            m_fileId = FileId{};
            m_fileId.bUnreadable = true;
            return false;
    }
    const std::string text(bytes.begin(), bytes.end());
    // An empty file holds nothing that could be lost: it is an empty store.
    if (text.empty()) {
        m_fileId = id;
        return true;
    }
    if (auto parsed = ParseRegFile(text)) {
        keys = std::move(*parsed);
        m_fileId = id;
        return true;
    }
    // Damaged: keep it under a new name and go on with an empty store. When
    // it cannot be moved it must not be overwritten either.
    if (auto aside = fileio::SetAside(file)) {
        m_strSetAside = std::move(aside);
        m_fileId = CurrentFileId();
        return true;
    }
    m_fileId = FileId{};
    m_fileId.bUnreadable = true;
    return false;
}

void CFileRegistry::Reload() {
    // The lock keeps a second copy from writing between our read and a
    // set-aside. Without a folder there is no file and nothing to lock.
    fileio::FileLock lock;
    lock.Acquire(LockPath());
    RegKeys keys;
    ReadLocked(keys);
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

bool CFileRegistry::Apply(const std::vector<RegChange>& changes) {
    if (!AreValidChanges(changes)) return false;
    const std::string file = fileio::ResolveLinks(m_strPath);
    if (!fileio::MakeDirs(fileio::DirName(file))) return false;

    fileio::FileLock lock;
    if (!lock.Acquire(LockPath())) return false;

    RegKeys keys;
    const bool bRead = ReadLocked(keys);
    m_keys = keys;
    if (!bRead) return false;

    ApplyChanges(keys, changes);
    const std::string text = FormatRegFile(keys);
    if (fileio::ReplaceFile(file, std::vector<uint8_t>(text.begin(), text.end()))) return false;
    m_keys = std::move(keys);
    m_fileId = CurrentFileId();
    return true;
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
