// The analysis plots: ring, autoscale, labels and distance sampling as core logic, the plot on
// screen, and the analysis window's slots, menu and settings dialog.

#include "views/AltitudeSampler.h"
#include "views/AnalysisLayout.h"
#include "views/PlotSeries.h"
#include "views/ui/AnalysisWnd.h"

#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "nav/FreshSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"
#include "views/ExpectedGeometry.h"
#include "views/ViewCommandIds.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include <cmath>

#include <gtest/gtest.h>

namespace {

CPlotSeries SpeedSeries(std::initializer_list<double> samples)
{
    CPlotSeries series(100);
    series.SetRanges(10, 0, 10, 0);
    for (const double sample : samples)
        series.AddSample(sample);
    return series;
}

TEST(PlotSeries, AutoscaleKeepsTheFloorThenGrowsWithHysteresis)
{
    struct Case {
        const char* name;
        std::initializer_list<double> samples;
        double yMax, yMin;
    };
    const Case cases[] = {
        {"inside the floor: exactly the floor", {1, 5, 9.5}, 10, 0},
        {"above the floor: value + 0.2 span", {0, 20}, 24, -4},
        {"no samples: the floor", {}, 10, 0},
        {"all equal outside the floor: no margin", {30, 30}, 30, 30},
    };
    for (const Case& c : cases) {
        CPlotSeries series = SpeedSeries(c.samples);
        series.Autoscale(series.VisibleCount(50));
        EXPECT_DOUBLE_EQ(series.YMax(), c.yMax) << c.name;
        EXPECT_DOUBLE_EQ(series.YMin(), c.yMin) << c.name;
    }
    // Falling back by less than the margin keeps the range; falling far below it shrinks it.
    CPlotSeries series = SpeedSeries({0, 20});
    series.Autoscale(2);
    series.AddSample(19);
    series.Autoscale(3); // 0..20 again, margin 4: neither edge moves
    EXPECT_DOUBLE_EQ(series.YMax(), 24);
    EXPECT_DOUBLE_EQ(series.YMin(), -4);
    series.Autoscale(2); // 19..20, margin 0.2: both edges are far too wide now
    EXPECT_DOUBLE_EQ(series.YMax(), 20.2);
    EXPECT_DOUBLE_EQ(series.YMin(), 18.8);
}

TEST(PlotSeries, RingGivesTheNewestFirstAndVisibleHistoryOnly)
{
    CPlotSeries series(4);
    for (int i = 1; i <= 6; ++i)
        series.AddSample(i);
    series.SetYFactor(10);
    EXPECT_EQ(series.Scaled(0), 60);
    EXPECT_EQ(series.Scaled(3), 30);
    EXPECT_EQ(series.Scaled(4), 60) << "wraps";
    EXPECT_EQ(series.VisibleCount(100), 4) << "at most the capacity";
    EXPECT_EQ(series.VisibleCount(3), 3) << "at most the plot width";
    series.ClearSamples(0);
    EXPECT_EQ(series.VisibleCount(100), 0) << "history ends at the clear";
}

TEST(PlotSeries, YLabelsAreRoundedStepsAndXLabelStepDoubles)
{
    struct YCase {
        double yMax, yMin;
        std::vector<double> values;
    };
    const YCase yCases[] = {
        {10, 0, {0, 4, 8}},
        {1, -1, {-2, -1.2, -0.4, 0.4}},
        {24, -4, {-20, -12, -4, 4, 12, 20}},
        {5, 5, {}}, // no span: no labels
    };
    for (const YCase& c : yCases) {
        CPlotSeries series(10);
        series.SetRanges(c.yMax, c.yMin, c.yMax, c.yMin);
        const std::vector<double> values = series.YLabelValues(5);
        ASSERT_EQ(values.size(), c.values.size()) << c.yMax;
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(values[i], c.values[i], 1e-9) << c.yMax;
    }
    const std::tuple<int, double, int> xCases[] = {{13, 1.0, 40},  {13, 2.0, 20}, {13, 6.0, 5},
                                                   {13, 0.1, 320}, {13, 0.0, 0},  {13, -1, 0}};
    for (const auto& [height, sx, step] : xCases)
        EXPECT_EQ(CPlotSeries::XLabelStep(height, sx), step) << sx;
}

TEST(AltitudeSampler, OneSamplePerThresholdAndNoneForAJump)
{
    CAltitudeSampler sampler;
    const double metre = 1.0 / 111194.9; // degrees of latitude per metre on the distance sphere
    EXPECT_EQ(sampler.Add(50.0, 8.0), 0) << "first fix: nothing travelled";
    EXPECT_EQ(sampler.Add(50.0 + 100 * metre, 8.0), 6) << "100 m / 16.09 m";
    EXPECT_EQ(sampler.Add(50.0 + 113 * metre, 8.0), 1) << "3.4 m carried + 13 m";
    EXPECT_EQ(sampler.Add(50.0 + 2113 * metre, 8.0), 0) << "a 2 km jump";
    EXPECT_EQ(sampler.Add(50.0 + 2128 * metre, 8.0), 0) << "the carry was cleared";

    for (const double bad : {0.0, -1.0, std::nan("")}) {
        sampler.SetThresholdKm(bad);
        EXPECT_EQ(sampler.ThresholdKm(), CAltitudeSampler::kDefaultThresholdKm);
    }
    CFreshSettings settings;
    for (const char* stored : {"0", "-0.5", "abc", "nan"}) {
        WriteTextSetting(QStringLiteral("Analysis"),
                         QStringLiteral("Altitude Sample Distance Threshold"),
                         QString::fromLatin1(stored));
        EXPECT_EQ(CAltitudeSampler::ReadThresholdKm(), CAltitudeSampler::kDefaultThresholdKm)
            << stored;
    }
}

TEST(AnalysisLayout, SlotsOfEachScreenConfiguration)
{
    const QRect client(0, 0, 480, 536);
    const std::vector<QRect> expected[] = {
        {client},
        {{0, 0, 480, 268}, {0, 268, 480, 268}},
        {{0, 0, 480, 178}, {0, 178, 480, 178}, {0, 356, 480, 180}},
        {{0, 0, 240, 536}, {240, 0, 240, 536}},
        {{0, 0, 240, 268}, {240, 0, 240, 268}, {0, 268, 240, 268}, {240, 268, 240, 268}},
    };
    for (int config = 0; config < 5; ++config)
        EXPECT_EQ(AnalysisSlots(config, client), expected[config]) << config;
    EXPECT_EQ(AnalysisSlotAt(4, client, {300, 300}), 3);
    EXPECT_EQ(AnalysisSlotAt(2, client, {10, 535}), 2);
}

TEST(AnalysisWnd, NewestSampleAtTheRightAndZeroLineInRed)
{
    CFreshSettings settings;
    WriteIntSetting(QStringLiteral("Analysis"), QStringLiteral("Screen Config"), 0);
    WriteIntSetting(QStringLiteral("Analysis"), QStringLiteral("Plot Type 0"), kPlotVerticalSpeed);
    WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("AltitudeElevationUnits"), 1);
    CNMEAParser parser;
    ViewContext context{parser};
    CAnalysisWnd view(context, nullptr);
    view.resize(200, 110);
    const UnitScale unit = VerticalSpeedFactor();
    for (int i = 0; i < 50; ++i)
        view.AddFixValues(0, 0, (i < 49 ? -5.0 : 5.0) / unit.factor, 0);
    const QImage image = view.Render();
    EXPECT_EQ(view.Plot(kPlotVerticalSpeed).Title(),
              QStringLiteral("Vertspeed (%1)").arg(unit.label));
    // Frames of 5 pixels, plot area inside by one more: L = 6, Rt = 194, T = 6, B = 104.
    // Floor range -10..10: zero line at B - trunc(10 * 98 / 20) = 55; -5 at 80.
    EXPECT_EQ(image.pixelColor(20, 55), QColor(255, 0, 0));
    const QColor fill(196, 255, 255);
    EXPECT_EQ(image.pixelColor(194 - 10, 62), fill) << "older samples below zero";
    EXPECT_EQ(image.pixelColor(194 - 10, 48), QColor(255, 255, 225)) << "background above";
    EXPECT_EQ(image.pixelColor(194 - 70, 62), QColor(255, 255, 225)) << "no history there";
}

TEST(AnalysisWnd, MenuChoosesKindsAndThePropertiesRefuseBadThresholds)
{
    CFreshSettings settings;
    CNMEAParser parser;
    ViewContext context{parser};
    CAnalysisWnd view(context, nullptr);
    view.resize(480, 536);
    view.SetTappedSlot({10, 400}); // the lower of two slots
    EXPECT_TRUE(FindPopupItem(view.PopupItems(), ID_PLOT_KIND_FIRST + kPlotAcceleration)->checked);
    EXPECT_TRUE(view.HandleCommand(ID_PLOT_KIND_FIRST + kPlotTrackError));
    EXPECT_EQ(view.SlotKind(1), kPlotTrackError);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Analysis"), QStringLiteral("Plot Type 1"), -1),
              kPlotTrackError);
    EXPECT_TRUE(view.HandleCommand(ID_PLOT_SCREEN_FIRST + 4));
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Analysis"), QStringLiteral("Screen Config"), -1), 4);

    CScriptedPrompts prompts;
    CScriptedDialogs dialogs;
    const auto entering = [](const QString& text) {
        return [text](QDialog& dialog) {
            dialog.findChild<QComboBox*>(QStringLiteral("sampleMode"))->setCurrentIndex(1);
            dialog.findChild<QLineEdit*>(QStringLiteral("threshold"))->setText(text);
            return int(QDialog::Accepted);
        };
    };
    dialogs.Script({entering(QStringLiteral("0")), entering(QStringLiteral("-2")),
                    entering(QStringLiteral("x")), entering(QStringLiteral("0.5"))});
    for (int run = 0; run < 4; ++run)
        view.HandleCommand(ID_PLOT_PROPERTIES);
    EXPECT_EQ(prompts.Asked().size(), 3);
    // Half a statute mile, stored in kilometres.
    EXPECT_NEAR(CAltitudeSampler::ReadThresholdKm(), 0.804672, 1e-9);
}

} // namespace
