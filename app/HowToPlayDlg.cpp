// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HowToPlayDlg.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <memory>

#include "app/DialogButtons.h"
#include "app/Menus.h"
#include "framework/ResString.h"
#include "game/Limits.h"
#include "res/resource.h"

namespace {

// The page's width in average letters: lines short enough to read easily.
constexpr int kPageLetters = 72;

QString Number(int32_t n) {
    return QString::number(n);
}

QString BoardSize(const SizePreset& size) {
    return QStringLiteral("%1 \u00D7 %2").arg(size.nWidth).arg(size.nHeight);
}

// The page's text, read-only but with a caret the keyboard moves, which a
// screen reader follows line by line. It asks for the room its text needs at
// a comfortable width.
class CPageEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    QSize sizeHint() const override {
        const int nTextWidth = kPageLetters * fontMetrics().averageCharWidth();
        const std::unique_ptr<QTextDocument> pLaidOut(document()->clone());
        pLaidOut->setDefaultFont(font());
        pLaidOut->setTextWidth(nTextWidth);
        const int nFrame = 2 * frameWidth();
        return {nTextWidth + nFrame + verticalScrollBar()->sizeHint().width(),
                static_cast<int>(pLaidOut->size().height()) + nFrame + fontMetrics().lineSpacing()};
    }
};

// The page's parts in the current language, in order: a paragraph, then
// parts that each start with a heading line. The numbers come from the rules,
// the keys and the menu item from the menus, so the page says what the game
// does.
QStringList HowToPlayParts() {
    return {
        LoadQString(IDS_HOW_TO_PLAY_INTRO),
        LoadQString(IDS_HOW_TO_PLAY_KEYS)
            .arg(CommandKeyName(ID_PAUSE), CommandKeyName(ID_FILE_NEW), MenuPath(ID_NEW_GAME),
                 CommandKeyName(ID_HIGH_SCORES), CommandKeyName(ID_HOW_TO_PLAY),
                 CommandKeyName(ID_APP_EXIT)),
        LoadQString(IDS_HOW_TO_PLAY_ITEMS)
            .arg(Number(kApplePoints), Number(kCoinPointsMin), Number(kCoinPointsMax)),
        LoadQString(IDS_HOW_TO_PLAY_DROPPINGS)
            .arg(Number(kDroppingCostMin), Number(kDroppingCostMax), Number(kFrownMoves)),
        LoadQString(IDS_HOW_TO_PLAY_END),
        LoadQString(IDS_HOW_TO_PLAY_BOARDS)
            .arg(BoardSize(SizePresets[kSizeSmall]), BoardSize(SizePresets[kSizeLarge]),
                 Number(kMinBoardSide), Number(kMaxBoardSide), Number(SpeedPresets[kSpeedLow]),
                 Number(SpeedPresets[kSpeedNormal]), Number(SpeedPresets[kSpeedHigh])),
        LoadQString(IDS_HOW_TO_PLAY_SCORES).arg(Number(kScoreTableRows)),
    };
}

// Fills the page: the parts one after another with a blank line between
// them, each heading in bold.
void FillPage(QPlainTextEdit& page) {
    QTextCursor cursor(page.document());
    const QTextCharFormat plain;
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    const QStringList parts = HowToPlayParts();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString strPart = parts[i];
        if (i > 0) {
            cursor.insertText(QStringLiteral("\n\n"), plain);
            const qsizetype nEnd = strPart.indexOf(QLatin1Char('\n'));
            cursor.insertText(strPart.left(nEnd), heading);
            strPart = nEnd < 0 ? QString() : strPart.mid(nEnd);
        }
        cursor.insertText(strPart, plain);
    }
}

}  // namespace

CHowToPlayDlg::CHowToPlayDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_HOW_TO_PLAY_TITLE));
    auto* pPage = new CPageEdit;
    pPage->setObjectName(QStringLiteral("page"));
    pPage->setReadOnly(true);
    pPage->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    pPage->setFocusPolicy(Qt::StrongFocus);
    pPage->setTabChangesFocus(true);
    // A screen reader names the text as the window is named, and so the
    // area it is drawn in and its scroll bars, which it finds beside it.
    pPage->setAccessibleName(windowTitle());
    pPage->viewport()->setAccessibleName(windowTitle());
    pPage->verticalScrollBar()->setAccessibleName(windowTitle());
    pPage->horizontalScrollBar()->setAccessibleName(windowTitle());
    FillPage(*pPage);
    pPage->moveCursor(QTextCursor::Start);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pPage, 1);
    pLayout->addWidget(MakeDialogButtons(this, {{IDS_BTN_CLOSE, QDialogButtonBox::RejectRole}}));
    setSizeGripEnabled(true);
    if (auto* pGrip = findChild<QSizeGrip*>()) pGrip->setAccessibleName(SizeGripAccessibleName());
    // The whole page where the screen has room for it; beyond that it scrolls.
    const QScreen* pScreen = pParent != nullptr ? pParent->screen() : screen();
    resize(sizeHint().boundedTo(pScreen->availableGeometry().size() * 9 / 10));
    // The keyboard starts in the text: the arrows and Page Down read on,
    // Tab goes to Close, Esc and Enter close.
    pPage->setFocus();
}
