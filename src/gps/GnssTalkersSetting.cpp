#include "gps/GnssTalkersSetting.h"

#include "app/SettingsStore.h"

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("GNSS Talkers");

} // namespace

GnssTalkers ReadGnssTalkersSetting()
{
    const int value = ReadIntSetting(kSection, kKey, static_cast<int>(GnssTalkers::All));
    return value == static_cast<int>(GnssTalkers::All) ? GnssTalkers::All : GnssTalkers::GpOnly;
}

void WriteGnssTalkersSetting(GnssTalkers talkers)
{
    WriteIntSetting(kSection, kKey, static_cast<int>(talkers));
}
