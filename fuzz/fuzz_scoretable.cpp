// Feeds arbitrary bytes to the score-table decoder: it always gives ten rows
// with terminated names, and Encode/Decode gives the rows back byte for byte.
// The names' UTF-8 cut and the ranking are exercised on the way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/RegFile.h"
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

    // Cutting a name keeps a prefix of at most the limit, losing no more than
    // a partial character (three bytes).
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t nMax = size == 0 ? 0 : data[0] % 40;
    const std::string cut = TruncateUtf8(text, nMax);
    if (text.size() <= nMax && cut != text) std::abort();
    if (text.size() > nMax && (cut.size() > nMax || cut.size() + 3 < nMax)) std::abort();
    if (text.compare(0, cut.size(), cut) != 0) std::abort();
    ScoreEntry e(text, 1);
    std::string want = TruncateUtf8(text, 31);
    want = want.substr(0, want.find('\0'));
    if (e.szName[31] != 0 || e.Name() != want) std::abort();
    return 0;
}
