// SPDX-License-Identifier: GPL-3.0-or-later
// The store as the program ends and while another program holds it: what
// cannot be saved at exit is said while the window is still shown (a signal's
// end is QuitTest's), and a high score that finds the store locked is written
// as soon as it is free, while the game runs on or as it ends.

#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

#include "GuiTest.h"
#include "app/HighScoresDlg.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "support/Processes.h"

namespace {

using namespace std::chrono_literals;

// A lock let go this long after the program has begun to end; the exit
// waits far longer, even on a busy machine.
constexpr std::chrono::milliseconds kHeldAtExit = 300ms;
constexpr std::chrono::milliseconds kExitWaitsLonger = 5000ms;

}  // namespace

class StoreExitTest : public GuiTest {
protected:
    // The store's waits, short: a write gives up soon, and what waits is
    // tried again often, and for atExit as the program ends.
    void ShortenStoreWaits(std::chrono::milliseconds atExit = kExitWaitsLonger) {
        auto* pStore = dynamic_cast<CFileRegistry*>(&App().Profile().Registry());
        ASSERT_NE(pStore, nullptr);
        pStore->SetWaits({.lock = 50ms, .retry = 20ms, .atExit = atExit});
    }

    // A store that can be read but not written, whoever runs the test: a
    // folder stands where its lock file would be made.
    void MakeStoreUnwritable() {
        WriteSettings({});
        QFile::remove(StorePath() + ".lock");
        ASSERT_TRUE(QDir().mkpath(StorePath() + ".lock"));
    }

    // Ends a game with a new high score, entering the name; the table shown
    // after it is closed. bBusy: the store is held by another program, which
    // the player is told between the two.
    void EnterHighScore(int32_t nScore, bool bBusy) {
        ModalDriver driver;
        driver.Expect<CNewHighScoreDlg>("New High Score", [](CNewHighScoreDlg& dlg) {
            QTest::keyClicks(dlg.NameEdit(), "Ann");
            QTest::keyClick(dlg.NameEdit(), Qt::Key_Return);
        });
        ShownMessage busy;
        if (bBusy) ExpectMessage(driver, busy);
        driver.Expect<CHighScoresDlg>("High Scores", [nScore](CHighScoresDlg& dlg) {
            EXPECT_EQ(dlg.CellText(0, 2), QString::number(nScore));
            dlg.reject();
        });
        EndGameWithScore(nScore);
        ExpectDriverDone(driver);
        if (bBusy) {
            EXPECT_TRUE(busy.strText.contains("in use by another program"))
                << busy.strText.toStdString();
        }
    }

    bool ScoreStored(int32_t nScore) {
        const HighScoreTable stored = StoredTable(17, 13, 350);
        return stored.GetCount() > 0 && stored.GetRow(0).nScore == nScore;
    }

    // Closes the window as Exit does; returns the exit code. The message box
    // shown on the way, if any, is recorded with whether the window was still
    // shown under it.
    int Exit(ShownMessage* pShown, bool* pbWindowShown) {
        ModalDriver driver;
        if (pShown != nullptr) {
            driver.Expect<QMessageBox>("message", [&](QMessageBox& box) {
                pShown->strText = box.text();
                *pbWindowShown = Frame().isVisible();
                box.accept();
            });
        }
        Frame().Action(ID_APP_EXIT)->trigger();
        ExpectDriverDone(driver);
        EXPECT_FALSE(Frame().isVisible());
        const int nCode = App().ExitInstance();
        m_pApp.reset();
        return nCode;
    }
};

TEST_F(StoreExitTest, AStoreThatCannotBeWrittenIsToldBeforeTheWindowCloses) {
    for (const bool bByEsc : {false, true}) {
        SCOPED_TRACE(bByEsc ? "Esc" : "Exit");
        MakeStoreUnwritable();
        StartApp();
        ShownMessage shown;
        bool bWindowShown = false;
        if (bByEsc) {
            ModalDriver driver;
            driver.Expect<QMessageBox>("message", [&](QMessageBox& box) {
                shown.strText = box.text();
                bWindowShown = Frame().isVisible();
                box.accept();
            });
            Key(Qt::Key_Escape);
            ExpectDriverDone(driver);
            EXPECT_EQ(App().ExitInstance(), kExitFileFailure);
            m_pApp.reset();
        } else {
            EXPECT_EQ(Exit(&shown, &bWindowShown), kExitFileFailure);
        }
        EXPECT_TRUE(bWindowShown);
        EXPECT_TRUE(
            shown.strText.startsWith("Coilix is closing, and not everything could be saved."))
            << shown.strText.toStdString();
        EXPECT_TRUE(shown.strText.contains("cannot be written (Is a directory)"))
            << shown.strText.toStdString();
        EXPECT_EQ(shown.strText.count("cannot be written"), 1) << shown.strText.toStdString();
        EXPECT_FALSE(shown.strText.contains("goes on")) << shown.strText.toStdString();
    }
}

// Another program holds the store as a game ends with a new high score, and
// the player quits at once: the exit waits for the store and writes the row,
// saying nothing more.
TEST_F(StoreExitTest, AHighScoreThatFindsTheStoreBusyIsWrittenAsTheProgramEnds) {
    WriteSettings({});
    StartApp();
    ShortenStoreWaits();
    std::optional<testsupport::HeldLock> held(std::in_place, (StorePath() + ".lock").toStdString());
    EnterHighScore(500, true);
    EXPECT_FALSE(ScoreStored(500));
    // Let go a moment after the program has begun to end, well within the
    // time it waits.
    QElapsedTimer elapsed;
    elapsed.start();
    std::thread release([&held] {
        std::this_thread::sleep_for(kHeldAtExit);
        held.reset();
    });
    EXPECT_EQ(Exit(nullptr, nullptr), 0);
    release.join();
    EXPECT_GE(elapsed.elapsed(), kHeldAtExit.count());  // the exit waited for the store
    EXPECT_TRUE(ScoreStored(500));
    EXPECT_EQ(StoredTable(17, 13, 350).GetRow(0).Name(), "Ann");
}

// Opens and renames in a folder, as inotify reports them, by file name.
class FolderWatch {
public:
    explicit FolderWatch(const QString& strDir) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (m_fd < 0 ||
            inotify_add_watch(m_fd, strDir.toLocal8Bit().constData(), IN_OPEN | IN_MOVED_TO) < 0) {
            throw std::runtime_error("inotify failed");
        }
    }
    ~FolderWatch() { ::close(m_fd); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // How often the file was opened, and renamed onto, since the watch began.
    std::pair<int, int> OpenedAndReplaced(const std::string& strName) {
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (ssize_t i = 0; i < n;) {
                const auto* pEvent = reinterpret_cast<const inotify_event*>(buffer + i);
                if (pEvent->len > 0 && strName == pEvent->name) {
                    if ((pEvent->mask & IN_OPEN) != 0) ++m_nOpened;
                    if ((pEvent->mask & IN_MOVED_TO) != 0) ++m_nReplaced;
                }
                i += static_cast<ssize_t>(sizeof(inotify_event) + pEvent->len);
            }
        }
        return {m_nOpened, m_nReplaced};
    }

private:
    int m_fd;
    int m_nOpened = 0;
    int m_nReplaced = 0;
};

// Everything the program saves as it ends (the settings, the placement, the
// bars, a high score that waited for the store) reaches the store in one
// read and one rewrite of it: a large store costs its time once.
TEST_F(StoreExitTest, EverythingSavedAtExitGoesToTheStoreInOnePass) {
    WriteSettings({});
    StartApp();
    ShortenStoreWaits();
    std::optional<testsupport::HeldLock> held(std::in_place, (StorePath() + ".lock").toStdString());
    EnterHighScore(600, true);
    App().m_settings.m_nGameSpeed = 2;
    // Free again as the program ends, before the writes that wait are tried.
    held.reset();
    FolderWatch watch(m_dir.path());
    EXPECT_EQ(Exit(nullptr, nullptr), 0);
    EXPECT_EQ(watch.OpenedAndReplaced("store.reg"), std::make_pair(1, 1));
    EXPECT_TRUE(ScoreStored(600));
    EXPECT_EQ(StoredGameSettings().m_nGameSpeed, 2);
    EXPECT_EQ(StoredGameSettings().m_placement.showCmd, kShowCmdNormal);
    const std::string strText = StoreText();
    EXPECT_NE(
        strText.find("[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Control]\n\"Bar State\"="),
        std::string::npos)
        << strText;
}

// Held while the game runs on: the row is written once the store is free,
// without the program ending.
TEST_F(StoreExitTest, AHighScoreThatFindsTheStoreBusyIsWrittenWhenItIsFreeWhileTheGameRunsOn) {
    WriteSettings({});
    StartApp();
    ShortenStoreWaits();
    std::optional<testsupport::HeldLock> held(std::in_place, (StorePath() + ".lock").toStdString());
    EnterHighScore(700, true);
    EXPECT_FALSE(ScoreStored(700));
    held.reset();
    QElapsedTimer elapsed;
    elapsed.start();
    while (!ScoreStored(700) && elapsed.elapsed() < 5000) QTest::qWait(10);
    EXPECT_TRUE(ScoreStored(700));
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Exit(nullptr, nullptr), 0);
}

// Held for longer than the exit waits: the player is told what was not saved.
TEST_F(StoreExitTest, AStoreBusyForLongerThanTheExitWaitsIsTold) {
    WriteSettings({});
    StartApp();
    constexpr std::chrono::milliseconds kExitWait = 300ms;
    ShortenStoreWaits(kExitWait);
    testsupport::HeldLock held((StorePath() + ".lock").toStdString());
    EnterHighScore(900, true);
    ShownMessage shown;
    bool bWindowShown = false;
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(Exit(&shown, &bWindowShown), kExitFileFailure);
    EXPECT_GE(elapsed.elapsed(), kExitWait.count());
    EXPECT_TRUE(bWindowShown);
    EXPECT_TRUE(shown.strText.contains("was still in use by another program"))
        << shown.strText.toStdString();
    EXPECT_FALSE(ScoreStored(900));
}
