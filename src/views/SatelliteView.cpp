#include "views/SatelliteView.h"

#include "gps/NMEAParser.h"
#include "views/PixelMath.h"

#include <algorithm>
#include <cmath>

int SignalTable::ShownCount() const
{
    return count == 0 ? std::min<int>(12, static_cast<int>(records.size())) : count;
}

CConstellationSet SignalTable::Constellations() const
{
    CConstellationSet set;
    const int n = std::min<int>(ShownCount(), static_cast<int>(records.size()));
    for (int i = 0; i < n; ++i)
        if (records[static_cast<size_t>(i)].prn != 0)
            set.Add(records[static_cast<size_t>(i)].constellation);
    return set;
}

SignalTable ReadSignalTable(const CNMEAParser& fix)
{
    SignalTable table;
    const auto& satellites = fix.Gsv().satellites;
    table.records.reserve(std::size(satellites));
    for (const SatelliteEntry& entry : satellites)
        table.records.push_back({entry.nPRN, entry.nSNR, entry.nAzimuth, entry.nElevation,
                                 static_cast<int>(entry.bUsed), entry.constellation});
    table.count =
        std::min<int>(fix.Gsv().satellitesInView, static_cast<int>(std::size(satellites)));
    return table;
}

std::vector<int> SignalBarRecords(const SignalTable& table, int capacity)
{
    const int n = std::min<int>(table.ShownCount(), static_cast<int>(table.records.size()));
    std::vector<int> satellites;
    for (int i = 0; i < n; ++i)
        if (table.records[static_cast<size_t>(i)].prn != 0)
            satellites.push_back(i);
    if (static_cast<int>(satellites.size()) <= capacity)
        return satellites;
    std::vector<int> tracked;
    for (const int i : satellites)
        if (table.records[static_cast<size_t>(i)].snr > 0)
            tracked.push_back(i);
    return tracked;
}

QRect SkySquare(const QRect& rect)
{
    int left = rect.left(), top = rect.top();
    int right = left + rect.width(), bottom = top + rect.height();
    const int w = right - left, h = bottom - top;
    if (w <= h) {
        top += h / 2 - w / 2;
        bottom += w / 2 - h / 2;
    } else {
        left += w / 2 - h / 2;
        right += h / 2 - w / 2;
    }
    return RectFromEdges(left, top, right, bottom);
}

QPoint AzElToPoint(const QRect& square, double azimuth, double elevation)
{
    const double s = square.width();
    const int cx = TruncToPixel(square.left() + s * 0.5 + 0.5);
    const int cy = TruncToPixel(square.top() + square.height() * 0.5 + 0.5);
    const double k = s * 0.5 * 0.011111111111111112;
    const double a = std::trunc(azimuth) * 0.017453292519944444;
    const double r = (90.0 - std::trunc(elevation)) * k;
    return QPoint(cx + TruncToPixel(r * std::sin(a)), cy + TruncToPixel(-std::cos(a) * r));
}
