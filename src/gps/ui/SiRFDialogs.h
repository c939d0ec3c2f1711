#pragma once

#include "gps/ProgressWindow.h"
#include "gps/SiRFSetup.h"

#include <QDialog>

#include <array>

class CGpsLink;
class QCheckBox;
class QLabel;
class QProgressBar;
class QSpinBox;

// The "SiRF GPS Setup" dialog: WAAS/EGNOS, static navigation and the NMEA sentence periods.
class CSiRFSetupDlg : public QDialog {
    Q_OBJECT
public:
    CSiRFSetupDlg(const SiRFSetupOptions& preset, QWidget* parent = nullptr);
    SiRFSetupOptions Options() const;

private:
    QCheckBox* m_waas;
    QCheckBox* m_staticNavigation;
    // GGA, RMC, GSV, GSA.
    std::array<QSpinBox*, 4> m_rates{};
};

// The window that shows each step of the exchange with the receiver. The exchange runs on this
// thread, so while it waits the window handles its paint events (user input waits until the
// exchange is over, so no second command can start in the middle of it).
class CSiRFProgressWnd : public QDialog, public IProgressWindow {
    Q_OBJECT
public:
    explicit CSiRFProgressWnd(QWidget* parent = nullptr);

    void Open(int range) override;
    void SetText(const QString& text) override;
    void Step() override;
    void KeepResponsive() override;
    void Close() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_text;
    QProgressBar* m_bar;
};

// The SiRF output settings command: asks, then sends the sentence rates to the receiver.
void RunSiRFOutputSettings(CGpsLink& link, QWidget* parent);
// The SiRF parameter settings command: asks, runs the setup dialog, then configures the
// receiver step by step in the progress window and reports the results.
void RunSiRFParameterSettings(CGpsLink& link, QWidget* parent);
