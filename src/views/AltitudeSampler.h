#pragma once

// Altitude samples by distance travelled: one sample per threshold of travel, none for a jump of
// more than a mile (a new fix after a gap), which also clears the distance carried over.
class CAltitudeSampler {
public:
    static constexpr double kDefaultThresholdKm = 0.01609344;
    static constexpr double kJumpKm = 1.609344;

    // A threshold of 0 or less, or not a number, would sample forever: it reads as the default.
    void SetThresholdKm(double km);
    double ThresholdKm() const { return m_threshold; }
    // The number of samples to add for a fix at this position.
    int Add(double latitude, double longitude);

    // "Altitude Sample Distance Threshold" of section "Analysis", guarded as above.
    static double ReadThresholdKm();
    static void WriteThresholdKm(double km);
    static bool IsValidThreshold(double km);

private:
    double m_threshold = kDefaultThresholdKm;
    double m_accumulated = 0;
    bool m_hasPrevious = false;
    double m_latitude = 0, m_longitude = 0;
};
