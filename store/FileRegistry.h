// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/CodePage.h"
#include "store/RegFile.h"
#include "store/Registry.h"

// Something about the store file the player should be told, with where the
// data is.
struct StoreNotice {
    enum class Kind {
        kUnreadable,      // there but cannot be read (detail): nothing is written to it
        kTooLarge,        // far larger than any store: moved aside, defaults used
        kLinesDropped,    // lines that could not be read were left out; a copy kept aside
        kDamagedKept,     // such lines, but no copy could be kept: nothing is written to it
        kCannotWrite,     // a write failed (detail): those values are not stored
        kLockBusy,        // another program held the store: those values are not stored
        kScoreKeptAside,  // a damaged score table was replaced; the store before kept aside
    };
    Kind kind = Kind::kUnreadable;
    std::string strPath;                  // the store file
    std::string strAside;                 // where a copy was kept, when one was
    std::string strDetail;                // the system's reason, when there is one
    size_t nDropped = 0;                  // kLinesDropped, kDamagedKept: lines left out in all
    std::vector<RegDroppedLine> dropped;  // and the first few of them
};

// Kept in one text file in the registry editor's export format (REGEDIT4).
// Every write locks the file, reads it again, changes only the values given
// and replaces the file atomically (temporary file, then rename), so two
// running copies never corrupt it and a crash never leaves half a file.
// A line that cannot be read costs only itself: the rest is kept, a copy of
// the file as it was is kept aside, and the file is written again without it.
// A file far too large to be a store is moved aside. What went wrong is
// collected as notices, each kind of failure once.
class CFileRegistry : public CRegistry {
public:
    // A real store is a few kilobytes; anything much larger is not one.
    static constexpr size_t kMaxStoreBytes = size_t{2} << 20;
    // How long a write waits while another copy of the program holds the store.
    static constexpr std::chrono::milliseconds kDefaultLockWait{2000};

    // Strings that are not UTF-8 are read in the code page given (see RegFile.h).
    explicit CFileRegistry(std::string strPath, CodePage cp = CodePageFromEnvironment());
    std::optional<RegValue> Query(const std::string& strKey, const std::string& strName) override;
    bool Apply(const std::vector<RegChange>& changes) override;
    bool Update(const std::string& strKey, const std::string& strName,
                const RegUpdateFn& fn) override;

    const std::string& Path() const { return m_strPath; }
    // Where a copy of the file was last kept aside, if one was: at start, or
    // later when the file was read again (before a write, or after another
    // copy changed it).
    const std::optional<std::string>& SetAsidePath() const { return m_strSetAside; }

    // The notices since they were last taken.
    std::vector<StoreNotice> TakeNotices();
    bool HasNotices() const { return !m_notices.empty(); }
    // Called whenever a notice is added, for instance to show it soon.
    void SetNoticeHandler(std::function<void()> fn) { m_fnNotice = std::move(fn); }
    void SetLockWait(std::chrono::milliseconds wait) { m_lockWait = wait; }

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

    // Reads the file again (setting aside or repairing a damaged one only
    // when the lock could be had at once).
    void Reload();
    // Reads strFile (the store's path with its links followed, checked by the
    // caller) into keys, all that can be read. With the lock held, a file far
    // too large is moved aside and one with bad lines is copied aside and
    // written again without them. False when the file must not be
    // overwritten: it could not be read, or its damage could not be kept.
    bool ReadFile(RegKeys& keys, bool bLocked, const std::string& strFile);
    // Takes the lock, reads the file again, lets fnChange change the keys and
    // writes them back when it says so. False when nothing could be stored.
    // fnChange is also given the file's path, links followed.
    enum class Change { kWrite, kNone, kFail };
    bool WriteLocked(const std::function<Change(RegKeys&, const std::string&)>& fnChange);
    bool MarkUnreadable();
    // Whether the path can be a store at all (no folder, device or link loop).
    bool CheckTarget(const std::string& strFile);
    void Notify(StoreNotice::Kind kind, bool bOncePerRun, std::string strDetail = {},
                std::string strAside = {}, const RegReadResult* pParsed = nullptr);
    FileId CurrentFileId() const;
    // Beside the file itself (links followed), so that a link and its target
    // share it.
    static std::string LockPath(const std::string& strFile) { return strFile + ".lock"; }

    std::string m_strPath;
    CodePage m_cp;
    RegKeys m_keys;
    std::optional<std::string> m_strSetAside;
    FileId m_fileId;
    mode_t m_nFileMode = 0600;           // the permissions of the file last read
    std::optional<FileId> m_keptCopyOf;  // a damaged file whose copy is already kept
    std::chrono::milliseconds m_lockWait = kDefaultLockWait;
    std::vector<StoreNotice> m_notices;
    std::set<StoreNotice::Kind> m_told;
    std::function<void()> m_fnNotice;
};
