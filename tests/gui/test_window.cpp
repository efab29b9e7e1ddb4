// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a player and a screen reader meet it: the score pane
// holds any score, every command's prompt shows whole in the window of the
// Small board, menus are plain text with their keys, the bars offer no
// menus of their own, the recent-file entries tell games apart and show paths
// literally, the placement comes back as the frame's outer rectangle and a
// placement no screen could hold is not used.

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QWindow>
#include <climits>

#include "GuiTest.h"
#include "app/Menus.h"
#include "framework/AccessibleObjects.h"
#include "framework/FramePlacement.h"

namespace {

// The room a pane has for its text: its width inside the frame, less the
// label's margins and its indent (half an x beside a frame, unless set).
int TextRoom(QLabel* pPane) {
    const int nIndent = pPane->indent() >= 0      ? pPane->indent()
                        : pPane->frameWidth() > 0 ? pPane->fontMetrics().horizontalAdvance('x') / 2
                                                  : 0;
    return pPane->contentsRect().width() - 2 * pPane->margin() - nIndent;
}

// True when a pane shows strText whole: the text's width fits its room.
bool PaneShowsWhole(QLabel* pPane, const QString& strText) {
    return pPane->fontMetrics().horizontalAdvance(strText) <= TextRoom(pPane);
}

}  // namespace

class WindowTest : public GuiTest {};

TEST_F(WindowTest, TheScorePaneShowsEveryScoreWholeInEveryLanguageAndAnyFont) {
    for (const QString& strLanguage : AvailableLanguages()) {
        SCOPED_TRACE(strLanguage.toStdString());
        SetLanguage(strLanguage);
        WriteSettings({});
        StartApp();
        QLabel* pPane = Frame().Pane(ViewFrame::kScorePane);
        // A small score leaves the message pane its room: the score pane is
        // only as wide as its least.
        View().SetScore(0);
        EXPECT_EQ(pPane->width(), kScorePaneMinWidth);
        for (const QFont& font : {Frame().font(), QFont(Frame().font().family(), 22)}) {
            Frame().setFont(font);
            Flush();
            for (int32_t nScore : {INT32_MIN, INT32_MAX, 25400, -100, 0}) {
                View().SetScore(nScore);
                SCOPED_TRACE(Pane(1).toStdString() + " at " + std::to_string(font.pointSize()));
                EXPECT_TRUE(PaneShowsWhole(pPane, Pane(1))) << pPane->width();
            }
        }
        CloseApp();
    }
}

TEST_F(WindowTest, EveryPromptShowsWholeInTheSmallBoardsFirstWindowInEveryLanguage) {
    for (const QString& strLanguage : AvailableLanguages()) {
        const std::string strName = strLanguage.toStdString();
        SetLanguage(strLanguage);
        QFile::remove(StorePath());
        WriteSettings({});  // the Small board, and no placement: the very first start
        StartApp();
        Flush();
        ASSERT_EQ(View().ClientSize(), QSize(17 * 24, 13 * 24)) << strName;
        const QSize frameSize = Frame().size();
        QLabel* pPane = Frame().Pane(0);

        // Every command the menus and the toolbar offer, with the widget that
        // shows its prompt: the menu bar for an item, the button for a button.
        std::vector<std::pair<QAction*, QWidget*>> commands;
        for (int i = 0; Frame().TopLevelMenu(i) != nullptr; ++i) {
            for (QAction* pAction : Frame().TopLevelMenu(i)->actions())
                commands.emplace_back(pAction, Frame().menuBar());
        }
        for (QAction* pAction : Frame().ToolBar()->actions()) {
            if (QWidget* pButton = Frame().ToolBar()->widgetForAction(pAction))
                commands.emplace_back(pAction, pButton);
        }
        int nPrompts = 0;
        for (const auto& [pAction, pWidget] : commands) {
            const QString strPrompt = pAction->statusTip();
            if (strPrompt.isEmpty()) continue;
            ++nPrompts;
            QStatusTipEvent tip(strPrompt);
            QCoreApplication::sendEvent(pWidget, &tip);
            Flush();
            const int nText = pPane->fontMetrics().horizontalAdvance(strPrompt);
            EXPECT_TRUE(pPane->text() == strPrompt && nText <= TextRoom(pPane) &&
                        Frame().size() == frameSize)
                << strName << ", " << TextWithoutMnemonic(pAction->text()).toStdString() << " ("
                << pWidget->metaObject()->className() << "): \"" << strPrompt.toStdString()
                << "\" is " << nText << " px, the pane shows \"" << pPane->text().toStdString()
                << "\" in " << TextRoom(pPane) << " px of its " << pPane->width()
                << "; the window is " << Frame().width() << " px wide, was " << frameSize.width();
        }
        // The walk met them all: 17 menu items (the grayed recent-file one
        // too) and 8 buttons.
        EXPECT_EQ(nPrompts, 25) << strName;
        CloseApp();
    }
}

TEST_F(WindowTest, APromptLongerThanThePaneEndsInAnEllipsisAndShowsWholeWhenThereIsRoom) {
    WriteSettings({});
    StartApp();
    Flush();
    const QSize frameSize = Frame().size();
    QLabel* pPane = Frame().Pane(0);
    // A recent game's prompt is its path, of any length.
    const QString strPath = "/" + QString(40, 'd') + "/" + QString(40, 'e') + "/deep.cx";
    Frame().SetRecentFiles({strPath.toStdString()});
    QStatusTipEvent tip(Frame().Action(ID_FILE_MRU_FILE1)->statusTip());
    QCoreApplication::sendEvent(Frame().menuBar(), &tip);
    Flush();
    const QString strShown = pPane->text();
    EXPECT_TRUE(strShown.endsWith(QChar(0x2026)) && strPath.startsWith(strShown.chopped(1)))
        << strShown.toStdString();
    EXPECT_TRUE(PaneShowsWhole(pPane, strShown)) << strShown.toStdString();
    EXPECT_EQ(Frame().size(), frameSize) << "the window does not grow for a prompt";
    // Nothing of it is lost: the program, the pointer and a screen reader
    // have the whole path.
    EXPECT_EQ(Pane(0), strPath);
    EXPECT_EQ(pPane->toolTip(), strPath);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(pPane)->text(QAccessible::Name), strPath);

    // A wider window has room for all of it; a narrower one cuts it again.
    Frame().resize(frameSize.width() + 400, frameSize.height());
    Flush();
    EXPECT_EQ(pPane->text(), strPath);
    EXPECT_TRUE(pPane->toolTip().isEmpty());
    Frame().resize(frameSize);
    Flush();
    EXPECT_EQ(pPane->text(), strShown);

    // The next text that fits shows as it is.
    Frame().SetMessageText(QStringLiteral("Ready"));
    EXPECT_EQ(pPane->text(), "Ready");
    EXPECT_TRUE(pPane->toolTip().isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(pPane)->text(QAccessible::Name), "Ready");
}

TEST_F(WindowTest, MenusAreTextWithKeysAndCheckMarksAndTheToolbarKeepsItsPictures) {
    WriteSettings({});
    StartApp();
    // Keys are shortcuts, so a screen reader reads the name without them.
    const struct {
        unsigned nID;
        const char* pszName;
        const char* pszShown;
    } items[] = {
        {ID_NEW_GAME, "&New...", "&New...\tF2"},
        {ID_FILE_OPEN, "&Open...", "&Open...\tCtrl+O"},
        {ID_APP_EXIT, "E&xit", "E&xit\tEsc"},
        {ID_PAUSE, "&Pause", "&Pause\tBreak"},
        {ID_HIGH_SCORES, "&High Scores...", "&High Scores...\tCtrl+H"},
        {ID_SOUNDS, "&Sound Off", "&Sound Off"},
    };
    for (const auto& item : items) {
        QAction* pAction = Frame().Action(item.nID);
        ASSERT_NE(pAction, nullptr);
        EXPECT_EQ(pAction->text(), item.pszName);
        EXPECT_EQ(ShownMenuText(Frame(), item.nID), item.pszShown);
    }
    for (int i = 0; i < 4; ++i) {
        QMenu* pMenu = Frame().TopLevelMenu(i);
        QAccessibleInterface* pAcc = QAccessible::queryAccessibleInterface(pMenu);
        ASSERT_NE(pAcc, nullptr);
        for (int c = 0; c < pAcc->childCount(); ++c) {
            const QString strName = pAcc->child(c)->text(QAccessible::Name);
            EXPECT_FALSE(strName.contains('\t')) << strName.toStdString();
        }
        for (QAction* pAction : pMenu->actions()) {
            EXPECT_TRUE(pAction->icon().isNull() || !pAction->isIconVisibleInMenu())
                << pAction->text().toStdString() << " shows a picture in the menu";
        }
    }
    EXPECT_FALSE(Frame().Action(ID_SOUNDS)->icon().isNull()) << "the toolbar keeps its picture";

    // Sound Off shows a check that can be seen: the menu looks different.
    QMenu* pOptions = Frame().TopLevelMenu(2);
    auto shot = [&] {
        pOptions->popup(QPoint(20, 20));
        Flush();
        const QImage image = pOptions->grab().toImage();
        pOptions->hide();
        Flush();
        return image;
    };
    const bool bChecked = Frame().Action(ID_SOUNDS)->isChecked();
    const QImage before = shot();
    Frame().Action(ID_SOUNDS)->trigger();
    Flush();
    ASSERT_NE(Frame().Action(ID_SOUNDS)->isChecked(), bChecked);
    EXPECT_NE(shot(), before);
}

TEST_F(WindowTest, F2StartsANewGameWithoutTheDialogThatTheNewItemOpens) {
    WriteSettings({});
    StartApp();
    Key(Qt::Key_Left);
    ASSERT_TRUE(Tick());
    ModalDriver driver;  // an unasked dialog would be recorded, and closed
    Key(Qt::Key_F2);
    // The new game has begun; a dialog on its way would have been opened by
    // then, or from an event posted on the way, which Flush runs.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Doc().m_nDirection == dirNone; }, 5000))
        << "F2 started no new game";
    Flush();
    EXPECT_TRUE(driver.Unexpected().empty()) << driver.Unexpected().front();

    // The menu item shows F2 and opens the dialog.
    driver.Expect(
        "the New Game dialog", [](QWidget* w) { return w->isModal(); },
        [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    Frame().Action(ID_NEW_GAME)->trigger();
    EXPECT_TRUE(driver.Pending().empty());
}

TEST_F(WindowTest, TheBarsOfferNoMenusOfTheirOwn) {
    WriteSettings({});
    StartApp();
    for (QWidget* pBar :
         {static_cast<QWidget*>(Frame().ToolBar()), static_cast<QWidget*>(Frame().menuBar())}) {
        const QPoint pt(pBar->width() - 5, pBar->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, pBar->mapToGlobal(pt));
        QCoreApplication::sendEvent(pBar, &event);
        Flush();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << pBar->metaObject()->className();
        if (QWidget* pPopup = QApplication::activePopupWidget()) pPopup->close();
    }
}

TEST_F(WindowTest, TheBoardTellsAScreenReaderTheScoreAndTheState) {
    WriteSettings({});
    StartApp();
    EXPECT_EQ(View().accessibleName(), "Board");
    EXPECT_EQ(View().accessibleDescription(), "Score: 0, Ready");
    Key(Qt::Key_Down);
    ASSERT_TRUE(Tick());
    EXPECT_EQ(View().accessibleDescription(), "Score: 0, Playing...");
    QTest::keyClick(&View(), Qt::Key_Pause);
    EXPECT_EQ(View().accessibleDescription(), "Score: 0, Pause");
    QTest::keyClick(&View(), Qt::Key_Pause);
    TickUntilOver();
    EXPECT_TRUE(View().accessibleDescription().endsWith("Game over"))
        << View().accessibleDescription().toStdString();
}

TEST_F(WindowTest, RecentEntriesTellGamesApartAndShowPathsAsTheyAre) {
    WriteSettings({});
    StartApp();
    const std::string strHome = QDir::homePath().toStdString();
    Frame().SetRecentFiles({"/games/a/same.cx", "/games/b/same.cx", strHome + "/R&D <b>x<br>.cx",
                            std::string("/tmp/caf\xe9.cx")});
    const QStringList texts = RecentFileEntries(Frame());
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0], "&1 /games/a/same.cx");
    EXPECT_EQ(texts[1], "&2 /games/b/same.cx");
    // A unique name shows alone, its ampersand doubled (no mnemonic), its
    // markup as it is.
    EXPECT_EQ(texts[2], "&3 R&&D <b>x<br>.cx");
    // Bytes that are not UTF-8 are shown as the file system decodes them.
    EXPECT_EQ(Frame().Action(ID_FILE_MRU_FILE1 + 3)->statusTip(),
              QFile::decodeName(QByteArray("/tmp/caf\xe9.cx")));

    // A long path is shortened in its folders; the name stays whole.
    const std::string strDeep = "/" + std::string(30, 'd') + "/" + std::string(30, 'e') + "/" +
                                std::string(30, 'f') + "/deep.cx";
    Frame().SetRecentFiles({strDeep, "/x/deep.cx"});
    const QString strShown = RecentFileEntries(Frame()).front();
    EXPECT_TRUE(strShown.endsWith("/deep.cx")) << strShown.toStdString();
    EXPECT_LT(strShown.size(), static_cast<qsizetype>(strDeep.size()));
    EXPECT_TRUE(strShown.contains(QChar(0x2026))) << strShown.toStdString();

    // The prompt pane shows a path's markup literally.
    Frame().SetMessageText(QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(Frame().Pane(0)->textFormat(), Qt::PlainText);
}

TEST_F(WindowTest, ThePlacementIsTheFramesOuterRectangleAndComesBackInEveryState) {
    StoredSettings s;
    s.placement = Placement(60, 70, 500, 420);
    WriteSettings(s);
    StartApp();
    Flush();
    const QMargins m = Frame().Placement().FrameMargins();
    ASSERT_EQ(Frame().frameGeometry(), QRect(60, 70, 500, 420)) << "margins " << m.left();
    EXPECT_EQ(Frame().geometry(), QRect(60, 70, 500, 420).marginsRemoved(m));

    const struct {
        const char* pszState;
        Qt::WindowState state;
        int32_t nShowCmd;
    } states[] = {
        {"normal", Qt::WindowNoState, kShowCmdNormal},
        {"maximized", Qt::WindowMaximized, kShowCmdMaximized},
        {"minimized", Qt::WindowMinimized, kShowCmdMinimized},
    };
    for (const auto& st : states) {
        SCOPED_TRACE(st.pszState);
        Frame().setWindowState(st.state);
        Flush();
        CloseApp();
        const WindowPlacement wp = StoredGameSettings().m_placement;
        EXPECT_EQ(wp.showCmd, st.nShowCmd);
        EXPECT_EQ(QRect(QPoint(wp.rcNormalPosition[0], wp.rcNormalPosition[1]),
                        QPoint(wp.rcNormalPosition[2] - 1, wp.rcNormalPosition[3] - 1)),
                  QRect(60, 70, 500, 420));
        StartApp();
        EXPECT_TRUE(QTest::qWaitFor([&] { return Frame().windowState() == st.state; }, 2000));
        Frame().setWindowState(Qt::WindowNoState);
        Flush();
        EXPECT_EQ(Frame().frameGeometry(), QRect(60, 70, 500, 420));
    }
}

// A placement no screen can hold is damaged: the window starts as it does the
// very first time.
TEST_F(WindowTest, APlacementNoScreenCanHoldIsNotUsed) {
    const QSize largest = QGuiApplication::primaryScreen()->geometry().size();
    const struct {
        int32_t l, t, r, b;
        bool bSane;
    } cases[] = {
        {60, 70, 560, 490, true},
        {-200, -100, 300, 400, true},  // partly off screen: still a window's
        {0, 0, largest.width(), largest.height(), true},
        {0, 0, 100000, 100000, false},
        {0, 0, largest.width() + 1, 400, false},
        {100, 100, 100, 400, false},  // no width
        {300, 300, 200, 200, false},  // negative size
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, false},
        {INT32_MAX - 100, 0, INT32_MAX, 100, false},
        {INT32_MIN, 0, INT32_MIN + 100, 100, false},
        {1 << 25, 1 << 25, (1 << 25) + 300, (1 << 25) + 300, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.l << "," << c.t << "," << c.r << "," << c.b);
        StoredSettings s;
        s.placement = Placement(0, 0, 1, 1);
        s.placement.rcNormalPosition[0] = c.l;
        s.placement.rcNormalPosition[1] = c.t;
        s.placement.rcNormalPosition[2] = c.r;
        s.placement.rcNormalPosition[3] = c.b;
        EXPECT_EQ(SaneNormalRect(s.placement).has_value(), c.bSane);
        QFile::remove(StorePath());
        WriteSettings(s);
        StartApp();
        Flush();
        const QRect rc = Frame().frameGeometry();
        EXPECT_LE(rc.width(), largest.width());
        EXPECT_LE(rc.height(), largest.height());
        if (c.bSane) {
            EXPECT_EQ(rc.size(), QSize(c.r - c.l, c.b - c.t));
        } else {
            // Damaged: the window of the very first start, fitted to the board.
            EXPECT_EQ(View().ClientSize(), QSize(17 * 24, 13 * 24));
            EXPECT_EQ(App().m_settings.m_placement.showCmd, kShowCmdShow);
            EXPECT_TRUE(Frame().Placement().AvailableArea().contains(rc))
                << rc.x() << "," << rc.y();
        }
        CloseApp();
    }
}

TEST_F(WindowTest, KeysInAnOpenMenuAreTheMenusAndRunNoCommand) {
    WriteSettings({});
    StartApp();
    QMenu* pGame = Frame().TopLevelMenu(0);
    pGame->popup(QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pGame));
    Flush();
    // F2 (the new-game key "New..." shows) and Ctrl+H do nothing here.
    Key(Qt::Key_Left);
    ASSERT_TRUE(Tick());
    QTest::keyClick(pGame, Qt::Key_F2);
    QTest::keyClick(pGame, Qt::Key_H, Qt::ControlModifier);
    Flush();
    EXPECT_EQ(Doc().m_nDirection, dirLeft) << "F2 in the menu started a new game";
    // Esc, the key of Exit, closes the menu, not the program.
    QTest::keyClick(pGame, Qt::Key_Escape);
    Flush();
    EXPECT_FALSE(pGame->isVisible());
    EXPECT_TRUE(Frame().isVisible());
}
