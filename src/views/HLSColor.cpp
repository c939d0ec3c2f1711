#include "views/HLSColor.h"

#include <algorithm>
#include <cmath>

namespace {

// One component of the HLS-to-RGB inverse, from the two lightness bounds and a hue.
double HueComponent(double low, double high, double hue)
{
    hue = std::fmod(hue, 360.0);
    if (hue < 0)
        hue += 360.0;
    if (hue < 60.0)
        return low + (high - low) * hue / 60.0;
    if (hue < 180.0)
        return high;
    if (hue < 240.0)
        return low + (high - low) * (240.0 - hue) / 60.0;
    return low;
}

int ToByte(double unit)
{
    return static_cast<int>(std::clamp(unit, 0.0, 1.0) * 255.0 + 0.5);
}

} // namespace

void CHLSColor::SetRgb(int red, int green, int blue)
{
    m_red = std::clamp(red, 0, 255);
    m_green = std::clamp(green, 0, 255);
    m_blue = std::clamp(blue, 0, 255);
    m_rgbCurrent = true;
    m_hlsCurrent = false;
}

void CHLSColor::SetHls(float hue, float lightness, float saturation)
{
    m_hue = hue;
    m_lightness = lightness;
    m_saturation = saturation;
    m_hlsCurrent = true;
    m_rgbCurrent = false;
}

void CHLSColor::SetLightness(float lightness)
{
    UpdateHls();
    SetHls(m_hue, lightness, m_saturation);
}

int CHLSColor::Red() const
{
    UpdateRgb();
    return m_red;
}

int CHLSColor::Green() const
{
    UpdateRgb();
    return m_green;
}

int CHLSColor::Blue() const
{
    UpdateRgb();
    return m_blue;
}

float CHLSColor::Hue() const
{
    UpdateHls();
    return m_hue;
}

float CHLSColor::Lightness() const
{
    UpdateHls();
    return m_lightness;
}

float CHLSColor::Saturation() const
{
    UpdateHls();
    return m_saturation;
}

void CHLSColor::UpdateHls() const
{
    if (m_hlsCurrent)
        return;
    const double high = std::max({m_red, m_green, m_blue});
    const double low = std::min({m_red, m_green, m_blue});
    const double lightness = (high + low) / 510.0;
    double hue = 0, saturation = 0;
    if (high != low) {
        const double span = high - low;
        saturation = lightness <= 0.5 ? span / (high + low) : span / (510.0 - high - low);
        const double r = (high - m_red) / span;
        const double g = (high - m_green) / span;
        const double b = (high - m_blue) / span;
        // Later tests win when components tie.
        if (m_red == high)
            hue = 60.0 * (6.0 + b - g);
        if (m_green == high)
            hue = 60.0 * (2.0 + r - b);
        if (m_blue == high)
            hue = 60.0 * (4.0 + g - r);
        if (hue > 360.0)
            hue -= 360.0;
    }
    m_hue = static_cast<float>(hue);
    m_lightness = static_cast<float>(lightness);
    m_saturation = static_cast<float>(saturation);
    m_hlsCurrent = true;
}

void CHLSColor::UpdateRgb() const
{
    if (m_rgbCurrent)
        return;
    const double l = std::clamp(static_cast<double>(m_lightness), 0.0, 1.0);
    const double s = std::clamp(static_cast<double>(m_saturation), 0.0, 1.0);
    if (s == 0.0 || !std::isfinite(m_hue)) {
        m_red = m_green = m_blue = ToByte(l);
    } else {
        const double high = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
        const double low = 2.0 * l - high;
        m_red = ToByte(HueComponent(low, high, m_hue + 120.0));
        m_green = ToByte(HueComponent(low, high, m_hue));
        m_blue = ToByte(HueComponent(low, high, m_hue - 120.0));
    }
    m_rgbCurrent = true;
}
