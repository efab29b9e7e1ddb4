// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the score-table decoder: it always gives ten rows
// with terminated names, and Encode/Decode gives the rows back byte for byte.
// The names' code pages, entering a score under a store's update and the
// ranking are exercised on the way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "store/CodePage.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"

namespace {

bool SameRows(const std::vector<ScoreEntry>& a, const std::vector<ScoreEntry>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof(ScoreEntry)) != 0) return false;
    }
    return true;
}

void CheckRows(const std::vector<ScoreEntry>& rows) {
    if (rows.size() != 10) std::abort();
    for (const ScoreEntry& e : rows) {
        if (std::memchr(e.szName, 0, sizeof e.szName) == nullptr) std::abort();
        if (e.Name().size() > 31) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<ScoreEntry> rows = DecodeScoreTable(data, size);
    CheckRows(rows);

    const std::vector<uint8_t> encoded = EncodeScoreTable(rows);
    if (encoded.size() != 396) std::abort();
    for (size_t i = 364; i < 396; ++i) {
        if (encoded[i] != 0) std::abort();
    }
    const std::vector<ScoreEntry> decoded = DecodeScoreTable(encoded.data(), encoded.size());
    if (!SameRows(rows, decoded)) std::abort();

    // Through a store, with the size and type rules of Load.
    CMemoryRegistry reg;
    reg.Set("Software\\Halvorn\\Coilix", ScoreValueName(17, 13, 250),
            RegValue::Binary(std::vector<uint8_t>(data, data + size)));
    HighScoreTable table;
    LoadScoreTable(table, reg, "Software\\Halvorn\\Coilix", 17, 13, 250);
    if (size > 396) {
        if (table.GetCount() != 0) std::abort();
    } else {
        if (!SameRows(table.m_aScores, rows)) std::abort();
    }

    // Ranking keeps the limit, and on rows in rank order the order and the
    // rule that only a score above the one to beat enters.
    if (size >= 4) {
        int32_t nScore;
        std::memcpy(&nScore, data, 4);
        bool bSorted = true;
        for (size_t i = 1; i < rows.size(); ++i) bSorted &= rows[i - 1].nScore >= rows[i].nScore;
        HighScoreTable t;
        t.m_aScores = rows;
        const int32_t nToBeat = t.GetScoreToBeat(10);
        if (nToBeat != rows.back().nScore) std::abort();
        const int nRow = t.InsertScore(nScore, 10);
        if (t.GetCount() != 10) std::abort();
        if (nRow >= 0 && t.GetRow(nRow).nScore != nScore) std::abort();
        if (nRow < 0 && !SameRows(t.m_aScores, rows)) std::abort();
        if (bSorted) {
            if ((nRow >= 0) != (nScore > nToBeat)) std::abort();
            for (int i = 1; i < t.GetCount(); ++i) {
                if (t.GetRow(i - 1).nScore < t.GetRow(i).nScore) std::abort();
            }
        }
    }

    // Names: every byte is a letter of the code page and comes back as it
    // was; text is cut to the letters a row holds.
    const CodePage cp =
        size > 0 && data[0] % 2 == 1 ? CodePage::kCentralEuropean : CodePage::kWestern;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeToUtf8(bytes, cp);
    if (!IsValidUtf8(text) || EncodeFromUtf8(text, cp) != bytes) std::abort();
    const size_t nMax = size == 0 ? 0 : data[0] % 40;
    if (EncodeFromUtf8(bytes, cp, nMax).size() > nMax) std::abort();
    ScoreEntry e;
    SetRowName(e, bytes, cp);
    if (e.szName[31] != 0 || e.Name().size() > 31) std::abort();
    if (!IsValidUtf8(RowName(e, cp))) std::abort();
    for (const ScoreEntry& row : rows) {
        if (EncodeFromUtf8(RowName(row, cp), cp) != row.Name()) std::abort();
    }

    // Entering a row into whatever is stored keeps the table ranked and at
    // most ten rows, and stores what it returns.
    if (size >= 4) {
        std::memcpy(&e.nScore, data, 4);
        HighScoreTable t;
        const int nRow = EnterScore(t, reg, "Software\\Halvorn\\Coilix", 17, 13, 250, e);
        if (t.GetCount() > 10 || (nRow >= 0 && std::memcmp(&t.GetRow(nRow), &e, sizeof e) != 0)) {
            std::abort();
        }
        HighScoreTable stored;
        LoadScoreTable(stored, reg, "Software\\Halvorn\\Coilix", 17, 13, 250);
        if (nRow >= 0 && !SameRows(std::vector<ScoreEntry>(stored.m_aScores.begin(),
                                                           stored.m_aScores.begin() + t.GetCount()),
                                   t.m_aScores)) {
            std::abort();
        }
    }
    return 0;
}
