// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window benchmarks share: a store of their own with a board and no
// sound, and game ticks delivered by hand so that the clock adds none.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTimerEvent>
#include <cstdint>
#include <limits>

#include "app/AppInfo.h"
#include "app/CoilixApp.h"
#include "game/HighScoreTable.h"
#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"

// Writes a store at strPath for a custom board of nWidth x nHeight at the
// lowest speed, silent, the window placed at 0,0 with the given outer size.
// With bFullTable the board's score table is full of scores no game reaches,
// so no game ever asks for a name.
inline void WriteBenchStore(const QString& strPath, int32_t nWidth, int32_t nHeight,
                            int32_t nWindowWidth, int32_t nWindowHeight, bool bFullTable) {
    CFileRegistry reg(strPath.toStdString());
    CProfile profile(reg, CProfile::AppKeyPath(kCompanyName, kAppName));
    GameSettings s;
    s.m_nArraySize = 2;
    s.m_nArrayWidth = nWidth;
    s.m_nArrayHeight = nHeight;
    s.m_bSounds = 0;
    s.m_placement.length = 44;
    s.m_placement.showCmd = kShowCmdNormal;
    s.m_placement.rcNormalPosition[2] = nWindowWidth;
    s.m_placement.rcNormalPosition[3] = nWindowHeight;
    s.Save(profile, "Settings");
    if (bFullTable) {
        HighScoreTable table;
        for (int i = 0; i < 10; ++i) table.InsertScore(std::numeric_limits<int32_t>::max() - i, 10);
        SaveScoreTable(table, reg, profile.AppKey(), nWidth, nHeight, s.SpeedMs());
    }
}

// Takes the game timers of pView off the clock; returns the last one's id
// (or nTimer when none runs now).
inline int TakeGameTimer(QObject* pView, int nTimer) {
    QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance();
    for (const auto& t : pDispatcher->registeredTimers(pView)) {
        pDispatcher->unregisterTimer(t.timerId);
        nTimer = t.timerId;
    }
    return nTimer;
}

// One tick of the game timer nTimer, delivered to pView.
inline void SendTick(QObject* pView, int nTimer) {
    QTimerEvent tick(nTimer);
    QCoreApplication::sendEvent(pView, &tick);
}

// The program started as main() does, on a 70 x 70 board with a store of its
// own in a temporary folder, its generator seeded; needs a QApplication.
class BenchWindow {
public:
    BenchWindow(uint32_t nSeed, bool bFullTable) {
        const QString strStore = m_dir.filePath("store.reg");
        qputenv("COILIX_REGISTRY", strStore.toUtf8());
        // Within the offscreen screen (800 x 600), so the placement is used.
        WriteBenchStore(strStore, 70, 70, 780, 580, bFullTable);
        m_app.SetSeedSource([nSeed] { return nSeed; });
        m_bStarted = m_app.InitInstance({});
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    bool Started() const { return m_bStarted; }
    CCoilixApp& App() { return m_app; }

private:
    QTemporaryDir m_dir;
    CCoilixApp m_app;
    bool m_bStarted = false;
};
