// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BoardPrinting.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <algorithm>
#include <utility>

#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "game/Limits.h"
#include "res/resource.h"
#include "store/CoilixDoc.h"
#include "view/BoardPainter.h"

namespace {

// On paper a board pixel is as large as on a screen at its ordinary density:
// 1/96 inch, a cell a quarter inch (6.35 mm).
constexpr double kBoardPixelsPerInch = 96.0;

// One page: the board is a single picture.
void AllowOnePage(QPrintDialog& dlg) {
    dlg.setMinMax(1, 1);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
}

// While it lives, every print dialog that shows (the command's own, or the
// one the preview opens) offers strFile for a print to a file, and a printer
// set to a file already prints to it unless the player says otherwise. The
// dialog fills its file field as it shows, so the field is set just after.
class ProposedPrintFile : public QObject {
public:
    ProposedPrintFile(QPrinter& printer, QString strFile) : m_strFile(std::move(strFile)) {
        // The job's name in the printer's queue, too.
        printer.setDocName(QFileInfo(m_strFile).completeBaseName());
        if (printer.outputFormat() == QPrinter::PdfFormat) printer.setOutputFileName(m_strFile);
        qApp->installEventFilter(this);
    }
    ~ProposedPrintFile() override { qApp->removeEventFilter(this); }
    ProposedPrintFile(const ProposedPrintFile&) = delete;
    ProposedPrintFile& operator=(const ProposedPrintFile&) = delete;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Show) {
            if (auto* pDialog = qobject_cast<QPrintDialog*>(pWatched)) {
                if (auto* pField = pDialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                    pField->setText(m_strFile);
            }
        }
        return false;
    }

private:
    QString m_strFile;
};

}  // namespace

CBoardPrinting::CBoardPrinting(const CCoilixDoc& doc, CBoardPainter& boardPainter,
                               std::function<void(const QString&)> fnMessage,
                               std::function<QString()> fnProposedPdf)
    : m_doc(doc),
      m_boardPainter(boardPainter),
      m_fnMessage(std::move(fnMessage)),
      m_fnProposedPdf(std::move(fnProposedPdf)) {}

CBoardPrinting::~CBoardPrinting() = default;

QPrinter& CBoardPrinting::Printer() {
    // At the printer's own resolution: the board is drawn in its dots.
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

bool CBoardPrinting::PrintBoard(QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The device's size is its printable area in its own dots; the painter's
    // origin is that area's top-left corner.
    double dCellWidth = kTilePixels * device.logicalDpiX() / kBoardPixelsPerInch;
    double dCellHeight = kTilePixels * device.logicalDpiY() / kBoardPixelsPerInch;
    const double dBoardWidth = m_doc.m_nWidth * dCellWidth;
    const double dBoardHeight = m_doc.m_nHeight * dCellHeight;
    if (dBoardWidth > 0 && dBoardHeight > 0) {
        const double dScale =
            std::min({1.0, device.width() / dBoardWidth, device.height() / dBoardHeight});
        dCellWidth *= dScale;
        dCellHeight *= dScale;
    }
    m_boardPainter.PrintBoard(painter, dCellWidth, dCellHeight);
    return painter.end();
}

bool CBoardPrinting::PrintToPdf(const QString& strPath) {
    // Through a temporary file that replaces the target only when complete:
    // a failure leaves no file, and no half of one, behind.
    QSaveFile file(strPath);
    const QString strCannot =
        LoadQString(IDS_ERR_CANNOT_PRINT).arg(ShownAsIs(strPath, TextDirection::kLeftToRight));
    if (!file.open(QIODevice::WriteOnly)) {
        m_fnMessage(strCannot + QLatin1Char('\n') + file.errorString());
        return false;
    }
    bool bPainted = false;
    {
        // A PDF's own pixels (1/1200 inch) on the paper of the user's printer.
        QPdfWriter writer(&file);
        writer.setPageLayout(Printer().pageLayout());
        writer.setCreator(LoadQString(AFX_IDS_APP_TITLE));
        writer.setTitle(QFileInfo(m_fnProposedPdf()).completeBaseName());
        bPainted = PrintBoard(writer);
    }
    if (!bPainted || !file.commit()) {
        m_fnMessage(strCannot + QLatin1Char('\n') + file.errorString());
        return false;
    }
    return true;
}

QString CBoardPrinting::FileToOffer() {
    const QString strProposal = m_fnProposedPdf();
    const QString strChosen = Printer().outputFileName();
    // The file the player chose for this game stays theirs; another game
    // brings its own name.
    if (strProposal == m_strLastProposal && !strChosen.isEmpty()) return strChosen;
    m_strLastProposal = strProposal;
    return strProposal;
}

void CBoardPrinting::OnFilePrint(QWidget* pParent) {
    QPrinter& printer = Printer();
    const ProposedPrintFile proposal(printer, FileToOffer());
    QPrintDialog dlg(&printer, pParent);
    AllowOnePage(dlg);
    if (dlg.exec() != QDialog::Accepted) return;
    if (!PrintBoard(printer)) {
        const QString strWhere =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        m_fnMessage(LoadQString(IDS_ERR_CANNOT_PRINT).arg(strWhere));
    }
}

void CBoardPrinting::OnFilePrintPreview(QWidget* pParent) {
    const ProposedPrintFile proposal(Printer(), FileToOffer());
    QPrintPreviewDialog dlg(&Printer(), pParent);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* p) { PrintBoard(*p); });
    dlg.exec();
}

void CBoardPrinting::OnFilePrintSetup(QWidget* pParent) {
    // The printer and its options (paper, orientation, copies) for the next
    // print; nothing is printed here, so the dialog's button says OK.
    const ProposedPrintFile proposal(Printer(), FileToOffer());
    QPrintDialog dlg(&Printer(), pParent);
    dlg.setWindowTitle(ToolTipOf(ID_FILE_PRINT_SETUP));
    AllowOnePage(dlg);
    if (auto* pButtons = dlg.findChild<QDialogButtonBox*>()) {
        if (QPushButton* pOk = pButtons->button(QDialogButtonBox::Ok)) {
            pOk->setText(LoadQString(IDS_BTN_OK));
        }
    }
    dlg.exec();
}

bool CBoardPrinting::PrintTo(const std::optional<std::string>& printerName) {
    const QString strPrinter = QString::fromStdString(printerName.value_or(std::string()));
    if (printerName && strPrinter.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return PrintToPdf(strPrinter);
    }
    QPrinter printer(QPrinter::HighResolution);
    if (printerName) {
        if (!QPrinterInfo::availablePrinterNames().contains(strPrinter)) {
            m_fnMessage(LoadQString(IDS_ERR_NO_PRINTER).arg(strPrinter));
            return false;
        }
        printer.setPrinterName(strPrinter);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        m_fnMessage(LoadQString(IDS_ERR_NO_DEFAULT_PRINTER));
        return false;
    }
    if (!PrintBoard(printer)) {
        m_fnMessage(LoadQString(IDS_ERR_CANNOT_PRINT).arg(printer.printerName()));
        return false;
    }
    return true;
}
