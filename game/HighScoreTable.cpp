#include "game/HighScoreTable.h"

#include <algorithm>
#include <cstring>

std::string TruncateUtf8(const std::string& s, size_t nMaxBytes) {
    if (s.size() <= nMaxBytes) return s;
    auto isContinuation = [&](size_t i) {
        return (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
    };
    size_t cut = nMaxBytes;
    if (isContinuation(cut)) {
        // Find the lead byte of the character that s[cut] continues (at most
        // three bytes back); cut before it when the character does not fit.
        size_t k = cut;
        while (k > 0 && cut - k < 3 && isContinuation(k)) --k;
        if (!isContinuation(k)) {
            const unsigned char lead = static_cast<unsigned char>(s[k]);
            const size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (k + len > cut) cut = k;
        }
    }
    return s.substr(0, cut);
}

ScoreEntry::ScoreEntry(const std::string& strName, int32_t nNewScore) : nScore(nNewScore) {
    SetName(strName);
}

void ScoreEntry::SetName(const std::string& strName) {
    const std::string name = TruncateUtf8(strName, sizeof szName - 1);
    std::memset(szName, 0, sizeof szName);
    std::memcpy(szName, name.data(), name.size());
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
