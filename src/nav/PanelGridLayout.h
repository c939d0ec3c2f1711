#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// A layout the digital panel's menu offers: the text names the columns first.
struct PanelLayoutChoice {
    const char* text;
    int rows;
    int columns;
};
inline constexpr std::array<PanelLayoutChoice, 16> kPanelLayouts{{
    {"1X1", 1, 1},
    {"1X2", 2, 1},
    {"1X3", 3, 1},
    {"1X4", 4, 1},
    {"2X2", 2, 2},
    {"2X3", 3, 2},
    {"2X4", 4, 2},
    {"2X5", 5, 2},
    {"2X6", 6, 2},
    {"3X3", 3, 3},
    {"3X4", 4, 3},
    {"3X5", 5, 3},
    {"3X6", 6, 3},
    {"4X3", 3, 4},
    {"4X4", 4, 4},
    {"4X5", 5, 4},
}};

// The grid of panel cells without its window: rows, columns and the kind of every cell, kept in
// section "Digital Panel" + suffix. Cell i is at column i % columns, row i / columns.
class CPanelGridState {
public:
    static constexpr int kCellCount = 25;

    // Reads the layout and the cell kinds of the section.
    explicit CPanelGridState(const QString& suffix = {});

    QString Section() const { return QStringLiteral("Digital Panel") + m_suffix; }
    // "Panel Type <i>", except cell 19, which is kept under "Panel Type 29".
    static QString CellKey(int index);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    // Rows and columns are kept within 1..6 and 1..4 so the grid never divides by zero and never
    // shows more cells than it keeps. With `store`, "Screen Rows" and "Screen Cols" are written.
    void SetLayout(int rows, int columns, bool store);

    int CellKind(int index) const;
    // 0 for an index outside 0..24.
    int SetCellKind(int index, int kind);
    // Sets the kind and writes it to the cell's key.
    int StoreCellKind(int index, int kind);

    // Cell size (integer division of the client size) and the rectangle of a cell, shrunk by one
    // pixel on every side.
    QSize CellSize(QSize client) const;
    QRect CellRect(int column, int row, QSize client) const;
    // The cell index under a point of the client area; -1 outside the grid.
    int CellIndexAt(QPoint point, QSize client) const;

private:
    QString m_suffix;
    int m_rows = 2;
    int m_columns = 1;
    std::array<int, kCellCount> m_kinds{};
};

// How a cell of width w and height h is drawn: its corner size and fonts.
struct PanelCellStyle {
    int corner = 0;      // the rounded corner's width and height
    int valueHeight = 0; // character height in pixels
    bool valueBold = true;
    int smallTenths = 0; // point size of label and detail, in tenths of a point
};
PanelCellStyle PanelCellStyleFor(int w, int h, int dpi);
