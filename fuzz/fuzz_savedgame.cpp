// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the saved-game loader. A file is either refused
// with an archive error or yields a game whose every link, head and record
// lies on its board, that saves back to the same bytes, and that can be
// played on for a few hundred ticks without leaving the board.

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/GameControl.h"
#include "game/GameHost.h"
#include "game/Limits.h"
#include "store/Archive.h"
#include "store/CoilixDoc.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"

namespace {

void Check(bool bHolds) {
    if (!bHolds) {
        std::abort();
    }
}

template <class Records>
void CheckRecords(const CCoilixDoc& doc, const Records& records) {
    for (const CellRef& r : records) {
        Check(doc.IsOnBoard(r.x, r.y));
        Check(r.pCell == &doc.CellAt(r.x, r.y));
    }
}

// Stands in for the window; every cell the rules touch must be on the board.
class CheckingHost : public GameHost {
public:
    explicit CheckingHost(const CCoilixDoc& doc) : m_doc(doc) {}
    void SetMessage(GameMessage) override {}
    void SetScore(int32_t) override {}
    void PlaySound(int) override {}
    void InvalidateCell(int32_t x, int32_t y) override { Check(m_doc.IsOnBoard(x, y)); }
    void KeepHeadInView() override { Check(m_doc.IsOnBoard(m_doc.m_nHeadX, m_doc.m_nHeadY)); }
    bool StartTimer(int nIntervalMs) override {
        Check(nIntervalMs > 0);
        return true;
    }
    void KillTimer() override {}
    void HideCursor() override {}
    void ShowCursor() override {}
    void EnterNewScore() override {}

private:
    const CCoilixDoc& m_doc;
};

// Resumes the loaded game and plays on, steering with keys taken from the
// input itself.
void PlayOn(CCoilixDoc& doc, std::span<const uint8_t> data) {
    // As after an open: paused, and kept out of the score tables.
    doc.m_bPaused = true;
    doc.m_bLoadedGame = true;
    CheckingHost host(doc);
    GameControl control(doc, doc.ScoreTable(), host);
    for (size_t i = 0; i < 300; ++i) {
        if (i % 4 == 0) {
            control.OnKeyDown(static_cast<GameKey>(data[(i * 7) % data.size()] % 5));
        }
        control.OnTimer();
    }
    CheckRecords(doc, doc.m_aBody);
    CheckRecords(doc, doc.m_aItems);
}

void LoadAsSavedGame(std::span<const uint8_t> data) {
    static GameSettings settings;
    static HighScoreTable scores;
    static CMemoryRegistry registry;
    static CProfile profile(registry, CProfile::AppKeyPath("Fuzz", "Coilix"));
    CCoilixDoc doc(settings, scores, profile);
    try {
        CArchive ar = CArchive::ForLoading(data);
        doc.Serialize(ar);
    } catch (const CArchiveException&) {
        return;
    }
    Check(doc.HasBoard());
    Check(IsBoardSideAllowed(doc.m_nWidth) && IsBoardSideAllowed(doc.m_nHeight));
    Check(doc.IsOnBoard(doc.m_nHeadX, doc.m_nHeadY));
    Check(doc.m_nSpeed > 0);
    CheckRecords(doc, doc.m_aBody);
    CheckRecords(doc, doc.m_aItems);
    if (doc.m_nDirection != dirGameOver &&
        doc.CellAt(doc.m_nHeadX, doc.m_nHeadY).nType != ctStart) {
        Check(doc.m_aBody.size() >= 2);
    }

    // What loads must save and load again to the same bytes.
    std::vector<uint8_t> first;
    CArchive out = CArchive::ForStoring(first);
    doc.Serialize(out);
    CCoilixDoc again(settings, scores, profile);
    CArchive in = CArchive::ForLoading(first);
    again.Serialize(in);
    std::vector<uint8_t> second;
    CArchive out2 = CArchive::ForStoring(second);
    again.Serialize(out2);
    Check(first == second);

    PlayOn(doc, data);
}

// The archive's own forms, read until the data runs out.
void ReadArchiveForms(std::span<const uint8_t> data) {
    CArchive ar = CArchive::ForLoading(data);
    try {
        while (ar.BytesLeft() > 0) {
            uint8_t nWhat = 0;
            ar.Read(&nWhat, 1);
            switch (nWhat % 4) {
                case 0: {
                    const size_t nLeft = ar.BytesLeft();
                    const std::string s = ar.ReadString();
                    Check(s.size() < nLeft);
                    break;
                }
                case 1:
                    ar.ReadCount();
                    break;
                case 2: {
                    int32_t n = 0;
                    ar >> n;
                    break;
                }
                default: {
                    uint8_t buffer[16];
                    Check(ar.Read(buffer, sizeof buffer) <= sizeof buffer);
                    break;
                }
            }
        }
    } catch (const CArchiveException& e) {
        Check(e.Cause() == ArchiveError::kEndOfFile);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::span<const uint8_t> data(pData, nSize);
    LoadAsSavedGame(data);
    ReadArchiveForms(data);
    return 0;
}
