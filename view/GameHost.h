#pragma once
#include <optional>
#include <string>

// What the rules of play need from the window around them. The game rules
// never reach the window any other way; the view implements this, and so do
// the tests and the headless driver.
class GameHost {
public:
    virtual ~GameHost() = default;

    // Status bar: pane 0 is the message pane (given by string number, so that
    // the idle prompt can be told apart), pane 1 the score (given as text).
    virtual void SetStatusText(int nPane, unsigned nStringID) = 0;
    virtual void SetStatusText(int nPane, const std::string& strText) = 0;

    // Plays sound nSoundID at once, cutting off any sound still playing.
    // Only called while sounds are switched on.
    virtual void PlaySound(int nSoundID) = 0;

    // The cell (x, y) changed and must be repainted.
    virtual void InvalidateCell(int x, int y) = 0;

    // Scroll so that the head stays inside the window (last act of a tick).
    virtual void KeepHeadInView() = 0;

    // Game timer: start it with the interval in milliseconds (returns its
    // identifier, 0 when refused) and stop it.
    virtual unsigned StartTimer(int nIntervalMs) = 0;
    virtual void KillTimer() = 0;

    // Mouse cursor: hide it (remembering where it is) and show it again.
    virtual void HideCursor() = 0;
    virtual void ShowCursor() = 0;

    // Asks the player for the name of new high-score row nRow (0-based),
    // proposing strProposed. Nothing means Cancel.
    virtual std::optional<std::string> AskHighScoreName(int nRow, int nScore,
                                                        const std::string& strProposed) = 0;
    // Shows the table of the current board and speed.
    virtual void ShowHighScores() = 0;
};
