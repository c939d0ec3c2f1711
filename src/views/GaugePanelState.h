#pragma once

#include "views/LowPassFilter.h"

#include <QRect>

#include <array>
#include <vector>

// The gauges of the panel, by the ids its cycle list uses.
enum GaugeId : int {
    kGaugeAltimeter = 0,
    kGaugeCompass = 1,
    kGaugeSpeedometer = 2,
    kGaugeVerticalSpeed = 3,
};
constexpr int kGaugeCount = 4;

// The raw readings the panel shows: course (degrees), altitude (m), speed (knots) and vertical
// speed (m/min).
struct GaugeReadings {
    double course = 0, altitude = 0, speed = 0, verticalSpeed = 0;
};

// What the gauges show now, after smoothing.
struct GaugeDisplay {
    double heading = 0, altitude = 0, speed = 0, verticalSpeed = 0;
};

// Where the panel puts its navigation strip and gauges.
struct GaugePanelLayout {
    QRect strip;               // empty when the strip is hidden
    bool stripAtRight = false; // values one above another in the right quarter
    std::array<QRect, kGaugeCount> gauges;
};

// The gauge panel without its window: which gauges are on, the four-second cycle, the smoothing
// state machine with its heading step and filters, and the layout. The settings of section
// "Panel" are read at construction and written by the toggles.
class CGaugePanelState {
public:
    static constexpr int kCycleTicks = 4;
    static constexpr int kDefaultMaxSpeed = 150;

    CGaugePanelState();

    bool IsEnabled(int gauge) const { return m_enabled[gauge]; }
    int EnabledCount() const;
    // Toggles a gauge and stores it; the last enabled gauge stays on. False when refused.
    bool ToggleGauge(int gauge);
    bool IsCycling() const { return m_cycling; }
    void ToggleCycling();
    bool IsNavStripShown() const { return m_navStrip; }
    void ToggleNavStrip();
    bool IsSmoothMode() const { return m_smoothMode; }
    void SetSmoothMode(bool on, bool store);
    // Smooth mode as "Enable Smooth Mode" stores it (after a pause for a dialog or an import).
    void ApplyStoredSmoothMode();
    bool IsSmoothMenuEnabled() const { return m_smoothMenuEnabled; }
    int SmoothState() const { return m_smoothState; }
    // Whether the 100 ms smoothing timer should run.
    bool IsFastTimerRunning() const { return m_fastTimer; }

    const std::vector<int>& CycleList() const { return m_cycleList; }
    int CycleIndex() const { return m_cycleIndex; }
    // One gauge at a time while cycling, else every enabled one.
    int VisibleGaugeCount() const;
    // The gauges to draw, in drawing order.
    std::vector<int> GaugesToDraw() const;

    // The one-second tick: cycle, then the smoothing state machine.
    void OnSecondTick(const GaugeReadings& raw);
    // The 100 ms tick while smoothing: heading step and filtered values.
    void OnFastTick(const GaugeReadings& raw);
    const GaugeDisplay& Display() const { return m_display; }
    // The heading step of smoothing towards `course`, turning the short way through north.
    static double StepHeading(double displayed, double course);

    GaugePanelLayout Layout(const QRect& client) const;

    // "Max Speed", kept at 1 or more (a stored value below 1 reads as the default).
    static int ReadMaxSpeed();
    static void WriteMaxSpeed(int value);

private:
    void RebuildCycleList();
    void TakeRawValues(const GaugeReadings& raw);

    std::array<bool, kGaugeCount> m_enabled{};
    bool m_cycling = true;
    bool m_navStrip = true;
    bool m_smoothMode = false;
    bool m_smoothMenuEnabled = true;
    bool m_fastTimer = false;
    int m_smoothState = 0;
    std::vector<int> m_cycleList;
    int m_cycleIndex = 0;
    int m_cycleTick = 0;
    GaugeDisplay m_display;
    CLowPassFilter m_altitudeFilter, m_verticalSpeedFilter, m_speedFilter;
};
