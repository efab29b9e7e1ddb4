#include "app/HighScoresDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "app/DialogButtons.h"
#include "app/Strings.h"
#include "framework/ResString.h"
#include "game/HighScoreTable.h"
#include "res/resource.h"

namespace {

// Names are stored in 31 bytes of UTF-8; the box takes no more than that.
class Utf8LengthValidator : public QValidator {
public:
    Utf8LengthValidator(int nMaxBytes, QObject* pParent)
        : QValidator(pParent), m_nMaxBytes(nMaxBytes) {}
    State validate(QString& strInput, int&) const override {
        return strInput.toUtf8().size() <= m_nMaxBytes ? Acceptable : Invalid;
    }

private:
    int m_nMaxBytes;
};

QLabel* Heading(unsigned nID, Qt::Alignment align) {
    auto* pLabel = new QLabel(LoadQString(nID));
    QFont font = pLabel->font();
    font.setBold(true);
    pLabel->setFont(font);
    pLabel->setAlignment(align | Qt::AlignVCenter);
    return pLabel;
}

}  // namespace

CHighScoresDlg::CHighScoresDlg(QWidget* pParent, const HighScoreTable& table) : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_HIGH_SCORES_TITLE));
    auto* pGrid = new QGridLayout;
    pGrid->setHorizontalSpacing(16);
    pGrid->addWidget(Heading(IDS_COL_POSITION, Qt::AlignLeft), 0, 0);
    pGrid->addWidget(Heading(IDS_COL_NAME, Qt::AlignLeft), 0, 1);
    pGrid->addWidget(Heading(IDS_COL_SCORE, Qt::AlignRight), 0, 2);
    const int nRows = std::min(table.GetCount(), 10);
    for (int i = 0; i < 10; ++i) {
        auto* pPos = new QLabel(QStringLiteral("%1.").arg(i + 1));
        pPos->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* pName = new QLabel;
        pName->setObjectName(QStringLiteral("name%1").arg(i));
        pName->setMinimumWidth(180);
        auto* pScore = new QLabel;
        pScore->setObjectName(QStringLiteral("score%1").arg(i));
        pScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pScore->setMinimumWidth(60);
        if (i < nRows) {
            const ScoreEntry& row = table.GetRow(i);
            pName->setText(QString::fromStdString(row.Name()));
            // A zero score shows as an empty cell.
            if (row.nScore != 0) pScore->setText(QString::number(row.nScore));
        }
        pGrid->addWidget(pPos, i + 1, 0);
        pGrid->addWidget(pName, i + 1, 1);
        pGrid->addWidget(pScore, i + 1, 2);
    }
    QDialogButtonBox* pButtons =
        MakeDialogButtons(this, {{IDS_BTN_CLOSE, QDialogButtonBox::RejectRole}});

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid);
    pLayout->addSpacing(8);
    pLayout->addWidget(pButtons);
    setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

CNewHighScoreDlg::CNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                   const std::string& strProposed)
    : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_NEW_HIGH_SCORE_TITLE));
    auto* pGrid = new QGridLayout;
    pGrid->setHorizontalSpacing(16);
    pGrid->addWidget(Heading(IDS_COL_POSITION, Qt::AlignLeft), 0, 0);
    pGrid->addWidget(Heading(IDS_COL_NAME, Qt::AlignLeft), 0, 1);
    pGrid->addWidget(Heading(IDS_COL_SCORE, Qt::AlignRight), 0, 2);

    auto* pPos = new QLabel(QStringLiteral("%1.").arg(nRow + 1));
    pPos->setObjectName("position");
    pPos->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pName = new QLineEdit(QString::fromStdString(TruncateUtf8(strProposed, 31)));
    m_pName->setObjectName("name");
    m_pName->setValidator(new Utf8LengthValidator(31, m_pName));
    m_pName->setMinimumWidth(220);
    auto* pScore = new QLabel(QString::number(nScore));
    pScore->setObjectName("score");
    pScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pGrid->addWidget(pPos, 1, 0);
    pGrid->addWidget(m_pName, 1, 1);
    pGrid->addWidget(pScore, 1, 2);

    QDialogButtonBox* pButtons =
        MakeDialogButtons(this, {{IDS_BTN_OK, QDialogButtonBox::AcceptRole},
                                 {IDS_BTN_CANCEL, QDialogButtonBox::RejectRole}});

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid);
    pLayout->addSpacing(8);
    pLayout->addWidget(pButtons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Typing replaces the proposed name; Enter keeps it.
    m_pName->setFocus();
    m_pName->selectAll();
}

std::string CNewHighScoreDlg::Name() const {
    return TruncateUtf8(m_pName->text().toStdString(), 31);
}

std::optional<std::string> RunNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                              const std::string& strProposed) {
    CNewHighScoreDlg dlg(pParent, nRow, nScore, strProposed);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Name();
}

void RunHighScoresDlg(QWidget* pParent, const HighScoreTable& table) {
    CHighScoresDlg dlg(pParent, table);
    dlg.exec();
}
