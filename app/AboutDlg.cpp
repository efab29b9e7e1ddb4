#include "app/AboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Strings.h"
#include "res/resource.h"

namespace {
QString Str(unsigned nID) {
    return QString::fromStdString(LoadString(nID));
}
}  // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(Str(IDS_ABOUT_TITLE));
    auto* pIcon = new QLabel;
    pIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    pIcon->setAlignment(Qt::AlignTop);

    auto* pVersion = new QLabel(Str(IDS_ABOUT_VERSION));
    pVersion->setObjectName("version");
    auto* pCopyright = new QLabel(Str(IDS_ABOUT_COPYRIGHT));
    auto* pContact = new QLabel(Str(IDS_ABOUT_CONTACT));
    pContact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* pTexts = new QVBoxLayout;
    pTexts->addWidget(pVersion);
    pTexts->addWidget(pCopyright);
    pTexts->addWidget(pContact);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(pIcon);
    pTop->addSpacing(12);
    pTop->addLayout(pTexts, 1);

    auto* pButtons = new QDialogButtonBox;
    QPushButton* pOk = pButtons->addButton(Str(IDS_BTN_OK), QDialogButtonBox::AcceptRole);
    pOk->setDefault(true);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addSpacing(8);
    pLayout->addWidget(pButtons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}
