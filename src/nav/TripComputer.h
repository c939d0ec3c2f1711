#pragma once

#include "geo/GeoPosition.h"

#include <array>
#include <cstdint>

// A mean of every value added: sum / count, 0 while empty.
class CRunningMean {
public:
    void Add(double value)
    {
        m_sum += value;
        ++m_count;
    }
    double Mean() const { return m_count ? m_sum / m_count : 0.0; }
    void Clear() { *this = CRunningMean(); }

private:
    double m_sum = 0.0;
    uint32_t m_count = 0;
};

// The mean of the last kWindow values added, kept as a ring and a running sum.
class CSlidingAverage {
public:
    static constexpr int kWindow = 30;

    // Adds `value` and returns the new average.
    double Add(double value);
    void Clear() { *this = CSlidingAverage(); }

private:
    std::array<double, kWindow> m_values{};
    int m_next = 0;
    int m_held = 0;
    double m_sum = 0.0;
};

// The trip statistics, fed from every GGA update whether or not it has a fix: odometer, speeds,
// altitudes, grades, the time to the target and the arrival time. Distances in km, speeds in
// knots, altitudes in metres, times in seconds; "now" comes from Clock::Now().
class CTripComputer {
public:
    CTripComputer(); // reset, as at creation

    // `timeOfDay` is the GGA time of day; `target` the navigation target's position.
    void Update(double timeOfDay, const GeoPosition& target, double latitude, double longitude,
                bool fixPresent, bool navigating, double speed, double altitude);
    // Starts a new trip. The time to next, the arrival time, the time of day of the last
    // time-to-next computation and the position filter stay as they are.
    void Reset();

    // With the filter on, odometer steps of 5 m or less are neither counted nor taken as the
    // new reference.
    void SetPositionFilter(bool on) { m_positionFilter = on; }
    bool PositionFilter() const { return m_positionFilter; }

    double Odometer() const { return m_odometer; }
    // Seconds to the target at the current closing speed; -1.0 while moving away from it.
    double TimeToNext() const { return m_timeToNext; }
    uint32_t ArrivalTime() const { return m_arrivalTime; }
    double AverageSpeed() const { return m_speedAverage.Mean(); }
    // Seconds since the last reset; 0 when the clock has been set back before it.
    int64_t ElapsedSeconds() const;
    double MaximumSpeed() const { return m_maximumSpeed; }
    double MaximumAltitude() const { return m_maximumAltitude; }
    double MinimumAltitude() const { return m_minimumAltitude; }
    // Percent over the last 100 m or more of travel.
    double Grade() const { return m_grade; }
    double MaximumGrade() const { return m_maximumGrade; }
    double MinimumGrade() const { return m_minimumGrade; }
    double AverageGrade() const { return m_gradeAverage.Mean(); }
    double AverageUphillGrade() const { return m_gradeUpAverage.Mean(); }
    double AverageDownhillGrade() const { return m_gradeDownAverage.Mean(); }
    double AscentSum() const { return m_ascentSum; }
    double DescentSum() const { return m_descentSum; } // negative or 0

private:
    void SampleGrade(double latitude, double longitude, double altitude);
    bool AdvanceOdometer(double latitude, double longitude, bool fixPresent);
    void UpdateTimeToNext(double timeOfDay, const GeoPosition& target, double latitude,
                          double longitude);
    void UpdateExtremes(double speed, double altitude);

    // Odometer
    double m_odometerLatitude = 0.0, m_odometerLongitude = 0.0;
    bool m_previousFixPresent = false;
    double m_odometer = 0.0;
    uint32_t m_fixCounter = 0;
    bool m_positionFilter = true;

    // Time to the target
    double m_lastTimeOfDay = 0.0;
    double m_timeToNext = 0.0;
    double m_lastTargetDistance = 0.0;
    CSlidingAverage m_closingAverage;
    uint32_t m_arrivalTime = 0;

    // Speeds and altitudes
    CRunningMean m_speedAverage;
    int64_t m_startTime = 0;
    double m_maximumSpeed = 0.0;
    double m_maximumAltitude = 0.0, m_minimumAltitude = 0.0;
    bool m_firstAltitudePending = true;

    // Grades
    double m_grade = 0.0;
    double m_maximumGrade = 0.0, m_minimumGrade = 0.0;
    CRunningMean m_gradeAverage, m_gradeUpAverage, m_gradeDownAverage;
    double m_gradeLongitude = 0.0, m_gradeLatitude = 0.0;
    double m_gradeDistance = 0.0;
    double m_lastAltitude = 0.0;
    double m_altitudeChange = 0.0;
    double m_ascentSum = 0.0, m_descentSum = 0.0;
};
