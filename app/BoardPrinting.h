// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CBoardPainter;
class CCoilixDoc;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Printing the board: the Print, Print Preview and Print Setup commands, a
// PDF file, and the printer of the command line's print switches. The whole
// board goes on one page.
class CBoardPrinting {
public:
    // fnMessage tells the player what went wrong; fnProposedPdf gives the
    // file a print to PDF is offered under (the game's name, in the folder
    // of the last game).
    CBoardPrinting(const CCoilixDoc& doc, CBoardPainter& boardPainter,
                   std::function<void(const QString&)> fnMessage,
                   std::function<QString()> fnProposedPdf);
    ~CBoardPrinting();
    CBoardPrinting(const CBoardPrinting&) = delete;
    CBoardPrinting& operator=(const CBoardPrinting&) = delete;

    // The printer and its options, kept for the run (Print Setup sets them).
    QPrinter& Printer();

    // Prints the whole board on one page from the printable area's top-left
    // corner, a cell as large as on a screen at its ordinary density
    // (kTilePixels at 96 an inch: a quarter inch), scaled down only where
    // that would not fit the printable area. False when the device cannot be
    // painted on.
    bool PrintBoard(QPagedPaintDevice& device);
    // Writes the board as a PDF file, whole or not at all.
    bool PrintToPdf(const QString& strPath);

    void OnFilePrint(QWidget* pParent);
    void OnFilePrintPreview(QWidget* pParent);
    void OnFilePrintSetup(QWidget* pParent);

    // The command line's printing of the open game: on the default printer
    // (no name), on the printer named, or as a PDF file where the name ends
    // in ".pdf".
    bool PrintTo(const std::optional<std::string>& printerName);

private:
    // The file a print dialog offers for a print to PDF: the game's name in
    // the folder of the last game, or the file the player chose for it.
    QString FileToOffer();

    const CCoilixDoc& m_doc;
    CBoardPainter& m_boardPainter;
    std::function<void(const QString&)> m_fnMessage;
    std::function<QString()> m_fnProposedPdf;
    std::unique_ptr<QPrinter> m_pPrinter;
    QString m_strLastProposal;
};
