#include "views/ui/GaugeColors.h"

#include "app/SettingsStore.h"
#include "platform/ui/SystemColors.h"

namespace {

const QString kSection = QStringLiteral("Panel");

int ToColorRef(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor ReadColour(const QString& key, const QColor& fallback)
{
    const int value = ReadIntSetting(kSection, key, ToColorRef(fallback));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

GaugeColors DefaultGaugeColors()
{
    return {GetSysColor(SysColor::WindowText), GetSysColor(SysColor::Window),
            GetSysColor(SysColor::Highlight)};
}

GaugeColors BlackGaugeColors()
{
    return {QColor(255, 255, 255), QColor(0, 0, 0), QColor(255, 255, 0)};
}

GaugeColors GreyGaugeColors()
{
    return {QColor(0, 0, 0), QColor(128, 128, 128), QColor(255, 255, 255)};
}

GaugeColors ReadGaugeColors()
{
    const GaugeColors defaults = DefaultGaugeColors();
    return {ReadColour(QStringLiteral("Gauge Text Color"), defaults.text),
            ReadColour(QStringLiteral("Gauge Background Color"), defaults.background),
            ReadColour(QStringLiteral("Gauge Indicator Color"), defaults.indicator)};
}

void WriteGaugeColors(const GaugeColors& colors)
{
    WriteIntSetting(kSection, QStringLiteral("Gauge Text Color"), ToColorRef(colors.text));
    WriteIntSetting(kSection, QStringLiteral("Gauge Background Color"),
                    ToColorRef(colors.background));
    WriteIntSetting(kSection, QStringLiteral("Gauge Indicator Color"),
                    ToColorRef(colors.indicator));
}
