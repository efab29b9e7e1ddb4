// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

class GameSettings;
class QComboBox;
class QLineEdit;

// Board size (two presets or a custom width and height) and speed for the
// next new game. OK writes the choice into the settings; Cancel writes nothing.
class CNewGameDlg : public QDialog {
public:
    CNewGameDlg(QWidget* pParent, GameSettings& settings);

    int32_t m_nArraySize = -1;
    int32_t m_nGameSpeed = -1;
    int32_t m_nArrayHeight = 0;
    int32_t m_nArrayWidth = 0;

    QComboBox* SizeCombo() const { return m_pSize; }
    QComboBox* SpeedCombo() const { return m_pSpeed; }
    QLineEdit* WidthEdit() const { return m_pWidth; }
    QLineEdit* HeightEdit() const { return m_pHeight; }

    void accept() override;

private:
    // Reads the controls into the members, checking the numbers (height
    // first); on a bad number shows the message, focuses the box and stops.
    bool ReadControls();
    void WriteControls();
    void EnableSizeEdits();
    void ApplySizePreset();
    void OnSelchangeArraySize();
    bool ReadNumber(QLineEdit* pEdit, int32_t& nValue);

    GameSettings& m_settings;
    QComboBox* m_pSize;
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
    QComboBox* m_pSpeed;
};
