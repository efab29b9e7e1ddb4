#include "framework/Sound.h"

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

QtMessageHandler g_defaultHandler = nullptr;

void QuietAudio(QtMsgType type, const QMessageLogContext& context, const QString& strMessage) {
    const QLatin1String category(context.category != nullptr ? context.category : "");
    if (category.startsWith(QLatin1String("qt.multimedia")) ||
        strMessage.contains(QLatin1String("audio device"), Qt::CaseInsensitive) ||
        strMessage.startsWith(QLatin1String("PulseAudioService"))) {
        return;
    }
    if (g_defaultHandler != nullptr) g_defaultHandler(type, context, strMessage);
}

}  // namespace

void InstallQuietAudioMessages() {
    g_defaultHandler = qInstallMessageHandler(QuietAudio);
}
