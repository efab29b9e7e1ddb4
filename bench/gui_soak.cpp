// SPDX-License-Identifier: GPL-3.0-or-later
// A long game in the real window: a 70 x 70 board played for many ticks (new
// games after each end), steered away from walls, its own body and skulls,
// every tick's cells painted. Prints the resident memory after the first
// 1,000 ticks and its largest rise after that; exits 1 when the rise passes
// the budget of 1 MB.
//
// usage: coilix_bench_gui_soak [TICKS]      (default 20000; offscreen by default)

#include <unistd.h>
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "GuiBench.h"
#include "app/CoilixApp.h"
#include "app/MainFrame.h"
#include "store/CoilixDoc.h"
#include "view/CoilixView.h"

namespace {

constexpr long kBudgetBytes = 1024 * 1024;
constexpr int kWarmUpTicks = 1000;

long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long nSize = 0, nResident = 0;
    statm >> nSize >> nResident;
    return nResident * sysconf(_SC_PAGESIZE);
}

struct Step {
    int nDir, dx, dy, nKey;
};
constexpr Step kSteps[] = {{dirLeft, -1, 0, Qt::Key_Left},
                           {dirRight, 1, 0, Qt::Key_Right},
                           {dirUp, 0, -1, Qt::Key_Up},
                           {dirDown, 0, 1, Qt::Key_Down}};

// Free cells straight ahead of the head in direction s, up to nLook.
int RoomAhead(const CCoilixDoc& doc, const Step& s, int nLook) {
    int n = 0;
    for (int x = doc.m_nHeadX + s.dx, y = doc.m_nHeadY + s.dy;
         n < nLook && x >= 0 && y >= 0 && x < doc.m_nWidth && y < doc.m_nHeight;
         x += s.dx, y += s.dy, ++n) {
        const int32_t nType = doc.CellAt(x, y).nType;
        // Body, heads, tails and skulls end the game; the rest can be eaten.
        if (nType >= ctBodyHorz && nType <= ctSkull) break;
    }
    return n;
}

// The direction to go: on, unless the way ahead closes or it is time for a
// turn; then the side with the most room. Never straight back.
int ChooseKey(const CCoilixDoc& doc, int nTick) {
    const Step* pAhead = nullptr;
    for (const Step& s : kSteps) {
        if (s.nDir == doc.m_nDirection) pAhead = &s;
    }
    const bool bTurnDue = nTick % 17 == 0;
    if (pAhead != nullptr && !bTurnDue && RoomAhead(doc, *pAhead, 3) >= 3) return 0;
    const Step* pBest = pAhead;
    int nBest = pAhead != nullptr ? RoomAhead(doc, *pAhead, 70) : -1;
    for (const Step& s : kSteps) {
        const bool bBack = pAhead != nullptr && s.dx == -pAhead->dx && s.dy == -pAhead->dy;
        if (bBack || &s == pAhead) continue;
        const int nRoom = RoomAhead(doc, s, 70);
        if (nRoom > nBest || (bTurnDue && nRoom >= 3 && nRoom * 2 >= nBest)) {
            pBest = &s;
            nBest = nRoom;
        }
    }
    return pBest != nullptr && pBest != pAhead ? pBest->nKey : 0;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int nTicks = argc > 1 ? std::atoi(argv[1]) : 20000;
    QApplication app(argc, argv);
    BenchWindow window(11, true);
    if (!window.Started()) return 1;
    CCoilixApp& theApp = window.App();
    CCoilixView& view = theApp.View();
    CCoilixDoc& doc = theApp.Document();

    // Painting is watched from here, as a test would: nothing is kept.
    long nCellsPainted = 0;
    view.BoardPainter().SetCellPaintObserver([&nCellsPainted](int, int) { ++nCellsPainted; });

    int nTimer = 0, nGames = 1, nLongest = 0, nGameTicks = 0;
    long nBase = 0, nHighest = 0;
    for (int nTick = 0; nTick < nTicks; ++nTick) {
        if (doc.m_nDirection == dirGameOver) {
            nLongest = std::max(nLongest, nGameTicks);
            nGameTicks = 0;
            ++nGames;
            theApp.OnFileNew();
        }
        const int nKey = doc.m_nDirection == dirNone ? Qt::Key_Up : ChooseKey(doc, nTick);
        if (nKey != 0) QTest::keyClick(&view, static_cast<Qt::Key>(nKey));
        nTimer = TakeGameTimer(&view, nTimer);
        SendTick(&view, nTimer);
        QCoreApplication::processEvents();  // the paint of the tick's cells
        ++nGameTicks;
        if (nTick + 1 == kWarmUpTicks) nBase = ResidentBytes();
        if (nTick + 1 > kWarmUpTicks) nHighest = std::max(nHighest, ResidentBytes());
    }
    nLongest = std::max(nLongest, nGameTicks);
    const long nRise = std::max(0L, nHighest - nBase);
    std::printf("ticks: %d in %d games (longest %d ticks, last score %d), cells painted: %ld\n",
                nTicks, nGames, nLongest, doc.m_nScore, nCellsPainted);
    std::printf(
        "resident memory after %d ticks: %.1f MB; largest rise after that: %.2f MB "
        "(budget 1 MB)\n",
        kWarmUpTicks, static_cast<double>(nBase) / 1048576.0,
        static_cast<double>(nRise) / 1048576.0);
    theApp.MainFrame().close();
    theApp.ExitInstance();
    return nRise > kBudgetBytes ? 1 : 0;
}
