// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/Registry.h"

// The application's profile: values under "Software\<company>\<app>\<section>",
// as the framework's profile calls read and write them. A missing value, or one
// of another type, yields the default.
class CProfile {
public:
    CProfile(CRegistry& reg, std::string strAppKey)
        : m_reg(reg), m_strAppKey(std::move(strAppKey)) {}

    // "Software\<company>\<app>", the application key of a program.
    static std::string AppKeyPath(const std::string& strCompany, const std::string& strApp) {
        return "Software\\" + strCompany + "\\" + strApp;
    }

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
// The same for a value already read.
std::optional<std::vector<uint8_t>> ValueBytes(const RegValue& value, size_t nMaxBytes);
