#include "map/ui/WaypointIcons.h"

#include "platform/ui/DrawContext.h"

namespace {

constexpr int kSmallStrips[] = {119, 121, 123, 125, 127};
constexpr int kLargeStrips[] = {120, 122, 124, 126, 129};

} // namespace

CWaypointIcons::CWaypointIcons(bool large) : m_size(large ? kLarge : kSmall)
{
    for (int i = 0; i < kStripCount; ++i) {
        const int resource = large ? kLargeStrips[i] : kSmallStrips[i];
        m_plain[i] = QImage(QStringLiteral(":/icons/waypoints_%1.png").arg(resource));
        // Premultiplied: the form the raster engine blends fastest, for thousands of icons.
        m_keyed[i] =
            MakeColorKeyed(m_plain[i]).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
}

bool CWaypointIcons::Locate(int icon, const QImage*& strip, QRect& source) const
{
    if (icon < 0 || icon >= kIconsPerStrip * kStripCount)
        return false;
    strip = &m_keyed[icon / kIconsPerStrip];
    if (strip->isNull())
        return false;
    source = QRect((icon % kIconsPerStrip) * m_size, 0, m_size, m_size);
    return true;
}
