#pragma once

#include <QDialog>

class CGpsLink;
class QCheckBox;
class QComboBox;
struct CommSettingsPreset;

// The "Comm Settings" dialog: the port (a listed one, or a device path typed in for a
// pseudo-terminal or an rfcomm device), the baud rate (listed or typed) and automatic
// reconnection. OK is refused, with a message, while the port or the rate cannot be used, so a
// slip of the pen does not drop a working connection.
class CManualPortSetupDlg : public QDialog {
    Q_OBJECT
public:
    CManualPortSetupDlg(const CommSettingsPreset& preset, QWidget* parent = nullptr);

    QString Device() const;
    // 0 when the text is no whole number.
    int Baud() const;
    bool AutoReconnect() const;

    void accept() override;

private:
    QComboBox* m_port;
    QComboBox* m_baud;
    QCheckBox* m_autoReconnect;
};

// The manual port setup command: lists the ports, runs the dialog and on OK reopens the link on
// the chosen device (which stores "Port", "Device", "Baud" and "Auto Reconnect" once it opened).
void RunManualPortSetup(CGpsLink& link, QWidget* parent);
