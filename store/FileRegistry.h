#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/Registry.h"

// Kept in one text file in the registry editor's export format (REGEDIT4).
// Every Apply locks the file, reads it again, changes only the values given
// and replaces the file atomically (temporary file, then rename), so two
// running copies never corrupt it and a crash never leaves half a file.
// A file that cannot be parsed is set aside under a new name and the store
// starts empty.
class CFileRegistry : public CRegistry {
public:
    explicit CFileRegistry(std::string strPath);
    std::optional<RegValue> Query(const std::string& strKey, const std::string& strName) override;
    bool Apply(const std::vector<RegChange>& changes) override;

    const std::string& Path() const { return m_strPath; }
    // Where an unreadable file was moved, if one was: at start, or later when
    // the file was read again (before a write, or after another copy changed it).
    const std::optional<std::string>& SetAsidePath() const { return m_strSetAside; }

    // The store file: $COILIX_REGISTRY when set, else
    // ${XDG_CONFIG_HOME:-$HOME/.config}/<company>/<app>.reg.
    static std::string DefaultPath(const std::string& strCompany, const std::string& strApp);

private:
    // What identifies the file last read, so that a change by another copy of
    // the game is noticed (every write replaces the file: new inode).
    struct FileId {
        bool bExists = false;
        bool bUnreadable = false;
        uint64_t nDev = 0;
        uint64_t nIno = 0;
        int64_t nSize = 0;
        int64_t nMtimeSec = 0;
        int64_t nMtimeNsec = 0;
        bool operator==(const FileId&) const = default;
    };

    // Reads the file again under the lock (setting a damaged one aside).
    void Reload();
    // Reads the file into keys; the caller holds the lock. False when the
    // file exists but can be neither read nor set aside: it must then not be
    // overwritten.
    bool ReadLocked(RegKeys& keys);
    FileId CurrentFileId() const;
    std::string LockPath() const;

    std::string m_strPath;
    RegKeys m_keys;
    std::optional<std::string> m_strSetAside;
    FileId m_fileId;
};
