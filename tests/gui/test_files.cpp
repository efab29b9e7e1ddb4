// Saved games through the window: save and open again, Save As with the
// file dialog, files that cannot be read, and the recent-file list.

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include "GuiTest.h"
#include "app/Menus.h"

namespace {

const QString kExample = QStringLiteral(COILIX_TEST_DATA_DIR "/savedgame/example-17x13.cx");

// The texts of the recent-file entries the Game menu shows.
QStringList RecentEntries(CMainFrame& frame) {
    QStringList entries;
    for (unsigned n = 0; n < kRecentFileCount; ++n) {
        QAction* pAction = frame.Action(ID_FILE_MRU_FILE1 + n);
        if (pAction != nullptr && pAction->isVisible()) entries << pAction->text();
    }
    return entries;
}

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

TEST_F(FileTest, SaveAsAddsTheExtensionToATypedName) {
    WriteSettings({});
    StartApp();
    ModalDriver driver;
    driver.Expect<QFileDialog>("Save As", [&](QFileDialog& dlg) {
        EXPECT_EQ(dlg.nameFilters(), QStringList({"Coilix Game Files (*.cx)"}));
        dlg.setDirectory(m_dir.path());
        auto* pName = dlg.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(pName, nullptr);
        QTest::keyClicks(pName, "mygame");
        QTest::keyClick(pName, Qt::Key_Return);
    });
    Frame().Action(ID_FILE_SAVE)->trigger();  // an untitled game asks for a name
    EXPECT_TRUE(driver.Pending().empty());
    EXPECT_TRUE(driver.Unexpected().empty());
    EXPECT_TRUE(QFile::exists(TempPath("mygame.cx")));
    EXPECT_EQ(Frame().windowTitle(), "mygame.cx - Coilix");

    // Save again writes the same file without asking.
    QFile::remove(TempPath("mygame.cx"));
    ActivateFrame();
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(TempPath("mygame.cx")));
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
        Language lang;
        QString strMessage;
    } cases[] = {
        {"empty.cx", {}, Language::kEnglish, "Unexpected file format."},
        {"truncated.cx", truncated, Language::kEnglish, "Unexpected file format."},
        {"other.cx", wrongKind, Language::kCzech, "Neočekávaný formát souboru."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        SetLanguage(c.lang);
        const QString strPath = TempPath(c.pszName);
        WriteBytes(strPath, c.bytes);
        // A game in progress, to be replaced.
        ASSERT_TRUE(App().OpenFile(kExample.toStdString()));
        QString strShown;
        ModalDriver driver;
        driver.Expect<QMessageBox>("report", [&](QMessageBox& box) {
            strShown = box.text();
            QTest::keyClick(&box, Qt::Key_Return);
        });
        EXPECT_FALSE(App().OpenFile(strPath.toStdString()));
        EXPECT_TRUE(driver.Pending().empty());
        // The standard report, perhaps followed by what exactly was wrong.
        EXPECT_EQ(strShown.section('\n', 0, 0), c.strMessage);

        ASSERT_TRUE(Doc().HasBoard());
        EXPECT_EQ(Doc().m_nWidth, 21) << "the settings' board, not the file's";
        EXPECT_EQ(Doc().m_nHeight, 15);
        EXPECT_EQ(Doc().m_nDirection, dirNone);
        EXPECT_FALSE(Doc().m_bLoadedGame);
        EXPECT_EQ(Frame().windowTitle(), "Coilix");
        EXPECT_EQ(View().GetTotalSize(), QSize(21 * 24, 15 * 24));
        EXPECT_EQ(Pane(0), QString::fromStdString(LoadString(AFX_IDS_IDLEMESSAGE)));
        ActivateFrame();
        Key(Qt::Key_Up);
        EXPECT_TRUE(Tick()) << "the fresh game plays";
    }
    SetLanguage(Language::kEnglish);

    // A file that is not there leaves the game as it was.
    const int32_t nHeadY = Doc().m_nHeadY;
    ModalDriver driver;
    QString strShown;
    driver.Expect<QMessageBox>("report", [&](QMessageBox& box) {
        strShown = box.text();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_FALSE(App().OpenFile(TempPath("missing.cx").toStdString()));
    EXPECT_TRUE(strShown.startsWith("Cannot open the file")) << strShown.toStdString();
    EXPECT_EQ(Doc().m_nHeadY, nHeadY);
    EXPECT_EQ(Doc().m_nDirection, dirUp);
}

TEST_F(FileTest, RecentFilesShowInTheGameMenuNewestFirstAndSurviveARestart) {
    WriteSettings({});
    StartApp();
    EXPECT_EQ(RecentEntries(Frame()), QStringList({"Recent File"}));
    EXPECT_FALSE(Frame().Action(ID_FILE_MRU_FILE1)->isEnabled());
    for (const char* pszName : {"a.cx", "b.cx", "c.cx", "d.cx", "e.cx"}) {
        ASSERT_TRUE(App().SaveFile(TempPath(pszName).toStdString()));
    }
    ASSERT_TRUE(App().OpenFile(TempPath("c.cx").toStdString()));
    const QStringList expected({"&1 c.cx", "&2 e.cx", "&3 d.cx", "&4 b.cx"});
    EXPECT_EQ(RecentEntries(Frame()), expected);

    CloseApp();
    StartApp();
    EXPECT_EQ(RecentEntries(Frame()), expected);
    Frame().UpdateCommandUI();
    EXPECT_TRUE(Frame().Action(ID_FILE_MRU_FILE1 + 3)->isEnabled());

    // Picking an entry opens it; one whose file is gone is reported and dropped.
    Frame().Action(ID_FILE_MRU_FILE1 + 2)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "d.cx - Coilix");
    EXPECT_EQ(RecentEntries(Frame()), QStringList({"&1 d.cx", "&2 c.cx", "&3 e.cx", "&4 b.cx"}));
    QFile::remove(TempPath("e.cx"));
    ModalDriver driver;
    driver.Expect<QMessageBox>("report",
                               [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    Frame().Action(ID_FILE_MRU_FILE1 + 2)->trigger();
    EXPECT_TRUE(driver.Pending().empty());
    EXPECT_EQ(RecentEntries(Frame()), QStringList({"&1 d.cx", "&2 c.cx", "&3 b.cx"}));
}

TEST_F(FileTest, ACzechReportOfABadFileIsCzechThroughout) {
    SetLanguage(Language::kCzech);
    WriteSettings({});
    StartApp();
    WriteBytes(TempPath("empty.cx"), {});
    QString strShown;
    ModalDriver driver;
    driver.Expect<QMessageBox>("report", [&](QMessageBox& box) {
        strShown = box.text();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_FALSE(App().OpenFile(TempPath("empty.cx").toStdString()));
    EXPECT_EQ(strShown, "Neočekávaný formát souboru.");
}
