#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// "Altitude Plot Settings": sampling by time or by distance, and the distance threshold in the
// user's distance unit. A threshold that is not a positive number is refused with a message.
class CAltitudePlotSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CAltitudePlotSettingsDlg(int sampleMode, double thresholdKm, QWidget* parent);
    int SampleMode() const { return m_sampleMode; }
    double ThresholdKm() const { return m_thresholdKm; }

    void accept() override;

private:
    QComboBox* m_mode;
    QLineEdit* m_threshold;
    int m_sampleMode;
    double m_thresholdKm;
};
