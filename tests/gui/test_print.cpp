// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the window: the board whole on one page on a coarse printer
// and in the preview, and Print Setup choosing the printer for Print.

#include <QComboBox>
#include <QDialogButtonBox>
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
        dlg.accept();
    });
    Frame().Action(ID_FILE_PRINT)->trigger();
    ExpectDriverDone(print);
    const QImage page = RenderPdf(strPdf, 300, m_dir.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape, as set up";
    const QRect board = GreenBox(page);
    EXPECT_NEAR(board.width(), 30 * 6, 2);
    EXPECT_NEAR(board.height(), 20 * 6, 2);
}
