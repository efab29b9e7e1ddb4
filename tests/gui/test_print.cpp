// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the window: a cell a quarter inch of crisp, losslessly kept
// tiles; the board whole on one page on a coarse printer and in the preview;
// Print Setup choosing the printer for Print; the file a print to PDF is
// offered under.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include "GuiTest.h"
#include "app/BoardPrinting.h"

namespace {

// The white page in a picture of the preview.
QRect WhiteBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == 0xffffff) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

class PrintTest : public GuiTest {
protected:
    void StartWithBoard(int nWidth, int nHeight) {
        StoredSettings s;
        s.nArraySize = 2;
        s.nWidth = nWidth;
        s.nHeight = nHeight;
        WriteSettings(s);
        StartApp();
    }
};

TEST_F(PrintTest, ABoardTooLargeForACoarsePrinterIsScaledDownToFitThePage) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to read the PDF";
    }
    StartWithBoard(70, 70);
    // At 72 dpi the board's 1680 pixels would be 23 inches wide.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(72);
    printer.setOutputFileName(TempPath("coarse.pdf"));
    ASSERT_GT(70 * 24, printer.width());
    ASSERT_TRUE(App().Printing().PrintBoard(printer));

    const QImage page = RenderPdf(TempPath("coarse.pdf"), 72, m_dir.path());
    ASSERT_FALSE(page.isNull());
    const QRect board = GreenBox(page);
    // Square as the board, as wide as the printable area, on the page.
    EXPECT_NEAR(board.width(), printer.width(), 2);
    EXPECT_NEAR(board.height(), board.width(), 2);
    EXPECT_GT(board.left(), 0);
    EXPECT_LT(board.right(), page.width() - 1);
    EXPECT_LT(board.bottom(), page.height() - 1);
}

TEST_F(PrintTest, ThePreviewShowsTheWholeBoardOnOnePage) {
    const struct {
        int nWidth, nHeight;
        int nResolution;  // 0: the printer's own
    } cases[] = {{70, 70, 0}, {70, 35, 0}, {5, 5, 0}, {70, 35, 72}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.nWidth) + " x " + std::to_string(c.nHeight) + " at " +
                     std::to_string(c.nResolution));
        StartWithBoard(c.nWidth, c.nHeight);
        if (c.nResolution != 0) App().Printing().Printer().setResolution(c.nResolution);
        ModalDriver driver;
        QRect page, board;
        int nPages = 0;
        driver.Expect<QPrintPreviewDialog>("Print Preview", [&](QPrintPreviewDialog& dlg) {
            dlg.resize(800, 1000);
            auto* pPreview = dlg.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(pPreview, nullptr);
            pPreview->fitInView();
            Flush();
            nPages = pPreview->pageCount();
            const QImage image = pPreview->grab().toImage();
            page = WhiteBox(image);
            board = GreenBox(image);
            dlg.reject();
        });
        Frame().Action(ID_FILE_PRINT_PREVIEW)->trigger();
        ExpectDriverDone(driver);
        EXPECT_EQ(nPages, 1);
        ASSERT_TRUE(board.isValid());
        // The board's own proportions (not cut at the page's edge), on the page.
        const double dRatio = double(c.nWidth) / c.nHeight;
        EXPECT_NEAR(double(board.width()) / board.height(), dRatio, 2.0 * dRatio / board.height());
        EXPECT_TRUE(page.contains(board)) << "page " << page.x() << "," << page.y() << " "
                                          << page.width() << "x" << page.height();
        if (c.nResolution == 72) {
            EXPECT_GT(board.width(), page.width() * 8 / 10) << "scaled down to the page's width";
        }
        // A board that fits is as large on the page as on paper: a quarter
        // inch a cell.
        const double dPaper =
            App().Printing().Printer().pageLayout().fullRect(QPageLayout::Inch).width();
        if (c.nWidth * 0.25 < dPaper * 0.9) {
            const double dWant = page.width() * c.nWidth * 0.25 / dPaper;
            EXPECT_NEAR(board.width(), dWant, 2 + dWant * 0.03);
        }
        CloseApp();
    }
}

TEST_F(PrintTest, PrintSetupChoosesThePrinterThatPrintUses) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to read the PDF";
    }
    StartWithBoard(30, 20);
    const QString strPdf = TempPath("printed.pdf");
    App().Printing().Printer().setOutputFormat(QPrinter::PdfFormat);
    App().Printing().Printer().setOutputFileName(strPdf);
    App().Printing().Printer().setPageOrientation(QPageLayout::Portrait);

    ModalDriver driver;
    driver.Expect<QPrintDialog>("Print Setup", [&](QPrintDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Print Setup");
        EXPECT_EQ(dlg.printer(), &App().Printing().Printer());
        // The printer is chosen here: the list of printers, print to file among them.
        bool bPrinterList = false;
        for (QComboBox* pCombo : dlg.findChildren<QComboBox*>()) {
            for (int i = 0; i < pCombo->count(); ++i) {
                if (pCombo->itemText(i).contains("PDF")) bPrinterList = true;
            }
        }
        EXPECT_TRUE(bPrinterList);
        auto* pButtons = dlg.findChild<QDialogButtonBox*>();
        ASSERT_NE(pButtons, nullptr);
        QPushButton* pOk = pButtons->button(QDialogButtonBox::Ok);
        ASSERT_NE(pOk, nullptr);
        EXPECT_EQ(pOk->text(), "OK") << "nothing is printed here";
        // The file, too, is chosen here.
        auto* pFile = dlg.findChild<QLineEdit*>("filename");
        ASSERT_NE(pFile, nullptr);
        pFile->setText(strPdf);
        // The printer's options come from here too: landscape for the next print.
        auto* pProperties = dlg.findChild<QPushButton*>("properties");
        ASSERT_NE(pProperties, nullptr);
        QTest::mouseClick(pProperties, Qt::LeftButton);
        QTest::mouseClick(pOk, Qt::LeftButton);
    });
    driver.Expect(
        "Printer Properties",
        [](QWidget* w) { return w->findChild<QRadioButton*>("landscape") != nullptr; },
        [](QWidget* w) {
            w->findChild<QRadioButton*>("landscape")->click();
            auto* pButtons = w->findChild<QDialogButtonBox*>();
            ASSERT_NE(pButtons, nullptr);
            QTest::mouseClick(pButtons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
    Frame().Action(ID_FILE_PRINT_SETUP)->trigger();
    ExpectDriverDone(driver);
    EXPECT_FALSE(QFile::exists(strPdf)) << "Print Setup prints nothing";
    EXPECT_EQ(App().Printing().Printer().pageLayout().orientation(), QPageLayout::Landscape);

    ActivateFrame();
    ModalDriver print;
    print.Expect<QPrintDialog>("Print", [&](QPrintDialog& dlg) {
        EXPECT_EQ(dlg.printer(), &App().Printing().Printer());
        // The file the player chose in Print Setup.
        auto* pFile = dlg.findChild<QLineEdit*>("filename");
        ASSERT_NE(pFile, nullptr);
        EXPECT_EQ(pFile->text(), strPdf);
        dlg.accept();
    });
    Frame().Action(ID_FILE_PRINT)->trigger();
    ExpectDriverDone(print);
    const QImage page = RenderPdf(strPdf, 300, m_dir.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape, as set up";
    const QRect board = GreenBox(page);
    // A quarter inch a cell: 75 pixels at 300 an inch.
    EXPECT_NEAR(board.width(), 30 * 75, 2);
    EXPECT_NEAR(board.height(), 20 * 75, 2);
}

TEST_F(PrintTest, ACellPrintsAQuarterInchOfTheFinestTileEnlargedWithoutBlurOrLoss) {
    for (const char* pszTool : {"pdftocairo", "pdfimages"}) {
        if (QStandardPaths::findExecutable(pszTool).isEmpty())
            GTEST_SKIP() << pszTool << " (poppler-utils) is needed to read the PDF";
    }
    StartWithBoard(17, 13);
    const struct {
        int32_t nType;
        const char* pszTile;
    } cells[] = {
        {ctApple, "apple"}, {ctCoin, "coin"}, {ctSkull, "skull"}, {ctHeadRight, "head_right"}};
    for (int x = 0; x < 4; ++x) Doc().CellAt(x, 0).nType = cells[x].nType;
    const QString strPdf = TempPath("tiles.pdf");
    ASSERT_TRUE(App().Printing().PrintToPdf(strPdf));

    // Every picture kept without loss (no JPEG), at the PDF's own 1200 dots
    // an inch, where nothing enlarges or blends it further.
    const ProcessResult list = RunProgram("pdfimages", {"-list", strPdf}, QString());
    ASSERT_EQ(list.nExitCode, 0) << list.strErr.toStdString();
    const QStringList lines = list.strOut.split('\n', Qt::SkipEmptyParts).mid(2);
    EXPECT_GE(lines.size(), 4);
    for (const QString& strLine : lines) {
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
        const QStringList fields = strLine.simplified().split(' ');
        ASSERT_GE(fields.size(), 14) << strLine.toStdString();
        EXPECT_EQ(fields[8], "image") << strLine.toStdString();
        EXPECT_EQ(fields[9], "no") << strLine.toStdString();
        EXPECT_EQ(fields[12], "1200") << strLine.toStdString();
        EXPECT_EQ(fields[13], "1200") << strLine.toStdString();
    }

    // The cells dot for dot: a quarter inch is 300 dots, each of the 72 x 72
    // tile's pixels a block of them in the tile's own colours.
    constexpr int kDpi = 1200;
    constexpr int kCell = kDpi / 4;
    const QPoint origin = App().Printing().Printer().pageLayout().paintRectPixels(kDpi).topLeft();
    const QImage part =
        RenderPdf(strPdf, kDpi, m_dir.path(), QRect(origin, QSize(4 * kCell, kCell)));
    ASSERT_EQ(part.size(), QSize(4 * kCell, kCell));
    for (int x = 0; x < 4; ++x) {
        SCOPED_TRACE(cells[x].pszTile);
        const QImage want =
            QImage(QStringLiteral(":/tiles/72/%1.png").arg(cells[x].pszTile))
                .convertToFormat(QImage::Format_RGB32)
                .scaled(kCell, kCell, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage got =
            part.copy(x * kCell, 0, kCell, kCell).convertToFormat(QImage::Format_RGB32);
        int nDiffering = 0;
        for (int py = 0; py < kCell; ++py) {
            for (int px = 0; px < kCell; ++px) {
                if ((got.pixel(px, py) & 0xffffff) != (want.pixel(px, py) & 0xffffff)) ++nDiffering;
            }
        }
        EXPECT_EQ(nDiffering, 0);
    }
}

TEST_F(PrintTest, APrintToAFileIsOfferedUnderTheGamesNameInTheFolderOfTheLastGame) {
    StartWithBoard(17, 13);
    const auto offered = [this](unsigned nCommand) {
        QString strOffered;
        ModalDriver driver;
        driver.Expect<QPrintDialog>("print dialog", [&](QPrintDialog& dlg) {
            if (auto* pField = dlg.findChild<QLineEdit*>("filename")) strOffered = pField->text();
            dlg.reject();
        });
        Frame().Action(nCommand)->trigger();
        ExpectDriverDone(driver);
        ActivateFrame();
        return strOffered;
    };
    // Untitled, before any game was opened or saved: where the program runs.
    EXPECT_EQ(offered(ID_FILE_PRINT), QDir::current().filePath("Game.pdf"));

    ASSERT_TRUE(QDir().mkpath(TempPath("games")));
    ASSERT_TRUE(App().SaveFile(TempPath("games/My game.v2.cx").toStdString()));
    for (unsigned nCommand : {ID_FILE_PRINT, ID_FILE_PRINT_SETUP}) {
        EXPECT_EQ(offered(nCommand), TempPath("games/My game.v2.pdf"));
    }
    EXPECT_EQ(App().Printing().Printer().docName(), "My game.v2");

    // A printer set to a file prints to the proposed one: the preview's
    // export asks for it by that name.
    App().Printing().Printer().setOutputFormat(QPrinter::PdfFormat);
    ModalDriver preview;
    preview.Expect<QPrintPreviewDialog>("Print Preview",
                                        [](QPrintPreviewDialog& dlg) { dlg.reject(); });
    Frame().Action(ID_FILE_PRINT_PREVIEW)->trigger();
    ExpectDriverDone(preview);
    EXPECT_EQ(App().Printing().Printer().outputFileName(), TempPath("games/My game.v2.pdf"));

    // Another game brings its own name, in the same folder.
    ActivateFrame();
    App().OnFileNew();
    EXPECT_EQ(offered(ID_FILE_PRINT), TempPath("games/Game.pdf"));
}
