#include "views/GaugePanelState.h"

#include "app/SettingsStore.h"
#include "views/PixelMath.h"

#include <cmath>

namespace {

const QString kSection = QStringLiteral("Panel");

const char* const kEnableKeys[kGaugeCount] = {"Enable Altimeter", "Enable Compass",
                                              "Enable Speedometer", "Enable Verticle Speed"};
constexpr int kEnableDefaults[kGaugeCount] = {0, 1, 0, 0};
// The cycle list and the drawing order.
constexpr int kGaugeOrder[kGaugeCount] = {kGaugeCompass, kGaugeAltimeter, kGaugeSpeedometer,
                                          kGaugeVerticalSpeed};

bool ReadSwitch(const char* key, int defaultValue)
{
    return ReadIntSetting(kSection, QString::fromLatin1(key), defaultValue) == 1;
}

void WriteSwitch(const char* key, bool on)
{
    WriteIntSetting(kSection, QString::fromLatin1(key), on ? 1 : 0);
}

} // namespace

CGaugePanelState::CGaugePanelState()
{
    for (int gauge = 0; gauge < kGaugeCount; ++gauge)
        m_enabled[gauge] = ReadSwitch(kEnableKeys[gauge], kEnableDefaults[gauge]);
    if (EnabledCount() == 0)
        m_enabled[kGaugeCompass] = true;
    m_cycling = ReadSwitch("Cycle Gauges", 1);
    m_navStrip = ReadSwitch("Enable Nav Wnd", 1);
    for (CLowPassFilter* filter : {&m_altitudeFilter, &m_verticalSpeedFilter, &m_speedFilter})
        filter->Init(0.1, 0.5);
    RebuildCycleList();
    ApplyStoredSmoothMode();
}

int CGaugePanelState::EnabledCount() const
{
    int count = 0;
    for (bool on : m_enabled)
        count += on ? 1 : 0;
    return count;
}

bool CGaugePanelState::ToggleGauge(int gauge)
{
    if (m_enabled[gauge] && EnabledCount() == 1)
        return false;
    m_enabled[gauge] = !m_enabled[gauge];
    WriteSwitch(kEnableKeys[gauge], m_enabled[gauge]);
    RebuildCycleList();
    return true;
}

void CGaugePanelState::ToggleCycling()
{
    m_cycling = !m_cycling;
    WriteSwitch("Cycle Gauges", m_cycling);
    m_cycleTick = 0;
    RebuildCycleList();
}

void CGaugePanelState::ToggleNavStrip()
{
    m_navStrip = !m_navStrip;
    WriteSwitch("Enable Nav Wnd", m_navStrip);
}

void CGaugePanelState::SetSmoothMode(bool on, bool store)
{
    m_smoothMode = on;
    m_fastTimer = on;
    if (store)
        WriteSwitch("Enable Smooth Mode", on);
}

void CGaugePanelState::ApplyStoredSmoothMode()
{
    SetSmoothMode(ReadSwitch("Enable Smooth Mode", 0), false);
}

void CGaugePanelState::RebuildCycleList()
{
    m_cycleList.clear();
    for (int gauge : kGaugeOrder)
        if (m_enabled[gauge])
            m_cycleList.push_back(gauge);
    if (m_cycleIndex >= static_cast<int>(m_cycleList.size()))
        m_cycleIndex = 0;
}

int CGaugePanelState::VisibleGaugeCount() const
{
    return m_cycling ? 1 : EnabledCount();
}

std::vector<int> CGaugePanelState::GaugesToDraw() const
{
    if (m_cycling)
        return {m_cycleList.at(m_cycleIndex)};
    return m_cycleList;
}

void CGaugePanelState::OnSecondTick(const GaugeReadings& raw)
{
    if (m_cycling && ++m_cycleTick >= kCycleTicks) {
        m_cycleTick = 0;
        m_cycleIndex = (m_cycleIndex + 1) % static_cast<int>(m_cycleList.size());
    }
    const bool oneVisible = VisibleGaugeCount() <= 1;
    switch (m_smoothState) {
    case 0:
        m_smoothMenuEnabled = true;
        if (m_smoothMode)
            m_smoothState = 1;
        else
            TakeRawValues(raw);
        break;
    case 1:
        if (!oneVisible) {
            m_fastTimer = false;
            m_smoothMenuEnabled = false;
            m_smoothState = 2;
        } else if (!m_smoothMode) {
            m_smoothState = 0;
        }
        break;
    default:
        if (!oneVisible) {
            if (!m_smoothMode)
                m_smoothState = 0;
            else
                TakeRawValues(raw);
        } else {
            m_fastTimer = true;
            m_smoothMenuEnabled = true;
            m_smoothState = 1;
        }
        break;
    }
}

void CGaugePanelState::TakeRawValues(const GaugeReadings& raw)
{
    // The heading comes with the other values, or the rose would never turn without smoothing.
    m_display.heading = raw.course;
    m_display.altitude = raw.altitude;
    m_display.speed = raw.speed;
    m_display.verticalSpeed = raw.verticalSpeed;
}

double CGaugePanelState::StepHeading(double displayed, double course)
{
    double d = course - displayed;
    if (std::fabs(d) > 180.0)
        d += d > 0 ? -360.0 : 360.0;
    double step = 0.2 * d;
    if (std::fabs(step) < 0.05) {
        displayed = std::trunc(course);
        step = 0;
    }
    displayed += step;
    if (displayed >= 360.0)
        return 0.0;
    if (displayed < 0.0)
        return 359.0;
    return displayed;
}

void CGaugePanelState::OnFastTick(const GaugeReadings& raw)
{
    if (!m_smoothMode) {
        TakeRawValues(raw);
        return;
    }
    m_display.heading = StepHeading(m_display.heading, raw.course);
    m_display.altitude = m_altitudeFilter.Filter(raw.altitude);
    m_display.speed = m_speedFilter.Filter(raw.speed);
    m_display.verticalSpeed = m_verticalSpeedFilter.Filter(raw.verticalSpeed);
}

GaugePanelLayout CGaugePanelState::Layout(const QRect& client) const
{
    GaugePanelLayout layout;
    const int left = client.left(), top = client.top();
    const int right = left + client.width(), bottom = top + client.height();
    const int w = client.width(), h = client.height();
    QRect area = client;
    if (m_navStrip) {
        if (h <= w - w / 4) {
            const int stripLeft = right - w / 4;
            layout.strip = RectFromEdges(stripLeft, top, right, bottom);
            layout.stripAtRight = true;
            area = RectFromEdges(left, top, stripLeft, bottom);
        } else {
            const int stripTop = bottom - TruncToPixel(w * 0.2222222222222222 + 0.5);
            layout.strip = RectFromEdges(left, stripTop, right, bottom);
            area = RectFromEdges(left, top, right, stripTop);
        }
    }
    if (VisibleGaugeCount() < 2) {
        layout.gauges.fill(area);
        return layout;
    }
    const int aLeft = area.left(), aTop = area.top();
    const int aRight = aLeft + area.width(), aBottom = aTop + area.height();
    const int midX = aLeft + area.width() / 2, midY = aTop + area.height() / 2;
    layout.gauges[kGaugeSpeedometer] = RectFromEdges(aLeft, aTop, midX, midY);
    layout.gauges[kGaugeAltimeter] = RectFromEdges(midX, aTop, aRight, midY);
    layout.gauges[kGaugeCompass] = RectFromEdges(aLeft, midY, midX, aBottom);
    layout.gauges[kGaugeVerticalSpeed] = RectFromEdges(midX, midY, aRight, aBottom);
    return layout;
}

int CGaugePanelState::ReadMaxSpeed()
{
    const int stored = ReadIntSetting(kSection, QStringLiteral("Max Speed"), kDefaultMaxSpeed);
    // A full scale of 0 or less would divide the needle angle by zero.
    return stored >= 1 ? stored : kDefaultMaxSpeed;
}

void CGaugePanelState::WriteMaxSpeed(int value)
{
    WriteIntSetting(kSection, QStringLiteral("Max Speed"), value);
}
