// The view's control rules: keys, the game timer, Pause and the cursor.
#include "view/GameControl.h"

#include "doc/CoilixDoc.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "view/GameHost.h"

void GameControl::HideCursorOnce() {
    if (!m_bCursorHidden) {
        m_host.HideCursor();
        m_bCursorHidden = true;
    }
}

void GameControl::ShowCursorIfHidden() {
    if (m_bCursorHidden) {
        m_host.ShowCursor();
        m_bCursorHidden = false;
    }
}

void GameControl::OnInitialUpdate() {
    if (m_nTimer != 0) {
        m_host.KillTimer();
        m_nTimer = 0;
    }
}

void GameControl::ShowInitialStatus() {
    m_host.SetStatusText(1, FormatString(IDS_SCORE, m_doc.m_nScore));
    if (m_doc.m_nDirection == dirGameOver) {
        m_host.SetStatusText(0, IDS_GAME_OVER);
    } else if (m_doc.m_nDirection == dirNone) {
        m_host.SetStatusText(0, AFX_IDS_IDLEMESSAGE);
    } else {
        m_host.SetStatusText(0, IDS_PAUSE);
    }
}

void GameControl::OnKeyDown(GameKey key) {
    CCoilixDoc& doc = m_doc;
    if (doc.m_nDirection == dirGameOver) return;
    HideCursorOnce();

    // An arrow asks for its direction unless that is the way back from the
    // direction asked for last; any arrow ends a pause.
    switch (key) {
        case GameKey::kLeft:
            if (doc.m_nDirection != dirRight) doc.m_nDirection = dirLeft;
            break;
        case GameKey::kUp:
            if (doc.m_nDirection != dirDown) doc.m_nDirection = dirUp;
            break;
        case GameKey::kRight:
            if (doc.m_nDirection != dirLeft) doc.m_nDirection = dirRight;
            break;
        case GameKey::kDown:
            if (doc.m_nDirection != dirUp) doc.m_nDirection = dirDown;
            break;
        case GameKey::kOther:
            break;
    }
    if (key != GameKey::kOther) doc.m_bPaused = false;

    if (m_nTimer == 0 && doc.m_nDirection != dirNone) m_nTimer = m_host.StartTimer(doc.m_nSpeed);
}

void GameControl::OnTimer(unsigned nIDEvent) {
    if (nIDEvent == kGameTimerId && !m_doc.m_bPaused && m_doc.m_nDirection != dirGameOver &&
        m_doc.HasBoard()) {
        GameStep();
    }
}

void GameControl::OnPause() {
    CCoilixDoc& doc = m_doc;
    const bool bInProgress = doc.m_nDirection != dirNone && doc.m_nDirection != dirGameOver;
    doc.m_bPaused = !doc.m_bPaused && bInProgress;
    if (doc.m_bPaused) {
        ShowCursorIfHidden();
        m_host.SetStatusText(0, IDS_PAUSE);
    } else {
        // The next tick writes "Playing..." again.
        HideCursorOnce();
    }
}

bool GameControl::IsPauseEnabled() const {
    return IsMoving(m_doc.m_nDirection);
}

bool GameControl::IsPauseChecked() const {
    return m_doc.m_bPaused;
}

void GameControl::OnDestroy() {
    if (m_nTimer != 0) m_host.KillTimer();
    ShowCursorIfHidden();
}

void GameControl::OnMouseMoved(bool bMovedSinceHidden) {
    if (m_bCursorHidden && bMovedSinceHidden) ShowCursorIfHidden();
}
