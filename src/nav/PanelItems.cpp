#include "nav/PanelItems.h"

#include "geo/Geodesy.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "nav/Navigation.h"
#include "nav/TripComputer.h"
#include "platform/Clock.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>

namespace {

constexpr double kKmToMiles = 0.621371192237;
constexpr double kSecondsPerMinute = 60.0;
constexpr double kMinutesPerSecond = 0.016666666666666666;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerDay = 86400;
constexpr int kMostDays = 9999;
constexpr int kDaysLabel = 258;

// String-table ids of the list name and the cell label of each kind (0: no label).
struct KindTexts {
    int listName;
    int label;
};
constexpr std::array<KindTexts, kPanelItemKindCount> kKindTexts{{
    {238, 0},   {239, 239}, {233, 234}, {229, 229}, {224, 224}, {227, 227}, {228, 227}, {231, 232},
    {230, 229}, {248, 248}, {251, 251}, {250, 250}, {244, 245}, {257, 257}, {252, 252}, {254, 254},
    {243, 243}, {253, 253}, {235, 235}, {236, 236}, {237, 237}, {225, 225}, {246, 246}, {247, 247},
    {255, 255}, {256, 256}, {241, 241}, {240, 240}, {242, 242}, {226, 226}, {249, 249},
}};

const QString kNone = QStringLiteral("---");

QString Decimals(double value, int decimals)
{
    return QString::asprintf("%.*f", decimals, value);
}

QString SpeedText(double knots)
{
    const double shown = SpeedToDisplay(knots);
    return Decimals(shown, shown >= 10.0 ? 1 : 2);
}

// A distance in km, in the unit the size of the value calls for.
void SetDistance(double km, PanelItemTexts& texts)
{
    const double miles = km * kKmToMiles;
    const double shown = AutoDistance(miles);
    texts.value = Decimals(shown, shown >= 100.0 ? 0 : shown >= 10.0 ? 1 : 2);
    texts.units = AutoDistanceUnitName(miles);
}

void SetCrossTrack(double radians, PanelItemTexts& texts)
{
    const double miles = radians * kNauticalMilesPerRadian * kKmPerNauticalMile * kKmToMiles;
    const double shown = AutoDistance(miles);
    texts.value = Decimals(shown, std::fabs(shown) >= 1000.0 ? 0 : shown >= 10.0 ? 1 : 2);
    texts.units = AutoDistanceUnitName(miles);
}

// Altitudes with one decimal.
QString AltitudeValue(double metres)
{
    return Decimals(AltitudeToDisplay(metres), 1);
}

void SetGrade(double grade, PanelItemTexts& texts)
{
    texts.value = QString::asprintf("%.1f%%", std::fabs(grade));
    texts.units = grade >= 0.0 ? QStringLiteral("Up") : QStringLiteral("Down");
}

QString TwoFields(int first, int second)
{
    return QString::asprintf("%02d:%02d", first, second);
}

struct ClockTime {
    int hour = 0, minute = 0, second = 0;
};

ClockTime LocalClockTime(int64_t seconds)
{
    tzset(); // follow a change of TZ
    const time_t time = static_cast<time_t>(seconds);
    tm broken{};
    localtime_r(&time, &broken);
    return {broken.tm_hour, broken.tm_min, broken.tm_sec};
}

ClockTime UtcClockTime(int64_t seconds)
{
    const time_t time = static_cast<time_t>(seconds);
    tm broken{};
    gmtime_r(&time, &broken);
    return {broken.tm_hour, broken.tm_min, broken.tm_sec};
}

// Hours 1 to 11 are AM as they are, 0 is 12 AM, 12 is PM, 13 to 23 are PM less twelve.
struct TwelveHourTime {
    ClockTime time;
    bool pm = false;
};

TwelveHourTime TwelveHour(ClockTime time)
{
    TwelveHourTime result{time, time.hour >= 12};
    if (time.hour == 0)
        result.time.hour = 12;
    else if (time.hour > 12)
        result.time.hour -= 12;
    return result;
}

QString HourMinute(const ClockTime& time)
{
    return TwoFields(time.hour, time.minute);
}

QString HourMinuteSecond(const ClockTime& time)
{
    return QString::asprintf("%02d:%02d:%02d", time.hour, time.minute, time.second);
}

QString AmPm(bool pm)
{
    return pm ? QStringLiteral("PM") : QStringLiteral("AM");
}

void SetDuration(DurationTexts duration, PanelItemTexts& texts)
{
    texts.value = std::move(duration.value);
    texts.units = std::move(duration.units);
}

void SetBattery(const QString& root, PanelItemTexts& texts)
{
    const BatteryStatus status = ReadBatteryStatus(root);
    texts.value = status.charge == BatteryStatus::kChargeUnknown
                      ? kNone
                      : QString::asprintf("%d%%", status.charge);
    texts.detail = BatteryFlagText(status.flag);
}

// The texts of a known kind; value, units and detail start empty.
void FormatKnownItem(int kind, const PanelItemSources& sources, PanelItemTexts& texts)
{
    const CNavigation& navigation = sources.navigation;
    const CTripComputer& trip = sources.tripComputer;
    const bool navigating = navigation.IsNavigating();
    const QString& targetName = navigation.Target().strName;
    switch (static_cast<PanelItemKind>(kind)) {
    case kPanelBlank:
        break;
    case kPanelSpeed:
        texts.value = SpeedText(sources.fix.Rmc().speed);
        texts.units = SpeedUnitName();
        break;
    case kPanelDistanceToTarget:
        SetDistance(navigation.DistanceToTarget(), texts);
        texts.detail = targetName;
        break;
    case kPanelCourse:
        texts.value = Decimals(sources.displayedCourse, 1);
        break;
    case kPanelAltitude: {
        const double altitude = AltitudeToDisplay(sources.fix.Gga().altitude);
        texts.value = Decimals(altitude, altitude < 1000.0 ? 1 : 0);
        texts.units = AltitudeUnitName();
        break;
    }
    case kPanelBearingToTarget:
        texts.value = Decimals(navigating ? navigation.BearingToTarget() : 0.0, 1) + QChar(0x00B0);
        texts.detail = targetName;
        break;
    case kPanelBearingToTargetPoint:
        texts.value = navigating ? QString::fromLatin1(CompassPoint(navigation.BearingToTarget()))
                                 : QStringLiteral("--");
        texts.detail = targetName;
        break;
    case kPanelCrossTrackError:
        SetCrossTrack(navigation.CrossTrackError(navigation.CurrentPosition()), texts);
        texts.detail = targetName;
        break;
    case kPanelCoursePoint:
        texts.value = QString::fromLatin1(CompassPoint(sources.displayedCourse));
        texts.detail = targetName;
        break;
    case kPanelOdometer:
        SetDistance(trip.Odometer(), texts);
        break;
    case kPanelTimeToNext:
        if (navigating && trip.TimeToNext() >= 0.0) {
            SetDuration(TimeToNextTexts(trip.TimeToNext()), texts);
        } else {
            texts.value = kNone;
            texts.units = kNone;
        }
        texts.detail = targetName;
        break;
    case kPanelArrivalTime:
        if (navigating) {
            texts.value = HourMinute(LocalClockTime(trip.ArrivalTime()));
            texts.units = QStringLiteral("HH:MM");
        } else {
            texts.value = kNone;
            texts.units = kNone;
        }
        texts.detail = targetName;
        break;
    case kPanelAverageSpeed:
        texts.value = SpeedText(trip.AverageSpeed());
        texts.units = SpeedUnitName();
        break;
    case kPanelElapsedTime:
        SetDuration(ElapsedTexts(trip.ElapsedSeconds()), texts);
        break;
    case kPanelMaximumAltitude:
        texts.value = AltitudeValue(trip.MaximumAltitude());
        texts.units = AltitudeUnitName();
        break;
    case kPanelMinimumAltitude:
        texts.value = AltitudeValue(trip.MinimumAltitude());
        texts.units = AltitudeUnitName();
        break;
    case kPanelAltitudeRange:
        texts.value = AltitudeValue(trip.MaximumAltitude() - trip.MinimumAltitude());
        texts.units = AltitudeUnitName();
        break;
    case kPanelMaximumSpeed:
        texts.value = SpeedText(trip.MaximumSpeed());
        texts.units = SpeedUnitName();
        break;
    case kPanelGrade:
        SetGrade(trip.Grade(), texts);
        break;
    case kPanelMaximumGrade:
        SetGrade(trip.MaximumGrade(), texts);
        break;
    case kPanelMinimumGrade:
        SetGrade(trip.MinimumGrade(), texts);
        break;
    case kPanelAverageGrade:
        SetGrade(trip.AverageGrade(), texts);
        break;
    case kPanelAverageUphillGrade:
        SetGrade(trip.AverageUphillGrade(), texts);
        break;
    case kPanelAverageDownhillGrade:
        SetGrade(trip.AverageDownhillGrade(), texts);
        break;
    case kPanelTotalAscent:
        texts.value = AltitudeValue(trip.AscentSum());
        texts.units = AltitudeUnitName();
        break;
    case kPanelTotalDescent:
        texts.value = AltitudeValue(trip.DescentSum());
        texts.units = AltitudeUnitName();
        break;
    case kPanelClock: {
        const ClockTime now = LocalClockTime(Clock::Now());
        texts.value = HourMinute(now);
        texts.detail = HourMinuteSecond(now);
        break;
    }
    case kPanelClock12: {
        const TwelveHourTime now = TwelveHour(LocalClockTime(Clock::Now()));
        texts.value = HourMinute(now.time);
        texts.units = AmPm(now.pm);
        texts.detail = HourMinuteSecond(now.time);
        break;
    }
    case kPanelClockUtc: {
        const ClockTime now = UtcClockTime(Clock::Now());
        texts.value = HourMinute(now);
        texts.detail = HourMinuteSecond(now);
        break;
    }
    case kPanelBattery:
        SetBattery(sources.powerSupplyRoot, texts);
        break;
    case kPanelArrivalTime12:
        if (navigating) {
            const TwelveHourTime arrival = TwelveHour(LocalClockTime(trip.ArrivalTime()));
            texts.value = HourMinute(arrival.time);
            texts.units = QStringLiteral("(%1)").arg(AmPm(arrival.pm));
        } else {
            texts.value = kNone;
            texts.units = kNone;
        }
        texts.detail = targetName;
        break;
    }
}

bool IsKnownKind(int kind)
{
    return kind >= 0 && kind < kPanelItemKindCount;
}

} // namespace

DurationTexts TimeToNextTexts(double seconds)
{
    if (seconds < kSecondsPerHour) {
        const int minutes = static_cast<int>(seconds * kMinutesPerSecond);
        const int rest = static_cast<int>(seconds - minutes * kSecondsPerMinute);
        return {TwoFields(minutes, rest), QStringLiteral("MM:SS")};
    }
    if (seconds < kSecondsPerDay) {
        const int hours = static_cast<int>(seconds / kSecondsPerHour);
        const int minutes = static_cast<int>(seconds / kSecondsPerMinute) % 60;
        return {TwoFields(hours, minutes), QStringLiteral("HH:MM")};
    }
    const double days = std::fmin(std::trunc(seconds / kSecondsPerDay), kMostDays);
    return {QString::number(static_cast<int>(days)), LoadString(kDaysLabel)};
}

DurationTexts ElapsedTexts(int64_t seconds)
{
    if (seconds < kSecondsPerHour)
        return {TwoFields(static_cast<int>(seconds / 60), static_cast<int>(seconds % 60)),
                QStringLiteral("MM:SS")};
    if (seconds < kSecondsPerDay)
        return {TwoFields(static_cast<int>(seconds / kSecondsPerHour),
                          static_cast<int>(seconds / 60 % 60)),
                QStringLiteral("HH:MM")};
    return {QString::number(std::min<int64_t>(seconds / kSecondsPerDay, kMostDays)),
            LoadString(kDaysLabel)};
}

PanelItemTexts FormatPanelItem(int kind, const PanelItemSources& sources)
{
    PanelItemTexts texts;
    if (!IsKnownKind(kind)) {
        texts.value = QStringLiteral("???");
        texts.label = QStringLiteral("???");
        texts.units = QStringLiteral("??");
        texts.detail = QString::number(kind);
        return texts;
    }
    const int label = kKindTexts[static_cast<size_t>(kind)].label;
    if (label)
        texts.label = LoadString(label);
    FormatKnownItem(kind, sources, texts);
    return texts;
}

QString PanelItemListName(int kind)
{
    if (!IsKnownKind(kind))
        return {};
    return LoadString(kKindTexts[static_cast<size_t>(kind)].listName);
}

const char* CompassPoint(double degrees)
{
    static constexpr std::array<const char*, 8> kPoints{"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    for (size_t i = 0; i < kPoints.size(); ++i) {
        if (degrees < 22.5 + 45.0 * static_cast<double>(i))
            return kPoints[i];
    }
    return "N";
}
