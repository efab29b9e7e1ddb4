// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs as a player meets them: the New Game dialog with its presets
// and checks, the end of a game with the name entry and the table, and the
// How to Play page.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTest.h"
#include "app/AppInfo.h"
#include "app/HighScoresDlg.h"
#include "app/HowToPlayDlg.h"
#include "app/NewGameDlg.h"
#include "devices/Sound.h"
#include "framework/ResString.h"
#include "store/CodePage.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"

namespace {

QPushButton* Button(QWidget& dlg, const QString& strText) {
    for (QPushButton* p : dlg.findChildren<QPushButton*>()) {
        if (p->text() == strText) return p;
    }
    ADD_FAILURE() << "no button " << strText.toStdString() << " in "
                  << dlg.windowTitle().toStdString();
    return nullptr;
}

void Click(QWidget& dlg, const QString& strText) {
    if (QPushButton* p = Button(dlg, strText)) QTest::mouseClick(p, Qt::LeftButton);
}

// Replaces the text of a box as a person does: click, select all, type.
void TypeInto(QLineEdit* pEdit, const QString& strText) {
    QTest::mouseClick(pEdit, Qt::LeftButton);
    QTest::keyClick(pEdit, Qt::Key_A, Qt::ControlModifier);
    if (strText.isEmpty()) {
        QTest::keyClick(pEdit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(pEdit, strText);
    }
}

// Picks an item of a combo box from its drop-down list with the mouse.
void Pick(QComboBox* pCombo, const QString& strItem) {
    const int nIndex = pCombo->findText(strItem);
    ASSERT_GE(nIndex, 0) << strItem.toStdString();
    pCombo->showPopup();
    QAbstractItemView* pList = pCombo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pList->window()));
    const QRect rc = pList->visualRect(pList->model()->index(nIndex, 0));
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, Qt::NoModifier, rc.center());
    Flush();
    EXPECT_EQ(pCombo->currentText(), strItem);
}

QString LabelText(QWidget& dlg, const char* pszName) {
    auto* pLabel = dlg.findChild<QLabel*>(pszName);
    return pLabel != nullptr ? pLabel->text() : QStringLiteral("<missing %1>").arg(pszName);
}

// The rows of the High Scores table as "position|name|score", a "*" after
// the row marked as the new one.
QStringList Rows(const CHighScoresDlg& dlg) {
    QStringList rows;
    for (int r = 0; r < dlg.RowCount(); ++r) {
        rows << dlg.CellText(r, 0) + '|' + dlg.CellText(r, 1) + '|' + dlg.CellText(r, 2) +
                    (dlg.IsMarked(r) ? "*" : "");
    }
    return rows;
}

// Ten rows: those given, then the remaining positions blank.
QStringList TenRows(QStringList rows) {
    for (qsizetype r = rows.size(); r < 10; ++r) rows << QStringLiteral("%1.||").arg(r + 1);
    return rows;
}

}  // namespace

class DialogTest : public GuiTest {};

TEST_F(DialogTest, NewGameWithACustomBoardWritesTheChoiceAndStartsThatGame) {
    WriteSettings({});  // Small, Low
    StartApp();
    ModalDriver driver;
    driver.Expect<CNewGameDlg>("New Game", [&](CNewGameDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "New Game");
        EXPECT_EQ(dlg.focusWidget(), dlg.SizeCombo());
        EXPECT_EQ(dlg.SizeCombo()->currentText(), "Small");
        EXPECT_FALSE(dlg.WidthEdit()->isEnabled());
        EXPECT_EQ(dlg.WidthEdit()->text(), "17");
        EXPECT_EQ(dlg.HeightEdit()->text(), "13");

        Pick(dlg.SizeCombo(), "Custom");
        EXPECT_TRUE(dlg.WidthEdit()->isEnabled()) << "Custom enables the boxes";
        EXPECT_TRUE(dlg.HeightEdit()->isEnabled());
        EXPECT_EQ(dlg.WidthEdit()->text(), "17");
        TypeInto(dlg.WidthEdit(), "30");
        TypeInto(dlg.HeightEdit(), "20");
        Pick(dlg.SpeedCombo(), "Normal");
        EXPECT_EQ(dlg.SpeedCombo()->currentText(), "Normal");
        Click(dlg, "OK");
    });
    Frame().Action(ID_NEW_GAME)->trigger();
    ExpectDriverDone(driver);

    EXPECT_EQ(App().m_settings.m_nArraySize, 2);
    EXPECT_EQ(App().m_settings.m_nArrayWidth, 30);
    EXPECT_EQ(App().m_settings.m_nArrayHeight, 20);
    EXPECT_EQ(App().m_settings.m_nGameSpeed, 1);
    EXPECT_EQ(Doc().m_nWidth, 30);
    EXPECT_EQ(Doc().m_nHeight, 20);
    EXPECT_EQ(Doc().m_nSpeed, 250);
    EXPECT_EQ(Doc().m_nDirection, dirNone);
    EXPECT_EQ(Pane(0), "Ready");
}

TEST_F(DialogTest, NewGamePresetsFillTheBoxesAndCancelChangesNothing) {
    StoredSettings s;
    s.nArraySize = 2;
    s.nWidth = 40;
    s.nHeight = 30;
    s.nGameSpeed = 2;
    WriteSettings(s);
    StartApp();
    Key(Qt::Key_Left);
    ASSERT_TRUE(Tick());
    const int32_t nHeadX = Doc().m_nHeadX;

    ModalDriver driver;
    driver.Expect<CNewGameDlg>("New Game", [&](CNewGameDlg& dlg) {
        EXPECT_EQ(dlg.SizeCombo()->currentText(), "Custom");
        EXPECT_EQ(dlg.WidthEdit()->text(), "40");
        EXPECT_EQ(dlg.HeightEdit()->text(), "30");
        EXPECT_EQ(dlg.SpeedCombo()->currentText(), "High");
        Pick(dlg.SizeCombo(), "Large");
        EXPECT_EQ(dlg.SizeCombo()->currentText(), "Large");
        EXPECT_EQ(dlg.WidthEdit()->text(), "25");
        EXPECT_EQ(dlg.HeightEdit()->text(), "19");
        EXPECT_FALSE(dlg.HeightEdit()->isEnabled());
        Pick(dlg.SizeCombo(), "Small");
        EXPECT_EQ(dlg.WidthEdit()->text(), "17");
        EXPECT_EQ(dlg.HeightEdit()->text(), "13");
        Pick(dlg.SpeedCombo(), "Low");
        Click(dlg, "Cancel");
    });
    Frame().Action(ID_NEW_GAME)->trigger();
    ExpectDriverDone(driver);

    EXPECT_EQ(App().m_settings.m_nArraySize, 2);
    EXPECT_EQ(App().m_settings.m_nArrayWidth, 40);
    EXPECT_EQ(App().m_settings.m_nArrayHeight, 30);
    EXPECT_EQ(App().m_settings.m_nGameSpeed, 2);
    EXPECT_EQ(Doc().m_nWidth, 40) << "the running game is untouched";
    EXPECT_EQ(Doc().m_nHeadX, nHeadX);
    EXPECT_EQ(Doc().m_nDirection, dirLeft);
}

TEST_F(DialogTest, NewGameChecksTheHeightFirstAndPutsTheFocusIntoTheFailingBox) {
    WriteSettings({});
    StartApp();
    std::vector<QString> messages;
    auto answerMessage = [&](QMessageBox& box) {
        messages.push_back(box.text());
        EXPECT_EQ(box.windowTitle(), "Coilix") << "the program's title";
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    };
    ModalDriver driver;
    // Enter in a box presses OK, as the dialog's default button.
    auto enter = [](CNewGameDlg& dlg) { QTest::keyClick(dlg.focusWidget(), Qt::Key_Return); };
    driver.Expect<CNewGameDlg>("New Game", [&](CNewGameDlg& dlg) {
        Pick(dlg.SizeCombo(), "Custom");
        TypeInto(dlg.WidthEdit(), "71");
        TypeInto(dlg.HeightEdit(), "");
        TypeInto(dlg.WidthEdit(), "71");
        enter(dlg);  // both wrong: the height's message comes first
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), dlg.HeightEdit());

        TypeInto(dlg.HeightEdit(), "4");
        enter(dlg);
        EXPECT_EQ(dlg.focusWidget(), dlg.HeightEdit());

        TypeInto(dlg.HeightEdit(), "5");
        enter(dlg);  // now the width
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), dlg.WidthEdit());

        TypeInto(dlg.WidthEdit(), "70");
        enter(dlg);
        EXPECT_FALSE(dlg.isVisible());
    });
    for (int i = 0; i < 3; ++i) driver.Expect<QMessageBox>("validation message", answerMessage);
    Frame().Action(ID_NEW_GAME)->trigger();
    ExpectDriverDone(driver);

    EXPECT_EQ(messages, std::vector<QString>({"Please enter an integer.",
                                              "Please enter an integer between 5 and 70.",
                                              "Please enter an integer between 5 and 70."}));
    EXPECT_EQ(App().m_settings.m_nArrayWidth, 70);
    EXPECT_EQ(App().m_settings.m_nArrayHeight, 5);
    EXPECT_EQ(Doc().m_nWidth, 70);
    EXPECT_EQ(Doc().m_nHeight, 5);
}

TEST_F(DialogTest, AfterAPresetChangeReportsABadNumberTheFocusStaysWithTheSizeChoice) {
    WriteSettings({});
    StartApp();
    ModalDriver driver;
    ShownMessage shown;
    driver.Expect<CNewGameDlg>("New Game", [&](CNewGameDlg& dlg) {
        Pick(dlg.SizeCombo(), "Custom");
        TypeInto(dlg.WidthEdit(), "71");
        // The player goes back to the size choice and picks a preset with
        // the keyboard: the bad width is reported, then the preset shows.
        dlg.SizeCombo()->setFocus();
        QTest::keyClick(dlg.SizeCombo(), Qt::Key_Up);
        EXPECT_EQ(dlg.SizeCombo()->currentText(), "Large");
        EXPECT_EQ(dlg.WidthEdit()->text(), "25");
        EXPECT_EQ(dlg.HeightEdit()->text(), "19");
        EXPECT_FALSE(dlg.WidthEdit()->isEnabled());
        // The box in error is disabled now: the focus is back where the
        // player was, not on the speed.
        EXPECT_EQ(dlg.focusWidget(), dlg.SizeCombo());
        QTest::keyClick(dlg.SizeCombo(), Qt::Key_Up);
        EXPECT_EQ(dlg.SizeCombo()->currentText(), "Small") << "the keys still go to the size";
        EXPECT_EQ(dlg.SpeedCombo()->currentText(), "Low");
        Click(dlg, "Cancel");
    });
    ExpectMessage(driver, shown);
    Frame().Action(ID_NEW_GAME)->trigger();
    ExpectDriverDone(driver);
    EXPECT_EQ(shown.strText, "Please enter an integer between 5 and 70.");
    EXPECT_EQ(shown.strTitle, "Coilix");
}

TEST_F(DialogTest, AGoodScoreAsksForTheNameStoresTheTableAndShowsIt) {
    StoredSettings s;
    s.strLastName = "Ann";
    s.bSounds = 1;
    WriteSettings(s);  // Small, 350 ms
    StartApp();

    ModalDriver driver;
    std::vector<int> soundsAtEntry;
    driver.Expect<CNewHighScoreDlg>("New High Score", [&](CNewHighScoreDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "New High Score");
        EXPECT_EQ(Pane(0), "New high score");
        EXPECT_FALSE(View().Control().IsTimerRunning());
        EXPECT_FALSE(CursorHidden()) << "the cursor is back for typing";
        EXPECT_TRUE(Sounds().WaitFor("start " + std::to_string(IDW_HIGH_SCORE)));
        soundsAtEntry = Sounds().Started();
        EXPECT_EQ(LabelText(dlg, "position"), "1.");
        EXPECT_EQ(LabelText(dlg, "score"), "300");
        // The last name is proposed, selected, so that typing replaces it.
        EXPECT_EQ(dlg.focusWidget(), dlg.NameEdit());
        EXPECT_EQ(dlg.NameEdit()->text(), "Ann");
        EXPECT_EQ(dlg.NameEdit()->selectedText(), "Ann");
        QTest::keyClicks(dlg.focusWidget(), "Bob");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    driver.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "High Scores");
        // All ten positions, the new row marked, the others blank.
        EXPECT_EQ(Rows(dlg), TenRows({"1.|Bob|300*"}));
        // The table is in the store before it is shown.
        const HighScoreTable stored = StoredTable(17, 13, 350);
        EXPECT_EQ(stored.GetCount(), 10);
        EXPECT_EQ(stored.GetRow(0).Name(), "Bob");
        EXPECT_EQ(stored.GetRow(0).nScore, 300);
        Click(dlg, "Close");
    });
    EndGameWithScore(300);
    ExpectDriverDone(driver);
    // The crash is cut off by the fanfare, and both are heard.
    ASSERT_GE(soundsAtEntry.size(), 2u);
    EXPECT_EQ(soundsAtEntry[soundsAtEntry.size() - 2], IDW_CRASH);
    EXPECT_EQ(soundsAtEntry.back(), IDW_HIGH_SCORE);
    EXPECT_EQ(Pane(0), "Game over");
    EXPECT_EQ(App().m_settings.m_strLastName, "Bob");

    // Ctrl+H shows the same table again.
    ActivateFrame();
    ModalDriver again;
    again.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(Rows(dlg), TenRows({"1.|Bob|300"}));
        Click(dlg, "Close");
    });
    QTest::keyClick(&View(), Qt::Key_H, Qt::ControlModifier);
    ExpectDriverDone(again);

    // The next good game proposes the new name; Enter keeps it.
    ActivateFrame();
    Key(Qt::Key_F2);
    ModalDriver next;
    next.Expect<CNewHighScoreDlg>("New High Score", [&](CNewHighScoreDlg& dlg) {
        EXPECT_EQ(LabelText(dlg, "position"), "2.");
        EXPECT_EQ(dlg.NameEdit()->text(), "Bob");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    next.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(Rows(dlg), TenRows({"1.|Bob|300", "2.|Bob|200*"}));
        QTest::keyClick(dlg.focusWidget() ? dlg.focusWidget() : &dlg, Qt::Key_Escape);
    });
    EndGameWithScore(200);
    ExpectDriverDone(next);
}

TEST_F(DialogTest, CancellingTheNameStillStoresTheScoreAndShowsTheTable) {
    StoredSettings s;
    s.strLastName = "Ann";
    WriteSettings(s);
    StartApp();
    ModalDriver driver;
    driver.Expect<CNewHighScoreDlg>("New High Score", [&](CNewHighScoreDlg& dlg) {
        QTest::keyClicks(dlg.focusWidget(), "Zed");
        Click(dlg, "Cancel");
    });
    driver.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        // A row without a name is shown for its score.
        EXPECT_EQ(Rows(dlg), TenRows({"1.||700*"}));
        Click(dlg, "Close");
    });
    EndGameWithScore(700);
    ExpectDriverDone(driver);
    EXPECT_EQ(App().m_settings.m_strLastName, "Ann");
    const HighScoreTable stored = StoredTable(17, 13, 350);
    ASSERT_EQ(stored.GetCount(), 10);
    EXPECT_EQ(stored.GetRow(0).nScore, 700);
    EXPECT_EQ(stored.GetRow(0).Name(), "");
    EXPECT_EQ(Pane(0), "Game over");
}

// The store is what counts: the name is asked for the position the stored
// table gives (another copy entered a score meanwhile), the row is placed
// there once, and a score the stored table has no place for any more is
// not asked for.
TEST_F(DialogTest, TheNameIsAskedForThePositionTheStoreGivesAndTheRowPlacedThere) {
    WriteSettings({});  // Small, 350 ms
    StartApp();
    const std::string strAppKey = CProfile::AppKeyPath(kCompanyName, kAppName);
    // Nothing stored yet: the ten positions, blank.
    ModalDriver empty;
    empty.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(Rows(dlg), TenRows({}));
        Click(dlg, "Close");
    });
    QTest::keyClick(&View(), Qt::Key_H, Qt::ControlModifier);
    ExpectDriverDone(empty);
    ActivateFrame();
    Key(Qt::Key_F2);

    const auto enterElsewhere = [&](const std::vector<int32_t>& scores) {
        CFileRegistry other(StorePath().toStdString());
        HighScoreTable table;
        for (int32_t nScore : scores) {
            EnterScore(table, other, strAppKey, 17, 13, 350, ScoreEntry("Other", nScore));
        }
    };
    enterElsewhere({500});
    ModalDriver driver;
    driver.Expect<CNewHighScoreDlg>("New High Score", [&](CNewHighScoreDlg& dlg) {
        EXPECT_EQ(LabelText(dlg, "position"), "2.");
        QTest::keyClicks(dlg.NameEdit(), "Me");
        QTest::keyClick(dlg.NameEdit(), Qt::Key_Return);
    });
    driver.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(Rows(dlg), TenRows({"1.|Other|500", "2.|Me|300*"}));
        Click(dlg, "Close");
    });
    EndGameWithScore(300);
    ExpectDriverDone(driver);
    const HighScoreTable stored = StoredTable(17, 13, 350);
    ASSERT_EQ(stored.GetCount(), 10);
    EXPECT_EQ(stored.GetRow(1).Name(), "Me");
    EXPECT_EQ(stored.GetRow(2).nScore, 0) << "placed once";

    // The next game starts from that table; meanwhile ten better scores come.
    ActivateFrame();
    Key(Qt::Key_F2);
    enterElsewhere({1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000});
    ModalDriver full;
    full.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(Rows(dlg).filter("1000").size(), 10);
        EXPECT_EQ(Rows(dlg).filter("*").size(), 0);
        Click(dlg, "Close");
    });
    EndGameWithScore(400);
    ExpectDriverDone(full);
}

// A character the table cannot keep is refused as it is typed or pasted
// (or was in the proposed name), and the line under the box names it.
TEST_F(DialogTest, TheNameBoxSaysWhichCharactersTheTableCannotKeep) {
    WriteSettings({});
    StartApp();  // the program's texts
    const QString strLine = QStringLiteral("The score table cannot keep these characters: ");
    const struct {
        const char* pszWhat;
        CodePage cp;
        std::string strProposed;
        QString strTyped;
        QString strPasted;
        QString strKept;
        QString strRefused;  // none: no line
    } cases[] = {
        {"Czech typed in 1250", CodePage::kCentralEuropean, "", "Zdeněk", {}, "Zdeněk", {}},
        {"Czech typed in 1252", CodePage::kWestern, "", "Zdeněk", {}, "Zdenk", "ě"},
        {"pasted in 1252", CodePage::kWestern, "", {}, "Łucja 🐍\tŁ", "ucja ", "Ł 🐍 \uFFFD"},
        {"proposed in 1252", CodePage::kWestern, "Jiří", {}, {}, "Jií", "ř"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CNewHighScoreDlg dlg(nullptr, 0, 100, c.strProposed, c.cp);
        dlg.show();
        Flush();
        QLineEdit* pEdit = dlg.NameEdit();
        // As a keyboard of that language types: one key event a character.
        for (const char32_t ch : c.strTyped.toUcs4()) {
            QTest::sendKeyEvent(QTest::Click, pEdit, Qt::Key_unknown, QString::fromUcs4(&ch, 1),
                                Qt::NoModifier);
        }
        if (!c.strPasted.isEmpty()) {
            QApplication::clipboard()->setText(c.strPasted);
            pEdit->paste();
        }
        Flush();
        EXPECT_EQ(pEdit->text(), c.strKept);
        if (c.strRefused.isEmpty()) {
            EXPECT_EQ(dlg.RefusedLine(), nullptr);
            continue;
        }
        ASSERT_NE(dlg.RefusedLine(), nullptr);
        EXPECT_TRUE(dlg.RefusedLine()->isVisible());
        EXPECT_EQ(dlg.RefusedLine()->text(), strLine + c.strRefused);
        EXPECT_EQ(pEdit->accessibleDescription(), strLine + c.strRefused);
    }
}

TEST_F(DialogTest, NoNameIsAskedForANilScoreOrAGameOpenedFromAFile) {
    WriteSettings({});
    StartApp();
    {
        ModalDriver none;
        EndGameWithScore(0);
        Flush();
        EXPECT_TRUE(none.Unexpected().empty()) << none.Unexpected()[0];
        EXPECT_EQ(Pane(0), "Game over");
    }

    // A game saved in play and opened again never enters the table.
    Key(Qt::Key_F2);
    ASSERT_EQ(Doc().m_nDirection, dirNone);
    Key(Qt::Key_Right);
    ASSERT_TRUE(Tick());
    const QString strFile = TempPath("midgame.cx");
    ASSERT_TRUE(App().SaveFile(strFile.toStdString()));
    ASSERT_TRUE(App().OpenFile(strFile.toStdString()));
    EXPECT_TRUE(Doc().m_bLoadedGame);
    EXPECT_EQ(Pane(0), "Pause");
    ModalDriver none;
    Key(Qt::Key_Right);
    Doc().m_nScore = 5000;
    TickUntilOver();
    ASSERT_EQ(Doc().m_nDirection, dirGameOver);
    Flush();
    EXPECT_TRUE(none.Unexpected().empty()) << none.Unexpected()[0];
    EXPECT_EQ(Pane(0), "Game over");
    EXPECT_EQ(StoredTable(17, 13, 350).GetCount(), 0) << "nothing was stored";
}

TEST_F(DialogTest, HowToPlayOpensWithF1AndFromTheHelpMenuInTheProgramsLanguage) {
    // The English page's lines (English comes first), none of which a
    // translated page may keep.
    QStringList englishLines;
    const struct {
        const char* pszLanguage;
        QString strTitle, strItem, strPrompt;
        // What the page must say, with the rules' numbers and the keys put in.
        QStringList parts;
    } cases[] = {
        {"en",
         "How to Play",
         "&How to Play...\tF1",
         "Explain the keys, the rules and the scoring",
         {"Keys", "Break pauses the game; Break again or an arrow key plays on.",
          "Ctrl+H shows the high scores, F1 this page, and Esc quits.", "Coin: 100 to 1000 points.",
          "Apple: 100 points, and the crawler grows one cell longer."}},
        {"cs",
         "Jak hrát",
         "&Jak hrát...\tF1",
         "Vysvětlí ovládání, pravidla a bodování",
         {"Ovládání", "Mince: 100 až 1000 bodů.",
          "Ctrl+H zobrazí rekordy, F1 tuto stránku a Esc program ukončí."}},
        // German names the keys as German keyboards do.
        {"de",
         "Spielanleitung",
         "&Spielanleitung...\tF1",
         "Erklärt Tasten, Regeln und Punkte",
         {"Tasten", "Münze: 100 bis 1000 Punkte.",
          "Strg+H zeigt die Bestenliste, F1 diese Seite, und Esc beendet das Programm."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLanguage);
        SetLanguage(c.pszLanguage);
        WriteSettings({});
        StartApp();
        const bool bEnglish = c.pszLanguage == QLatin1String("en");

        // Help holds it above About, a separator between them.
        QMenu* pHelp = Frame().TopLevelMenu(3);
        ASSERT_NE(pHelp, nullptr);
        const QList<QAction*> items = pHelp->actions();
        ASSERT_EQ(items.size(), 3);
        EXPECT_EQ(items[0], Frame().Action(ID_HOW_TO_PLAY));
        EXPECT_TRUE(items[1]->isSeparator());
        EXPECT_EQ(items[2], Frame().Action(ID_APP_ABOUT));
        EXPECT_EQ(ShownMenuText(Frame(), ID_HOW_TO_PLAY), c.strItem);
        EXPECT_EQ(Frame().Action(ID_HOW_TO_PLAY)->statusTip(), c.strPrompt);

        // Closed with the Close button, or with Enter from the text.
        auto check = [&](CHowToPlayDlg& dlg, bool bEnter) {
            EXPECT_EQ(dlg.windowTitle(), c.strTitle);
            auto* pPage = dlg.findChild<QPlainTextEdit*>("page");
            ASSERT_NE(pPage, nullptr);
            EXPECT_TRUE(pPage->isReadOnly());
            EXPECT_EQ(pPage->accessibleName(), c.strTitle);
            EXPECT_TRUE(pPage->focusPolicy() & Qt::TabFocus);
            EXPECT_TRUE(pPage->hasFocus()) << "the keyboard starts in the text";
            const QString strPage = pPage->toPlainText();
            for (const QString& strPart : c.parts)
                EXPECT_TRUE(strPage.contains(strPart)) << strPart.toStdString();
            const QStringList shown = strPage.split('\n', Qt::SkipEmptyParts);
            if (bEnglish) {
                englishLines = shown;
            } else {
                ASSERT_GT(englishLines.size(), 20);
                for (const QString& strLine : englishLines)
                    EXPECT_FALSE(shown.contains(strLine))
                        << "English left: " << strLine.toStdString();
            }
            // It can be made larger and smaller than it opens.
            const QSize opened = dlg.size();
            EXPECT_TRUE(dlg.isSizeGripEnabled());
            dlg.resize(opened + QSize(120, 90));
            EXPECT_EQ(dlg.size(), opened + QSize(120, 90));
            dlg.resize(opened - QSize(60, 60));
            EXPECT_EQ(dlg.size(), opened - QSize(60, 60));
            if (!bEnter) {
                Click(dlg, LoadQString(IDS_BTN_CLOSE));
                return;
            }
            QTest::keyClick(pPage, Qt::Key_Return);
            if (dlg.isVisible()) {
                ADD_FAILURE() << "Enter in the text did not close the page";
                dlg.reject();
            }
        };

        // F1 on the board, in the middle of a game: it goes on underneath, as
        // under the game's other dialogs.
        Key(Qt::Key_Right);
        ASSERT_TRUE(Tick());
        ModalDriver byKey;
        int32_t nMoved = 0;
        byKey.Expect<CHowToPlayDlg>("How to Play by F1", [&](CHowToPlayDlg& dlg) {
            const int32_t x = Doc().m_nHeadX;
            Tick();
            nMoved = Doc().m_nHeadX - x;
            check(dlg, false);
        });
        Key(Qt::Key_F1);
        ExpectDriverDone(byKey);
        EXPECT_EQ(nMoved, 1);
        EXPECT_FALSE(Doc().m_bPaused);

        ActivateFrame();
        ModalDriver byMenu;
        byMenu.Expect<CHowToPlayDlg>("How to Play from the menu",
                                     [&](CHowToPlayDlg& dlg) { check(dlg, true); });
        Frame().Action(ID_HOW_TO_PLAY)->trigger();
        ExpectDriverDone(byMenu);
        CloseApp();
    }
}
