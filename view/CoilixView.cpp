// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CoilixView.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <algorithm>
#include <utility>

#include "devices/Sound.h"
#include "framework/ResString.h"
#include "game/Cell.h"
#include "game/Limits.h"
#include "res/resource.h"
#include "store/CoilixDoc.h"
#include "store/GameSettings.h"
#include "view/ViewFrame.h"

namespace {

// How late a tick may be handled and still count as due on the timer's grid.
constexpr std::chrono::milliseconds kTickLatenessKept{30};

// Following the head along one axis, from the origin o of the tick: moving
// back (left or up), jump back by half a window while the head's edge lies
// closer than a quarter window less one tile to the near edge; moving
// forward, jump on while it lies beyond three quarters. The count goes on
// from each unclamped target, and scrollTo(o) follows each jump (the scroll
// view clamps). A jump that cannot move ends it.
template <class ScrollTo>
void FollowAxis(bool bForward, int nHeadEdge, int nClient, int nTotal, int o, ScrollTo scrollTo) {
    while (bForward ? (o < nTotal && nHeadEdge - o > 3 * nClient / 4)
                    : (o > 0 && nHeadEdge - o < nClient / 4 - kTilePixels)) {
        const int nNext =
            bForward ? std::min(o + nClient / 2, nTotal) : std::max(o - nClient / 2, 0);
        if (nNext == o) break;
        o = nNext;
        scrollTo(o);
    }
}

}  // namespace

CCoilixView::CCoilixView(CCoilixDoc& doc, GameSettings& settings, CSoundPlayer& sounds,
                         QWidget* pParent)
    : CScrollView(pParent),
      m_doc(doc),
      m_settings(settings),
      m_sounds(sounds),
      m_control(doc, doc.ScoreTable(), *this),
      m_boardPainter(doc) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
    // The player is away when focus goes to another program (the program's
    // own menus and dialogs keep it; under a dialog, which may be the
    // desktop's own, the game goes on as it does there), and when the window
    // is minimised.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive && QApplication::activeModalWidget() == nullptr)
                    OnPlayerAway();
            });
    window()->installEventFilter(this);
}

CCoilixView::~CCoilixView() = default;

void CCoilixView::SetFrame(ViewFrame* pFrame) {
    m_pFrame = pFrame;
    if (m_pFrame != nullptr) setAccessibleName(m_pFrame->BoardName());
}

// ---- sizing ---------------------------------------------------------------

QSize CCoilixView::BoardSize() const {
    return {m_doc.m_nWidth * kTilePixels, m_doc.m_nHeight * kTilePixels};
}

void CCoilixView::ComputeOffsets(int cx, int cy) {
    const QSize board = BoardSize();
    m_nOffsetX = cx > board.width() ? -((cx - board.width()) / 2) : 0;
    m_nOffsetY = cy > board.height() ? -((cy - board.height()) / 2) : 0;
}

void CCoilixView::ApplyScrollSizes() {
    SetScrollSizes(BoardSize(), m_sizePage, QSize(kTilePixels, kTilePixels));
}

void CCoilixView::OnSize(int cx, int cy) {
    m_sizePage = QSize(cx, cy);
    ComputeOffsets(cx, cy);
    if (cx > 0 && cy > 0) ApplyScrollSizes();
}

void CCoilixView::OnUpdate() {
    EnsureLaidOut();
    const QSize client = ClientSize();
    ComputeOffsets(client.width(), client.height());
    ApplyScrollSizes();
    if (m_bFirstStart) ResizeParentToFit();
    InvalidateAll();
}

void CCoilixView::OnInitialUpdate() {
    m_control.OnInitialUpdate();
    OnUpdate();
    if (m_bFirstStart) ResizeParentToFit();
    m_control.ShowInitialStatus();
    CenterScrollPosition();
    if (m_pFrame != nullptr) m_pFrame->RequestCommandUIUpdate();
}

void CCoilixView::CenterScrollPosition() {
    EnsureLaidOut();
    const QPoint pos = GetDeviceScrollPosition();
    const QSize outer = OuterSize();
    const QSize board = BoardSize();
    const int x = m_nOffsetX == 0 ? (board.width() - outer.width()) / 2 : pos.x();
    const int y = m_nOffsetY == 0 ? (board.height() - outer.height()) / 2 : pos.y();
    ScrollToPosition(QPoint(x, y));
}

void CCoilixView::OnFrameOnScreen() {
    // The window took its final size on screen: the board's middle again,
    // unless play has begun.
    if (!m_control.IsTimerRunning()) CenterScrollPosition();
}

void CCoilixView::OnAutoResize() {
    if (!window()->isMaximized()) ResizeParentToFit();
}

// ---- drawing --------------------------------------------------------------

void CCoilixView::OnDraw(QPainter& painter, const QRegion& rgnInvalid) {
    m_boardPainter.Draw(painter, rgnInvalid,
                        GetDeviceScrollPosition() + QPoint(m_nOffsetX, m_nOffsetY));
}

// ---- hand-over points of the rules ---------------------------------------

void CCoilixView::SetMessage(GameMessage message) {
    unsigned nID = AFX_IDS_IDLEMESSAGE;
    switch (message) {
        case GameMessage::kReady:
            nID = AFX_IDS_IDLEMESSAGE;
            break;
        case GameMessage::kPlaying:
            nID = IDS_PLAYING;
            break;
        case GameMessage::kPause:
            nID = IDS_PAUSE;
            break;
        case GameMessage::kGameOver:
            nID = IDS_GAME_OVER;
            break;
        case GameMessage::kNewHighScore:
            nID = IDS_NEW_HIGH_SCORE;
            break;
    }
    if (m_pFrame != nullptr) m_pFrame->SetStatusText(ViewFrame::kMessagePane, nID);
    m_strStateText = LoadQString(nID);
    UpdateAccessibleDescription();
}

void CCoilixView::SetScore(int32_t nScore) {
    m_strScoreText = FormatLong(LoadQString(IDS_SCORE), nScore);
    if (m_pFrame != nullptr) m_pFrame->SetStatusText(ViewFrame::kScorePane, m_strScoreText);
    UpdateAccessibleDescription();
}

void CCoilixView::UpdateAccessibleDescription() {
    // What a screen reader tells of the board: the score and the state of
    // play, as the status bar shows them.
    QString strText = m_strScoreText;
    if (!m_strStateText.isEmpty()) {
        if (!strText.isEmpty()) strText += QStringLiteral(", ");
        strText += m_strStateText;
    }
    if (strText != accessibleDescription()) setAccessibleDescription(strText);
}

bool CCoilixView::SoundsOn() const {
    return m_settings.m_bSounds != 0;
}

void CCoilixView::PlaySound(int nSoundID) {
    if (!SoundsOn()) return;
    if (m_tTickDue) {
        m_sounds.Play(nSoundID, *m_tTickDue);
    } else {
        m_sounds.Play(nSoundID);
    }
}

void CCoilixView::InvalidateCell(int32_t x, int32_t y) {
    InvalidateRect(QRect(x * kTilePixels - m_ptTickOrigin.x(), y * kTilePixels - m_ptTickOrigin.y(),
                         kTilePixels, kTilePixels));
}

void CCoilixView::KeepHeadInView() {
    // Only along the axis of the last move, and only where the board is
    // larger than the window on it; the other coordinate stays the tick's.
    const int32_t d = m_doc.m_nLastDirection;
    const bool bForward = d == dirRight || d == dirDown;
    const QPoint o = m_ptTickOrigin;
    if (d == dirLeft || d == dirRight) {
        const int nTotal = BoardSize().width();
        const int nClient = m_sizePage.width();
        if (m_nOffsetX != 0 || nTotal <= nClient) return;
        FollowAxis(bForward, m_doc.m_nHeadX * kTilePixels, nClient, nTotal, o.x(),
                   [&](int x) { ScrollToPosition(QPoint(x, o.y())); });
    } else if (d == dirUp || d == dirDown) {
        const int nTotal = BoardSize().height();
        const int nClient = m_sizePage.height();
        if (m_nOffsetY != 0 || nTotal <= nClient) return;
        FollowAxis(bForward, m_doc.m_nHeadY * kTilePixels, nClient, nTotal, o.y(),
                   [&](int y) { ScrollToPosition(QPoint(o.x(), y)); });
    }
}

bool CCoilixView::StartTimer(int nIntervalMs) {
    m_nQtTimer = startTimer(nIntervalMs, Qt::PreciseTimer);
    m_tTimerStart = std::chrono::steady_clock::now();
    m_timerPeriod = std::chrono::milliseconds(nIntervalMs);
    return m_nQtTimer != 0;
}

void CCoilixView::KillTimer() {
    if (m_nQtTimer != 0) killTimer(m_nQtTimer);
    m_nQtTimer = 0;
}

void CCoilixView::HideCursor() {
    if (m_ptCursorHiddenAt) return;
    m_ptCursorHiddenAt = QCursor::pos();
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}

void CCoilixView::ShowCursor() {
    if (!m_ptCursorHiddenAt) return;
    m_ptCursorHiddenAt.reset();
    QGuiApplication::restoreOverrideCursor();
}

void CCoilixView::EnterNewScore() {
    if (m_fnNewScore) m_fnNewScore();
}

// ---- input ----------------------------------------------------------------

void CCoilixView::keyPressEvent(QKeyEvent* pEvent) {
    GameKey key = GameKey::kOther;
    switch (pEvent->key()) {
        case Qt::Key_Left:
            key = GameKey::kLeft;
            break;
        case Qt::Key_Up:
            key = GameKey::kUp;
            break;
        case Qt::Key_Right:
            key = GameKey::kRight;
            break;
        case Qt::Key_Down:
            key = GameKey::kDown;
            break;
        default:
            break;
    }
    Steer(key);
    // Arrow keys steer; they do not scroll the view.
    pEvent->accept();
}

void CCoilixView::Steer(GameKey key) {
    // A steer starts or goes on with a game: the sound device is opened now,
    // a tick ahead of the first sound, and not before a game is played.
    if (key != GameKey::kOther && SoundsOn()) m_sounds.Prepare();
    m_control.OnKeyDown(key);
    if (m_pFrame != nullptr) m_pFrame->RequestCommandUIUpdate();
}

void CCoilixView::timerEvent(QTimerEvent* pEvent) {
    if (pEvent->timerId() != m_nQtTimer || m_nQtTimer == 0) {
        CScrollView::timerEvent(pEvent);
        return;
    }
    const QPoint scroll = GetDeviceScrollPosition();
    m_ptTickOrigin = QPoint(scroll.x() + m_nOffsetX, scroll.y() + m_nOffsetY);
    const int32_t nDirBefore = m_doc.m_nDirection;
    m_tTickDue = TickDue();
    m_control.OnTimer();
    m_tTickDue.reset();
    if (m_doc.m_nDirection != nDirBefore && m_pFrame != nullptr) m_pFrame->RequestCommandUIUpdate();
}

std::chrono::steady_clock::time_point CCoilixView::TickDue() const {
    // The nearest point of the timer's grid: a tick handled a little late
    // (the window was busy) is still due on its beat. One far off the grid
    // (the program stalled, and the timer has started over) is due now.
    const auto tNow = std::chrono::steady_clock::now();
    if (m_timerPeriod.count() <= 0 || tNow < m_tTimerStart) return tNow;
    const auto elapsed = tNow - m_tTimerStart;
    const auto nTicks = (elapsed + m_timerPeriod / 2) / m_timerPeriod;
    const auto tDue = m_tTimerStart + nTicks * m_timerPeriod;
    const auto off = tNow > tDue ? tNow - tDue : tDue - tNow;
    return off <= kTickLatenessKept ? tDue : tNow;
}

void CCoilixView::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::RightButton) {
        m_bRightDown = true;
        viewport()->grabMouse();
    }
    pEvent->accept();
}

void CCoilixView::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::RightButton) return;
    const bool bHadCapture = m_bRightDown;
    m_bRightDown = false;
    if (QWidget::mouseGrabber() == viewport()) viewport()->releaseMouse();
    if (!bHadCapture || m_pFrame == nullptr) return;
    // Inside the view window, scroll bars and border included.
    const QPoint pt = mapFromGlobal(pEvent->globalPosition().toPoint());
    if (!rect().contains(pt)) return;
    m_pFrame->ShowContextMenu(pEvent->globalPosition().toPoint());
}

void CCoilixView::mouseMoveEvent(QMouseEvent* pEvent) {
    // Move messages also come without a movement (a window changed under
    // the resting mouse): only a new position gives the cursor back.
    if (m_ptCursorHiddenAt && QCursor::pos() != *m_ptCursorHiddenAt) ShowCursor();
    pEvent->accept();
}

bool CCoilixView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == window() && pEvent->type() == QEvent::WindowStateChange &&
        window()->isMinimized()) {
        OnPlayerAway();
    }
    return CScrollView::eventFilter(pWatched, pEvent);
}

void CCoilixView::OnPlayerAway() {
    m_control.OnPlayerAway();
    if (m_pFrame != nullptr) m_pFrame->RequestCommandUIUpdate();
}

void CCoilixView::OnDestroy() {
    m_control.OnDestroy();
    KillTimer();
}

// ---- commands -------------------------------------------------------------

bool CCoilixView::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    switch (nID) {
        case ID_PAUSE:
            if (pCmdUI != nullptr) {
                pCmdUI->Enable(m_control.IsPauseEnabled());
                pCmdUI->SetCheck(m_control.IsPauseChecked());
            } else {
                m_control.OnPause();
            }
            return true;
        case ID_AUTO_RESIZE:
            if (pCmdUI != nullptr) {
                pCmdUI->Enable(!window()->isMaximized());
            } else {
                OnAutoResize();
            }
            return true;
        default:
            return false;
    }
}
