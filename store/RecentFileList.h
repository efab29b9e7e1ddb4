// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

class CProfile;

// The most recently opened or saved files, newest first, kept in the profile
// section "Recent File List" as "File1", "File2", ...
class CRecentFileList {
public:
    explicit CRecentFileList(size_t nSize) : m_nSize(nSize) {}

    void Add(const std::string& strPath);
    void Remove(size_t nIndex);
    const std::vector<std::string>& Files() const { return m_files; }

    void ReadList(CProfile& profile);
    void WriteList(CProfile& profile) const;

private:
    size_t m_nSize;
    std::vector<std::string> m_files;
};
