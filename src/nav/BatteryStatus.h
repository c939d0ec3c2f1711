#pragma once

#include <QString>

// The state of the system battery, as the battery item of the digital panel shows it.
enum BatteryFlag : int {
    kBatteryGood = 1,
    kBatteryLow = 2,
    kBatteryCritical = 4,
    kBatteryCharging = 8,
    kNoBattery = 128,
    kBatteryUnknown = 255,
};

struct BatteryStatus {
    static constexpr int kChargeUnknown = 255;
    int charge = kChargeUnknown; // percent, or kChargeUnknown
    int flag = kBatteryUnknown;  // a BatteryFlag
};

// The kernel's power supply folder.
inline constexpr const char kPowerSupplyRoot[] = "/sys/class/power_supply";

// Reads the first system battery under `root` (one folder per supply, with the files type,
// present, scope, status, capacity and capacity_level). No readable folder, or one without any
// supply, gives kBatteryUnknown; supplies without a battery give kNoBattery.
BatteryStatus ReadBatteryStatus(const QString& root = QString::fromLatin1(kPowerSupplyRoot));

// "Battery Good", "Battery Low", "Battery Critical", "Charging", "No Battery", "Status Unknown",
// and "Fail" for any other flag.
QString BatteryFlagText(int flag);
