#pragma once

// First-order smoothing: each input x gives y := (y - x) * a + x with a = exp(-dt / tau).
class CLowPassFilter {
public:
    // Sample interval and time constant in seconds; a time constant of 0 keeps the coefficient.
    void Init(double dt, double tau);
    double Filter(double x);
    double Output() const { return m_y; }
    double Coefficient() const { return m_a; }

private:
    double m_y = 0.0;
    double m_a = 0.95;
};
