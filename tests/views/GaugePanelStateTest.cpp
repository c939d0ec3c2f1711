// The gauge panel's logic without its window: cycling, smoothing, heading steps, layout,
// settings; and the colour and filter helpers it uses.

#include "views/GaugePanelState.h"
#include "views/HLSColor.h"

#include "app/SettingsStore.h"
#include "nav/FreshSettings.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

const QString kPanel = QStringLiteral("Panel");

TEST(HLSColor, ConvertsBothWaysAndChangesLightness)
{
    struct Case {
        int r, g, b;
        float hue, lightness, saturation;
    };
    const Case cases[] = {
        {255, 0, 0, 360, 0.5f, 1}, // 360 itself stays
        {0, 255, 0, 120, 0.5f, 1},
        {0, 0, 255, 240, 0.5f, 1},
        {128, 128, 128, 0, 0.50196f, 0},
        {0, 0, 128, 240, 0.25098f, 1},
        {255, 255, 0, 60, 0.5f, 1}, // red and green tie: the later test (green) wins
        {48, 140, 198, 203.2f, 0.48235f, 0.6098f},
    };
    for (const Case& c : cases) {
        CHLSColor colour(c.r, c.g, c.b);
        EXPECT_NEAR(colour.Hue(), c.hue, 0.05) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(colour.Lightness(), c.lightness, 1e-4);
        EXPECT_NEAR(colour.Saturation(), c.saturation, 1e-3);
        CHLSColor back;
        back.SetHls(colour.Hue(), colour.Lightness(), colour.Saturation());
        EXPECT_EQ(QString("%1,%2,%3").arg(back.Red()).arg(back.Green()).arg(back.Blue()),
                  QString("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b));
    }
    CHLSColor tint(0, 0, 128);
    tint.SetLightness(0.9f);
    EXPECT_EQ(tint.Red(), 204);
    EXPECT_EQ(tint.Green(), 204);
    EXPECT_EQ(tint.Blue(), 255);
}

TEST(LowPassFilter, ConvergesWithTheCoefficientOfItsTimeConstant)
{
    CLowPassFilter filter;
    EXPECT_EQ(filter.Coefficient(), 0.95);
    filter.Init(0.1, 0.0); // no time constant: the coefficient stays
    EXPECT_EQ(filter.Coefficient(), 0.95);
    filter.Init(0.1, 0.5);
    const double a = std::exp(-0.2);
    EXPECT_DOUBLE_EQ(filter.Filter(10.0), 10.0 * (1 - a));
    EXPECT_DOUBLE_EQ(filter.Filter(10.0), 10.0 * (1 - a * a));
}

TEST(GaugePanelState, FirstStartShowsTheCompassCyclingWithTheStrip)
{
    CFreshSettings settings;
    CGaugePanelState state;
    EXPECT_EQ(state.GaugesToDraw(), std::vector<int>{kGaugeCompass});
    EXPECT_TRUE(state.IsCycling());
    EXPECT_TRUE(state.IsNavStripShown());
    EXPECT_FALSE(state.ToggleGauge(kGaugeCompass)) << "the last gauge stays on";
    EXPECT_TRUE(state.IsEnabled(kGaugeCompass));
}

TEST(GaugePanelState, CycleShowsEachEnabledGaugeForFourTicksInItsOrder)
{
    CFreshSettings settings;
    CGaugePanelState state;
    state.ToggleGauge(kGaugeVerticalSpeed);
    state.ToggleGauge(kGaugeAltimeter);
    EXPECT_EQ(ReadIntSetting(kPanel, QStringLiteral("Enable Verticle Speed"), 0), 1);
    EXPECT_EQ(state.CycleList(),
              (std::vector<int>{kGaugeCompass, kGaugeAltimeter, kGaugeVerticalSpeed}));
    const int expected[] = {kGaugeCompass,       kGaugeCompass,       kGaugeCompass,
                            kGaugeAltimeter,     kGaugeAltimeter,     kGaugeAltimeter,
                            kGaugeAltimeter,     kGaugeVerticalSpeed, kGaugeVerticalSpeed,
                            kGaugeVerticalSpeed, kGaugeVerticalSpeed, kGaugeCompass};
    for (int tick = 0; tick < 12; ++tick) {
        state.OnSecondTick({});
        EXPECT_EQ(state.GaugesToDraw().front(), expected[tick]) << "tick " << tick;
    }
    state.ToggleCycling();
    EXPECT_EQ(state.GaugesToDraw().size(), 3u);
}

TEST(GaugePanelState, WithoutSmoothingTheRawValuesIncludingTheHeadingAreTakenEachSecond)
{
    CFreshSettings settings;
    CGaugePanelState state;
    state.OnSecondTick({123.0, 456.0, 7.5, -20.0});
    EXPECT_EQ(state.Display().heading, 123.0);
    EXPECT_EQ(state.Display().altitude, 456.0);
    EXPECT_EQ(state.Display().speed, 7.5);
    EXPECT_EQ(state.Display().verticalSpeed, -20.0);
    EXPECT_FALSE(state.IsFastTimerRunning());
}

TEST(GaugePanelState, SmoothingStateMachineFollowsTheNumberOfVisibleGauges)
{
    CFreshSettings settings;
    WriteIntSetting(kPanel, QStringLiteral("Enable Smooth Mode"), 1);
    WriteIntSetting(kPanel, QStringLiteral("Cycle Gauges"), 0);
    CGaugePanelState state;
    ASSERT_TRUE(state.IsFastTimerRunning());
    struct Step {
        const char* action;
        int state;
        bool menuEnabled, fastTimer;
    };
    const GaugeReadings raw{10, 100, 5, 1};
    const auto tick = [&] { state.OnSecondTick(raw); };
    const Step steps[] = {{"tick with one gauge", 1, true, true},
                          {"second gauge on, tick", 2, false, false},
                          {"tick with two gauges takes raw values", 2, false, false},
                          {"second gauge off, tick", 1, true, true},
                          {"smooth mode off, tick", 0, true, false}};
    tick();
    EXPECT_EQ(state.SmoothState(), steps[0].state) << steps[0].action;
    state.ToggleGauge(kGaugeSpeedometer);
    tick();
    EXPECT_EQ(state.SmoothState(), steps[1].state) << steps[1].action;
    EXPECT_EQ(state.IsSmoothMenuEnabled(), steps[1].menuEnabled);
    EXPECT_EQ(state.IsFastTimerRunning(), steps[1].fastTimer);
    tick();
    EXPECT_EQ(state.SmoothState(), steps[2].state) << steps[2].action;
    EXPECT_EQ(state.Display().heading, 10.0);
    EXPECT_EQ(state.Display().altitude, 100.0);
    state.ToggleGauge(kGaugeSpeedometer);
    tick();
    EXPECT_EQ(state.SmoothState(), steps[3].state) << steps[3].action;
    EXPECT_EQ(state.IsSmoothMenuEnabled(), steps[3].menuEnabled);
    EXPECT_EQ(state.IsFastTimerRunning(), steps[3].fastTimer);
    state.SetSmoothMode(false, true);
    tick();
    EXPECT_EQ(state.SmoothState(), steps[4].state) << steps[4].action;
    EXPECT_EQ(state.IsFastTimerRunning(), steps[4].fastTimer);
    EXPECT_EQ(ReadIntSetting(kPanel, QStringLiteral("Enable Smooth Mode"), 1), 0);
}

TEST(GaugePanelState, HeadingStepsTheShortWayAndLandsOnTheWholeDegree)
{
    struct Case {
        double displayed, course, expected;
    };
    const Case cases[] = {
        {350, 10, 354},    // through north
        {10, 350, 6},      // back through north
        {100, 200, 120},   // a fifth of the difference
        {5.0, 5.2, 5.0},   // step below 0.05: the course truncated
        {0.1, 350, 359},   // below 0 wraps to 359
        {359.9, 1.0, 0.0}, // 360 or more becomes 0
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CGaugePanelState::StepHeading(c.displayed, c.course), c.expected, 1e-9)
            << c.displayed << " -> " << c.course;
}

TEST(GaugePanelState, SmoothedValuesPassThroughTheFilters)
{
    CFreshSettings settings;
    WriteIntSetting(kPanel, QStringLiteral("Enable Smooth Mode"), 1);
    CGaugePanelState state;
    state.OnFastTick({100, 100, 10, 0});
    const double a = std::exp(-0.2);
    EXPECT_DOUBLE_EQ(state.Display().altitude, 100 * (1 - a));
    EXPECT_DOUBLE_EQ(state.Display().speed, 10 * (1 - a));
    EXPECT_DOUBLE_EQ(state.Display().heading, 20.0);
}

TEST(GaugePanelState, LayoutPlacesStripAndQuadrants)
{
    CFreshSettings settings;
    WriteIntSetting(kPanel, QStringLiteral("Cycle Gauges"), 0);
    WriteIntSetting(kPanel, QStringLiteral("Enable Altimeter"), 1);
    CGaugePanelState state;
    struct Case {
        QSize size;
        QRect strip;
        bool right;
        QRect speedometer, compass;
    };
    const Case cases[] = {
        // Taller than 3/4 of the width: a bottom band of trunc(w * 2/9 + 0.5).
        {{480, 536}, {0, 429, 480, 107}, false, {0, 0, 240, 214}, {0, 214, 240, 215}},
        {{240, 268}, {0, 215, 240, 53}, false, {0, 0, 120, 107}, {0, 107, 120, 108}},
        // Otherwise the right quarter.
        {{800, 480}, {600, 0, 200, 480}, true, {0, 0, 300, 240}, {0, 240, 300, 240}},
    };
    for (const Case& c : cases) {
        const GaugePanelLayout layout = state.Layout(QRect(QPoint(0, 0), c.size));
        EXPECT_EQ(layout.strip, c.strip) << c.size.width();
        EXPECT_EQ(layout.stripAtRight, c.right);
        EXPECT_EQ(layout.gauges[kGaugeSpeedometer], c.speedometer);
        EXPECT_EQ(layout.gauges[kGaugeCompass], c.compass);
    }
    state.ToggleNavStrip();
    state.ToggleCycling();
    const GaugePanelLayout whole = state.Layout(QRect(0, 0, 480, 536));
    EXPECT_TRUE(whole.strip.isEmpty());
    EXPECT_EQ(whole.gauges[kGaugeCompass], QRect(0, 0, 480, 536));
}

TEST(GaugePanelState, MaxSpeedBelowOneReadsAsTheDefault)
{
    CFreshSettings settings;
    const std::pair<int, int> cases[] = {{80, 80}, {1, 1}, {0, 150}, {-5, 150}};
    for (const auto& [stored, read] : cases) {
        WriteIntSetting(kPanel, QStringLiteral("Max Speed"), stored);
        EXPECT_EQ(CGaugePanelState::ReadMaxSpeed(), read) << stored;
    }
}

} // namespace
