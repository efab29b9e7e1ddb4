// SPDX-License-Identifier: GPL-3.0-or-later
// Playing in the window: keys reach the rules through real key events, the
// game timer, Pause and the Break key, the hidden cursor, and what one tick
// repaints.

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimerEvent>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "GuiTest.h"
#include "devices/Sound.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

// The cells that each tick invalidates, from the headless driver running the
// same game: one set per tick, in order.
std::vector<Cells> InvalidatedPerTick(const QStringList& args) {
    std::vector<Cells> ticks;
    for (const std::vector<std::string>& lines : ReplayTicks(args)) {
        Cells& cells = ticks.emplace_back();
        for (const std::string& line : lines) {
            int x = 0;
            int y = 0;
            if (std::sscanf(line.c_str(), "cell %d %d", &x, &y) == 2) cells.insert({x, y});
        }
    }
    return ticks;
}

int ViewTimerInterval(QObject* pView) {
    for (const auto& t : QAbstractEventDispatcher::instance()->registeredTimers(pView))
        return t.interval;
    return 0;
}

}  // namespace

class PlayTest : public GuiTest {};

TEST_F(PlayTest, FirstArrowStartsTheTimerAtTheGameSpeedAndItsTicksMoveTheCrawler) {
    StoredSettings s;
    s.nGameSpeed = 2;  // 150 ms
    s.bSounds = 1;
    WriteSettings(s);
    StartApp();
    ASSERT_EQ(Doc().m_nSpeed, 150);

    // Keys other than the arrows start nothing.
    Key(Qt::Key_A);
    Key(Qt::Key_Shift);
    EXPECT_EQ(Doc().m_nDirection, dirNone);
    EXPECT_FALSE(View().Control().IsTimerRunning());
    EXPECT_EQ(ViewTimerInterval(&View()), 0);

    Key(Qt::Key_Up);
    EXPECT_EQ(Doc().m_nDirection, dirUp);
    EXPECT_EQ(ViewTimerInterval(&View()), 150);

    // The real clock drives play from here.
    const int32_t nStartY = Doc().m_nHeadY;
    EXPECT_TRUE(QTest::qWaitFor([&] { return Doc().m_nHeadY <= nStartY - 2; }, 5000))
        << "head still at row " << Doc().m_nHeadY;
    EXPECT_EQ(Pane(0), "Playing...");
    EXPECT_EQ(Pane(1), "Score: 0");
    EXPECT_TRUE(Sounds().WaitFor("start " + std::to_string(IDW_MOVE), 2)) << "a click on each move";
}

TEST_F(PlayTest, EachArrowStartsANewGameInItsDirectionAndAReversalIsRefused) {
    WriteSettings({});
    StartApp();
    const struct {
        int nKey;
        int32_t nDir;
        int nBack;
    } cases[] = {
        {Qt::Key_Left, dirLeft, Qt::Key_Right},
        {Qt::Key_Right, dirRight, Qt::Key_Left},
        {Qt::Key_Up, dirUp, Qt::Key_Down},
        {Qt::Key_Down, dirDown, Qt::Key_Up},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nDir);
        Key(Qt::Key_F2);  // a new game at once, through the frame's accelerator
        ASSERT_EQ(Doc().m_nDirection, dirNone);
        const int32_t x0 = Doc().m_nHeadX, y0 = Doc().m_nHeadY;
        Key(c.nKey);
        EXPECT_EQ(Doc().m_nDirection, c.nDir);
        ASSERT_TRUE(Tick());
        Key(c.nBack);
        ASSERT_TRUE(Tick());
        EXPECT_EQ(Doc().m_nDirection, c.nDir);
        const int dx = Doc().m_nHeadX - x0, dy = Doc().m_nHeadY - y0;
        EXPECT_EQ(std::abs(dx) + std::abs(dy), 2) << dx << "," << dy;
        EXPECT_EQ(dx < 0, c.nDir == dirLeft);
        EXPECT_EQ(dy > 0, c.nDir == dirDown);
    }
}

TEST_F(PlayTest, OnlyTheGameTimerOfTheViewMovesTheCrawler) {
    WriteSettings({});
    StartApp();
    Key(Qt::Key_Left);
    ASSERT_TRUE(Tick());
    const int32_t x = Doc().m_nHeadX;
    QTimerEvent other(m_nHeldTimer + 1);
    QCoreApplication::sendEvent(&View(), &other);
    Flush();
    EXPECT_EQ(Doc().m_nHeadX, x);
    ASSERT_TRUE(Tick());
    EXPECT_EQ(Doc().m_nHeadX, x - 1);
}

TEST_F(PlayTest, PauseFromTheMenuAndTheBreakKeyStopsAndResumesPlay) {
    WriteSettings({});
    StartApp();
    QAction* pPause = Frame().Action(ID_PAUSE);
    ASSERT_NE(pPause, nullptr);
    EXPECT_FALSE(pPause->isEnabled()) << "nothing to pause before the first move";

    Key(Qt::Key_Right);
    ASSERT_TRUE(Tick());
    Flush();
    EXPECT_TRUE(pPause->isEnabled());

    const struct {
        const char* pszHow;
        std::function<void()> pause;
    } ways[] = {
        {"menu item", [&] { pPause->trigger(); }},
        {"Break key", [&] { QTest::keyClick(&View(), Qt::Key_Pause); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.pszHow);
        way.pause();
        Flush();
        EXPECT_TRUE(Doc().m_bPaused);
        EXPECT_TRUE(pPause->isChecked());
        EXPECT_EQ(Pane(0), "Pause");
        const int32_t x = Doc().m_nHeadX;
        ASSERT_TRUE(Tick()) << "the timer keeps running while paused";
        ASSERT_TRUE(Tick());
        EXPECT_EQ(Doc().m_nHeadX, x);

        way.pause();
        Flush();
        EXPECT_FALSE(Doc().m_bPaused);
        EXPECT_FALSE(pPause->isChecked());
        ASSERT_TRUE(Tick());
        EXPECT_EQ(Doc().m_nHeadX, x + 1);
        EXPECT_EQ(Pane(0), "Playing...");
    }

    // An arrow key also ends a pause, even one whose direction is refused.
    pPause->trigger();
    Key(Qt::Key_Left);
    EXPECT_FALSE(Doc().m_bPaused);
    EXPECT_EQ(Doc().m_nDirection, dirRight);

    TickUntilOver();
    Flush();
    EXPECT_FALSE(pPause->isEnabled()) << "nothing to pause after the end";
    QTest::keyClick(&View(), Qt::Key_Pause);
    EXPECT_FALSE(Doc().m_bPaused);
    EXPECT_EQ(Pane(0), "Game over");
}

TEST_F(PlayTest, AGameOnItsWayPausesWhileThePlayerIsAwayButNotForItsOwnDialogs) {
    WriteSettings({});
    StartApp();
    QAction* pPause = Frame().Action(ID_PAUSE);
    ASSERT_NE(pPause, nullptr);
    // A new game that has not started stays as it is.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(Doc().m_bPaused);
    EXPECT_EQ(Pane(0), "Ready");

    Key(Qt::Key_Right);
    ASSERT_TRUE(Tick());
    // A dialog of the game's own: play goes on underneath.
    ModalDriver driver;
    int32_t nUnderDialog = 0;
    driver.Expect(
        "About", [](QWidget* w) { return w->windowTitle() == "About Coilix"; },
        [&](QWidget* w) {
            const int32_t x = Doc().m_nHeadX;
            emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
            Tick();
            nUnderDialog = Doc().m_nHeadX - x;
            static_cast<QDialog*>(w)->accept();
        });
    Frame().Action(ID_APP_ABOUT)->trigger();
    ExpectDriverDone(driver);
    EXPECT_EQ(nUnderDialog, 1);
    EXPECT_FALSE(Doc().m_bPaused);
    ActivateFrame();

    const struct {
        const char* pszHow;
        std::function<void()> away;
    } ways[] = {
        {"another program in front",
         [] { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); }},
        {"minimised", [this] { Frame().showMinimized(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.pszHow);
        way.away();
        Flush();
        // As Break pauses it.
        EXPECT_TRUE(Doc().m_bPaused);
        EXPECT_TRUE(pPause->isChecked());
        EXPECT_EQ(Pane(0), "Pause");
        const int32_t x = Doc().m_nHeadX;
        ASSERT_TRUE(Tick());
        EXPECT_EQ(Doc().m_nHeadX, x);

        // Back, the player resumes with an arrow.
        Frame().showNormal();
        ActivateFrame();
        Key(Qt::Key_Right);
        ASSERT_TRUE(Tick());
        EXPECT_EQ(Doc().m_nHeadX, x + 1);
        EXPECT_EQ(Pane(0), "Playing...");
    }
}

TEST_F(PlayTest, AMenuLeftByTheKeyboardGivesTheArrowsBackAndItsEscNeverQuits) {
    WriteSettings({});
    StartApp();
    // Keys go where the keyboard sends them: to the widget with the focus, or
    // to the open menu.
    const auto press = [](Qt::Key nKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* pTarget = QApplication::activePopupWidget();
        if (pTarget == nullptr) pTarget = QApplication::focusWidget();
        ASSERT_NE(pTarget, nullptr);
        QTest::keyClick(pTarget, nKey, mods);
        Flush();
    };
    const struct {
        const char* pszHow;
        std::vector<Qt::Key> keys;
    } ways[] = {
        {"Esc", {Qt::Key_Escape}},
        {"Esc twice", {Qt::Key_Escape, Qt::Key_Escape}},
        {"Right to the next menu, Esc twice", {Qt::Key_Right, Qt::Key_Escape, Qt::Key_Escape}},
    };
    int nTurn = 0;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.pszHow);
        press(Qt::Key_G, Qt::AltModifier);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        for (Qt::Key nKey : way.keys) press(nKey);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_FALSE(Frame().menuBar()->hasFocus());
        ASSERT_TRUE(Frame().isVisible()) << "an Esc quit the program";
        // The next arrow steers: up and right in turn, never back on itself.
        const int32_t x = Doc().m_nHeadX;
        const int32_t y = Doc().m_nHeadY;
        press(nTurn++ % 2 == 0 ? Qt::Key_Up : Qt::Key_Right);
        ASSERT_TRUE(Tick());
        EXPECT_EQ(std::abs(Doc().m_nHeadX - x) + std::abs(Doc().m_nHeadY - y), 1);
        EXPECT_EQ(Pane(0), "Playing...");
    }
    // Back at the board, Esc is the program's own again.
    press(Qt::Key_Escape);
    EXPECT_FALSE(Frame().isVisible());
    App().ExitInstance();
    m_pApp.reset();
}

TEST_F(PlayTest, CursorIsHiddenDuringPlayAndAlwaysGivenBack) {
    WriteSettings({});
    StartApp();
    const QPoint ptInside = View().viewport()->mapToGlobal(QPoint(50, 50));
    QCursor::setPos(ptInside);
    Flush();

    Key(Qt::Key_Control);  // any key hides it
    EXPECT_TRUE(CursorHidden());
    Key(Qt::Key_Right);
    EXPECT_TRUE(CursorHidden());

    // A move message without movement leaves it hidden; a real move shows it,
    // and the one blank cursor set for both keys is gone.
    QTest::mouseMove(View().viewport(), QPoint(50, 50));
    Flush();
    EXPECT_TRUE(CursorHidden());
    QCursor::setPos(ptInside + QPoint(1, 0));
    QTest::mouseMove(View().viewport(), QPoint(51, 50));
    Flush();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    QTest::mouseMove(View().viewport(), QPoint(60, 52));
    EXPECT_FALSE(CursorHidden());

    // Pause shows it, resuming hides it again.
    Key(Qt::Key_Down);
    EXPECT_TRUE(CursorHidden());
    QTest::keyClick(&View(), Qt::Key_Pause);
    EXPECT_FALSE(CursorHidden());
    QTest::keyClick(&View(), Qt::Key_Pause);
    EXPECT_TRUE(CursorHidden());

    // The end of the game gives it back; later keys do not take it.
    TickUntilOver();
    ASSERT_EQ(Doc().m_nDirection, dirGameOver);
    EXPECT_FALSE(CursorHidden());
    Key(Qt::Key_Up);
    EXPECT_FALSE(CursorHidden());

    // Closing the window while playing gives it back too.
    Key(Qt::Key_F2);
    Key(Qt::Key_Left);
    ASSERT_TRUE(Tick());
    EXPECT_TRUE(CursorHidden());
    CloseApp();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PlayTest, ATickRepaintsExactlyTheCellsItInvalidated) {
    StoredSettings s;
    WriteSettings(s);  // Small, 350 ms
    StartApp({}, 6);
    const QString strEvents = QStringLiteral("R....U....L......D....R..");
    const std::vector<Cells> expected =
        InvalidatedPerTick({"--seed", "6", "--speed", "350", "--width", "17", "--height", "13",
                            "--events", strEvents});
    ASSERT_EQ(expected.size(), 20u);

    const int nBoardCells = Doc().m_nWidth * Doc().m_nHeight;
    size_t nTick = 0;
    size_t nMost = 0;
    for (QChar ch : strEvents) {
        if (ch != '.') {
            Key(ch == 'R'   ? Qt::Key_Right
                : ch == 'L' ? Qt::Key_Left
                : ch == 'U' ? Qt::Key_Up
                            : Qt::Key_Down);
            continue;
        }
        Flush();
        std::vector<QPoint> painted;
        View().BoardPainter().SetCellPaintObserver(
            [&painted](int x, int y) { painted.emplace_back(x, y); });
        ASSERT_TRUE(Tick());
        Flush();
        View().BoardPainter().SetCellPaintObserver({});
        Cells paintedSet;
        for (const QPoint& p : painted) paintedSet.insert({p.x(), p.y()});
        SCOPED_TRACE(nTick);
        EXPECT_EQ(paintedSet, expected[nTick]);
        EXPECT_LE(painted.size(), 6u);
        EXPECT_LT(static_cast<int>(painted.size()), nBoardCells);
        nMost = std::max(nMost, paintedSet.size());
        ++nTick;
    }
    EXPECT_GE(nMost, 4u) << "the script should include a tick with a spawn or an expiry";
}
