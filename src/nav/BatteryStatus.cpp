#include "nav/BatteryStatus.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

// Below these charges the battery counts as critical or low when the kernel gives no level.
constexpr int kCriticalCharge = 5;
constexpr int kLowCharge = 33;

QString ReadAttribute(const QDir& supply, const char* name)
{
    QFile file(supply.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.read(64)).trimmed();
}

// A battery that powers the system: not a mouse or headset (scope "Device"), and present.
bool IsSystemBattery(const QDir& supply)
{
    return ReadAttribute(supply, "type") == QLatin1String("Battery") &&
           ReadAttribute(supply, "scope") != QLatin1String("Device") &&
           ReadAttribute(supply, "present") != QLatin1String("0");
}

int ChargeOf(const QDir& battery)
{
    bool ok = false;
    const int capacity = ReadAttribute(battery, "capacity").toInt(&ok);
    if (!ok)
        return BatteryStatus::kChargeUnknown;
    return std::clamp(capacity, 0, 100);
}

int FlagOf(const QDir& battery, int charge)
{
    if (ReadAttribute(battery, "status") == QLatin1String("Charging"))
        return kBatteryCharging;
    const QString level = ReadAttribute(battery, "capacity_level");
    if (level == QLatin1String("Critical"))
        return kBatteryCritical;
    if (level == QLatin1String("Low"))
        return kBatteryLow;
    if (level == QLatin1String("Normal") || level == QLatin1String("High") ||
        level == QLatin1String("Full"))
        return kBatteryGood;
    if (charge == BatteryStatus::kChargeUnknown)
        return kBatteryUnknown;
    if (charge < kCriticalCharge)
        return kBatteryCritical;
    if (charge < kLowCharge)
        return kBatteryLow;
    return kBatteryGood;
}

} // namespace

BatteryStatus ReadBatteryStatus(const QString& root)
{
    const QDir dir(root);
    const QStringList supplies =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    BatteryStatus status;
    if (supplies.isEmpty())
        return status;
    for (const QString& name : supplies) {
        const QDir supply(dir.filePath(name));
        if (!IsSystemBattery(supply))
            continue;
        status.charge = ChargeOf(supply);
        status.flag = FlagOf(supply, status.charge);
        return status;
    }
    status.flag = kNoBattery;
    return status;
}

QString BatteryFlagText(int flag)
{
    switch (flag) {
    case kBatteryGood:
        return QStringLiteral("Battery Good");
    case kBatteryLow:
        return QStringLiteral("Battery Low");
    case kBatteryCritical:
        return QStringLiteral("Battery Critical");
    case kBatteryCharging:
        return QStringLiteral("Charging");
    case kNoBattery:
        return QStringLiteral("No Battery");
    case kBatteryUnknown:
        return QStringLiteral("Status Unknown");
    default:
        return QStringLiteral("Fail");
    }
}
