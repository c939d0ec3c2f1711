#pragma once

// A colour kept as red, green and blue (0..255) and as hue (degrees), lightness and saturation
// (0..1). Each side says whether it is current; reading a stale side recomputes it, so a tint can
// be made by reading an RGB colour, changing its lightness and reading RGB again.
class CHLSColor {
public:
    CHLSColor() = default;
    CHLSColor(int red, int green, int blue) { SetRgb(red, green, blue); }

    void SetRgb(int red, int green, int blue);
    void SetHls(float hue, float lightness, float saturation);
    // Keeps hue and saturation.
    void SetLightness(float lightness);

    int Red() const;
    int Green() const;
    int Blue() const;
    float Hue() const;
    float Lightness() const;
    float Saturation() const;

private:
    void UpdateHls() const;
    void UpdateRgb() const;

    mutable int m_red = 0, m_green = 0, m_blue = 0;
    mutable float m_hue = 0, m_lightness = 0, m_saturation = 0;
    mutable bool m_rgbCurrent = true, m_hlsCurrent = true;
};
