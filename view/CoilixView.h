#pragma once
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <array>
#include <functional>

#include "framework/ScrollView.h"
#include "game/GameControl.h"
#include "game/GameHost.h"

class CCoilixDoc;
class CSoundPlayer;
class GameSettings;
class QPainter;
class ViewFrame;

// The game's view: draws the board from 24 x 24 tiles, takes the keys, runs
// the game timer, centres or scrolls the board, and fits the main window to
// it. The rules of play are GameControl's; this class is their window.
class CCoilixView : public CScrollView, public GameHost {
public:
    CCoilixView(CCoilixDoc& doc, GameSettings& settings, CSoundPlayer& sounds,
                QWidget* pParent = nullptr);
    ~CCoilixView() override;

    void SetFrame(ViewFrame* pFrame) { m_pFrame = pFrame; }

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

    // Called with each cell that a paint on screen draws, while set: lets a
    // caller watch what is repainted. Nothing is kept.
    void SetCellPaintObserver(std::function<void(int x, int y)> fn) {
        m_fnCellPainted = std::move(fn);
    }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // The rules' hand-over points.
    void SetMessage(GameMessage message) override;
    void SetScore(int32_t nScore) override;
    bool SoundsOn() const override;
    void PlaySound(int nSoundID) override;
    void InvalidateCell(int32_t x, int32_t y) override;
    void KeepHeadInView() override;
    unsigned StartTimer(int nIntervalMs) override;
    void KillTimer() override;
    void HideCursor() override;
    void ShowCursor() override;
    void EnterNewScore(int nRow) override;

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
    ViewFrame* m_pFrame = nullptr;
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
    std::function<void(int, int)> m_fnCellPainted;
};
