#pragma once

#include <QDialog>

// "About Wendrift": name, version, licence, and where the settings and data live.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);
};
