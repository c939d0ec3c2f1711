#include "views/AnalysisLayout.h"

#include "views/PixelMath.h"

std::vector<QRect> AnalysisSlots(int screenConfig, const QRect& client)
{
    const int left = client.left(), top = client.top();
    const int right = left + client.width(), bottom = top + client.height();
    const int w = client.width(), h = client.height();
    switch (screenConfig) {
    case 1:
        return {RectFromEdges(left, top, right, top + h / 2),
                RectFromEdges(left, top + h / 2, right, bottom)};
    case 2:
        return {RectFromEdges(left, top, right, top + h / 3),
                RectFromEdges(left, top + h / 3, right, top + 2 * (h / 3)),
                RectFromEdges(left, top + 2 * (h / 3), right, bottom)};
    case 3:
        return {RectFromEdges(left, top, left + w / 2, bottom),
                RectFromEdges(left + w / 2, top, right, bottom)};
    case 4:
        return {RectFromEdges(left, top, left + w / 2, top + h / 2),
                RectFromEdges(left + w / 2, top, right, top + h / 2),
                RectFromEdges(left, top + h / 2, left + w / 2, bottom),
                RectFromEdges(left + w / 2, top + h / 2, right, bottom)};
    default:
        return {client};
    }
}

int AnalysisSlotAt(int screenConfig, const QRect& client, QPoint point)
{
    const std::vector<QRect> slots = AnalysisSlots(screenConfig, client);
    for (size_t i = 0; i < slots.size(); ++i)
        if (slots[i].contains(point))
            return static_cast<int>(i);
    return -1;
}
