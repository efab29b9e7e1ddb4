// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The per-user store of settings and score tables: keys under
// HKEY_CURRENT_USER, each holding named values of three types. Key paths are
// relative to HKEY_CURRENT_USER and use backslashes ("Software\Halvorn\Coilix").
enum class RegType : uint32_t {
    kString = 1,  // REG_SZ: UTF-8 text, or bytes kept as they are (a file path)
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

// What an update makes of a value it has read.
struct RegUpdate {
    std::optional<RegValue> value;  // the new value; nothing writes nothing
    // The value read is damaged and is about to be replaced: keep a copy of
    // the store as it was before writing, where the store can.
    bool bKeepOldAside = false;
};
using RegUpdateFn = std::function<RegUpdate(const std::optional<RegValue>& current)>;

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
    // Reads a value and writes what fn makes of it, with no write of another
    // copy of the program in between (the file store holds its lock from the
    // read to the write). False when the new value could not be stored.
    virtual bool Update(const std::string& strKey, const std::string& strName,
                        const RegUpdateFn& fn);
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

// Names the text form can hold, and every store accepts: a key path is not
// empty, has no empty component (no leading, trailing or doubled backslash)
// and is on one line; a value name is on one line ("" is the key's default
// value).
bool IsValidKeyPath(std::string_view path);
bool IsValidValueName(std::string_view name);
bool IsValidChange(const RegChange& change);
// Whether a key is strParent itself or lies under it (case ignored).
bool IsSameOrSubKey(std::string_view strKey, std::string_view strParent);
bool AreValidChanges(const std::vector<RegChange>& changes);
// Sets or deletes the values the changes name.
void ApplyChanges(RegKeys& keys, const std::vector<RegChange>& changes);
// The value named, or nothing when the key or the value is missing.
std::optional<RegValue> FindValue(const RegKeys& keys, const std::string& strKey,
                                  const std::string& strName);
