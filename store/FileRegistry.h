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
#include "store/FileIO.h"
#include "store/RegFile.h"
#include "store/Registry.h"

// Something about the store file the player should be told, with where the
// data is.
struct StoreNotice {
    enum class Kind {
        kUnreadable,    // there but cannot be read (detail): nothing is written to it
        kTooLarge,      // larger than a store can be: kept aside, the program's values read from it
        kTooLargeKept,  // such a file that cannot be kept aside (detail): nothing is written to it
        kLinesDropped,  // lines that could not be read were left out; a copy kept aside
        kDamagedKept,   // such lines, but no copy could be kept: nothing is written to it
        kNotRepaired,   // such lines, a copy kept aside, but the file cannot be written (detail)
        kCannotWrite,   // a write failed (detail): those values are not stored
        kWouldBeTooLarge,  // a write would make the store too large to read: not written
        kLockBusy,         // another program holds the store: the values wait until it is free
        kNotStored,        // the values that waited were given up (the program ends)
        kScoreKeptAside,   // a damaged score table was replaced; the store before kept aside
    };
    Kind kind = Kind::kUnreadable;
    std::string strPath;                  // the store file
    std::string strAside;                 // where a copy was kept, when one was
    std::string strDetail;                // the system's reason, when there is one
    size_t nDropped = 0;                  // lines left out in all
    std::vector<RegDroppedLine> dropped;  // and the first few of them
    size_t nLeftOut = 0;                  // kTooLarge: values not the program's, left out
};

// How long writes wait while another program holds the store, and how often
// the writes that wait are tried again: the program's values, which tests
// make short.
struct StoreWaits {
    std::chrono::milliseconds lock{2000};     // a write while the program runs
    std::chrono::milliseconds retry{1000};    // between tries of the writes that wait
    std::chrono::milliseconds atExit{10000};  // the writes still waiting as it ends
};

// Kept in one text file in the REGEDIT4 text form.
// Every write locks the file, reads it again, changes only the values given
// and replaces the file atomically (temporary file, then rename), so two
// running copies never corrupt it and a crash never leaves half a file.
// A line that cannot be read costs only itself: the rest is kept, a copy of
// the file as it was is kept aside (once), and the file is written again
// without it. A file too large to be a store is kept aside and the program's
// own values are read from it; a write that would make the store too large is
// refused. A write that finds the store locked by another copy waits, in
// memory, and is made as soon as the lock is free. What went wrong is
// collected as notices, each kind of failure once.
class CFileRegistry : public CRegistry {
public:
    // The largest store read, and written. Every score table of every board
    // and speed with the settings, recent files and placement take about
    // 17 MB; a file larger than this was not made by the program alone.
    static constexpr size_t kMaxStoreBytes = size_t{32} << 20;

    // Which values of a store too large to read whole are kept (those of the
    // program itself); all when not given.
    using KeepFn = std::function<bool(const std::string& strKey, const std::string& strName)>;

    // Strings that are not UTF-8 are read in the code page given (see RegFile.h).
    explicit CFileRegistry(std::string strPath, CodePage cp = CodePage::kWestern,
                           KeepFn fnKeep = {});
    std::optional<RegValue> Query(const std::string& strKey, const std::string& strName) override;
    bool Apply(const std::vector<RegChange>& changes) override;
    bool Update(const std::string& strKey, const std::string& strName,
                const RegUpdateFn& fn) override;

    const std::string& Path() const { return m_strPath; }
    // Where a copy of the file was last kept aside, if one was: at start, or
    // later when the file was read again (before a write, or after another
    // copy changed it).
    const std::optional<std::string>& SetAsidePath() const { return m_strSetAside; }

    // Writes that found the store locked by another program wait here, and
    // what they change is seen by Query meanwhile.
    bool HasWaitingWrites() const { return !m_waiting.empty(); }
    // Makes the waiting writes, waiting at most `wait` for the lock. True
    // when none wait any more (written, or failed and told).
    bool RetryWaitingWrites(std::chrono::milliseconds wait);
    // Gives the waiting writes up, telling so.
    void AbandonWaitingWrites();

    // From BeginBatch to EndBatch, writes are seen at once but made together,
    // with those that wait, in one locked read and rewrite of the store as
    // the batch ends (waiting at most `wait` for the lock; a busy lock keeps
    // them waiting). So a program that saves several things as it ends reads
    // and writes a large store once. Writes in a batch report success.
    void BeginBatch();
    // True when nothing is left to write (all written, or failed and told).
    bool EndBatch(std::chrono::milliseconds wait);

    // The notices since they were last taken.
    std::vector<StoreNotice> TakeNotices();
    bool HasNotices() const { return !m_notices.empty(); }
    // Failures already told once are told again from now on (once more): at
    // exit, what failed during the run may fail again.
    void TellAgain() { m_told.clear(); }
    // Called whenever a notice is added, for instance to show it soon.
    void SetNoticeHandler(std::function<void()> fn) { m_fnNotice = std::move(fn); }
    void SetWaits(const StoreWaits& waits) { m_waits = waits; }
    const StoreWaits& Waits() const { return m_waits; }

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

    // A change to the keys: with the file's path (links followed) when it is
    // about to be written, without when it is only to be seen in memory.
    enum class Change { kWrite, kNone, kFail };
    using ChangeFn = std::function<Change(RegKeys&, const std::string* pFile)>;

    // Reads the file again (setting aside or repairing a damaged one only
    // when the lock could be had at once).
    void Reload();
    // Reads strFile (the store's path with its links followed, checked by the
    // caller) into keys, all that can be read. With the lock held, a file too
    // large is kept aside and written again with the program's values, and
    // one with bad lines is copied aside and written again without them.
    // False when the file must not be overwritten: it could not be read, or
    // its damage could not be kept or repaired.
    bool ReadFile(RegKeys& keys, bool bLocked, const std::string& strFile);
    bool ReadTooLarge(RegKeys& keys, bool bLocked, const std::string& strFile,
                      const fileio::OpenedFile& opened);
    // Keeps a copy of a damaged file aside, or finds the one kept before;
    // false (told) when there is none and none can be made.
    bool KeepDamaged(const RegReadResult& parsed, const std::string& strFile,
                     const fileio::OpenedFile& opened);
    // Writes the keys as the file, unless they would be too large to read
    // back; a failure is told (as `failure`). False when the file was not
    // written.
    bool WriteKeys(const std::string& strFile, const RegKeys& keys,
                   StoreNotice::Kind failure = StoreNotice::Kind::kCannotWrite,
                   const std::string& strAside = {}, const RegReadResult* pParsed = nullptr);
    // A write: now, or at the end of the batch.
    bool Write(ChangeFn fnChange);
    // Takes the lock (waiting at most `wait`), reads the file again, makes
    // the waiting writes and then newChanges, and writes the keys back. A
    // busy lock keeps newChanges waiting. bShown: newChanges are already seen
    // in memory. False when nothing could be stored.
    bool WriteLocked(std::vector<ChangeFn> newChanges, bool bShown, std::chrono::milliseconds wait);
    // The waiting writes and the batch, in memory only, after the keys were
    // read again.
    void ShowWaitingWrites();
    bool MarkUnreadable();
    // Whether the path can be a store at all (no folder, device or link loop).
    bool CheckTarget(const std::string& strFile);
    void Notify(StoreNotice::Kind kind, bool bOncePerRun, std::string strDetail = {},
                std::string strAside = {}, const RegReadResult* pParsed = nullptr);
    FileId CurrentFileId() const;
    static FileId IdOf(const struct stat& st);
    // Beside the file itself (links followed), so that a link and its target
    // share it.
    static std::string LockPath(const std::string& strFile) { return strFile + ".lock"; }
    // Who may write the store may lock it, and no one else: the lock file may
    // be read and written by those who may write the store (its owner
    // always).
    static mode_t LockMode(const std::string& strFile);

    std::string m_strPath;
    CodePage m_cp;
    KeepFn m_fnKeep;
    RegKeys m_keys;
    std::optional<std::string> m_strSetAside;
    FileId m_fileId;
    mode_t m_nFileMode = 0600;           // the permissions of the file last read
    std::optional<FileId> m_keptCopyOf;  // a damaged file whose copy is already kept
    bool m_bNewlyKept = false;           // and this read made or found the copy
    StoreWaits m_waits;
    std::vector<ChangeFn> m_waiting;  // writes that found the lock busy, in order
    std::vector<ChangeFn> m_batch;    // writes made when the batch ends, in order
    bool m_bBatch = false;
    std::vector<StoreNotice> m_notices;
    std::set<StoreNotice::Kind> m_told;
    std::function<void()> m_fnNotice;
};
