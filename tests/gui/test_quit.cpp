// SPDX-License-Identifier: GPL-3.0-or-later
// Ending the program from outside: SIGTERM, SIGINT and SIGHUP end it as Exit
// does, also while a dialog is open (and say what could not be saved), and a
// session's request to save is honoured.

#include <signal.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <fstream>

#include "GuiTest.h"
#include "app/HighScoresDlg.h"
#include "app/NewGameDlg.h"

namespace {

// Whether the process catches all of the signals (its handlers are in place).
bool Catches(qint64 nPid, std::initializer_list<int> aSignals) {
    std::ifstream status("/proc/" + std::to_string(nPid) + "/status");
    std::string strLine;
    while (std::getline(status, strLine)) {
        if (strLine.rfind("SigCgt:", 0) != 0) continue;
        const unsigned long long nMask = std::stoull(strLine.substr(7), nullptr, 16);
        for (int nSignal : aSignals) {
            if ((nMask & (1ull << (nSignal - 1))) == 0) return false;
        }
        return true;
    }
    return false;
}

}  // namespace

class QuitTest : public GuiTest {
protected:
    void TearDown() override {
        GuiTest::TearDown();
        // A signal ends every event loop the way the end of the program does;
        // one turn of the main loop makes this process's loops usable again.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

// Each signal ends the real program as Exit does. With a store that cannot be
// written no dialog can be answered: one line on the error output says what
// was not saved, and the exit code says so too.
TEST_F(QuitTest, TheRealProgramEndsOnEachSignalAsExitDoes) {
    for (const bool bUnwritable : {false, true}) {
        for (int nSignal : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(testing::Message()
                         << strsignal(nSignal) << (bUnwritable ? ", store not writable" : ""));
            QFile::remove(StorePath());
            QFile::remove(StorePath() + ".lock");
            QDir(StorePath() + ".lock").removeRecursively();
            // A folder where the lock file would be made: read, never written.
            if (bUnwritable) {
                ASSERT_TRUE(QDir().mkpath(StorePath() + ".lock"));
            }
            QProcess process;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            env.insert("COILIX_REGISTRY", StorePath());
            process.setProcessEnvironment(env);
            // The program as a desktop or a terminal starts it: no signal ignored.
            process.setChildProcessModifier([] {
                for (int n : {SIGTERM, SIGINT, SIGHUP}) ::signal(n, SIG_DFL);
            });
            process.start(COILIX_BIN, {});
            ASSERT_TRUE(process.waitForStarted());
            // Its handlers are in place once its window is up.
            for (int i = 0; i < 200 && !Catches(process.processId(), {SIGTERM, SIGINT, SIGHUP});
                 ++i) {
                QTest::qWait(50);
            }
            ASSERT_TRUE(Catches(process.processId(), {SIGTERM, SIGINT, SIGHUP}));
            ASSERT_FALSE(QFile::exists(StorePath())) << "nothing is written before the end";

            ::kill(static_cast<pid_t>(process.processId()), nSignal);
            ASSERT_TRUE(process.waitForFinished(20000));
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            // The program's own lines (Qt may add lines of its own).
            const QStringList lines = QString::fromUtf8(process.readAllStandardError())
                                          .split('\n')
                                          .filter(QRegularExpression("^coilix: "));
            if (bUnwritable) {
                EXPECT_EQ(process.exitCode(), kExitFileFailure);
                ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
                EXPECT_TRUE(lines[0].startsWith(
                    QStringLiteral("coilix: Ended by SIG%1, and not everything could be saved: ")
                        .arg(sigabbrev_np(nSignal))))
                    << lines[0].toStdString();
                EXPECT_TRUE(lines[0].contains("cannot be written (Is a directory)"))
                    << lines[0].toStdString();
                EXPECT_FALSE(QFile::exists(StorePath()));
                continue;
            }
            EXPECT_EQ(process.exitCode(), 0);
            EXPECT_TRUE(lines.isEmpty()) << lines.join('\n').toStdString();
            // The settings and the window's placement were written.
            const GameSettings stored = StoredGameSettings();
            EXPECT_EQ(stored.m_placement.showCmd, kShowCmdNormal) << StoreText();
            EXPECT_GT(stored.m_placement.rcNormalPosition[2],
                      stored.m_placement.rcNormalPosition[0]);
            EXPECT_NE(StoreText().find("\"Array Width\"=dword:00000011"), std::string::npos);
        }
    }
}

TEST_F(QuitTest, ASignalDuringADialogEndsTheDialogAndTheProgramKeepingEverything) {
    StoredSettings s;
    s.strLastName = "Ann";
    WriteSettings(s);
    StartApp();
    Frame().move(40, 30);
    Flush();

    // The New Game dialog goes away unanswered: the settings stay as they were.
    ModalDriver driver;
    driver.Expect<CNewGameDlg>("New Game", [](CNewGameDlg& dlg) {
        dlg.SizeCombo()->setCurrentIndex(1);
        ::raise(SIGTERM);
    });
    Frame().Action(ID_NEW_GAME)->trigger();
    ExpectDriverDone(driver);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(App().m_settings.m_nArraySize, 0);
    // What main() does once its loop has ended.
    EXPECT_EQ(App().ExitInstance(), 0);
    EXPECT_FALSE(Frame().isVisible());
    const WindowPlacement& wp = StoredGameSettings().m_placement;
    EXPECT_EQ(wp.showCmd, kShowCmdNormal);
    EXPECT_EQ(wp.rcNormalPosition[0], 40);
    EXPECT_EQ(wp.rcNormalPosition[1], 30);
    m_pApp.reset();
}

TEST_F(QuitTest, ASignalWhileTheNameIsAskedStillKeepsTheScore) {
    WriteSettings({});
    StartApp();
    ModalDriver driver;
    driver.Expect<CNewHighScoreDlg>("New High Score", [](CNewHighScoreDlg& dlg) {
        QTest::keyClicks(dlg.NameEdit(), "Zed");
        ::raise(SIGINT);
    });
    Key(Qt::Key_Up);
    ASSERT_TRUE(Tick());
    Doc().m_nScore = 900;
    TickUntilOver();
    ExpectDriverDone(driver);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no table waits to be closed";
    const HighScoreTable stored = StoredTable(17, 13, 350);
    ASSERT_EQ(stored.GetCount(), 10);
    EXPECT_EQ(stored.GetRow(0).nScore, 900);
    EXPECT_EQ(App().ExitInstance(), 0);
    m_pApp.reset();
}

TEST_F(QuitTest, ASessionsRequestToSaveWritesTheSettingsAndPlacementAtOnce) {
    WriteSettings({});
    StartApp();
    App().m_settings.m_nGameSpeed = 2;
    Frame().move(70, 50);
    Frame().resize(500, 420);
    Flush();
    App().SaveSession();
    EXPECT_TRUE(Frame().isVisible()) << "the game goes on";
    const GameSettings stored = StoredGameSettings();
    EXPECT_EQ(stored.m_nGameSpeed, 2);
    const WindowPlacement wp = CaptureWindowPlacement(Frame());
    EXPECT_EQ(stored.m_placement.showCmd, kShowCmdNormal);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(stored.m_placement.rcNormalPosition[i], wp.rcNormalPosition[i]) << i;
    }
    EXPECT_EQ(wp.rcNormalPosition[0], 70);

    // The program answers both of the session's requests (the window is
    // their receiver; there is nothing to disconnect otherwise).
    EXPECT_TRUE(
        QObject::disconnect(qGuiApp, &QGuiApplication::commitDataRequest, &Frame(), nullptr));
    EXPECT_TRUE(
        QObject::disconnect(qGuiApp, &QGuiApplication::saveStateRequest, &Frame(), nullptr));
}
