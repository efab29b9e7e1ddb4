#include "framework/qt/Sound.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSoundEffect>
#include <QUrl>

CSoundPlayer::CSoundPlayer(QObject* pParent) : QObject(pParent) {}

void CSoundPlayer::Add(int nID, const QString& strUrl) {
    auto* pEffect = new QSoundEffect(this);
    pEffect->setSource(QUrl(strUrl));
    m_effects[nID] = pEffect;
}

void CSoundPlayer::Play(int nID) {
    auto it = m_effects.find(nID);
    if (it == m_effects.end()) return;
    if (m_pCurrent != nullptr && m_pCurrent != it->second) m_pCurrent->stop();
    m_pCurrent = it->second;
    ++m_nPlayed;
    m_nLast = nID;
    // play() returns at once; an effect that could not load stays silent.
    if (m_pCurrent->status() != QSoundEffect::Error) m_pCurrent->play();
}

namespace {
int g_nCursorCount = 0;
}

int ShowCursor(bool bShow) {
    const bool bWasHidden = g_nCursorCount < 0;
    g_nCursorCount += bShow ? 1 : -1;
    const bool bHidden = g_nCursorCount < 0;
    if (bHidden && !bWasHidden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    } else if (!bHidden && bWasHidden) {
        QGuiApplication::restoreOverrideCursor();
    }
    return g_nCursorCount;
}

int CursorDisplayCount() {
    return g_nCursorCount;
}
