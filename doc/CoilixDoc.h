#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "doc/Cell.h"
#include "doc/GameRandom.h"
#include "framework/Document.h"

class GameSettings;
class HighScoreTable;
class CRegistry;

// Where the settings and score tables live in the store.
inline constexpr const char* kRegistryKeyPath = "Software\\Halvorn\\Coilix";

// One game: the board, the crawler, the items, the score and the countdowns,
// in plain fields that the step, the spawner, the view and the file use
// directly. One document object is reused for every game of a run.
class CCoilixDoc : public CDocument {
public:
    // The settings give a new game its size and speed; the score table is
    // reloaded from the store for every new or opened game.
    CCoilixDoc(GameSettings& settings, HighScoreTable& scoreTable, CRegistry& registry);
    ~CCoilixDoc() override = default;

    // The crawler, tail first, head last (empty before the first move).
    std::deque<CellRef> m_aBody;
    // Item records in order of creation.
    std::vector<CellRef> m_aItems;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nHeadX = 0;
    int32_t m_nHeadY = 0;
    int32_t m_nScore = 0;
    int32_t m_nSpeed = 0;
    int32_t m_nSpawnCountdown = 0;
    int32_t m_nBonusCountdown = 0;
    int32_t m_nDropCountdown = 0;
    int32_t m_nFrownCountdown = 0;
    int32_t m_nDirection = dirNone;
    int32_t m_nLastDirection = dirNone;
    bool m_bPaused = false;
    bool m_bLoadedGame = false;
    // The board, row-major; null while no game is held.
    std::unique_ptr<Cell[]> m_pCells;

    // The generator that drives play, seeded for each new or opened game.
    GameRandom m_random;
    // When set, games are seeded with this instead of the clock.
    std::optional<uint32_t> m_nSeedOverride;

    bool HasBoard() const { return m_pCells != nullptr; }
    Cell& CellAt(int32_t x, int32_t y) { return m_pCells[y * m_nWidth + x]; }
    const Cell& CellAt(int32_t x, int32_t y) const { return m_pCells[y * m_nWidth + x]; }
    Cell* CellPtr(int32_t x, int32_t y) { return &m_pCells[y * m_nWidth + x]; }
    bool IsOnBoard(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight;
    }

    // Item spawner: place an item every few calls on a random free square
    // (true: a placement was due; x, y name the square when one was found),
    // and age all items, removing at most one expired item per call.
    bool SpawnItem(int32_t& x, int32_t& y);
    bool AgeItems(int32_t& x, int32_t& y);

    // The document cycle.
    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& strPath) override;
    void DeleteContents() override;
    void OnCloseDocument() override;
    void Serialize(CArchive& ar) override;

    GameSettings& Settings() { return m_settings; }
    HighScoreTable& ScoreTable() { return m_scoreTable; }
    CRegistry& Registry() { return m_registry; }

private:
    void SeedFromClock();
    // Checks a freshly read game for what could take play outside the board;
    // throws a format error when it finds any.
    void ValidateLoaded() const;

    GameSettings& m_settings;
    HighScoreTable& m_scoreTable;
    CRegistry& m_registry;
};
