#include "views/ConstellationMarks.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace {

struct Mark {
    Constellation constellation;
    char letter;
    const char* name;
};

// Legend order: the systems by age of their global service, the augmentation last.
constexpr std::array<Mark, kConstellationCount> kMarks{{
    {Constellation::GPS, 'G', QT_TRANSLATE_NOOP("Constellation", "GPS")},
    {Constellation::GLONASS, 'R', QT_TRANSLATE_NOOP("Constellation", "GLONASS")},
    {Constellation::Galileo, 'E', QT_TRANSLATE_NOOP("Constellation", "Galileo")},
    {Constellation::BeiDou, 'C', QT_TRANSLATE_NOOP("Constellation", "BeiDou")},
    {Constellation::QZSS, 'J', QT_TRANSLATE_NOOP("Constellation", "QZSS")},
    {Constellation::NavIC, 'I', QT_TRANSLATE_NOOP("Constellation", "NavIC")},
    {Constellation::SBAS, 'S', QT_TRANSLATE_NOOP("Constellation", "SBAS")},
}};

const Mark& MarkOf(Constellation constellation)
{
    for (const Mark& mark : kMarks)
        if (mark.constellation == constellation)
            return mark;
    return kMarks.front();
}

// Whether `box` keeps at least `clearance` pixels from the disc of `square`.
bool ClearOfDisc(const QRect& box, const QRect& square, int clearance)
{
    const double cx = square.left() + square.width() * 0.5;
    const double cy = square.top() + square.height() * 0.5;
    const double nearestX = std::clamp(cx, double(box.left()), double(box.left() + box.width()));
    const double nearestY = std::clamp(cy, double(box.top()), double(box.top() + box.height()));
    const double reach = square.width() * 0.5 + clearance;
    return (nearestX - cx) * (nearestX - cx) + (nearestY - cy) * (nearestY - cy) >= reach * reach;
}

uint8_t Bit(Constellation constellation)
{
    return static_cast<uint8_t>(1u << static_cast<unsigned>(constellation));
}

} // namespace

QChar ConstellationLetter(Constellation constellation)
{
    return QLatin1Char(MarkOf(constellation).letter);
}

QString ConstellationName(Constellation constellation)
{
    return QCoreApplication::translate("Constellation", MarkOf(constellation).name);
}

void CConstellationSet::Add(Constellation constellation)
{
    m_bits |= Bit(constellation);
}

bool CConstellationSet::Contains(Constellation constellation) const
{
    return (m_bits & Bit(constellation)) != 0;
}

bool CConstellationSet::IsMixed() const
{
    return (m_bits & ~(Bit(Constellation::GPS) | Bit(Constellation::SBAS))) != 0;
}

std::vector<Constellation> CConstellationSet::Members() const
{
    std::vector<Constellation> members;
    for (const Mark& mark : kMarks)
        if (Contains(mark.constellation))
            members.push_back(mark.constellation);
    return members;
}

std::vector<int> WrapLegendRows(const std::vector<int>& widths, int gap, int maxWidth)
{
    std::vector<int> rows;
    int rowWidth = 0;
    for (const int width : widths) {
        if (!rows.empty() && rowWidth + gap + width <= maxWidth) {
            ++rows.back();
            rowWidth += gap + width;
        } else {
            rows.push_back(1);
            rowWidth = width;
        }
    }
    return rows;
}

std::vector<QPoint> PlaceLegendInCorners(const std::vector<QSize>& sizes, const QRect& rect,
                                         const QRect& square, int topClearance, int bottomClearance)
{
    struct Corner {
        bool left, top;
        int clearance;
    };
    const Corner corners[] = {{true, true, topClearance},
                              {true, false, bottomClearance},
                              {false, false, bottomClearance}};
    // Entries first..first+count-1 stacked in `corner`; false when one leaves the rectangle or
    // comes too near the disc.
    const auto stack = [&](const Corner& corner, size_t first, size_t count,
                           std::vector<QPoint>& places) {
        int height = 0;
        for (size_t i = first; i < first + count; ++i)
            height += sizes[i].height();
        if (height > rect.height())
            return false;
        int y = corner.top ? rect.top() : rect.top() + rect.height() - height;
        for (size_t i = first; i < first + count; ++i) {
            const QSize size = sizes[i];
            const int x =
                corner.left ? rect.left() + 2 : rect.left() + rect.width() - 2 - size.width();
            const QRect box(QPoint(x, y), size);
            if (!ClearOfDisc(box, square, corner.clearance))
                return false;
            places[i] = box.topLeft();
            y += size.height();
        }
        return true;
    };
    std::vector<QPoint> places(sizes.size());
    size_t next = 0;
    for (const Corner& corner : corners) {
        size_t count = 0;
        while (next + count < sizes.size() && stack(corner, next, count + 1, places))
            ++count;
        stack(corner, next, count, places); // the last attempt may have failed half way
        next += count;
    }
    if (next < sizes.size())
        return {};
    return places;
}
