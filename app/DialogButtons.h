#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <initializer_list>
#include <utility>

#include "framework/ResString.h"

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
