// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

#include "framework/FramePlacement.h"
#include "framework/ResString.h"
#include "framework/StdIds.h"

// A dialog's push buttons, labelled from numbered strings: the first is the
// default; accepting buttons end the dialog with accept(), rejecting ones
// with reject() (both virtual, so a dialog's own checks run).
inline QDialogButtonBox* MakeDialogButtons(
    QDialog* pDlg,
    std::initializer_list<std::pair<unsigned, QDialogButtonBox::ButtonRole>> buttons) {
    auto* pBox = new QDialogButtonBox;
    bool bFirst = true;
    for (const auto& [nID, role] : buttons) {
        QPushButton* pButton = pBox->addButton(LoadQString(nID), role);
        pButton->setDefault(bFirst);
        bFirst = false;
    }
    QObject::connect(pBox, &QDialogButtonBox::accepted, pDlg, &QDialog::accept);
    QObject::connect(pBox, &QDialogButtonBox::rejected, pDlg, &QDialog::reject);
    return pBox;
}

// Lays a dialog out at a fixed size: its contents, and its push buttons
// (as MakeDialogButtons makes them) below.
inline void LayOutDialog(
    QDialog* pDlg, QLayout* pContents,
    std::initializer_list<std::pair<unsigned, QDialogButtonBox::ButtonRole>> buttons) {
    auto* pLayout = new QVBoxLayout(pDlg);
    pLayout->addLayout(pContents);
    pLayout->addSpacing(8);
    pLayout->addWidget(MakeDialogButtons(pDlg, buttons));
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
}

// A message box centred on its parent's window, as it is about to show (its
// size is known only then).
class CCenteredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* pEvent) override {
        QMessageBox::showEvent(pEvent);
        CenterOverWindow(*this, parentWidget());
    }
};

// A message box under the program's title, centred on the parent's window.
// The text is shown as it is, never read as markup: it may carry a path, a
// name or a system's report.
inline int ShowMessageBox(QWidget* pParent, QMessageBox::Icon icon, const QString& strText) {
    CCenteredMessageBox box(icon, LoadQString(AFX_IDS_APP_TITLE), strText, QMessageBox::Ok,
                            pParent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}
