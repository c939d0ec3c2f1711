#pragma once

#include <QDialog>

class QComboBox;

// "Speed Setup": the speedometer's full scale. Values below 1 are refused with a message.
class CSpeedSetupDlg : public QDialog {
    Q_OBJECT
public:
    CSpeedSetupDlg(int maxSpeed, QWidget* parent);
    int MaxSpeed() const { return m_maxSpeed; }

    void accept() override;

private:
    QComboBox* m_combo;
    int m_maxSpeed;
};
