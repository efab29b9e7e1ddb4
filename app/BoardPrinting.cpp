// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BoardPrinting.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <algorithm>

#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "res/resource.h"
#include "store/CoilixDoc.h"
#include "view/CoilixView.h"

namespace {

// One page: the board is a single picture.
void AllowOnePage(QPrintDialog& dlg) {
    dlg.setMinMax(1, 1);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
}

}  // namespace

CBoardPrinting::CBoardPrinting(CCoilixDoc& doc, CCoilixView& view,
                               std::function<void(const QString&)> fnMessage)
    : m_doc(doc), m_view(view), m_fnMessage(std::move(fnMessage)) {}

CBoardPrinting::~CBoardPrinting() = default;

QPrinter& CBoardPrinting::Printer() {
    // The printer's own pixels: the board prints at one of them per pixel on
    // screen, as small or as large as the printer's resolution makes it.
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

bool CBoardPrinting::PrintBoard(QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The device's size is its printable area; the painter's origin is that
    // area's top-left corner.
    const double dBoardWidth = double(m_doc.m_nWidth) * CCoilixView::m_nTileWidth;
    const double dBoardHeight = double(m_doc.m_nHeight) * CCoilixView::m_nTileHeight;
    if (dBoardWidth > 0 && dBoardHeight > 0) {
        const double dScale =
            std::min({1.0, device.width() / dBoardWidth, device.height() / dBoardHeight});
        if (dScale < 1.0) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.scale(dScale, dScale);
        }
    }
    m_view.PrintBoard(painter);
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
        writer.setTitle(QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_doc.GetPathName())))
                            .fileName());
        bPainted = PrintBoard(writer);
    }
    if (!bPainted || !file.commit()) {
        m_fnMessage(strCannot + QLatin1Char('\n') + file.errorString());
        return false;
    }
    return true;
}

void CBoardPrinting::OnFilePrint(QWidget* pParent) {
    QPrinter& printer = Printer();
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
    QPrintPreviewDialog dlg(&Printer(), pParent);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* p) { PrintBoard(*p); });
    dlg.exec();
}

void CBoardPrinting::OnFilePrintSetup(QWidget* pParent) {
    // The printer and its options (paper, orientation, copies) for the next
    // print; nothing is printed here, so the dialog's button says OK.
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
