#include "gps/GnssTalkersSetting.h"

#include "app/SettingsStore.h"

GnssTalkers ReadGnssTalkersSetting()
{
    const int value = ReadIntSetting(QStringLiteral("Settings"), QStringLiteral("GNSS Talkers"),
                                     static_cast<int>(GnssTalkers::All));
    return value == static_cast<int>(GnssTalkers::All) ? GnssTalkers::All : GnssTalkers::GpOnly;
}
