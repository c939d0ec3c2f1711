#pragma once

#include <vector>

// The samples and scale of a scrolling plot: a ring buffer (newest sample drawn at the right),
// the y range with its floor, full autoscale with hysteresis, and the label steps.
class CPlotSeries {
public:
    explicit CPlotSeries(int capacity);

    void AddSample(double value);
    // Every slot becomes `fill`; no sample counts as added.
    void ClearSamples(double fill);
    void SetRanges(double yMax, double yMin, double floorMax, double floorMin);
    // Multiplies every sample before it is scaled and drawn (unit conversion).
    void SetYFactor(double factor) { m_yFactor = factor; }
    double YFactor() const { return m_yFactor; }

    int Capacity() const { return static_cast<int>(m_samples.size()); }
    // Samples added since the last clear (not limited by the capacity).
    long long Count() const { return m_count; }
    // Sample `i` back from the newest (0), times the y factor.
    double Scaled(int i) const;
    // How many samples a plot `span` samples wide shows: its history, at most the capacity.
    int VisibleCount(double span) const;

    // Full autoscale over the newest `visible` samples: exactly the floor range while they stay
    // inside it, else their range plus a margin that only moves when exceeded or far too wide.
    void Autoscale(int visible);
    double YMax() const { return m_yMax; }
    double YMin() const { return m_yMin; }

    // Values of the y grid: a step rounded to the span's power of ten. Empty when the span is 0
    // or not finite.
    std::vector<double> YLabelValues(int divisions) const;
    // Samples between x labels: 5, doubled while a label of `textHeight` pixels does not fit in
    // half the room; 0 when `pixelsPerSample` gives no room at all.
    static int XLabelStep(int textHeight, double pixelsPerSample);

private:
    std::vector<double> m_samples;
    int m_head = 0;
    long long m_count = 0;
    double m_yMax = 500, m_yMin = -500;
    double m_floorMax = 500, m_floorMin = -500;
    double m_margin = 0.2;
    double m_yFactor = 1.0;
};
