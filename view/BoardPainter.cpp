// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/BoardPainter.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <algorithm>
#include <cmath>

#include "devices/PngResource.h"
#include "game/GameState.h"

namespace {

// Tile images by cell type (index 0, the empty cell, is filled with green).
constexpr const char* kTileNames[kCellTypeCount] = {
    nullptr,           "body_horz",      "body_vert",    "head_right",
    "head_left",       "head_down",      "head_up",      "frown_right",
    "frown_left",      "frown_down",     "frown_up",     "body_up_right",
    "body_down_right", "body_down_left", "body_up_left", "tail_left",
    "tail_right",      "tail_up",        "tail_down",    "skull",
    "dropping",        "apple",          "coin",         "start",
};

const QColor kBoardGreen(0, 255, 0);

// Truncating division as the drawing rules count, also for negative values.
int DivUp(int n, int d) {
    return n / d + (n % d != 0 ? 1 : 0);
}

}  // namespace

int CBoardPainter::TileSetSize(double dRatio) {
    const int nPx =
        static_cast<int>(std::lround(kTilePixels * dRatio / kTileSetStep)) * kTileSetStep;
    return std::clamp(nPx, kTilePixels, kLargestTileSet);
}

const CBoardPainter::TileSet& CBoardPainter::Tiles(int nPx) {
    auto it = m_tileSets.find(nPx);
    if (it != m_tileSets.end()) return it->second;
    TileSet& tiles = m_tileSets[nPx];
    for (int i = 1; i < kCellTypeCount; ++i) {
        tiles[i] = QPixmap::fromImage(
            ReadPngResource(QStringLiteral(":/tiles/%1/%2.png").arg(nPx).arg(kTileNames[i])));
        // Each picture covers one cell at its own density.
        tiles[i].setDevicePixelRatio(static_cast<double>(nPx) / kTilePixels);
    }
    return tiles;
}

const CBoardPainter::TileSet& CBoardPainter::TilesFor(QPainter& painter) {
    const double dRatio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    const int nPx = TileSetSize(dRatio);
    // A set drawn for this very density is copied pixel for pixel; between
    // the sets' densities the nearest one is scaled smoothly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          std::abs(nPx - kTilePixels * dRatio) > 1e-6);
    return Tiles(nPx);
}

void CBoardPainter::Draw(QPainter& painter, const QRegion& rgn, QPoint ptOrigin) {
    if (!m_game.HasBoard()) return;
    const TileSet& tiles = TilesFor(painter);
    for (const QRect& rc : rgn) DrawRect(painter, rc, ptOrigin, tiles);
}

void CBoardPainter::DrawRect(QPainter& painter, const QRect& rc, QPoint ptOrigin,
                             const TileSet& tiles) {
    const int W = m_game.m_nWidth;
    const int H = m_game.m_nHeight;
    const int ox = ptOrigin.x();
    const int oy = ptOrigin.y();
    // The rectangle's right and bottom edges lie just past its last pixel.
    const int nLeft = rc.left(), nTop = rc.top();
    const int nRight = rc.left() + rc.width(), nBottom = rc.top() + rc.height();

    const int nFirstCol = std::max(0, (ox + nLeft) / kTilePixels);
    const int nLastCol = std::min(W - 1, DivUp(ox + nRight, kTilePixels));
    const int nFirstRow = std::max(0, (oy + nTop) / kTilePixels);
    const int nLastRow = std::min(H - 1, DivUp(oy + nBottom, kTilePixels));
    if (nFirstCol > nLastCol || nFirstRow > nLastRow) return;

    for (int x = nFirstCol; x <= nLastCol; ++x) {
        for (int y = nFirstRow; y <= nLastRow; ++y) {
            const QRect cell(x * kTilePixels - ox, y * kTilePixels - oy, kTilePixels, kTilePixels);
            // Columns just past the rectangle are clipped away; count only what shows.
            if (!cell.intersects(rc)) continue;
            if (DrawCell(painter, cell, m_game.CellAt(x, y).nType, tiles) && m_fnCellPainted) {
                m_fnCellPainted(x, y);
            }
        }
    }
}

bool CBoardPainter::DrawCell(QPainter& painter, const QRect& rcCell, int32_t nType,
                             const TileSet& tiles) {
    // Unknown types (the test counts negative ones as large) are left undrawn.
    const uint32_t nIndex = static_cast<uint32_t>(nType);
    if (nIndex >= static_cast<uint32_t>(kCellTypeCount)) return false;
    if (nIndex == ctEmpty) {
        painter.fillRect(rcCell, kBoardGreen);
    } else if (!tiles[nIndex].isNull()) {
        // The tile carries its density, so it fills its cell exactly.
        painter.drawPixmap(rcCell, tiles[nIndex]);
    }
    return true;
}

void CBoardPainter::PrintBoard(QPainter& painter, double dCellWidth, double dCellHeight) {
    if (!m_game.HasBoard() || dCellWidth <= 0 || dCellHeight <= 0) return;
    // The pictures are made at the device's pixels here, so nothing between
    // this program and the paper scales (and blurs) them; a PDF keeps them
    // without JPEG's losses.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    const TileSet& finest = Tiles(kLargestTileSet);
    // Each size of cell gets the finest pictures enlarged to it, every pixel
    // of a tile a block of whole dots without blending.
    std::map<std::pair<int, int>, TileSet> enlarged;
    const auto tilesOfSize = [&](QSize size) -> const TileSet& {
        auto [it, bNew] = enlarged.try_emplace({size.width(), size.height()});
        if (bNew) {
            for (size_t i = 1; i < finest.size(); ++i) {
                if (finest[i].isNull()) continue;
                QImage image =
                    finest[i].toImage().scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
                image.setDevicePixelRatio(1.0);
                it->second[i] = QPixmap::fromImage(image);
            }
        }
        return it->second;
    };
    // Cell edges fall on whole dots, so neighbours meet without a seam and the
    // board keeps its size: cells differ by a dot at most.
    const auto edge = [](int n, double dCell) { return static_cast<int>(std::lround(n * dCell)); };
    for (int x = 0; x < m_game.m_nWidth; ++x) {
        const int nLeft = edge(x, dCellWidth);
        const int nRight = edge(x + 1, dCellWidth);
        for (int y = 0; y < m_game.m_nHeight; ++y) {
            const int nTop = edge(y, dCellHeight);
            const QRect rcCell(nLeft, nTop, nRight - nLeft, edge(y + 1, dCellHeight) - nTop);
            if (rcCell.isEmpty()) continue;
            DrawCell(painter, rcCell, m_game.CellAt(x, y).nType, tilesOfSize(rcCell.size()));
        }
    }
    painter.restore();
}
