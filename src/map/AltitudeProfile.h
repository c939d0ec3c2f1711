#pragma once

#include <array>
#include <vector>

// The altitude profile's samples: a ring of the newest 4096 GGA altitudes with a running
// maximum and minimum that each drawing narrows to what it showed.
class CAltitudeProfile {
public:
    static constexpr int kCapacity = 4096;
    static constexpr double kNoMaximum = -999999.0;
    static constexpr double kNoMinimum = 999999.0;

    void Add(float metres);
    void Clear();
    int Count() const { return m_count; }
    // `back` places before the newest (0 is the newest); back < Count().
    float Sample(int back) const;
    double Maximum() const { return m_maximum; }
    double Minimum() const { return m_minimum; }
    // Bar heights in pixels of the newest samples, newest first, for at most `columns` columns
    // of a band `height` pixels tall; afterwards the bounds are narrowed to the samples shown.
    // A flat profile stands at half the height; no samples give no bars.
    std::vector<int> Layout(int columns, int height);

private:
    std::array<float, kCapacity> m_samples{};
    int m_next = 0;
    int m_count = 0;
    double m_maximum = kNoMaximum;
    double m_minimum = kNoMinimum;
};
