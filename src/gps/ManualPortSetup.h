#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class CSerialPort;

// What the "Comm Settings" dialog shows when it opens: the ports the system lists, which of
// them is the current one, the baud rate and automatic reconnection. The user picks an entry or
// types a device path (a pseudo-terminal, /dev/rfcomm0, ...); OK goes to
// CGpsLink::ApplyManualSetup with DeviceFromPortEntry of the text.
struct CommSettingsPreset {
    QStringList entries; // "%s - %s": device path and friendly name
    int selected = -1;   // the current port's entry, -1 when it is not listed
    QString device;      // the current device (shown as typed text when it is not listed)
    int baud = 4800;
    bool autoReconnect = false;
};

// Offered in the baud box, which also takes typed values.
inline const QList<int> kBaudChoices{4800, 9600, 19200, 38400, 57600, 115200};

// Reads "Port", "Device", "Baud" and "Auto Reconnect" and lists the ports. When the system's
// port list cannot be read it shows string 216 and returns nothing.
std::optional<CommSettingsPreset> PrepareManualSetup(CSerialPort& port);
