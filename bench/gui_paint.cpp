// SPDX-License-Identifier: GPL-3.0-or-later
// What one tick costs on screen on a 70 x 70 board: the game step, and the
// paint of the cells it invalidated. Runs the real program's window on Qt's
// offscreen platform and prints medians and the 99th percentiles.
//
// usage: coilix_bench_gui_paint [TICKS]

#include <QApplication>
#include <QElapsedTimer>
#include <QRegion>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "GuiBench.h"
#include "app/CoilixApp.h"
#include "app/MainFrame.h"
#include "app/Strings.h"
#include "store/CoilixDoc.h"
#include "view/CoilixView.h"

namespace {

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int nTicks = argc > 1 ? std::atoi(argv[1]) : 2000;
    QApplication app(argc, argv);
    BenchWindow window(3, false);
    if (!window.Started()) return 1;
    CCoilixApp& theApp = window.App();
    CCoilixView& view = theApp.View();
    CCoilixDoc& doc = theApp.Document();

    std::vector<double> ticks, paints;
    std::vector<QPoint> painted;  // cells drawn since the last clear
    view.BoardPainter().SetCellPaintObserver(
        [&painted](int x, int y) { painted.emplace_back(x, y); });
    int nScrolled = 0;
    size_t nDrawn = 0, nExpected = 0;  // cells drawn by the timed repaints
    // A square walk of 20 cells a side keeps the crawler alive and scrolling.
    const int keys[4] = {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up};
    int nTimer = 0;
    for (int i = 0; i < nTicks && doc.m_nDirection != 5; ++i) {
        if (i % 20 == 0) QTest::keyClick(&view, static_cast<Qt::Key>(keys[(i / 20) % 4]));
        // The timer is driven by hand, so the clock adds no ticks of its own.
        nTimer = TakeGameTimer(&view, nTimer);
        const QPoint scroll = view.GetDeviceScrollPosition();
        painted.clear();
        QElapsedTimer clock;
        clock.start();
        // The whole tick: the step and the paint of what it invalidated.
        SendTick(&view, nTimer);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        const qint64 nTick = clock.nsecsElapsed();
        if (view.GetDeviceScrollPosition() != scroll) {
            ++nScrolled;  // a scroll repaints the uncovered half of the window
            continue;
        }
        // The paint alone: the same cells painted again, synchronously.
        QRegion cells;
        const QPoint origin = scroll + QPoint(view.OffsetX(), view.OffsetY());
        for (const QPoint& c : painted)
            cells += QRect(c.x() * 24 - origin.x(), c.y() * 24 - origin.y(), 24, 24);
        const size_t nCells = painted.size();
        clock.restart();
        view.viewport()->repaint(cells);
        const qint64 nPaint = clock.nsecsElapsed();
        nDrawn += painted.size() - nCells;
        nExpected += nCells;
        ticks.push_back(static_cast<double>(nTick) / 1000.0);
        paints.push_back(static_cast<double>(nPaint) / 1000.0);
    }
    if (paints.empty()) return 1;
    std::printf("ticks measured: %zu, ticks that scrolled (left out): %d, game over: %s\n",
                paints.size(), nScrolled, doc.m_nDirection == 5 ? "yes" : "no");
    std::printf("cells drawn by the timed repaints: %zu of %zu\n", nDrawn, nExpected);
    std::printf("whole tick (step + paint), 70x70: median %.1f us, p99 %.1f us\n",
                Percentile(ticks, 0.5), Percentile(ticks, 0.99));
    std::printf("paint of one tick's cells, 70x70: median %.1f us, p99 %.1f us (budget 200 us)\n",
                Percentile(paints, 0.5), Percentile(paints, 0.99));
    theApp.MainFrame().close();
    return theApp.ExitInstance();
}
