#include "gps/ManualPortSetup.h"

#include "app/SettingsStore.h"
#include "gps/PortNames.h"
#include "gps/SerialPort.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"

#include <QFileInfo>

namespace {

constexpr int kCannotEnumerate = 216;

bool SameDevice(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    const QString target = QFileInfo(a).canonicalFilePath();
    return !target.isEmpty() && target == QFileInfo(b).canonicalFilePath();
}

} // namespace

std::optional<CommSettingsPreset> PrepareManualSetup(CSerialPort& port)
{
    const QString section = QString::fromLatin1(kSerialSection);
    CommSettingsPreset preset;
    const int portNumber = ReadIntSetting(section, QString::fromLatin1(kPortKey), kDefaultPort);
    preset.baud = ReadIntSetting(section, QString::fromLatin1(kBaudKey), kDefaultBaud);
    preset.autoReconnect = ReadIntSetting(section, QString::fromLatin1(kAutoReconnectKey), 0) == 1;
    if (!port.EnumeratePorts()) {
        Prompts().Ask(LoadString(kCannotEnumerate), QString(), PromptButtons::Ok,
                      PromptIcon::Error);
        return std::nullopt;
    }
    preset.entries = port.PortList();
    preset.device = DeviceForPort(portNumber);
    for (qsizetype i = 0; i < preset.entries.size(); ++i) {
        if (SameDevice(DeviceFromPortEntry(preset.entries[i]), preset.device)) {
            preset.selected = static_cast<int>(i);
            break;
        }
    }
    return preset;
}
