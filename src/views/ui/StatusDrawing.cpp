#include "views/ui/StatusDrawing.h"

#include "platform/ui/SystemColors.h"
#include "views/PixelMath.h"

#include <algorithm>

void DrawSignalBars(CDrawContext& dc, GdiRect box, const SignalTable& table)
{
    box.top += 3;
    dc.SelectFont(CreatePixelFont(TruncToPixel(0.04 * (box.right - box.left) + 0.5)));
    dc.SetBkMode(BackgroundMode::Transparent);
    const int labelHeight = dc.GetTextExtent(QStringLiteral("X")).height();
    box.bottom -= labelHeight;

    const int n = table.ShownCount();
    if (n <= 0)
        return;
    const double pitch = static_cast<double>(box.right - box.left) / n;
    const GdiRect frame{box.left, box.top, box.left + TruncToPixel(pitch + 0.5) - 2, box.bottom};
    const double q = (box.bottom - box.top) * 0.022222222222222223;
    const QColor grey(192, 192, 192);
    const QColor usedFill = GetSysColor(SysColor::Highlight);
    const QColor unusedFill = GetSysColor(SysColor::GrayText);
    const QColor snrText = GetSysColor(SysColor::HighlightText);
    const int snrHeight = labelHeight;

    for (int i = 0; i < n; ++i) {
        const SignalRecord& record = table.records[static_cast<size_t>(i)];
        const int shift = TruncToPixel(i * pitch) + 1;
        const GdiRect f{frame.left + shift, frame.top, frame.right + shift, frame.bottom};
        dc.SelectPen(grey);
        dc.SelectBrush(Qt::white);
        dc.Rectangle(f);
        const int barTop =
            std::clamp(box.bottom - TruncToPixel((record.snr - 5) * q), box.top, box.bottom);
        dc.SelectBrush(record.used == 1 ? usedFill : unusedFill);
        if (barTop < box.bottom)
            dc.Rectangle({f.left, barTop, f.right, box.bottom});

        dc.SetTextColor(Qt::black);
        dc.DrawText(QString::number(record.prn),
                    {f.left, box.bottom, f.right, box.bottom + labelHeight},
                    DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
        if (barTop + snrHeight + 1 < box.bottom) {
            dc.SetTextColor(snrText);
            dc.DrawText(QString::number(record.snr), {f.left, barTop, f.right, box.bottom},
                        DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
        }
    }
}

GdiFont LabelFontFor(int boxHeight, int dpi)
{
    double points = 0.3 * boxHeight * 72.0 / dpi;
    if (points <= 7)
        points = 7;
    return CreatePixelFont(TruncToPixel(points * dpi / 72.0 + 0.5));
}

void DrawLabeledValue(CDrawContext& dc, const QString& value, const QString& label,
                      const QString& indicator, const GdiRect& box, int dpi)
{
    dc.RoundRect(box, 10, 10);
    const int height = box.Height();
    dc.SelectFont(CreatePixelFont(TruncToPixel(0.6 * height + 0.5)));
    dc.DrawText(value, box, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
    dc.SelectFont(LabelFontFor(height, dpi));
    const GdiRect labelBox{box.left + 3, box.top, box.right, box.bottom};
    dc.DrawText(label, labelBox, DT_LEFT | DT_TOP | DT_SINGLELINE);
    dc.DrawText(indicator, labelBox, DT_RIGHT | DT_TOP | DT_SINGLELINE);
}
