#pragma once

#include <QColor>

// The gauge colours of section "Panel", stored as 0x00BBGGRR integers.
struct GaugeColors {
    QColor text, background, indicator;
};
GaugeColors ReadGaugeColors();
void WriteGaugeColors(const GaugeColors& colors);
// The three schemes of the colour menu: system colours, black, grey.
GaugeColors DefaultGaugeColors();
GaugeColors BlackGaugeColors();
GaugeColors GreyGaugeColors();
