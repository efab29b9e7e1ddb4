// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Registry.h"

#include "store/Ascii.h"

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = LowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = LowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

bool IsValidKeyPath(std::string_view path) {
    if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
    if (path.find('\n') != std::string_view::npos) return false;
    return path.find("\\\\") == std::string_view::npos;
}

bool IsValidValueName(std::string_view name) {
    return name.find('\n') == std::string_view::npos;
}

bool IsValidChange(const RegChange& change) {
    return IsValidKeyPath(change.strKey) && IsValidValueName(change.strName);
}

bool IsSameOrSubKey(std::string_view strKey, std::string_view strParent) {
    if (!StartsWithNoCase(strKey, strParent)) return false;
    return strKey.size() == strParent.size() || strKey[strParent.size()] == '\\';
}

void ApplyChanges(RegKeys& keys, const std::vector<RegChange>& changes) {
    for (const RegChange& change : changes) {
        if (change.value) {
            keys[change.strKey][change.strName] = *change.value;
        } else {
            auto it = keys.find(change.strKey);
            if (it != keys.end()) it->second.erase(change.strName);
        }
    }
}

bool AreValidChanges(const std::vector<RegChange>& changes) {
    for (const RegChange& change : changes) {
        if (!IsValidChange(change)) return false;
    }
    return true;
}

std::optional<RegValue> FindValue(const RegKeys& keys, const std::string& strKey,
                                  const std::string& strName) {
    auto key = keys.find(strKey);
    if (key == keys.end()) return std::nullopt;
    auto value = key->second.find(strName);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

std::optional<RegValue> CMemoryRegistry::Query(const std::string& strKey,
                                               const std::string& strName) {
    return FindValue(m_keys, strKey, strName);
}

bool CMemoryRegistry::Apply(const std::vector<RegChange>& changes) {
    if (!AreValidChanges(changes)) return false;
    ApplyChanges(m_keys, changes);
    return true;
}

bool CRegistry::Update(const std::string& strKey, const std::string& strName,
                       const RegUpdateFn& fn) {
    // Within one program nothing writes between the two steps.
    RegUpdate update = fn(Query(strKey, strName));
    if (!update.value) return true;
    return Set(strKey, strName, std::move(*update.value));
}
