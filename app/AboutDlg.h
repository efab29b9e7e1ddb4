#pragma once
#include <QDialog>

// The program's name, version, copyright and a contact line.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* pParent);
};
