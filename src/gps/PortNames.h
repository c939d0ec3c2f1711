#pragma once

#include <QList>
#include <QString>

// Where the link's settings live.
inline constexpr char kSerialSection[] = "Serial Port Commmunications";
inline constexpr char kPortKey[] = "Port";
inline constexpr char kBaudKey[] = "Baud";
inline constexpr char kAutoReconnectKey[] = "Auto Reconnect";
// The device path the user chose (or detection found) for the stored port number.
inline constexpr char kDeviceKey[] = "Device";
inline constexpr int kDefaultPort = 1;
inline constexpr int kDefaultBaud = 4800;

// A serial device the system lists: its path and a name a person recognises.
struct SerialPortEntry {
    QString device;       // e.g. /dev/ttyACM0
    QString friendlyName; // e.g. u-blox GNSS receiver; the device name when the system has none
    // "%s - %s": device path and friendly name, as the port lists show it.
    QString Text() const;
};

// The serial devices of the system, sorted by path. Port number n (from 1) is the n-th entry.
QList<SerialPortEntry> ListSerialPorts();
// Whether the system's list of serial drivers can be read at all.
bool SerialDriverListReadable();

// The device that port number `portNumber` opens: the stored "Device" (a path or a network
// source's URL) when "Port" holds this number, otherwise the n-th listed device; empty when
// there is none.
QString DeviceForPort(int portNumber);
// The port number of `device` in the system's list (1 = first), or 0 when it is not listed.
int PortNumberForDevice(const QString& device);
// The /dev/serial/by-id name of `device` when there is one (it follows a USB receiver from one
// ttyUSB/ttyACM number to another when re-plugged), else `device` itself.
QString StableDevicePath(const QString& device);
// The device path of a port list entry "path - friendly name"; a typed path is returned as is.
QString DeviceFromPortEntry(const QString& entry);

// Stores `device` as the chosen port: "Port" (its number in the list, 0 when unlisted or a
// network source), "Device" (its stable path, or the source's URL) and "Baud".
void StorePortChoice(const QString& device, int baud);
