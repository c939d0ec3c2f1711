#pragma once

#include <QDialog>

class CGpsLink;
class QCheckBox;

// The "Miscellaneous Settings" dialog: keeping the computer from going to sleep while the
// program runs.
class CMiscSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CMiscSettingsDlg(bool stayAlive, QWidget* parent = nullptr);
    bool StayAlive() const;

private:
    QCheckBox* m_stayAlive;
};

// Runs the dialog; OK switches the link's stay-alive and stores "Stay Alive".
void RunMiscSettingsDialog(CGpsLink& link, QWidget* parent);
