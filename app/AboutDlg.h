// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

// The program's name, version, copyright, a contact line and the licence.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* pParent);
};
