#pragma once

#include <QImage>
#include <QRect>

// The five waypoint icon strips of one size, loaded once and keyed for drawing many times.
class CWaypointIcons {
public:
    static constexpr int kIconsPerStrip = 32;
    static constexpr int kStripCount = 5;
    static constexpr int kSmall = 15;
    static constexpr int kLarge = 30;

    explicit CWaypointIcons(bool large);
    int Size() const { return m_size; }
    // The strip and the square within it of an icon id; false for an id without an icon.
    bool Locate(int icon, const QImage*& strip, QRect& source) const;
    // The strips as drawn, magenta still in place (for snapshots of the strips themselves).
    const QImage& Strip(int index) const { return m_plain[index]; }

private:
    int m_size;
    QImage m_plain[kStripCount];
    QImage m_keyed[kStripCount];
};
