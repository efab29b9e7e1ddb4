// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/HighScoreTable.h"

#include <algorithm>
#include <cstring>

ScoreEntry::ScoreEntry(const std::string& strNameBytes, int32_t nNewScore) : nScore(nNewScore) {
    SetName(strNameBytes);
}

void ScoreEntry::SetName(const std::string& strNameBytes) {
    std::memset(szName, 0, sizeof szName);
    std::memcpy(szName, strNameBytes.data(), std::min(strNameBytes.size(), sizeof szName - 1));
}

std::string ScoreEntry::Name() const {
    const void* end = std::memchr(szName, 0, sizeof szName);
    const size_t n =
        end ? static_cast<size_t>(static_cast<const char*>(end) - szName) : sizeof szName;
    return std::string(szName, n);
}

int32_t HighScoreTable::GetScoreToBeat(int nRows) const {
    if (GetCount() < nRows || GetCount() == 0) return 0;
    return m_aScores.back().nScore;
}

int HighScoreTable::InsertScore(int32_t nScore, int nMaxRows) {
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        if (m_aScores[static_cast<size_t>(i)].nScore < nScore) {
            m_aScores.insert(m_aScores.begin() + i, ScoreEntry("", nScore));
            while (GetCount() > std::max(nMaxRows, 0)) m_aScores.pop_back();
            // Only a limit below the table's own size could drop the new row.
            return i < GetCount() ? i : -1;
        }
    }
    if (nCount >= nMaxRows) return -1;
    m_aScores.push_back(ScoreEntry("", nScore));
    return nCount;
}
