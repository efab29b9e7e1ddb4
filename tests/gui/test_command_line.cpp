// The command line: its forms, the program's answers as a process, a saved
// game named on it, and printing a game to a PDF file.

#include <QImage>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "GuiTest.h"

namespace {

const QString kExample = QStringLiteral(COILIX_TEST_DATA_DIR "/savedgame/example-17x13.cx");

struct ProcessResult {
    int nExitCode = -1;
    QString strOut;
    QString strErr;
};

ProcessResult RunProgram(const QString& strProgram, const QStringList& args,
                         const QString& strStore) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("COILIX_REGISTRY", strStore);
    process.setProcessEnvironment(env);
    process.start(strProgram, args);
    ProcessResult run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << strProgram.toStdString() << " did not finish";
        return run;
    }
    run.nExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.strOut = QString::fromUtf8(process.readAllStandardOutput());
    run.strErr = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace

class CommandLineTest : public GuiTest {};

TEST_F(CommandLineTest, HelpVersionAndAWrongOptionAnswerAsLinuxProgramsDo) {
    const ProcessResult help = RunProgram(COILIX_BIN, {"--help"}, StorePath());
    EXPECT_EQ(help.nExitCode, 0);
    EXPECT_TRUE(help.strOut.startsWith("Usage: coilix")) << help.strOut.toStdString();
    EXPECT_TRUE(help.strOut.contains("/pt FILE.cx PRINTER"));

    const ProcessResult version = RunProgram(COILIX_BIN, {"--version"}, StorePath());
    EXPECT_EQ(version.nExitCode, 0);
    EXPECT_EQ(version.strOut, "Coilix 1.1\n");

    const ProcessResult wrong = RunProgram(COILIX_BIN, {"--bogus"}, StorePath());
    EXPECT_EQ(wrong.nExitCode, 2);
    EXPECT_TRUE(wrong.strOut.isEmpty());
    EXPECT_TRUE(wrong.strErr.contains("--bogus")) << wrong.strErr.toStdString();
    EXPECT_TRUE(wrong.strErr.contains("Usage: coilix"));
    EXPECT_FALSE(QFile::exists(StorePath())) << "nothing was started, nothing stored";
}

TEST_F(CommandLineTest, AFileNamedOnTheCommandLineOpensPaused) {
    WriteSettings({});
    CommandLineInfo cmd;
    cmd.action = CommandLineInfo::Action::kOpen;
    cmd.strFile = kExample.toStdString();
    StartApp(cmd);
    EXPECT_TRUE(Doc().m_bLoadedGame);
    EXPECT_TRUE(Doc().m_bPaused);
    EXPECT_EQ(Pane(0), "Pause");
    EXPECT_EQ(Frame().windowTitle(), "example-17x13.cx - Coilix");
    EXPECT_FALSE(View().Control().IsTimerRunning());
}

TEST_F(CommandLineTest, AFileThatCannotBeOpenedIsReportedAndEndsTheProgram) {
    WriteSettings({});
    CommandLineInfo cmd;
    cmd.action = CommandLineInfo::Action::kOpen;
    cmd.strFile = TempPath("missing.cx").toStdString();
    QString strShown;
    ModalDriver driver;
    driver.Expect<QMessageBox>("report", [&](QMessageBox& box) {
        strShown = box.text();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    CCoilixApp app;
    EXPECT_FALSE(app.InitInstance(cmd));
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_TRUE(strShown.contains("missing.cx")) << strShown.toStdString();
    EXPECT_FALSE(app.MainFrame().isVisible());
}

TEST_F(CommandLineTest, PrintingToAPdfPutsTheWholeBoardOnOnePageAtScreenPixels) {
    const QString strPdftoppm = QStandardPaths::findExecutable("pdftoppm");
    const QString strPdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (strPdftoppm.isEmpty() || strPdfinfo.isEmpty()) {
        GTEST_SKIP() << "pdftoppm and pdfinfo (poppler-utils) are needed to read the PDF";
    }
    const QString strPdf = TempPath("board.pdf");
    const ProcessResult print = RunProgram(COILIX_BIN, {"/pt", kExample, strPdf}, StorePath());
    ASSERT_EQ(print.nExitCode, 0) << print.strErr.toStdString();
    ASSERT_TRUE(QFile::exists(strPdf));

    const ProcessResult info = RunProgram(strPdfinfo, {strPdf}, StorePath());
    EXPECT_TRUE(info.strOut.contains(QRegularExpression("Pages:\\s+1\\n")))
        << info.strOut.toStdString();

    // Rendered at the printer's resolution, one screen pixel per pixel.
    QPrinter screenPrinter(QPrinter::ScreenResolution);
    screenPrinter.setOutputFormat(QPrinter::PdfFormat);
    const int nDpi = screenPrinter.resolution();
    const QString strPrefix = TempPath("page");
    const ProcessResult render = RunProgram(
        strPdftoppm, {"-r", QString::number(nDpi), "-png", "-singlefile", strPdf, strPrefix},
        StorePath());
    ASSERT_EQ(render.nExitCode, 0) << render.strErr.toStdString();
    const QImage page(strPrefix + ".png");
    ASSERT_FALSE(page.isNull());

    // The board is everything on the page that is not paper.
    QRect board;
    int nGreen = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            if (qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245) continue;
            board |= QRect(x, y, 1, 1);
            if (qRed(c) < 10 && qGreen(c) > 245 && qBlue(c) < 10) ++nGreen;
        }
    }
    ASSERT_TRUE(board.isValid());
    EXPECT_NEAR(board.width(), 17 * 24, 1) << "at " << nDpi << " dpi";
    EXPECT_NEAR(board.height(), 13 * 24, 1);
    EXPECT_LT(board.left(), page.width() / 4) << "from the top-left corner";
    EXPECT_LT(board.top(), page.height() / 4);
    EXPECT_GT(nGreen, board.width() * board.height() / 2) << "mostly empty green cells";
}
