// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NewGameDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/DialogButtons.h"
#include "app/Strings.h"
#include "framework/AccessibleObjects.h"
#include "framework/ResString.h"
#include "game/Limits.h"
#include "res/resource.h"
#include "store/GameSettings.h"

CNewGameDlg::CNewGameDlg(QWidget* pParent, GameSettings& settings)
    : QDialog(pParent), m_settings(settings) {
    setWindowTitle(LoadQString(IDS_NEW_GAME_TITLE));

    m_pSize = new QComboBox;
    m_pSize->setObjectName("arraySize");
    m_pSize->addItems(
        {LoadQString(IDS_SIZE_SMALL), LoadQString(IDS_SIZE_LARGE), LoadQString(IDS_SIZE_CUSTOM)});
    m_pWidth = new QLineEdit;
    m_pWidth->setObjectName("width");
    m_pHeight = new QLineEdit;
    m_pHeight->setObjectName("height");
    // Digits only, as in a numbers-only edit box.
    for (QLineEdit* pEdit : {m_pWidth, m_pHeight}) {
        pEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), pEdit));
        pEdit->setMaximumWidth(80);
    }
    m_pSpeed = new QComboBox;
    m_pSpeed->setObjectName("speed");
    m_pSpeed->addItems(
        {LoadQString(IDS_SPEED_LOW), LoadQString(IDS_SPEED_NORMAL), LoadQString(IDS_SPEED_HIGH)});

    auto* pForm = new QFormLayout;
    pForm->addRow(LoadQString(IDS_LBL_ARRAY_SIZE), m_pSize);
    pForm->addRow(LoadQString(IDS_LBL_WIDTH), m_pWidth);
    pForm->addRow(LoadQString(IDS_LBL_HEIGHT), m_pHeight);
    pForm->addRow(LoadQString(IDS_LBL_SPEED), m_pSpeed);
    // The list a choice opens is named as the choice is, by its label.
    for (QComboBox* pCombo : {m_pSize, m_pSpeed}) {
        if (auto* pLabel = qobject_cast<QLabel*>(pForm->labelForField(pCombo))) {
            pCombo->view()->setAccessibleName(TextWithoutMnemonic(pLabel->text()));
        }
    }

    LayOutDialog(this, pForm,
                 {{IDS_BTN_OK, QDialogButtonBox::AcceptRole},
                  {IDS_BTN_CANCEL, QDialogButtonBox::RejectRole}});

    // Initial values from the settings. A preset size shows its own numbers.
    m_nArraySize = settings.m_nArraySize;
    m_nArrayWidth = settings.m_nArrayWidth;
    m_nArrayHeight = settings.m_nArrayHeight;
    m_nGameSpeed = settings.m_nGameSpeed;
    ApplySizePreset();
    WriteControls();
    EnableSizeEdits();

    // Only a real change of the choice counts, as picking the same item again
    // changes nothing.
    connect(m_pSize, &QComboBox::activated, this, [this](int nIndex) {
        if (nIndex != m_nArraySize) OnSelchangeArraySize();
    });
    m_pSize->setFocus();
}

bool CNewGameDlg::ReadNumber(QLineEdit* pEdit, int32_t& nValue) {
    bool bOk = false;
    const long long n = pEdit->text().trimmed().toLongLong(&bOk);
    QString strError;
    if (!bOk) {
        strError = LoadQString(IDS_ERR_ENTER_INTEGER);
    } else if (n < kMinBoardSide || n > kMaxBoardSide) {
        strError = LoadQString(IDS_ERR_INTEGER_RANGE).arg(kMinBoardSide).arg(kMaxBoardSide);
    }
    if (!strError.isEmpty()) {
        ShowMessageBox(this, QMessageBox::Warning, strError);
        pEdit->setFocus();
        pEdit->selectAll();
        return false;
    }
    nValue = static_cast<int32_t>(n);
    return true;
}

bool CNewGameDlg::ReadControls() {
    m_nArraySize = m_pSize->currentIndex();
    m_nGameSpeed = m_pSpeed->currentIndex();
    // The height is checked before the width.
    if (!ReadNumber(m_pHeight, m_nArrayHeight)) return false;
    return ReadNumber(m_pWidth, m_nArrayWidth);
}

void CNewGameDlg::WriteControls() {
    m_pSize->setCurrentIndex(m_nArraySize);
    m_pSpeed->setCurrentIndex(m_nGameSpeed);
    m_pHeight->setText(QString::number(m_nArrayHeight));
    m_pWidth->setText(QString::number(m_nArrayWidth));
}

void CNewGameDlg::EnableSizeEdits() {
    const bool bCustom = m_nArraySize == kSizeCustom;
    m_pWidth->setEnabled(bCustom);
    m_pHeight->setEnabled(bCustom);
}

void CNewGameDlg::ApplySizePreset() {
    if (m_nArraySize == kSizeSmall || m_nArraySize == kSizeLarge) {
        m_nArrayWidth = SizePresets[m_nArraySize].nWidth;
        m_nArrayHeight = SizePresets[m_nArraySize].nHeight;
    }
}

void CNewGameDlg::OnSelchangeArraySize() {
    // A bad number has been reported; go on with what could be read (the size
    // choice always is, as it comes first).
    if (!ReadControls() && m_nArraySize != kSizeCustom) {
        // The box in error has the focus but is about to be disabled by the
        // preset: the focus goes back to the size choice, where the player
        // was, instead of moving on to the next control.
        m_pSize->setFocus();
    }
    EnableSizeEdits();
    ApplySizePreset();
    WriteControls();
}

void CNewGameDlg::accept() {
    if (!ReadControls()) return;
    m_settings.m_nArraySize = m_nArraySize;
    m_settings.m_nArrayWidth = m_nArrayWidth;
    m_settings.m_nArrayHeight = m_nArrayHeight;
    m_settings.m_nGameSpeed = m_nGameSpeed;
    QDialog::accept();
}
