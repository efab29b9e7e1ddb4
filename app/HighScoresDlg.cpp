// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HighScoresDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

#include "app/DialogButtons.h"
#include "app/Strings.h"
#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "game/HighScoreTable.h"
#include "res/resource.h"
#include "store/ScoreStore.h"

namespace {

// A name is kept in 31 bytes, one per letter of the players' code page: the
// box keeps only printable letters that the code page holds, at most 31.
// What it cannot hold is left out of typed or pasted text, and a pasted name
// that is too long is cut rather than refused.
class NameValidator : public QValidator {
public:
    NameValidator(CodePage cp, QObject* pParent) : QValidator(pParent), m_cp(cp) {}
    State validate(QString& strInput, int& nPos) const override {
        const QString strFixed = Fixed(strInput);
        if (strFixed != strInput) {
            // Keep the cursor after what was typed or pasted, as far as kept.
            nPos = static_cast<int>(Fixed(strInput.left(nPos)).size());
            strInput = strFixed;
            nPos = std::min(nPos, static_cast<int>(strInput.size()));
        }
        return Acceptable;
    }

    QString Fixed(const QString& strText) const {
        QString strOut;
        for (const char32_t c : strText.toUcs4()) {
            if (strOut.size() >= kMaxNameBytes) break;
            const bool bPrintable = c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
            if (bPrintable && EncodeChar(c, m_cp)) strOut += QChar(static_cast<char16_t>(c));
        }
        return strOut;
    }

private:
    CodePage m_cp;
};

QLabel* PlainLabel(const QString& strText = {}) {
    auto* pLabel = new QLabel(strText);
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}

QLabel* Heading(unsigned nID, Qt::Alignment align) {
    auto* pLabel = new QLabel(LoadQString(nID));
    QFont font = pLabel->font();
    font.setBold(true);
    pLabel->setFont(font);
    pLabel->setAlignment(align | Qt::AlignVCenter);
    return pLabel;
}

// The grid of both dialogs: position, name and score, under their headings.
QGridLayout* ScoreGrid() {
    auto* pGrid = new QGridLayout;
    pGrid->setHorizontalSpacing(16);
    pGrid->addWidget(Heading(IDS_COL_POSITION, Qt::AlignLeft), 0, 0);
    pGrid->addWidget(Heading(IDS_COL_NAME, Qt::AlignLeft), 0, 1);
    pGrid->addWidget(Heading(IDS_COL_SCORE, Qt::AlignRight), 0, 2);
    return pGrid;
}

}  // namespace

CHighScoresDlg::CHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp)
    : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_HIGH_SCORES_TITLE));
    QGridLayout* pGrid = ScoreGrid();
    const int nRows = std::min(table.GetCount(), kScoreTableRows);
    for (int i = 0; i < kScoreTableRows; ++i) {
        auto* pPos = PlainLabel(QStringLiteral("%1.").arg(i + 1));
        pPos->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Names are the players' text: never read as markup.
        auto* pName = PlainLabel();
        pName->setObjectName(QStringLiteral("name%1").arg(i));
        pName->setMinimumWidth(180);
        auto* pScore = PlainLabel();
        pScore->setObjectName(QStringLiteral("score%1").arg(i));
        pScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pScore->setMinimumWidth(60);
        if (i < nRows) {
            const ScoreEntry& row = table.GetRow(i);
            pName->setText(
                ShownAsIs(QString::fromStdString(RowName(row, cp)), TextDirection::kOwn));
            // A zero score shows as an empty cell.
            if (row.nScore != 0) pScore->setText(QString::number(row.nScore));
        }
        pGrid->addWidget(pPos, i + 1, 0);
        pGrid->addWidget(pName, i + 1, 1);
        pGrid->addWidget(pScore, i + 1, 2);
    }
    LayOutDialog(this, pGrid, {{IDS_BTN_CLOSE, QDialogButtonBox::RejectRole}});
}

CNewHighScoreDlg::CNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                   const std::string& strProposed, CodePage cp)
    : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_NEW_HIGH_SCORE_TITLE));
    QGridLayout* pGrid = ScoreGrid();

    auto* pPos = PlainLabel(QStringLiteral("%1.").arg(nRow + 1));
    pPos->setObjectName("position");
    pPos->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* pValidator = new NameValidator(cp, this);
    m_pName = new QLineEdit(pValidator->Fixed(QString::fromStdString(strProposed)));
    m_pName->setObjectName("name");
    m_pName->setValidator(pValidator);
    m_pName->setMaxLength(kMaxNameBytes);
    m_pName->setMinimumWidth(220);
    auto* pScore = PlainLabel(QString::number(nScore));
    pScore->setObjectName("score");
    pScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pGrid->addWidget(pPos, 1, 0);
    pGrid->addWidget(m_pName, 1, 1);
    pGrid->addWidget(pScore, 1, 2);

    LayOutDialog(this, pGrid,
                 {{IDS_BTN_OK, QDialogButtonBox::AcceptRole},
                  {IDS_BTN_CANCEL, QDialogButtonBox::RejectRole}});

    // Typing replaces the proposed name; Enter keeps it.
    m_pName->setFocus();
    m_pName->selectAll();
}

std::string CNewHighScoreDlg::Name() const {
    return m_pName->text().toStdString();
}

std::optional<std::string> RunNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                              const std::string& strProposed, CodePage cp) {
    CNewHighScoreDlg dlg(pParent, nRow, nScore, strProposed, cp);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Name();
}

void RunHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp) {
    CHighScoresDlg dlg(pParent, table, cp);
    dlg.exec();
}
