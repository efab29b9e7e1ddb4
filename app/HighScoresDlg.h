// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <optional>
#include <string>

#include "store/CodePage.h"

class HighScoreTable;
class QLineEdit;

// The table of the ten best scores of the current board and speed. Names are
// the rows' bytes read in the players' code page, shown as plain text.
class CHighScoresDlg : public QDialog {
public:
    CHighScoresDlg(QWidget* pParent, const HighScoreTable& table,
                   CodePage cp = CodePageFromEnvironment());
};

// Asks for the name of a new high-score row: position, score, and the name
// box proposing the last name, selected. The box takes only letters the code
// page holds, at most 31 of them; a longer pasted name is cut.
class CNewHighScoreDlg : public QDialog {
public:
    CNewHighScoreDlg(QWidget* pParent, int nRow, int nScore, const std::string& strProposed,
                     CodePage cp = CodePageFromEnvironment());
    // The name as UTF-8 text.
    std::string Name() const;
    QLineEdit* NameEdit() const { return m_pName; }

private:
    QLineEdit* m_pName;
};

// Runs the dialogs modally. The name entry gives nothing for Cancel.
std::optional<std::string> RunNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                              const std::string& strProposed, CodePage cp);
void RunHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp);
