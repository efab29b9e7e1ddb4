// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "game/Cell.h"
#include "game/Limits.h"

class GameState;
class QPainter;
class QRect;
class QRegion;

// Draws the board from its tiles: on screen, for the view, and on paper, for
// printing. Every paint reads the board afresh; all that is kept are the tile
// sets loaded so far. An empty cell is filled with the tiles' green; a cell
// of an unknown type is left undrawn.
class CBoardPainter {
public:
    explicit CBoardPainter(const GameState& game) : m_game(game) {}

    // On screen: the cells under rgn, board pixel p shown at p - ptOrigin,
    // with the tile set drawn for the painter's device pixel ratio. Nothing
    // while no board is held (while a failed open is being reported).
    void Draw(QPainter& painter, const QRegion& rgn, QPoint ptOrigin);

    // On paper: the whole board from the painter's origin, dCellWidth by
    // dCellHeight of the painter's units (a printer's dots) a cell. Each tile
    // is the finest set's picture enlarged to its cell's whole pixels without
    // blending, and reaches the device as a picture to be kept without loss.
    void PrintBoard(QPainter& painter, double dCellWidth, double dCellHeight);

    // The size in pixels of the tile set drawn at a device pixel ratio: the
    // nearest step to kTilePixels x ratio, from one to three times kTilePixels.
    static int TileSetSize(double dRatio);
    static constexpr int kTileSetStep = kTilePixels / 4;
    static constexpr int kLargestTileSet = 3 * kTilePixels;

    // Called with each cell that a paint on screen draws, while set: lets a
    // caller watch what is repainted. Nothing is kept.
    void SetCellPaintObserver(std::function<void(int x, int y)> fn) {
        m_fnCellPainted = std::move(fn);
    }

private:
    using TileSet = std::array<QPixmap, kCellTypeCount>;  // by cell type; 0 (empty) has none
    // The set of nPx pixels, loaded when first needed.
    const TileSet& Tiles(int nPx);
    // Prepares the painter for the tile set of its device; returns the set.
    const TileSet& TilesFor(QPainter& painter);
    void DrawRect(QPainter& painter, const QRect& rc, QPoint ptOrigin, const TileSet& tiles);
    // Fills a cell's rectangle: green when empty, its tile otherwise; false
    // for a type that has no picture.
    static bool DrawCell(QPainter& painter, const QRect& rcCell, int32_t nType,
                         const TileSet& tiles);

    const GameState& m_game;
    std::map<int, TileSet> m_tileSets;  // by size in pixels
    std::function<void(int, int)> m_fnCellPainted;
};
