// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: status panes and the rule that keeps the game's message
// where the idle prompt would come back, the Czech texts, and what the window
// leaves in the store at exit and finds there at the next start.

#include <QAction>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "GuiTest.h"

namespace {

// Opens a menu as a click on its title would, rests the pointer on one item
// (its prompt shows), then closes it again.
QString BrowseMenu(QMenu* pMenu, QAction* pItem, QLabel* pPane) {
    pMenu->popup(QPoint(10, 10));
    Flush();
    pMenu->setActiveAction(pItem);
    Flush();
    const QString strPrompt = pPane->text();
    pMenu->hide();
    Flush();
    return strPrompt;
}

}  // namespace

class FrameTest : public GuiTest {};

TEST_F(FrameTest, TheGameMessageStaysWhereTheIdlePromptWouldComeBack) {
    WriteSettings({});
    StartApp();
    EXPECT_EQ(Pane(0), "Ready");
    EXPECT_EQ(Pane(1), "Score: 0");

    // Before any game message, a menu's prompt gives way to "Ready".
    QMenu* pGame = Frame().TopLevelMenu(0);
    ASSERT_NE(pGame, nullptr);
    EXPECT_EQ(BrowseMenu(pGame, Frame().Action(ID_NEW_GAME), Frame().Pane(0)), "Start a new game");
    EXPECT_EQ(Pane(0), "Ready");

    // A toolbar button's prompt shows while the pointer rests on it.
    QWidget* pButton = Frame().ToolBar()->widgetForAction(Frame().Action(ID_FILE_OPEN));
    ASSERT_NE(pButton, nullptr);
    QTest::mouseMove(pButton);
    Flush();
    EXPECT_EQ(Pane(0), "Open an existing game");
    QTest::mouseMove(&View());
    Flush();
    EXPECT_EQ(Pane(0), "Ready");

    // Floating, as Qt floats it (a frameless tool window), the toolbar's
    // prompts still reach the main window's status bar.
    QToolBar* pBar = Frame().ToolBar();
    pBar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    pBar->show();
    Flush();
    ASSERT_TRUE(pBar->isFloating());
    // (The pointer entering a button, told to the button itself: the
    // offscreen screen may put the main window over the toolbar's.)
    QWidget* pSave = pBar->widgetForAction(Frame().Action(ID_FILE_SAVE));
    QEnterEvent enter(QPointF(2, 2), pSave->mapToGlobal(QPointF(2, 2)),
                      pSave->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(pSave, &enter);
    Flush();
    EXPECT_EQ(Pane(0), "Save the game");
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(pSave, &leave);
    Flush();
    EXPECT_EQ(Pane(0), "Ready");

    Key(Qt::Key_Down);
    TickUntilOver();
    ASSERT_EQ(Pane(0), "Game over");
    EXPECT_EQ(BrowseMenu(pGame, Frame().Action(ID_FILE_SAVE), Frame().Pane(0)), "Save the game");
    EXPECT_EQ(Pane(0), "Game over");
    QTest::mouseMove(pBar->widgetForAction(Frame().Action(ID_FILE_OPEN)));
    QTest::mouseMove(&View());
    Flush();
    EXPECT_EQ(Pane(0), "Game over");

    // Pane 1 is not the idle prompt's business.
    Frame().SetStatusText(1, QStringLiteral("Score: 42"));
    BrowseMenu(pGame, Frame().Action(ID_FILE_SAVE), Frame().Pane(0));
    EXPECT_EQ(Pane(1), "Score: 42");

    // Only the idle prompt itself brings "Ready" back, for later idle moments too.
    Frame().SetStatusText(0, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(Pane(0), "Ready");
    BrowseMenu(pGame, Frame().Action(ID_FILE_SAVE), Frame().Pane(0));
    EXPECT_EQ(Pane(0), "Ready");
}

TEST_F(FrameTest, TranslatedTextsInMenusStatusBarAndToolbar) {
    const struct {
        const char* pszLanguage;
        QStringList titles;
        QString strNew, strExit, strPause, strHighScores, strToolbar, strNewTip;
        QString strReady, strScore, strPlaying, strPaused, strOver;
    } cases[] = {
        {"cs",
         {"&Hra", "&Zobrazit", "&Možnosti", "Nápo&věda"},
         "&Nová...\tF2",
         "&Konec\tEsc",
         "&Přerušit\tBreak",
         "&Rekordy...\tCtrl+H",
         "Panel nástrojů",
         "Nová hra",
         "Připraven",
         "Skóre: 0",
         "Hraji...",
         "Přerušeno",
         "Konec hry"},
        // German names the keys as German keyboards do.
        {"de",
         {"&Spiel", "&Ansicht", "&Optionen", "&Hilfe"},
         "&Neu...\tF2",
         "&Beenden\tEsc",
         "&Pause\tPause",
         "&Bestenliste...\tStrg+H",
         "Werkzeugleiste",
         "Neues Spiel",
         "Bereit",
         "Punkte: 0",
         "Spiel läuft...",
         "Pause",
         "Spiel vorbei"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLanguage);
        SetLanguage(c.pszLanguage);
        WriteSettings({});
        StartApp();
        EXPECT_EQ(Frame().windowTitle(), "Coilix");
        QStringList titles;
        for (QAction* pTitle : Frame().menuBar()->actions()) titles << pTitle->text();
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(ShownMenuText(Frame(), ID_NEW_GAME), c.strNew);
        EXPECT_EQ(ShownMenuText(Frame(), ID_APP_EXIT), c.strExit);
        EXPECT_EQ(ShownMenuText(Frame(), ID_PAUSE), c.strPause);
        EXPECT_EQ(ShownMenuText(Frame(), ID_HIGH_SCORES), c.strHighScores);
        EXPECT_EQ(Frame().ToolBar()->windowTitle(), c.strToolbar);
        EXPECT_EQ(Frame().Action(ID_FILE_NEW)->toolTip(), c.strNewTip);

        EXPECT_EQ(Pane(0), c.strReady);
        EXPECT_EQ(Pane(1), c.strScore);
        Key(Qt::Key_Left);
        ASSERT_TRUE(Tick());
        EXPECT_EQ(Pane(0), c.strPlaying);
        QTest::keyClick(&View(), Qt::Key_Pause);
        EXPECT_EQ(Pane(0), c.strPaused);
        Key(Qt::Key_Left);
        TickUntilOver();
        EXPECT_EQ(Pane(0), c.strOver);
        CloseApp();
    }
}

TEST_F(FrameTest, EscExitsAndTheNextStartFindsWindowToolbarAndSettingsAsLeft) {
    StoredSettings s;
    s.nArraySize = 2;
    s.nWidth = 21;
    s.nHeight = 15;
    s.nGameSpeed = 2;
    s.strLastName = "Ann";
    s.bSounds = 1;
    WriteSettings(s);  // the very first start: no placement yet
    StartApp();
    Frame().setGeometry(60, 70, 640, 480);
    Frame().addToolBar(Qt::LeftToolBarArea, Frame().ToolBar());
    Frame().Action(ID_SOUNDS)->trigger();  // sounds off
    Flush();

    Key(Qt::Key_Escape);
    Flush();
    ASSERT_FALSE(Frame().isVisible()) << "Esc closes the main window";
    App().ExitInstance();
    m_pApp.reset();

    const std::string strStore = StoreText();
    for (const char* pszValue :
         {"\"Array Size\"=dword:00000002", "\"Array Width\"=dword:00000015",
          "\"Array Height\"=dword:0000000f", "\"Game Speed\"=dword:00000002",
          "\"Last Name\"=\"Ann\"", "\"Sounds\"=dword:00000000", "\"Frame Placement\"=hex:2c,",
          "[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Control]"}) {
        EXPECT_NE(strStore.find(pszValue), std::string::npos) << pszValue << "\n" << strStore;
    }

    StartApp();
    EXPECT_EQ(Frame().geometry(), QRect(60, 70, 640, 480));
    EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(Doc().m_nWidth, 21);
    EXPECT_EQ(Doc().m_nHeight, 15);
    EXPECT_EQ(Doc().m_nSpeed, 150);
    EXPECT_TRUE(Frame().Action(ID_SOUNDS)->isChecked()) << "Sound Off stays checked";
}
