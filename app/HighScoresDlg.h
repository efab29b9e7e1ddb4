// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <optional>
#include <string>

#include "store/CodePage.h"

class HighScoreTable;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTableWidget;

// The table of the ten best scores of the current board and speed: the ten
// positions "1." to "10.", each with its row's name and score, blank where
// the table holds none (a score of 0 shows blank too). Names are the rows'
// bytes read in the players' code page, shown as plain text. The row a new
// score was just given, if any, is in bold.
class CHighScoresDlg : public QDialog {
public:
    CHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp, int nNewRow = -1);
    // The rows shown, and the text of a cell: column 0 the position ("1."),
    // 1 the name, 2 the score; and whether a row is marked as the new one.
    int RowCount() const;
    QString CellText(int nRow, int nColumn) const;
    bool IsMarked(int nRow) const;

private:
    QTableWidget* m_pTable;
};

// Asks for the name of a new high-score row: position, score, and the name
// box proposing the last name, selected. The box takes only characters the
// code page holds, at most 31 of them (a longer pasted name is cut); the
// others are refused as they are typed or pasted, and a line under the box
// names them.
class CNewHighScoreDlg : public QDialog {
public:
    CNewHighScoreDlg(QWidget* pParent, int nRow, int nScore, const std::string& strProposed,
                     CodePage cp);
    // The name as UTF-8 text.
    std::string Name() const;
    QLineEdit* NameEdit() const { return m_pName; }
    // The line under the box: none until a character was refused.
    QLabel* RefusedLine() const { return m_pRefused; }

private:
    void ShowRefused(const QString& strRefused);

    QGridLayout* m_pGrid = nullptr;
    QLineEdit* m_pName;
    QLabel* m_pRefused = nullptr;
};

// Runs the dialogs modally. The name entry gives nothing for Cancel.
std::optional<std::string> RunNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                              const std::string& strProposed, CodePage cp);
void RunHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp, int nNewRow = -1);
