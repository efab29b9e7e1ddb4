// SPDX-License-Identifier: GPL-3.0-or-later
// Saved games through the window: save and open again, Save As with the
// file dialog, files that cannot be read, and the recent-file list.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include "GuiTest.h"
#include "app/Menus.h"
#include "framework/ResString.h"

namespace {

const QString kExample = QStringLiteral(COILIX_TEST_DATA_DIR "/savedgame/example-17x13.cx");

}  // namespace

class FileTest : public GuiTest {};

TEST_F(FileTest, ASavedGameOpensPausedAndSavesBackToTheSameBytes) {
    WriteSettings({});
    StartApp();
    Key(Qt::Key_Left);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(Tick());
    const QString strFirst = TempPath("first.cx");
    const QString strSecond = TempPath("second.cx");
    ASSERT_TRUE(App().SaveFile(strFirst.toStdString()));
    EXPECT_EQ(Frame().windowTitle(), "first.cx - Coilix");

    ASSERT_TRUE(App().OpenFile(strFirst.toStdString()));
    EXPECT_TRUE(Doc().m_bPaused);
    EXPECT_EQ(Pane(0), "Pause");
    Flush();
    EXPECT_TRUE(Frame().Action(ID_PAUSE)->isEnabled());
    EXPECT_TRUE(Frame().Action(ID_PAUSE)->isChecked());
    ASSERT_TRUE(App().SaveFile(strSecond.toStdString()));
    const std::vector<char> first = ReadBytes(strFirst);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(ReadBytes(strSecond), first);

    // A file made elsewhere comes back byte for byte as well.
    ASSERT_TRUE(App().OpenFile(kExample.toStdString()));
    ASSERT_TRUE(App().SaveFile(strSecond.toStdString()));
    EXPECT_EQ(ReadBytes(strSecond), ReadBytes(kExample));

    // An arrow key resumes the opened game at the next tick.
    const int32_t nDir = Doc().m_nDirection;
    ASSERT_TRUE(IsMoving(nDir));
    Key(nDir == dirLeft || nDir == dirRight ? Qt::Key_Up : Qt::Key_Left);
    EXPECT_FALSE(Doc().m_bPaused);
    const int32_t x = Doc().m_nHeadX, y = Doc().m_nHeadY;
    ASSERT_TRUE(Tick());
    EXPECT_NE(std::make_pair(Doc().m_nHeadX, Doc().m_nHeadY), std::make_pair(x, y));
}

TEST_F(FileTest, TheFileDialogsStartInTheLastGamesFolderOfferAllFilesAndProposeAName) {
    WriteSettings({});
    StartApp();
    const QStringList filters({"Coilix Game Files (*.cx)", "All Files (*)"});
    auto typeName = [](QFileDialog& dlg, const QString& strName) {
        auto* pName = dlg.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(pName, nullptr);
        pName->clear();
        QTest::keyClicks(pName, strName);
        QTest::keyClick(pName, Qt::Key_Return);
    };
    ModalDriver driver;
    driver.Expect<QFileDialog>("Save As", [&](QFileDialog& dlg) {
        EXPECT_EQ(dlg.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dlg.nameFilters(), filters);
        // An untitled game is offered under the document's name.
        auto* pName = dlg.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(pName, nullptr);
        EXPECT_EQ(pName->text(), "Game.cx");
        dlg.setDirectory(m_dir.path());
        typeName(dlg, "mygame");  // the extension is added
    });
    Frame().Action(ID_FILE_SAVE)->trigger();  // an untitled game asks for a name
    ExpectDriverDone(driver);
    EXPECT_TRUE(QFile::exists(TempPath("mygame.cx")));
    EXPECT_EQ(Frame().windowTitle(), "mygame.cx - Coilix");

    // Save again writes the same file without asking.
    QFile::remove(TempPath("mygame.cx"));
    ActivateFrame();
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(TempPath("mygame.cx")));

    // A game opened from another folder: Open starts there, in this run and the next.
    const QString strOther = TempPath("other");
    ASSERT_TRUE(QDir().mkpath(strOther));
    ASSERT_TRUE(QFile::copy(kExample, strOther + "/x.cx"));
    ASSERT_TRUE(App().OpenFile((strOther + "/x.cx").toStdString()));
    for (int nRun = 0; nRun < 2; ++nRun) {
        SCOPED_TRACE(nRun == 0 ? "this run" : "next run");
        ActivateFrame();
        ModalDriver open;
        open.Expect<QFileDialog>("Open", [&](QFileDialog& dlg) {
            EXPECT_EQ(dlg.acceptMode(), QFileDialog::AcceptOpen);
            EXPECT_EQ(dlg.nameFilters(), filters);
            EXPECT_EQ(dlg.directory().absolutePath(), strOther);
            if (nRun == 0) {
                dlg.reject();
            } else {
                dlg.setDirectory(m_dir.path());
                typeName(dlg, "mygame.cx");
            }
        });
        QTest::keyClick(&View(), Qt::Key_O, Qt::ControlModifier);
        ExpectDriverDone(open);
        if (nRun == 0) {
            CloseApp();
            StartApp();
        }
    }
    EXPECT_EQ(Frame().windowTitle(), "mygame.cx - Coilix");

    // A new game, in Czech: the name and the filters in Czech, in the folder
    // of the game opened last.
    SetLanguage("cs");
    App().OnFileNew();
    ModalDriver czech;
    czech.Expect<QFileDialog>("Save As", [&](QFileDialog& dlg) {
        EXPECT_EQ(dlg.nameFilters(),
                  QStringList({"Soubory hry Coilix (*.cx)", "Všechny soubory (*)"}));
        EXPECT_EQ(dlg.findChild<QLineEdit*>("fileNameEdit")->text(), "Hra.cx");
        EXPECT_EQ(dlg.directory().absolutePath(), m_dir.path());
        dlg.reject();
    });
    EXPECT_FALSE(App().OnFileSaveAs());
    ExpectDriverDone(czech);
    SetLanguage("en");
}

TEST_F(FileTest, AFileThatCannotBeReadIsReportedAndAFreshGameStandsIn) {
    StoredSettings s;
    s.nArraySize = 2;
    s.nWidth = 21;
    s.nHeight = 15;
    WriteSettings(s);
    StartApp();
    std::vector<char> truncated = ReadBytes(kExample);
    ASSERT_GT(truncated.size(), 100u);
    truncated.resize(1000);  // ends inside the board
    std::vector<char> wrongKind(200, 'x');

    const struct {
        const char* pszName;
        std::vector<char> bytes;
        const char* pszLanguage;
        QString strMessage;
    } cases[] = {
        {"empty.cx", {}, "en", "Unexpected file format."},
        {"truncated.cx", truncated, "en", "Unexpected file format."},
        {"other.cx", wrongKind, "cs", "Neočekávaný formát souboru."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        SetLanguage(c.pszLanguage);
        const QString strPath = TempPath(c.pszName);
        WriteBytes(strPath, c.bytes);
        // A game in progress, to be replaced.
        ASSERT_TRUE(App().OpenFile(kExample.toStdString()));
        ShownMessage shown;
        ModalDriver driver;
        ExpectMessage(driver, shown);
        EXPECT_FALSE(App().OpenFile(strPath.toStdString()));
        ExpectDriverDone(driver);
        // The standard report, perhaps followed by what exactly was wrong.
        EXPECT_EQ(shown.strText.section('\n', 0, 0), c.strMessage);

        ASSERT_TRUE(Doc().HasBoard());
        EXPECT_EQ(Doc().m_nWidth, 21) << "the settings' board, not the file's";
        EXPECT_EQ(Doc().m_nHeight, 15);
        EXPECT_EQ(Doc().m_nDirection, dirNone);
        EXPECT_FALSE(Doc().m_bLoadedGame);
        EXPECT_EQ(Frame().windowTitle(), "Coilix");
        EXPECT_EQ(View().GetTotalSize(), QSize(21 * 24, 15 * 24));
        EXPECT_EQ(Pane(0), LoadQString(AFX_IDS_IDLEMESSAGE));
        ActivateFrame();
        Key(Qt::Key_Up);
        EXPECT_TRUE(Tick()) << "the fresh game plays";
    }
    SetLanguage("en");

    // A file that is not there leaves the game as it was.
    const int32_t nHeadY = Doc().m_nHeadY;
    ModalDriver driver;
    ShownMessage shown;
    ExpectMessage(driver, shown);
    EXPECT_FALSE(App().OpenFile(TempPath("missing.cx").toStdString()));
    EXPECT_TRUE(shown.strText.startsWith("Cannot open the file")) << shown.strText.toStdString();
    EXPECT_EQ(Doc().m_nHeadY, nHeadY);
    EXPECT_EQ(Doc().m_nDirection, dirUp);
}

TEST_F(FileTest, RecentFilesShowInTheGameMenuNewestFirstAndSurviveARestart) {
    WriteSettings({});
    StartApp();
    EXPECT_EQ(RecentFileEntries(Frame()), QStringList({"Recent File"}));
    EXPECT_FALSE(Frame().Action(ID_FILE_MRU_FILE1)->isEnabled());
    for (const char* pszName : {"a.cx", "b.cx", "c.cx", "d.cx", "e.cx"}) {
        ASSERT_TRUE(App().SaveFile(TempPath(pszName).toStdString()));
    }
    ASSERT_TRUE(App().OpenFile(TempPath("c.cx").toStdString()));
    const QStringList expected({"&1 c.cx", "&2 e.cx", "&3 d.cx", "&4 b.cx"});
    EXPECT_EQ(RecentFileEntries(Frame()), expected);

    CloseApp();
    StartApp();
    EXPECT_EQ(RecentFileEntries(Frame()), expected);
    Frame().UpdateCommandUI();
    EXPECT_TRUE(Frame().Action(ID_FILE_MRU_FILE1 + 3)->isEnabled());

    // Picking an entry opens it; one whose file is gone is reported and dropped.
    Frame().Action(ID_FILE_MRU_FILE1 + 2)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "d.cx - Coilix");
    EXPECT_EQ(RecentFileEntries(Frame()),
              QStringList({"&1 d.cx", "&2 c.cx", "&3 e.cx", "&4 b.cx"}));
    QFile::remove(TempPath("e.cx"));
    ModalDriver driver;
    driver.Expect<QMessageBox>("report",
                               [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    Frame().Action(ID_FILE_MRU_FILE1 + 2)->trigger();
    EXPECT_TRUE(driver.Pending().empty());
    EXPECT_EQ(RecentFileEntries(Frame()), QStringList({"&1 d.cx", "&2 c.cx", "&3 b.cx"}));
}

TEST_F(FileTest, APathThatIsNotTextSurvivesTheRecentFileListByteForByte) {
    WriteSettings({});
    StartApp();
    const std::string strPath = TempPath("caf").toStdString() + "\xe9.cx";
    ASSERT_TRUE(App().SaveFile(strPath));
    ASSERT_EQ(App().RecentFiles().Files().front(), strPath);

    CloseApp();
    StartApp();
    ASSERT_FALSE(App().RecentFiles().Files().empty());
    EXPECT_EQ(App().RecentFiles().Files().front(), strPath);
    // The entry opens the very file, not one whose name was turned into text.
    Frame().UpdateCommandUI();
    Frame().Action(ID_FILE_MRU_FILE1)->trigger();
    EXPECT_EQ(Doc().GetPathName(), strPath);
    EXPECT_EQ(App().RecentFiles().Files().front(), strPath);
}

TEST_F(FileTest, ACzechReportOfABadFileIsCzechThroughout) {
    SetLanguage("cs");
    WriteSettings({});
    StartApp();
    WriteBytes(TempPath("empty.cx"), {});
    ShownMessage shown;
    ModalDriver driver;
    ExpectMessage(driver, shown);
    EXPECT_FALSE(App().OpenFile(TempPath("empty.cx").toStdString()));
    EXPECT_EQ(shown.strText, "Neočekávaný formát souboru.");
    EXPECT_EQ(shown.strTitle, "Coilix");
}

TEST_F(FileTest, NamesAndReportsFromFilesAreShownAsPlainText) {
    WriteSettings({});
    StartApp();
    // Markup and the title's modified mark in a file's name are shown as they are.
    const QString strName = QStringLiteral("<b>bold <i>it [*] & b.cx");
    ASSERT_TRUE(QFile::copy(kExample, TempPath(strName)));
    ASSERT_TRUE(App().OpenFile(TempPath(strName).toStdString()));
    ASSERT_NE(Frame().windowHandle(), nullptr);
    EXPECT_EQ(Frame().windowHandle()->title(), strName + " - Coilix");

    // A report that carries a path: plain text under the program's title.
    const QString strPath = TempPath("<h1>no <img src=/dev/zero></h1>/x.cx");
    ShownMessage shown;
    ModalDriver driver;
    ExpectMessage(driver, shown);
    EXPECT_FALSE(App().SaveFile(strPath.toStdString()));
    ExpectDriverDone(driver);
    EXPECT_TRUE(shown.strText.startsWith("Cannot save the file " + strPath + "."))
        << shown.strText.toStdString();
    EXPECT_EQ(shown.format, Qt::PlainText);
    EXPECT_EQ(shown.strTitle, "Coilix");
}
