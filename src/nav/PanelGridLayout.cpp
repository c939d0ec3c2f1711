#include "nav/PanelGridLayout.h"

#include "app/SettingsStore.h"

#include <algorithm>

namespace {

constexpr int kMaxRows = 6;
constexpr int kMaxColumns = 4;

int DefaultKind(int index)
{
    return index < 12 ? index + 1 : 0;
}

} // namespace

CPanelGridState::CPanelGridState(const QString& suffix) : m_suffix(suffix)
{
    const QString section = Section();
    SetLayout(ReadIntSetting(section, QStringLiteral("Screen Rows"), 2),
              ReadIntSetting(section, QStringLiteral("Screen Cols"), 1), false);
    for (int i = 0; i < kCellCount; ++i)
        m_kinds[i] = ReadIntSetting(section, CellKey(i), DefaultKind(i));
}

QString CPanelGridState::CellKey(int index)
{
    return QStringLiteral("Panel Type %1").arg(index == 19 ? 29 : index);
}

void CPanelGridState::SetLayout(int rows, int columns, bool store)
{
    m_rows = std::clamp(rows, 1, kMaxRows);
    m_columns = std::clamp(columns, 1, kMaxColumns);
    // 6 rows of 4 would be 24 cells; the widest menu layouts stay within the 25 kept kinds.
    if (store) {
        WriteIntSetting(Section(), QStringLiteral("Screen Rows"), m_rows);
        WriteIntSetting(Section(), QStringLiteral("Screen Cols"), m_columns);
    }
}

int CPanelGridState::CellKind(int index) const
{
    return index >= 0 && index < kCellCount ? m_kinds[index] : 0;
}

int CPanelGridState::SetCellKind(int index, int kind)
{
    if (index < 0 || index >= kCellCount)
        return 0;
    m_kinds[index] = kind;
    return 1;
}

int CPanelGridState::StoreCellKind(int index, int kind)
{
    if (!SetCellKind(index, kind))
        return 0;
    WriteIntSetting(Section(), CellKey(index), kind);
    return 1;
}

QSize CPanelGridState::CellSize(QSize client) const
{
    return QSize(client.width() / m_columns, client.height() / m_rows);
}

QRect CPanelGridState::CellRect(int column, int row, QSize client) const
{
    const QSize cell = CellSize(client);
    return QRect(column * cell.width() + 1, row * cell.height() + 1, cell.width() - 2,
                 cell.height() - 2);
}

int CPanelGridState::CellIndexAt(QPoint point, QSize client) const
{
    const QSize cell = CellSize(client);
    if (cell.width() <= 0 || cell.height() <= 0 || point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / cell.width(), row = point.y() / cell.height();
    if (column >= m_columns || row >= m_rows)
        return -1;
    return m_columns * row + column;
}

PanelCellStyle PanelCellStyleFor(int w, int h, int dpi)
{
    PanelCellStyle style;
    const bool wide = w > h * 2.5;
    style.corner = wide ? h / 4 : w / 8;
    const bool standard = dpi == 96;
    if (standard) {
        style.valueHeight = static_cast<int>(wide ? h * 0.625 : w * 0.29850746268656714);
        style.smallTenths = static_cast<int>(wide ? h * 1.8 : w * 0.6666666666666666);
    } else {
        style.valueHeight =
            static_cast<int>(wide ? h * 0.5555555555555556 : w * 0.2857142857142857);
        style.smallTenths =
            static_cast<int>(wide ? h * 0.6666666666666666 : w * 0.3333333333333333);
    }
    const int minimum = standard ? 70 : 50;
    if (style.smallTenths < minimum) {
        style.smallTenths = minimum;
        style.valueHeight -= style.valueHeight / 5;
        style.valueBold = false;
    }
    return style;
}
