#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <span>

// A rectangle as the drawing rules give it: right and bottom are exclusive, so a rectangle
// (0, 0, 10, 5) covers columns 0..9 and rows 0..4.
struct GdiRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(QPoint p) const
    {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static GdiRect FromQRect(const QRect& r)
    {
        return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    }
    bool operator==(const GdiRect&) const = default;
};

// Text placement in a box.
enum TextFormat : unsigned {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
};

// Reference point of ExtTextOut.
enum TextAlign : unsigned {
    TA_LEFT = 0x0,
    TA_TOP = 0x0,
    TA_RIGHT = 0x2,
    TA_CENTER = 0x6,
    TA_BOTTOM = 0x8,
    TA_BASELINE = 0x18,
};

enum class PenStyle { Solid, Dash, Dot, Null };
enum class BackgroundMode { Transparent, Opaque };

// A font as the views ask for it: a face, a pixel height (the em size) and a weight, and an
// escapement in tenths of a degree (900 draws text upwards, rotated a quarter turn to the left).
struct GdiFont {
    QFont font;
    int escapement = 0;
};

// Face, size in tenths of a point and the device's vertical resolution make the pixel height the
// handheld used: size × dpi / 720, rounded.
GdiFont CreatePointFont(int tenthsOfPoint, int dpiY, const QString& face = QStringLiteral("Tahoma"),
                        bool bold = false, int escapement = 0);
// A font of a given pixel height (the em size).
GdiFont CreatePixelFont(int pixelHeight, const QString& face = QStringLiteral("Tahoma"),
                        bool bold = false, int escapement = 0);

struct GdiTextMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int averageCharWidth = 0;
};

// The drawing context every view paints through: integer geometry over a QPainter on an
// off-screen image, with antialiasing off so each rule lands on the pixels it names. Pens and
// brushes are selected and stay until replaced, as the drawing algorithms expect.
class CDrawContext {
public:
    explicit CDrawContext(QImage& target);
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    QImage& Target() { return m_target; }
    QPainter& Painter() { return m_painter; }

    // Pen of `width` pixels; a null pen draws no outlines.
    void SelectPen(const QColor& colour, int width = 1, PenStyle style = PenStyle::Solid);
    void SelectNullPen() { SelectPen(Qt::black, 1, PenStyle::Null); }
    void SelectBrush(const QColor& colour);
    void SelectHollowBrush();
    void SelectFont(const GdiFont& font);
    const GdiFont& CurrentFont() const { return m_font; }

    void SetTextColor(const QColor& colour) { m_textColour = colour; }
    void SetBkColor(const QColor& colour) { m_backColour = colour; }
    void SetBkMode(BackgroundMode mode) { m_backMode = mode; }
    void SetTextAlign(unsigned align) { m_textAlign = align; }

    // Drawing is limited to `clip` until ClearClip.
    void SetClipRect(const GdiRect& clip);
    void ClearClip();

    void FillRect(const GdiRect& rect, const QColor& colour);
    // Outline with the pen, interior with the brush, covering left..right-1, top..bottom-1.
    void Rectangle(const GdiRect& rect);
    // Corners are quarter ellipses of the given width and height.
    void RoundRect(const GdiRect& rect, int cornerWidth, int cornerHeight);
    // The ellipse that fits the rectangle.
    void Ellipse(const GdiRect& rect);
    void Polygon(std::span<const QPoint> points);
    void Polyline(std::span<const QPoint> points);
    void MoveTo(int x, int y) { m_current = QPoint(x, y); }
    void MoveTo(QPoint p) { m_current = p; }
    // A line from the current point to (x, y), which becomes the current point.
    void LineTo(int x, int y);
    void LineTo(QPoint p) { LineTo(p.x(), p.y()); }
    QPoint CurrentPosition() const { return m_current; }
    // Many separate one-pen segments in one call (a map track, a grid).
    void Lines(std::span<const QLine> lines);
    void SetPixel(int x, int y, const QColor& colour);

    // Text at a reference point placed by SetTextAlign, in the selected font and text colour,
    // on the background colour when the mode is opaque.
    void ExtTextOut(int x, int y, const QString& text);
    // Text inside a box; returns the height of the text drawn.
    int DrawText(const QString& text, const GdiRect& box, unsigned format);
    QSize GetTextExtent(const QString& text) const;
    GdiTextMetrics GetTextMetrics() const;

    // Copies `source` (whole image or part) to (x, y) without scaling.
    void BitBlt(int x, int y, const QImage& source, const QRect& sourceRect);
    // Copies and scales the source rectangle into the destination rectangle.
    void StretchBlt(const GdiRect& destination, const QImage& source, const QRect& sourceRect);
    // Copies the source rectangle into the destination, leaving every destination pixel whose
    // source pixel is `key` untouched.
    void TransparentBlt(const GdiRect& destination, const QImage& source, const QRect& sourceRect,
                        const QColor& key = QColor(255, 0, 255));
    // An image whose alpha already hides the key colour (for bitmaps drawn many times a frame).
    void DrawKeyed(int x, int y, const QImage& keyedImage, const QRect& sourceRect);

private:
    void ApplyFill();
    QRectF TextBoxFor(const QString& text, int x, int y) const;

    QImage& m_target;
    QPainter m_painter;
    QPen m_pen;
    QBrush m_brush;
    GdiFont m_font;
    QColor m_textColour = Qt::black;
    QColor m_backColour = Qt::white;
    BackgroundMode m_backMode = BackgroundMode::Opaque;
    unsigned m_textAlign = TA_LEFT | TA_TOP;
    QPoint m_current;
};

// The image with `key` pixels made fully transparent, ready for DrawKeyed.
QImage MakeColorKeyed(const QImage& source, const QColor& key = QColor(255, 0, 255));
