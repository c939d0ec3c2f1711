#include "app/ui/IndicatorStrip.h"

#include <QPainter>

namespace {

struct Look {
    QColor idle, active;
};

// Grey without a fix, green with one, blue when differential corrections are in use.
const Look kRows[] = {
    {QColor(128, 128, 128), QColor(200, 200, 200)},
    {QColor(0, 140, 0), QColor(60, 230, 60)},
    {QColor(0, 140, 0), QColor(60, 230, 60)},
    {QColor(0, 80, 200), QColor(70, 160, 255)},
};

} // namespace

QImage MakeIndicatorStrip(int size)
{
    QImage strip(size * 2, size * 4, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter painter(&strip);
    const int inset = size / 8;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 2; ++column) {
            const QRect cell(column * size, row * size, size, size);
            const QRect disc = cell.adjusted(inset, inset, -inset - 1, -inset - 1);
            painter.setPen(QPen(Qt::black, std::max(1, size / 16)));
            painter.setBrush(column == 0 ? kRows[row].idle : kRows[row].active);
            painter.drawEllipse(disc);
            if (column == 1) { // the active image carries a bright centre, so it reads as a blink
                painter.setPen(Qt::NoPen);
                painter.setBrush(Qt::white);
                painter.drawEllipse(disc.center(), size / 8, size / 8);
            }
        }
    }
    return strip;
}
