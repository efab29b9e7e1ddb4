#pragma once
#include <QObject>
#include <QString>
#include <map>

class QSoundEffect;

// Short effects, loaded once and played asynchronously; a new sound cuts off
// the one still playing. Without an audio device nothing is heard, nothing is
// reported and nothing waits.
class CSoundPlayer : public QObject {
public:
    explicit CSoundPlayer(QObject* pParent = nullptr);
    // Registers sound nID from a resource URL ("qrc:/sounds/move.wav").
    void Add(int nID, const QString& strUrl);
    void Play(int nID);
    // How many Play calls started a sound (for tests).
    int PlayedCount() const { return m_nPlayed; }
    int LastPlayed() const { return m_nLast; }

private:
    std::map<int, QSoundEffect*> m_effects;
    QSoundEffect* m_pCurrent = nullptr;
    int m_nPlayed = 0;
    int m_nLast = 0;
};

// Without an audio device the game is silent: the multimedia layer's
// complaints about that are kept out of the program's output. Call once,
// before the application object is made.
void InstallQuietAudioMessages();
