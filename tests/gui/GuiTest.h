// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window tests share: a program started on a store file of its own,
// deterministic game ticks, and a driver that answers modal dialogs while the
// code under test waits in their event loops.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/CoilixApp.h"
#include "app/MainFrame.h"
#include "app/StoredPlacement.h"
#include "app/Strings.h"
#include "framework/CommandLine.h"
#include "res/resource.h"
#include "store/CoilixDoc.h"
#include "store/GameSettings.h"
#include "store/ScoreStore.h"
#include "support/RecordingSoundOutput.h"
#include "view/CoilixView.h"

class QWidget;

// Answers modal dialogs, one step per dialog, in the order they open. It
// polls the event loop, so it also runs inside the nested loop of a dialog
// that a step has just opened. A modal that no step expects is recorded and
// closed after a grace period, so a wrong dialog fails a test instead of
// hanging it.
class ModalDriver : public QObject {
public:
    using Match = std::function<bool(QWidget*)>;
    using Act = std::function<void(QWidget*)>;

    ModalDriver();
    // The next modal for which match() holds gets act().
    void Expect(std::string strWhat, Match match, Act act);
    template <typename T>
    void Expect(std::string strWhat, std::function<void(T&)> act) {
        Expect(
            std::move(strWhat), [](QWidget* w) { return dynamic_cast<T*>(w) != nullptr; },
            [act](QWidget* w) { act(*dynamic_cast<T*>(w)); });
    }

    // Steps not yet reached, and modals that came unasked (their titles).
    std::vector<std::string> Pending() const;
    const std::vector<std::string>& Unexpected() const { return m_unexpected; }

private:
    struct Step {
        std::string strWhat;
        Match match;
        Act act;
    };
    void Poll();
    bool IsHandled(QWidget* pModal) const;

    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    std::vector<QPointer<QWidget>> m_handled;
    QPointer<QWidget> m_pSeen;  // the modal on top at the last poll
    qint64 m_nSeenSince = 0;
    std::vector<std::string> m_unexpected;
};

// Settings written into the store before the program starts.
struct StoredSettings {
    int32_t nArraySize = 0;
    int32_t nWidth = 17;
    int32_t nHeight = 13;
    int32_t nGameSpeed = 0;
    std::string strLastName;
    uint8_t bSounds = 0;        // quiet by default: nothing to hear here
    WindowPlacement placement;  // showCmd 0: the very first start
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString StorePath() const { return m_dir.filePath("store.reg"); }
    QString TempPath(const QString& strName) const { return m_dir.filePath(strName); }
    void WriteSettings(const StoredSettings& s);

    // Starts the program as main() does (the window shown and active), its
    // games seeded with nSeed when one is given, else from the clock.
    void StartApp(const CommandLineInfo& cmd = {}, std::optional<uint32_t> nSeed = 0);
    // The same without making the window active: for a test that has to meet
    // what comes up before that (it calls ActivateFrame itself).
    void CreateApp(const CommandLineInfo& cmd = {}, std::optional<uint32_t> nSeed = 0);
    // Closes the main window as the close box does and runs the exit.
    void CloseApp();
    bool Running() const { return m_pApp != nullptr; }

    CCoilixApp& App() { return *m_pApp; }
    CCoilixDoc& Doc() { return m_pApp->Document(); }
    CCoilixView& View() { return m_pApp->View(); }
    CMainFrame& Frame() { return m_pApp->MainFrame(); }
    // What the program played: every start reaches this log, never a device.
    SoundLog& Sounds() { return *m_pSoundLog; }

    // Makes the main window the active one again, as the window manager does
    // when a dialog closes (accelerators work only in the active window).
    void ActivateFrame();
    // Plays the current game into the wall above, with the score set to nScore
    // just before the end.
    void EndGameWithScore(int32_t nScore);
    // A key pressed and released on the view, as the keyboard sends it.
    void Key(int nKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
    // Delivers one tick of the game timer, if it runs, and lets the paint
    // happen. The real timer is held back (its dispatcher entry removed) so
    // that no tick comes from the clock while a test counts them.
    bool Tick();
    // Ticks until the game is over; returns how many ticks it took.
    int TickUntilOver(int nMaxTicks = 200);
    // Resizes the main window so that the view's client area is w x h.
    void SetClientSize(int w, int h);

    QString Pane(int n) { return Frame().GetPaneText(n); }
    // The score table of a board and speed as the store holds it.
    HighScoreTable StoredTable(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs);
    // The store file's text.
    std::string StoreText() const;
    // The settings as the store holds them (defaults where it holds none).
    GameSettings StoredGameSettings() const;

    QTemporaryDir m_dir;
    std::unique_ptr<CCoilixApp> m_pApp;
    std::shared_ptr<SoundLog> m_pSoundLog = std::make_shared<SoundLog>();
    int m_nHeldTimer = 0;  // the game timer, taken off the clock
};

// Processes pending events (paints, deferred updates).
void Flush();

// Whether the mouse cursor is hidden: Qt's override cursor is the blank one.
bool CursorHidden();

// Every step of the driver was reached and no other modal came.
void ExpectDriverDone(const ModalDriver& driver);

// What a message box showed: its text, its title, and how its text was read.
struct ShownMessage {
    QString strText;
    QString strTitle;
    Qt::TextFormat format = Qt::AutoText;
};
// A step that records the next message box into shown and answers it.
void ExpectMessage(ModalDriver& driver, ShownMessage& shown);

// A stored placement that is not the first start: the window at (x, y), w x h.
WindowPlacement Placement(int x, int y, int w, int h);

// What the menu item of command nID shows ("&New...\tF2").
QString ShownMenuText(CFrameWnd& frame, unsigned nID);
// The recent-file entries in the Game menu, in their order ("&1 a.cx").
QStringList RecentFileEntries(CMainFrame& frame);

// The headless driver's transcript of a game, split into ticks: each tick
// starts with the line "pane 0 Playing..." and holds the lines up to the next.
std::vector<std::vector<std::string>> ReplayTicks(const QStringList& args);

// Readable failure messages.
void PrintTo(const QPoint& pt, std::ostream* os);
void PrintTo(const QSize& size, std::ostream* os);
void PrintTo(const QString& str, std::ostream* os);

// Reads a whole file; empty when it cannot be read.
std::vector<char> ReadBytes(const QString& strPath);
void WriteBytes(const QString& strPath, const std::vector<char>& bytes);

// ---- the real program as a process ----------------------------------------

struct ProcessResult {
    int nExitCode = -1;  // -1: ended by a signal, or never ended
    QString strOut;
    QString strErr;
};

// Changes to the environment of a run: a null value removes the variable.
using EnvChanges = std::vector<std::pair<QString, QString>>;
// The environment without any display: no X, no Wayland, no Qt platform.
EnvChanges NoDisplay();

// Runs a program to its end on Qt's offscreen platform with the store at
// strStore (and the changes given); fails the test if it has not ended after
// nTimeoutMs.
ProcessResult RunProgram(const QString& strProgram, const QStringList& args,
                         const QString& strStore, const EnvChanges& env = {},
                         int nTimeoutMs = 60000);

// ---- pictures of the board -------------------------------------------------

// The bounding box of the pixels that are (close to) the board's pure green,
// and their number.
QRect GreenBox(const QImage& image, int* pnGreen = nullptr);
// Renders page 1 of a PDF at nDpi (pdftoppm), or only the part rcPart of it
// (in pixels at that resolution, pdftocairo); a null image when it cannot.
QImage RenderPdf(const QString& strPdf, int nDpi, const QString& strWorkDir,
                 const QRect& rcPart = {});
