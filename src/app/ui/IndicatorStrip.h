#pragma once

#include <QImage>

// The GPS indicator's images: a strip two images wide (idle, active) and four high (no fix,
// fix, unused, differential) of `size`-pixel squares on magenta, the transparent colour.
QImage MakeIndicatorStrip(int size);
