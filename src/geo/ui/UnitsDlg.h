#pragma once

#include <QDialog>

class QComboBox;

// The "Units" dialog: distance and speed, altitude and elevation, position format.
class CUnitsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUnitsDlg(QWidget* parent = nullptr);
    // Stores the selections (a list left without one keeps its stored value).
    void accept() override;

private:
    QComboBox* m_distanceSpeed;
    QComboBox* m_altitude;
    QComboBox* m_position;
};

// Runs the dialog; true when OK stored the choices (the caller redraws every view).
bool RunUnitsDialog(QWidget* parent);
