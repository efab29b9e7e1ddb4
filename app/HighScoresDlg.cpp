// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HighScoresDlg.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "app/DialogButtons.h"
#include "app/Strings.h"
#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "game/HighScoreTable.h"
#include "res/resource.h"
#include "store/ScoreStore.h"

namespace {

// A name is kept in 31 bytes, one per character of the players' code page:
// the box keeps only printable characters that the code page holds, at most
// 31. The others are refused as they are typed or pasted, and named to
// fnRefused; a pasted name that is too long is cut rather than refused.
class NameValidator : public QValidator {
public:
    using RefusedFn = std::function<void(const QString& strRefused)>;
    NameValidator(CodePage cp, RefusedFn fnRefused, QObject* pParent)
        : QValidator(pParent), m_cp(cp), m_fnRefused(std::move(fnRefused)) {}

    State validate(QString& strInput, int& nPos) const override {
        QString strRefused;
        const QString strFixed = Fixed(strInput, &strRefused);
        if (strFixed != strInput) {
            // Keep the cursor after what was typed or pasted, as far as kept.
            nPos = static_cast<int>(Fixed(strInput.left(nPos)).size());
            strInput = strFixed;
            nPos = std::min(nPos, static_cast<int>(strInput.size()));
        }
        if (!strRefused.isEmpty()) m_fnRefused(strRefused);
        return Acceptable;
    }

    // The text as the box keeps it. The characters refused for the code page
    // (not those cut at the 31st) go to *pRefused, each once, in their order,
    // separated by spaces.
    QString Fixed(const QString& strText, QString* pRefused = nullptr) const {
        QString strOut;
        std::u32string refused;
        for (const char32_t c : strText.toUcs4()) {
            if (strOut.size() >= kMaxNameBytes) break;
            const bool bPrintable = c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
            if (bPrintable && EncodeChar(c, m_cp)) {
                strOut += QChar(static_cast<char16_t>(c));
            } else if (refused.find(c) == std::u32string::npos) {
                refused += c;
            }
        }
        if (pRefused != nullptr) {
            QStringList chars;
            for (const char32_t c : refused) chars << QString::fromUcs4(&c, 1);
            *pRefused = chars.join(QLatin1Char(' '));
        }
        return strOut;
    }

private:
    CodePage m_cp;
    RefusedFn m_fnRefused;
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

namespace {

// The table's columns: position, name, score, with their alignment.
constexpr std::pair<unsigned, Qt::Alignment> kColumns[] = {{IDS_COL_POSITION, Qt::AlignRight},
                                                           {IDS_COL_NAME, Qt::AlignLeft},
                                                           {IDS_COL_SCORE, Qt::AlignRight}};

void AddHeadings(QTableWidget& t) {
    for (int c = 0; c < 3; ++c) {
        auto* pHeading = new QTableWidgetItem(LoadQString(kColumns[c].first));
        pHeading->setTextAlignment((c == 2 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        t.setHorizontalHeaderItem(c, pHeading);
    }
}

// The ten positions, each with its row's name and score; blank where the
// table has no row (it holds none when nothing could be read).
void AddRows(QTableWidget& t, const HighScoreTable& table, CodePage cp, int nNewRow) {
    t.setRowCount(kScoreTableRows);
    for (int r = 0; r < kScoreTableRows; ++r) {
        QString strName;
        QString strScore;
        if (r < table.GetCount()) {
            const ScoreEntry& row = table.GetRow(r);
            // Names are the players' text, shown as it is; a zero score shows
            // as an empty cell.
            strName = ShownAsIs(QString::fromStdString(RowName(row, cp)), TextDirection::kOwn);
            if (row.nScore != 0) strScore = QString::number(row.nScore);
        }
        const QString cells[] = {QStringLiteral("%1.").arg(r + 1), strName, strScore};
        for (int c = 0; c < 3; ++c) {
            auto* pItem = new QTableWidgetItem(cells[c]);
            pItem->setTextAlignment(kColumns[c].second | Qt::AlignVCenter);
            pItem->setFlags(Qt::ItemIsEnabled);
            if (r == nNewRow) {
                QFont font = t.font();
                font.setBold(true);
                pItem->setFont(font);
            }
            t.setItem(r, c, pItem);
        }
    }
}

// It looks as the rows of a list on the dialog: no grid, no frame, no row
// numbers, nothing to select or edit, bold headings, and the height of all
// ten rows whatever it holds.
void StyleAsList(QTableWidget& t) {
    t.verticalHeader()->hide();
    t.setShowGrid(false);
    t.setFrameShape(QFrame::NoFrame);
    t.viewport()->setBackgroundRole(QPalette::Window);
    t.setSelectionMode(QAbstractItemView::NoSelection);
    t.setEditTriggers(QAbstractItemView::NoEditTriggers);
    t.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* pHeader = t.horizontalHeader();
    QFont font = pHeader->font();
    font.setBold(true);
    pHeader->setFont(font);
    pHeader->setHighlightSections(false);
    pHeader->setSectionsClickable(false);
    t.resizeColumnsToContents();
    t.setColumnWidth(1, std::max(180, t.columnWidth(1)));
    t.setColumnWidth(2, std::max(60, t.columnWidth(2)));
    pHeader->setStretchLastSection(true);
    // Rows as close as lines of labels would be.
    const int nRowHeight = t.fontMetrics().height() + 6;
    t.verticalHeader()->setMinimumSectionSize(nRowHeight);
    t.verticalHeader()->setDefaultSectionSize(nRowHeight);
    t.setFixedHeight(pHeader->sizeHint().height() + kScoreTableRows * nRowHeight);
    int nWidth = 0;
    for (int c = 0; c < 3; ++c) nWidth += t.columnWidth(c);
    t.setMinimumWidth(nWidth);
}

}  // namespace

CHighScoresDlg::CHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp,
                               int nNewRow)
    : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_HIGH_SCORES_TITLE));
    // A table, so that a screen reader reads it as one: rows of position,
    // name and score under column headings.
    m_pTable = new QTableWidget(0, 3, this);
    m_pTable->setObjectName(QStringLiteral("scores"));
    m_pTable->setAccessibleName(windowTitle());
    AddHeadings(*m_pTable);
    AddRows(*m_pTable, table, cp, nNewRow);
    StyleAsList(*m_pTable);

    auto* pContents = new QVBoxLayout;
    pContents->addWidget(m_pTable);
    LayOutDialog(this, pContents, {{IDS_BTN_CLOSE, QDialogButtonBox::RejectRole}});
    // The keyboard starts on Close; Shift+Tab goes into the table.
    if (auto* pClose = findChild<QPushButton*>()) pClose->setFocus();
}

QString CHighScoresDlg::CellText(int nRow, int nColumn) const {
    const QTableWidgetItem* pItem = m_pTable->item(nRow, nColumn);
    return pItem != nullptr ? pItem->text() : QString();
}

int CHighScoresDlg::RowCount() const {
    return m_pTable->rowCount();
}

bool CHighScoresDlg::IsMarked(int nRow) const {
    const QTableWidgetItem* pItem = m_pTable->item(nRow, 0);
    return pItem != nullptr && pItem->font().bold();
}

CNewHighScoreDlg::CNewHighScoreDlg(QWidget* pParent, int nRow, int nScore,
                                   const std::string& strProposed, CodePage cp)
    : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_NEW_HIGH_SCORE_TITLE));
    QGridLayout* pGrid = ScoreGrid();

    auto* pPos = PlainLabel(QStringLiteral("%1.").arg(nRow + 1));
    pPos->setObjectName("position");
    pPos->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* pValidator = new NameValidator(
        cp, [this](const QString& strRefused) { ShowRefused(strRefused); }, this);
    // A proposed name is held to the same rule.
    QString strRefused;
    m_pName = new QLineEdit(pValidator->Fixed(QString::fromStdString(strProposed), &strRefused));
    m_pName->setObjectName("name");
    // A screen reader names the box by the heading above it.
    m_pName->setAccessibleName(LoadQString(IDS_COL_NAME));
    m_pName->setValidator(pValidator);
    m_pName->setMaxLength(kMaxNameBytes);
    m_pName->setMinimumWidth(220);
    auto* pScore = PlainLabel(QString::number(nScore));
    pScore->setObjectName("score");
    pScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pGrid->addWidget(pPos, 1, 0);
    pGrid->addWidget(m_pName, 1, 1);
    pGrid->addWidget(pScore, 1, 2);
    m_pGrid = pGrid;

    LayOutDialog(this, pGrid,
                 {{IDS_BTN_OK, QDialogButtonBox::AcceptRole},
                  {IDS_BTN_CANCEL, QDialogButtonBox::RejectRole}});
    if (!strRefused.isEmpty()) ShowRefused(strRefused);

    // Typing replaces the proposed name; Enter keeps it.
    m_pName->setFocus();
    m_pName->selectAll();
}

void CNewHighScoreDlg::ShowRefused(const QString& strRefused) {
    // Made when first needed: a screen reader meets no empty line.
    if (m_pRefused == nullptr) {
        m_pRefused = PlainLabel();
        m_pRefused->setObjectName("refused");
        m_pRefused->setWordWrap(true);
        m_pGrid->addWidget(m_pRefused, 2, 1, 1, 2);
    }
    const QString strText =
        LoadQString(IDS_NAME_CHARS_REFUSED).arg(ShownAsIs(strRefused, TextDirection::kOwn));
    m_pRefused->setText(strText);
    // Said again where the player is: in the box.
    m_pName->setAccessibleDescription(strText);
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

void RunHighScoresDlg(QWidget* pParent, const HighScoreTable& table, CodePage cp, int nNewRow) {
    CHighScoresDlg dlg(pParent, table, cp, nNewRow);
    dlg.exec();
}
