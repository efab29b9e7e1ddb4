// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Profile.h"

#include "store/Endian.h"

std::string CProfile::GetProfileString(const std::string& strSection, const std::string& strEntry,
                                       const std::string& strDefault) {
    auto value = m_reg.Query(SectionKey(strSection), strEntry);
    if (!value || value->type != RegType::kString) return strDefault;
    return value->str;
}

int32_t CProfile::GetProfileInt(const std::string& strSection, const std::string& strEntry,
                                int32_t nDefault) {
    auto value = m_reg.Query(SectionKey(strSection), strEntry);
    if (!value || value->type != RegType::kDword) return nDefault;
    return static_cast<int32_t>(value->dw);
}

bool CProfile::WriteProfileString(const std::string& strSection, const std::string& strEntry,
                                  const std::string& strValue) {
    return m_reg.Set(SectionKey(strSection), strEntry, RegValue::String(strValue));
}

bool CProfile::WriteProfileInt(const std::string& strSection, const std::string& strEntry,
                               int32_t nValue) {
    return m_reg.Set(SectionKey(strSection), strEntry,
                     RegValue::Dword(static_cast<uint32_t>(nValue)));
}

std::optional<std::vector<uint8_t>> ValueBytes(const RegValue& value, size_t nMaxBytes) {
    std::vector<uint8_t> bytes;
    switch (value.type) {
        case RegType::kString:
            if (value.str.size() >= nMaxBytes) return std::nullopt;
            bytes.assign(value.str.begin(), value.str.end());
            bytes.push_back(0);
            break;
        case RegType::kDword:
            bytes.resize(4);
            PutInt32LE(bytes.data(), static_cast<int32_t>(value.dw));
            break;
        case RegType::kBinary:
            if (value.bin.size() > nMaxBytes) return std::nullopt;
            bytes = value.bin;
            break;
    }
    if (bytes.size() > nMaxBytes) return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> QueryBytes(CRegistry& reg, const std::string& strKey,
                                               const std::string& strName, size_t nMaxBytes) {
    auto value = reg.Query(strKey, strName);
    if (!value) return std::nullopt;
    return ValueBytes(*value, nMaxBytes);
}
