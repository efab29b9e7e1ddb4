#pragma once
#include <QDialog>
#include <optional>
#include <string>

class HighScoreTable;
class QLineEdit;

// The table of the ten best scores of the current board and speed.
class CHighScoresDlg : public QDialog {
public:
    CHighScoresDlg(QWidget* pParent, const HighScoreTable& table);
};

// Asks for the name of a new high-score row: position, score, and the name
// box proposing the last name, selected, at most 31 bytes.
class CNewHighScoreDlg : public QDialog {
public:
    CNewHighScoreDlg(QWidget* pParent, int nRow, int nScore, const std::string& strProposed);
    std::string Name() const;
    QLineEdit* NameEdit() const { return m_pName; }

private:
    QLineEdit* m_pName;
};

// Runs the dialogs modally. The name entry gives nothing for Cancel.
std::optional<std::string> RunNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                              const std::string& strProposed);
void RunHighScoresDlg(QWidget* pParent, const HighScoreTable& table);
