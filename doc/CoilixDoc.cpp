// The life of a game document: new game set-up, opening a saved game,
// clearing and closing.
#include "doc/CoilixDoc.h"

#include <cstdlib>
#include <ctime>

#include "store/GameSettings.h"
#include "store/HighScoreTable.h"

CCoilixDoc::CCoilixDoc(GameSettings& settings, HighScoreTable& scoreTable, CRegistry& registry)
    : m_settings(settings), m_scoreTable(scoreTable), m_registry(registry) {}

void CCoilixDoc::SeedFromClock() {
    m_random.Seed(m_nSeedOverride ? *m_nSeedOverride : static_cast<uint32_t>(std::time(nullptr)));
}

bool CCoilixDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return false;
    SeedFromClock();

    m_nWidth = m_settings.m_nArrayWidth;
    m_nHeight = m_settings.m_nArrayHeight;
    // The settings are range-checked when loaded and by the New Game dialog;
    // keep the board sane even if a caller filled them in otherwise.
    if (m_nWidth < kMinBoardSide || m_nWidth > kMaxBoardSide) m_nWidth = SizePresets[0].nWidth;
    if (m_nHeight < kMinBoardSide || m_nHeight > kMaxBoardSide) m_nHeight = SizePresets[0].nHeight;
    m_nScore = 0;
    m_nHeadX = (m_nWidth - 1) / 2;
    m_nHeadY = (m_nHeight - 1) / 2;
    const int32_t nSpeedIndex = (m_settings.m_nGameSpeed >= 0 && m_settings.m_nGameSpeed <= 2)
                                    ? m_settings.m_nGameSpeed
                                    : 1;
    m_nSpeed = SpeedPresets[nSpeedIndex];
    m_nSpawnCountdown = 0;
    m_nBonusCountdown = 0;
    m_nDropCountdown = m_random.Draw(77) + 7;
    m_nFrownCountdown = 0;
    m_nLastDirection = dirNone;
    m_nDirection = dirNone;
    m_bPaused = false;
    m_bLoadedGame = false;

    m_pCells = std::make_unique<Cell[]>(static_cast<size_t>(m_nWidth) * m_nHeight);

    // Lay out the first item away from the crawler: an item that lands within
    // one row or column of the middle is wiped and the spawner is asked again.
    int32_t x = m_nHeadX;
    int32_t y = m_nHeadY;
    do {
        CellAt(x, y).nType = ctEmpty;
        SpawnItem(x, y);
    } while (std::abs(m_nHeadX - x) < 2 || std::abs(m_nHeadY - y) < 2);

    CellAt(m_nHeadX, m_nHeadY).nType = ctStart;
    m_scoreTable.Load(m_registry, kRegistryKeyPath, m_nWidth, m_nHeight, m_nSpeed);
    return true;
}

bool CCoilixDoc::OnOpenDocument(const std::string& strPath) {
    if (!CDocument::OnOpenDocument(strPath)) return false;
    SeedFromClock();
    m_bPaused = true;
    m_bLoadedGame = true;
    m_scoreTable.Load(m_registry, kRegistryKeyPath, m_nWidth, m_nHeight, m_nSpeed);
    return true;
}

void CCoilixDoc::DeleteContents() {
    m_aBody.clear();
    m_aBody.shrink_to_fit();
    m_aItems.clear();
    m_aItems.shrink_to_fit();
    m_pCells.reset();
    CDocument::DeleteContents();
}

void CCoilixDoc::OnCloseDocument() {
    DeleteContents();
    CDocument::OnCloseDocument();
}
