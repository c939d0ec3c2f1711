#include "gps/PortNames.h"

#include "app/SettingsStore.h"
#include "gps/SourceUrl.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

QString SerialPortEntry::Text() const
{
    return QStringLiteral("%1 - %2").arg(device, friendlyName);
}

QList<SerialPortEntry> ListSerialPorts()
{
    QList<SerialPortEntry> entries;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
        entry.device = info.systemLocation();
        entry.friendlyName = info.description();
        if (entry.friendlyName.isEmpty())
            entry.friendlyName = info.manufacturer();
        if (entry.friendlyName.isEmpty())
            entry.friendlyName = info.portName();
        entries.append(entry);
    }
    std::sort(
        entries.begin(), entries.end(),
        [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.device < b.device; });
    return entries;
}

bool SerialDriverListReadable()
{
    return QFileInfo(QStringLiteral("/sys/class/tty")).isReadable();
}

QString DeviceForPort(int portNumber)
{
    const QString section = QString::fromLatin1(kSerialSection);
    const QString stored = ReadTextSetting(section, QString::fromLatin1(kDeviceKey), QString());
    if (!stored.isEmpty() &&
        ReadIntSetting(section, QString::fromLatin1(kPortKey), kDefaultPort) == portNumber)
        return stored;
    const QList<SerialPortEntry> ports = ListSerialPorts();
    if (portNumber < 1 || portNumber > ports.size())
        return {};
    return ports[portNumber - 1].device;
}

int PortNumberForDevice(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    const QList<SerialPortEntry> ports = ListSerialPorts();
    for (qsizetype i = 0; i < ports.size(); ++i) {
        if (ports[i].device == device ||
            (!target.isEmpty() && QFileInfo(ports[i].device).canonicalFilePath() == target))
            return static_cast<int>(i + 1);
    }
    return 0;
}

QString StableDevicePath(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return device;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files)) {
        if (link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    }
    return device;
}

QString DeviceFromPortEntry(const QString& entry)
{
    const qsizetype separator = entry.indexOf(QLatin1String(" - "));
    return (separator < 0 ? entry : entry.left(separator)).trimmed();
}

void StorePortChoice(const QString& device, int baud)
{
    const QString section = QString::fromLatin1(kSerialSection);
    // A network source is no numbered port: "Port" 0 and the URL as "Device".
    const bool url = IsSourceUrl(device);
    WriteIntSetting(section, QString::fromLatin1(kPortKey), url ? 0 : PortNumberForDevice(device));
    WriteTextSetting(section, QString::fromLatin1(kDeviceKey),
                     url ? device : StableDevicePath(device));
    WriteIntSetting(section, QString::fromLatin1(kBaudKey), baud);
}
