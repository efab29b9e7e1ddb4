#pragma once
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

#include "framework/qt/ScrollView.h"
#include "view/GameControl.h"
#include "view/GameHost.h"

class CCoilixDoc;
class CMainFrame;
class CSoundPlayer;
class GameSettings;
class QPainter;

// The game's view: draws the board from 24 x 24 tiles, takes the keys, runs
// the game timer, centres or scrolls the board, and fits the main window to
// it. The rules of play are GameControl's; this class is their window.
class CCoilixView : public CScrollView, public GameHost {
public:
    CCoilixView(CCoilixDoc& doc, GameSettings& settings, CSoundPlayer& sounds,
                QWidget* pParent = nullptr);
    ~CCoilixView() override;

    void SetFrame(CMainFrame* pFrame) { m_pFrame = pFrame; }

    // A new or opened game is shown: timer stopped, sizes, fit, status, centre.
    void OnInitialUpdate();
    // Recomputes the offsets and scroll sizes and repaints everything.
    void OnUpdate();
    void CenterScrollPosition();
    void OnAutoResize();
    // The window is going away.
    void OnDestroy();

    GameControl& Control() { return m_control; }
    int OffsetX() const { return m_nOffsetX; }
    int OffsetY() const { return m_nOffsetY; }
    QSize PageSize() const { return m_sizePage; }

    // Draws the whole board from the painter's origin, whatever the scroll
    // position: the printed page.
    void PrintBoard(QPainter& painter);

    // Cells drawn by the paints since the last reset (for checking redraws).
    const std::vector<QPoint>& PaintedCells() const { return m_paintedCells; }
    void ResetPaintedCells() { m_paintedCells.clear(); }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // The rules' hand-over points.
    void SetStatusText(int nPane, unsigned nStringID) override;
    void SetStatusText(int nPane, const std::string& strText) override;
    void PlaySound(int nSoundID) override;
    void InvalidateCell(int x, int y) override;
    void KeepHeadInView() override;
    unsigned StartTimer(int nIntervalMs) override;
    void KillTimer() override;
    void HideCursor() override;
    void ShowCursor() override;
    std::optional<std::string> AskHighScoreName(int nRow, int nScore,
                                                const std::string& strProposed) override;
    void ShowHighScores() override;

    static constexpr int m_nTileWidth = 24;
    static constexpr int m_nTileHeight = 24;

protected:
    void OnDraw(QPainter& painter, const QRegion& rgnInvalid) override;
    void OnSize(int cx, int cy) override;

    void keyPressEvent(QKeyEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;

private:
    void ComputeOffsets(int cx, int cy);
    void ApplyScrollSizes();
    bool FitsAutomatically() const;
    void DrawRect(QPainter& painter, const QRect& rc, bool bHiDpi);
    // Fills a cell's rectangle: green when empty, its tile otherwise; false
    // for a type that has no picture.
    static bool DrawCell(QPainter& painter, const QRect& rcCell, int32_t nType,
                         const std::array<QPixmap, 24>& tiles);

    CCoilixDoc& m_doc;
    GameSettings& m_settings;
    CSoundPlayer& m_sounds;
    CMainFrame* m_pFrame = nullptr;
    GameControl m_control;

    std::array<QPixmap, 24> m_tiles;    // by cell type; 0 (empty) has none
    std::array<QPixmap, 24> m_tiles2x;  // drawn at twice the density
    QSize m_sizePage{0, 0};
    QPoint m_ptCursor;
    int m_nQtTimer = 0;  // the running game timer, 0 when none
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    QPoint m_ptTickOrigin;  // drawing origin of the current tick
    bool m_bRightDown = false;
    std::vector<QPoint> m_paintedCells;
};
