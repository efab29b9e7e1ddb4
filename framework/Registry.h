#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The per-user store of settings and score tables: keys under
// HKEY_CURRENT_USER, each holding named values of three types. Key paths are
// relative to HKEY_CURRENT_USER and use backslashes ("Software\Halvorn\Coilix").
enum class RegType : uint32_t {
    kString = 1,  // REG_SZ, UTF-8 text
    kBinary = 3,  // REG_BINARY
    kDword = 4,   // REG_DWORD
};

struct RegValue {
    RegType type = RegType::kString;
    std::string str;           // kString
    uint32_t dw = 0;           // kDword
    std::vector<uint8_t> bin;  // kBinary

    static RegValue String(std::string s) { return {RegType::kString, std::move(s), 0, {}}; }
    static RegValue Dword(uint32_t n) { return {RegType::kDword, {}, n, {}}; }
    static RegValue Binary(std::vector<uint8_t> b) {
        return {RegType::kBinary, {}, 0, std::move(b)};
    }
    bool operator==(const RegValue&) const = default;
};

// key path -> value name -> value. Key paths compare without regard to ASCII
// case, as the registry's do; value names likewise.
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
using RegValues = std::map<std::string, RegValue, CaseInsensitiveLess>;
using RegKeys = std::map<std::string, RegValues, CaseInsensitiveLess>;

// One write: set (value present) or delete (value absent) a named value.
struct RegChange {
    std::string strKey;
    std::string strName;
    std::optional<RegValue> value;
};

class CRegistry {
public:
    virtual ~CRegistry() = default;
    // The value as stored, or nothing when the key or the value is missing.
    virtual std::optional<RegValue> Query(const std::string& strKey,
                                          const std::string& strName) = 0;
    // Applies the changes together; false when they could not be stored
    // (callers of the profile ignore that, as the settings rules say).
    virtual bool Apply(const std::vector<RegChange>& changes) = 0;
    bool Set(const std::string& strKey, const std::string& strName, RegValue v) {
        return Apply({RegChange{strKey, strName, std::move(v)}});
    }
};

// Held in memory only: for tests and the headless driver.
class CMemoryRegistry : public CRegistry {
public:
    std::optional<RegValue> Query(const std::string& strKey, const std::string& strName) override;
    bool Apply(const std::vector<RegChange>& changes) override;
    RegKeys& Keys() { return m_keys; }

private:
    RegKeys m_keys;
};

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
    // ${XDG_CONFIG_HOME:-$HOME/.config}/Halvorn/Coilix.reg.
    static std::string DefaultPath();

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

// The text form of a whole store, and its parser. ParseRegFile returns nothing
// when the text is not a well-formed REGEDIT4 file.
std::string FormatRegFile(const RegKeys& keys);
std::optional<RegKeys> ParseRegFile(const std::string& text);

// The application's profile: values under "Software\<company>\<app>\<section>",
// as the framework's profile calls read and write them. A missing value, or one
// of another type, yields the default.
class CProfile {
public:
    CProfile(CRegistry& reg, std::string strAppKey)
        : m_reg(reg), m_strAppKey(std::move(strAppKey)) {}

    std::string GetProfileString(const std::string& strSection, const std::string& strEntry,
                                 const std::string& strDefault = {});
    int32_t GetProfileInt(const std::string& strSection, const std::string& strEntry,
                          int32_t nDefault);
    bool WriteProfileString(const std::string& strSection, const std::string& strEntry,
                            const std::string& strValue);
    bool WriteProfileInt(const std::string& strSection, const std::string& strEntry,
                         int32_t nValue);

    const std::string& AppKey() const { return m_strAppKey; }
    std::string SectionKey(const std::string& strSection) const {
        return m_strAppKey + "\\" + strSection;
    }
    CRegistry& Registry() { return m_reg; }

private:
    CRegistry& m_reg;
    std::string m_strAppKey;
};

// Reads a value of any type as raw bytes into a buffer of nMaxBytes, as the
// registry's query with a fixed buffer does: a longer value fails (nothing);
// a shorter one gives only its own bytes. Strings give their bytes plus the
// terminating zero, dwords their four little-endian bytes.
std::optional<std::vector<uint8_t>> QueryBytes(CRegistry& reg, const std::string& strKey,
                                               const std::string& strName, size_t nMaxBytes);
