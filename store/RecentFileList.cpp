// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecentFileList.h"

#include <algorithm>

#include "store/Profile.h"

namespace {
constexpr const char* kSection = "Recent File List";
std::string EntryName(size_t i) {
    return "File" + std::to_string(i + 1);
}
}  // namespace

void CRecentFileList::Add(const std::string& strPath) {
    if (strPath.empty()) return;
    std::erase(m_files, strPath);
    m_files.insert(m_files.begin(), strPath);
    if (m_files.size() > m_nSize) m_files.resize(m_nSize);
}

void CRecentFileList::Remove(size_t nIndex) {
    if (nIndex < m_files.size())
        m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(nIndex));
}

void CRecentFileList::ReadList(CProfile& profile) {
    m_files.clear();
    for (size_t i = 0; i < m_nSize; ++i) {
        std::string strPath = profile.GetProfileString(kSection, EntryName(i));
        if (!strPath.empty() &&
            std::find(m_files.begin(), m_files.end(), strPath) == m_files.end()) {
            m_files.push_back(std::move(strPath));
        }
    }
}

void CRecentFileList::WriteList(CProfile& profile) const {
    // One write for the whole list; entries past its end are removed.
    std::vector<RegChange> changes;
    const std::string strKey = profile.SectionKey(kSection);
    for (size_t i = 0; i < m_nSize; ++i) {
        RegChange change{strKey, EntryName(i), std::nullopt};
        if (i < m_files.size()) change.value = RegValue::String(m_files[i]);
        changes.push_back(std::move(change));
    }
    profile.Registry().Apply(changes);
}
