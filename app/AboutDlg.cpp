// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogButtons.h"
#include "app/Strings.h"
#include "app/Version.h"
#include "framework/ResString.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(LoadQString(IDS_ABOUT_TITLE));
    auto* pIcon = new QLabel;
    pIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    pIcon->setAlignment(Qt::AlignTop);
    // The program's icon, named as the program is.
    pIcon->setAccessibleName(QApplication::applicationName());

    auto* pVersion = new QLabel(LoadQString(IDS_ABOUT_VERSION).arg(QStringLiteral(COILIX_VERSION)));
    pVersion->setObjectName("version");
    auto* pCopyright = new QLabel(LoadQString(IDS_ABOUT_COPYRIGHT));
    auto* pContact = new QLabel(LoadQString(IDS_ABOUT_CONTACT));
    pContact->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pLicence = new QLabel(LoadQString(IDS_ABOUT_LICENCE));
    pLicence->setObjectName("licence");

    auto* pTexts = new QVBoxLayout;
    pTexts->addWidget(pVersion);
    pTexts->addWidget(pCopyright);
    pTexts->addWidget(pContact);
    pTexts->addWidget(pLicence);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(pIcon);
    pTop->addSpacing(12);
    pTop->addLayout(pTexts, 1);

    LayOutDialog(this, pTop, {{IDS_BTN_OK, QDialogButtonBox::AcceptRole}});
}
