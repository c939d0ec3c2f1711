#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <array>

class CGpsDetection;
class CGpsLink;
class QLabel;
class QLineEdit;
class QProgressBar;

// The "Find GPS" progress window: shows the search of CGpsDetection, which it ticks every
// 100 ms, with the device and baud rate being tried, a PASS per sentence type and the ports done.
// It closes itself when the search ends; Close ends the search early, leaving the last port open.
class CFindGpsDlg : public QDialog {
    Q_OBJECT
public:
    CFindGpsDlg(CGpsDetection& detection, QWidget* parent = nullptr);

private:
    void ShowPort(const QString& device, int baud);

    CGpsDetection& m_detection;
    QTimer m_ticker;
    QLabel* m_status;
    QLineEdit* m_port;
    QLabel* m_baud;
    std::array<QLabel*, 4> m_results{};
    QProgressBar* m_progress;
};

// The serial devices the search tries: the system's, then the stored device when the system
// does not list it (a pseudo-terminal or rfcomm device chosen by hand).
QStringList FindGpsCandidates();

// The automatic port setup command: searches `devices` for a receiver; on success the link stays
// open on it and "Port", "Device" and "Baud" are stored.
void RunFindGps(CGpsLink& link, QWidget* parent, const QStringList& devices = FindGpsCandidates());
