// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <optional>

#include "framework/ScrollView.h"
#include "game/Cell.h"
#include "game/GameControl.h"
#include "game/GameHost.h"
#include "game/Limits.h"

class CCoilixDoc;
class CSoundPlayer;
class GameSettings;
class QPainter;
class ViewFrame;

// The game's view: draws the board in square cells of kTilePixels, with the tile
// set drawn for the screen's density so that tiles stay crisp; takes the keys, runs
// the game timer, centres or scrolls the board, and fits the main window to
// it. The rules of play are GameControl's; this class is their window.
class CCoilixView : public CScrollView, public GameHost {
public:
    CCoilixView(CCoilixDoc& doc, GameSettings& settings, CSoundPlayer& sounds,
                QWidget* pParent = nullptr);
    ~CCoilixView() override;

    // The main window around the view; the board takes its accessible name from it.
    void SetFrame(ViewFrame* pFrame);

    // A new or opened game is shown: timer stopped, sizes, fit, status, centre.
    void OnInitialUpdate();
    // Recomputes the offsets and scroll sizes and repaints everything.
    void OnUpdate();
    void CenterScrollPosition();
    void OnAutoResize();
    // The window is going away.
    void OnDestroy();

    GameControl& Control() { return m_control; }
    // A steering key (or kOther for any other key), from the keyboard or from
    // a gamepad: the rules of GameControl::OnKeyDown, whichever sent it.
    void Steer(GameKey key);
    int OffsetX() const { return m_nOffsetX; }
    int OffsetY() const { return m_nOffsetY; }
    QSize PageSize() const { return m_sizePage; }

    // Draws the whole board from the painter's origin, whatever the scroll
    // position, dCellWidth by dCellHeight of the painter's units (a printer's
    // dots) a cell: the printed page. Each tile is the finest
    // set's picture enlarged to its cell's whole pixels without blending, and
    // reaches the device as a picture to be kept without loss.
    void PrintBoard(QPainter& painter, double dCellWidth, double dCellHeight);
    // Draws the whole board from the painter's origin with the tile set for
    // the painter's device pixel ratio, as the screen shows it.
    void DrawBoard(QPainter& painter);

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

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // The rules' hand-over points.
    void SetMessage(GameMessage message) override;
    void SetScore(int32_t nScore) override;
    void PlaySound(int nSoundID) override;
    void InvalidateCell(int32_t x, int32_t y) override;
    void KeepHeadInView() override;
    bool StartTimer(int nIntervalMs) override;
    void KillTimer() override;
    void HideCursor() override;
    void ShowCursor() override;
    void EnterNewScore(int nRow) override;

protected:
    void OnDraw(QPainter& painter, const QRegion& rgnInvalid) override;
    void OnSize(int cx, int cy) override;
    void OnFrameOnScreen() override;

    void keyPressEvent(QKeyEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    // Watches the main window for being minimised.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The board's size in pixels.
    QSize BoardSize() const;
    void ComputeOffsets(int cx, int cy);
    void ApplyScrollSizes();
    // No placement stored yet: the window is fitted to the board.
    bool IsFirstStart() const;
    using TileSet = std::array<QPixmap, kCellTypeCount>;  // by cell type; 0 (empty) has none
    // The set of nPx pixels, loaded when first needed.
    const TileSet& Tiles(int nPx);
    // Prepares the painter for the tile set of its device; returns the set.
    const TileSet& TilesFor(QPainter& painter);
    void DrawRect(QPainter& painter, const QRect& rc, const TileSet& tiles);
    // Fills a cell's rectangle: green when empty, its tile otherwise; false
    // for a type that has no picture.
    static bool DrawCell(QPainter& painter, const QRect& rcCell, int32_t nType,
                         const TileSet& tiles);
    void DrawAllCells(QPainter& painter, const TileSet& tiles);
    void UpdateAccessibleDescription();
    // The player's sound switch, read at the moment a sound would play.
    bool SoundsOn() const;
    // When the tick being handled was due.
    std::chrono::steady_clock::time_point TickDue() const;
    // The player turned away: a game on its way pauses.
    void OnPlayerAway();

    CCoilixDoc& m_doc;
    GameSettings& m_settings;
    CSoundPlayer& m_sounds;
    ViewFrame* m_pFrame = nullptr;
    GameControl m_control;

    std::map<int, TileSet> m_tileSets;  // by size in pixels
    QSize m_sizePage{0, 0};
    // Where the mouse was when the view hid the cursor; empty while it shows.
    // Hidden, the cursor is Qt's blank override cursor, set once.
    std::optional<QPoint> m_ptCursorHiddenAt;
    int m_nQtTimer = 0;  // the running game timer, 0 when none
    // When the game timer was started and its period: the ticks are due on
    // that grid, and the sounds of a tick are due with it.
    std::chrono::steady_clock::time_point m_tTimerStart;
    std::chrono::milliseconds m_timerPeriod{0};
    std::optional<std::chrono::steady_clock::time_point> m_tTickDue;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    QPoint m_ptTickOrigin;  // drawing origin of the current tick
    bool m_bRightDown = false;
    std::function<void(int, int)> m_fnCellPainted;
    QString m_strScoreText;  // for a screen reader: the score and the state
    QString m_strStateText;
};
