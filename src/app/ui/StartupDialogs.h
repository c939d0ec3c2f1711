#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

// The disclaimer shown at start: the warning text, a "don't show again for a while" box,
// OK and Cancel (which ends the application).
class CDisclaimerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDisclaimerDlg(QWidget* parent);
    bool DontShowAgain() const;

private:
    QCheckBox* m_dontShow;
};

// The first-start choice of how to find the receiver.
class CInitialSetupDlg : public QDialog {
    Q_OBJECT
public:
    enum Choice { Automatic, Manual, Skip };

    explicit CInitialSetupDlg(QWidget* parent);
    Choice Chosen() const;

private:
    QRadioButton* m_automatic;
    QRadioButton* m_manual;
    QRadioButton* m_skip;
};
