// SPDX-License-Identifier: GPL-3.0-or-later
// Names and the store as the player meets them: names shown as plain text,
// the name box that takes only what the player's code page holds, a name of
// 31 Czech letters kept whole, a score another copy entered meanwhile kept,
// the store's notices shown once over the main window, and names whose
// characters would fight the text around them shown as they are.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "GuiTest.h"
#include "app/AppInfo.h"
#include "app/HighScoresDlg.h"
#include "app/StoreNotices.h"
#include "framework/ShownText.h"
#include "store/CodePage.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"

namespace {

const std::string kAppKey = CProfile::AppKeyPath(kCompanyName, kAppName);
// 31 letters, most of them outside ASCII.
const QString kCzech31 = QStringLiteral("Příliš žluťoučký kůň úpěl ďábel");

// Types text as a keyboard of that language does: one key event per letter
// (QTest's own typing knows only ASCII keys).
void TypeText(QWidget* pWidget, const QString& strText) {
    for (const char32_t c : strText.toUcs4()) {
        const QString strKey = QString::fromUcs4(&c, 1);
        QTest::sendKeyEvent(QTest::Click, pWidget, Qt::Key_unknown, strKey, Qt::NoModifier);
    }
}

QLabel* Label(QWidget& dlg, const char* pszName) {
    return dlg.findChild<QLabel*>(pszName);
}

}  // namespace

class NamesTest : public GuiTest {};

// Names come from players and from files: markup in them is text.
TEST_F(NamesTest, MarkupInANameIsShownLiterally) {
    const char* names[] = {"<img src=/dev/zero>", "<h1>Big</h1>", "<a href=\"x\">link</a>",
                           "&amp; &lt;"};
    HighScoreTable table;
    for (const char* pszName : names) table.m_aScores.emplace_back(pszName, 100);
    CHighScoresDlg dlg(nullptr, table, CodePage::kWestern);
    dlg.show();
    Flush();
    ASSERT_EQ(dlg.RowCount(), 10);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dlg.CellText(i, 1), QString::fromLatin1(names[i]));

    CNewHighScoreDlg entry(nullptr, 0, 100, "<b>Ann</b>", CodePage::kWestern);
    entry.show();
    Flush();
    EXPECT_EQ(entry.NameEdit()->text(), "<b>Ann</b>");
    for (const char* pszLabel : {"position", "score"}) {
        ASSERT_NE(Label(entry, pszLabel), nullptr);
        EXPECT_EQ(Label(entry, pszLabel)->textFormat(), Qt::PlainText) << pszLabel;
    }
}

// The box keeps only the letters the code page holds, at most 31; a long
// pasted name is cut, not refused.
TEST_F(NamesTest, TheNameBoxTakesOnlyWhatTheCodePageHolds) {
    const struct {
        const char* pszWhat;
        CodePage cp;
        QString strTyped;
        QString strPasted;
        QString strWant;
    } cases[] = {
        {"Czech letters in 1250",
         CodePage::kCentralEuropean,
         QStringLiteral("Jiří"),
         {},
         QStringLiteral("Jiří")},
        {"Czech letters in 1252",
         CodePage::kWestern,
         QStringLiteral("Jiří"),
         {},
         QStringLiteral("Jií")},
        {"31 Czech letters typed, then one more",
         CodePage::kCentralEuropean,
         kCzech31 + "x",
         {},
         kCzech31},
        {"a long name pasted",
         CodePage::kCentralEuropean,
         {},
         kCzech31 + QStringLiteral(" ódy"),
         kCzech31},
        {"a pasted name with letters 1252 lacks",
         CodePage::kWestern,
         {},
         QStringLiteral("Zoë 🐍 Müller\tŁ"),
         QStringLiteral("Zoë  Müller")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CNewHighScoreDlg dlg(nullptr, 0, 100, "", c.cp);
        dlg.show();
        Flush();
        QLineEdit* pEdit = dlg.NameEdit();
        if (!c.strTyped.isEmpty()) TypeText(pEdit, c.strTyped);
        if (!c.strPasted.isEmpty()) {
            QApplication::clipboard()->setText(c.strPasted);
            pEdit->paste();
        }
        EXPECT_EQ(pEdit->text(), c.strWant);
        EXPECT_EQ(QString::fromStdString(dlg.Name()), c.strWant);
    }
    // A proposed name is held to the same rule.
    CNewHighScoreDlg dlg(nullptr, 0, 100, (kCzech31 + "!").toStdString(), CodePage::kWestern);
    EXPECT_EQ(dlg.NameEdit()->text(), QStringLiteral("Píliš žluouký k úpl ábel!"));
}

// A 31-letter Czech name is kept whole, as single bytes in code page 1250,
// the code page of the language the program speaks.
TEST_F(NamesTest, ACzechNameOf31LettersIsKeptWhole) {
    SetLanguage("cs");
    WriteSettings({});
    StartApp();
    ModalDriver driver;
    driver.Expect<CNewHighScoreDlg>("New High Score", [&](CNewHighScoreDlg& dlg) {
        TypeText(dlg.NameEdit(), kCzech31);
        QTest::keyClick(dlg.NameEdit(), Qt::Key_Return);
    });
    driver.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(dlg.CellText(0, 1), kCzech31);
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EndGameWithScore(300);
    ExpectDriverDone(driver);
    EXPECT_EQ(App().m_settings.m_strLastName, kCzech31.toStdString());
    const HighScoreTable stored = StoredTable(17, 13, 350);
    ASSERT_EQ(stored.GetCount(), 10);
    const std::string bytes = stored.GetRow(0).Name();
    EXPECT_EQ(bytes.size(), 31u);
    EXPECT_EQ(bytes.substr(0, 6), "P\xf8\xedli\x9a");
    EXPECT_EQ(DecodeToUtf8(bytes, CodePage::kCentralEuropean), kCzech31.toStdString());
}

// Two copies on one board: the table is read again when the name is entered,
// so the row the other copy entered meanwhile stays.
TEST_F(NamesTest, AScoreEnteredByAnotherCopyMeanwhileIsKept) {
    WriteSettings({});
    StartApp();
    EXPECT_EQ(App().m_scoreTable.GetCount(), 0);  // this copy saw no table
    {
        CFileRegistry other(StorePath().toStdString());
        HighScoreTable table;
        EnterScore(table, other, kAppKey, 17, 13, 350, ScoreEntry("Other", 500));
    }
    ModalDriver driver;
    driver.Expect<CNewHighScoreDlg>("New High Score", [&](CNewHighScoreDlg& dlg) {
        QTest::keyClicks(dlg.NameEdit(), "Me");
        QTest::keyClick(dlg.NameEdit(), Qt::Key_Return);
    });
    driver.Expect<CHighScoresDlg>("High Scores", [&](CHighScoresDlg& dlg) {
        EXPECT_EQ(dlg.CellText(0, 1), "Other");
        EXPECT_EQ(dlg.CellText(1, 1), "Me");
        EXPECT_EQ(dlg.CellText(1, 2), "300");
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EndGameWithScore(300);
    ExpectDriverDone(driver);
    const HighScoreTable stored = StoredTable(17, 13, 350);
    ASSERT_GE(stored.GetCount(), 2);
    EXPECT_EQ(stored.GetRow(0).Name(), "Other");
    EXPECT_EQ(stored.GetRow(1).Name(), "Me");
}

// A damaged store: the player is told over the main window, in plain text,
// which line was left out and where the file as it was is kept.
TEST_F(NamesTest, AStoreNoticeIsShownOverTheMainWindowAsPlainText) {
    WriteSettings({});
    std::string text = StoreText();
    const int nBadLine = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    text += "<b>bold</b>\n";
    WriteBytes(StorePath(), std::vector<char>(text.begin(), text.end()));
    ModalDriver driver;
    QString strShown;
    driver.Expect<QMessageBox>("notice", [&](QMessageBox& box) {
        EXPECT_EQ(box.parentWidget(), &Frame());
        auto* pLabel = box.findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(pLabel, nullptr);
        EXPECT_EQ(pLabel->textFormat(), Qt::PlainText);
        strShown = box.text();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    // The notice comes before the window is made active.
    CreateApp();
    for (int i = 0; i < 100 && !driver.Pending().empty(); ++i) QTest::qWait(20);
    ExpectDriverDone(driver);
    ActivateFrame();
    EXPECT_TRUE(strShown.contains(QStringLiteral("line %1: <b>bold</b>").arg(nBadLine)))
        << strShown.toStdString();
    EXPECT_TRUE(strShown.contains(StorePath() + ".bad-")) << strShown.toStdString();
    EXPECT_EQ(App().m_settings.m_nArrayWidth, 17);  // the settings were kept
}

// While another copy holds the store, a write gives up and says so, once.
TEST_F(NamesTest, ABusyStoreIsToldOnce) {
    WriteSettings({});
    StartApp();
    auto* pStore = dynamic_cast<CFileRegistry*>(&App().Profile().Registry());
    ASSERT_NE(pStore, nullptr);
    pStore->SetWaits({.lock = std::chrono::milliseconds(20)});
    const int fd = ::open((StorePath() + ".lock").toLocal8Bit().constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    ModalDriver driver;
    ShownMessage shown;
    ExpectMessage(driver, shown);
    ASSERT_TRUE(App().SaveFile(TempPath("a.cx").toStdString()));  // remembers it in the store
    EXPECT_TRUE(QTest::qWaitFor([&] { return driver.Pending().empty(); }, 2000));
    // Another write while the store is held, and the retry the running game
    // makes: a box either of them would bring is shown from the events they
    // post, which Flush runs (a box opened there stays open until the driver
    // records it as unexpected and closes it).
    ASSERT_TRUE(App().SaveFile(TempPath("b.cx").toStdString()));
    EXPECT_FALSE(pStore->RetryWaitingWrites(std::chrono::milliseconds(0)));
    Flush();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ::close(fd);
    ExpectDriverDone(driver);
    EXPECT_TRUE(shown.strText.contains("in use by another program")) << shown.strText.toStdString();
    EXPECT_EQ(shown.format, Qt::PlainText);
}

// Without a shown window (at exit, after the window closed) a notice goes to
// the error output at once: there is no later to show it in.
TEST_F(NamesTest, WithoutAShownWindowANoticeGoesToTheErrorOutput) {
    WriteSettings({});
    StartApp();  // the program's texts
    const std::string strFolder = TempPath("folder.reg").toStdString();
    ASSERT_TRUE(QDir().mkdir(TempPath("folder.reg")));
    CFileRegistry reg(strFolder);
    QWidget hidden;
    const std::string strLog = TempPath("stderr.txt").toStdString();
    std::fflush(stderr);
    const int fdSaved = ::dup(2);
    const int fdLog = ::open(strLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fdLog, 0);
    ::dup2(fdLog, 2);
    ModalDriver driver;  // records any box that would come
    AttachStoreNotices(reg, &hidden);
    reg.Set(kAppKey, "A", RegValue::Dword(1));
    Flush();  // a box would be shown from an event posted by the write
    std::fflush(stderr);
    ::dup2(fdSaved, 2);
    ::close(fdSaved);
    ::close(fdLog);
    ExpectDriverDone(driver);
    EXPECT_FALSE(reg.HasNotices());
    const std::vector<char> log = ReadBytes(TempPath("stderr.txt"));
    const std::string strText(log.begin(), log.end());
    EXPECT_NE(strText.find("coilix: The settings file " + strFolder + " cannot be read"),
              std::string::npos)
        << strText;
}

namespace {

// Names that would fight the text around them: a tab (into a menu's shortcut
// column), a right-to-left override (the extension turned round), a
// right-to-left mark, other control characters, and a name in Hebrew.
const QString kHostileNames[] = {
    QStringLiteral("tab\there.cx"),
    QStringLiteral("evil\u202Etxt.cx"),
    QStringLiteral("mark\u200F.cx"),
    QStringLiteral("bell\u0007esc\u001B[31mdel\u007F.cx"),
    QStringLiteral("\u05E9\u05DC\u05D5\u05DD.cx"),
};

// The x of each place between the letters of a line of text as it is laid
// out, by the place's logical index.
std::vector<qreal> CursorXs(const QString& strText) {
    QTextLayout layout(strText, QApplication::font());
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    std::vector<qreal> xs;
    for (int i = 0; i <= strText.size(); ++i) xs.push_back(line.cursorToX(i));
    return xs;
}

// What a name may not hold once shown: a control or a bidirectional
// formatting character other than the one isolate around it.
bool HoldsNoControls(const QString& strShown) {
    for (qsizetype i = 0; i < strShown.size(); ++i) {
        const char16_t c = strShown[i].unicode();
        const bool bIsolate = (c == 0x2066 || c == 0x2068) ? i + 1 < strShown.size() : c == 0x2069;
        if (bIsolate) continue;
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x200E || c == 0x200F ||
            (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Each control shows as a placeholder, and what is shown of a file's name ends
// with its extension, drawn last, whatever the name holds.
TEST_F(NamesTest, AFileNameShowsAsItIsWithItsExtensionAtTheEnd) {
    EXPECT_EQ(WithVisibleControls(QStringLiteral("a\tb\u0001\u007F\u0085\u202E\u200F.cx")),
              QStringLiteral("a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD.cx"));
    for (const QString& strName : kHostileNames) {
        SCOPED_TRACE(strName.toStdString());
        const QString strShown = ShownAsIs(strName, TextDirection::kLeftToRight);
        EXPECT_TRUE(HoldsNoControls(strShown)) << strShown.toStdString();
        const QString strLine = QStringLiteral("&1 ") + strShown + QStringLiteral(" - Coilix");
        const std::vector<qreal> xs = CursorXs(strLine);
        // The extension's last letter ends where the rest of the line begins.
        const qsizetype nEnd = strLine.indexOf(QStringLiteral(".cx")) + 3;
        const qreal xEndOfName = xs[static_cast<size_t>(nEnd)];
        for (qsizetype i = 0; i < nEnd; ++i) {
            EXPECT_LE(xs[static_cast<size_t>(i)], xEndOfName + 0.5) << "place " << i;
        }
        EXPECT_LE(xEndOfName, xs[static_cast<size_t>(nEnd) + 2] + 0.5);
    }
}

// In the recent-file menu and its prompt in the status bar, in the title,
// and in a message box.
TEST_F(NamesTest, FileNamesShowAsTheyAreInTheMenuTitleStatusBarAndMessages) {
    WriteSettings({});
    StartApp();
    for (const QString& strName : kHostileNames) {
        SCOPED_TRACE(strName.toStdString());
        const std::string strPath = QFile::encodeName(TempPath(strName)).toStdString();
        ASSERT_TRUE(App().SaveFile(strPath));
        const QString strItem = ShownMenuText(Frame(), ID_FILE_MRU_FILE1);
        EXPECT_FALSE(strItem.contains('\t')) << strItem.toStdString();
        EXPECT_TRUE(HoldsNoControls(strItem)) << strItem.toStdString();
        EXPECT_TRUE(HoldsNoControls(Frame().Action(ID_FILE_MRU_FILE1)->statusTip()));
        EXPECT_TRUE(HoldsNoControls(Frame().windowTitle())) << Frame().windowTitle().toStdString();
        EXPECT_TRUE(Frame().windowTitle().endsWith(".cx - Coilix") ||
                    Frame().windowTitle().endsWith(".cx\u2069 - Coilix"))
            << Frame().windowTitle().toStdString();

        // A file of that name that is no game.
        WriteBytes(QFile::decodeName(QByteArray::fromStdString(strPath)), {'x'});
        ModalDriver driver;
        ShownMessage shown;
        ExpectMessage(driver, shown);
        EXPECT_FALSE(App().OpenFile(strPath));
        ExpectDriverDone(driver);
        EXPECT_TRUE(HoldsNoControls(shown.strText)) << shown.strText.toStdString();
        ActivateFrame();
    }
}

// Names in the score table: their controls show as placeholders, and a name
// in a right-to-left script stays in its own cell's order.
TEST_F(NamesTest, PlayerNamesShowAsTheyAreInTheScoreTable) {
    HighScoreTable table;
    table.m_aScores.emplace_back("Tab\tName", 300);
    table.m_aScores.emplace_back("Bell\x07\x81", 200);
    CHighScoresDlg dlg(nullptr, table, CodePage::kWestern);
    dlg.show();
    Flush();
    EXPECT_EQ(dlg.CellText(0, 1), QStringLiteral("Tab\uFFFDName"));
    EXPECT_EQ(dlg.CellText(1, 1), QStringLiteral("Bell\uFFFD\uFFFD"));
    EXPECT_EQ(ShownAsIs(QStringLiteral("\u05E9\u05DC\u05D5\u05DD"), TextDirection::kOwn),
              QStringLiteral("\u2068\u05E9\u05DC\u05D5\u05DD\u2069"));
}
