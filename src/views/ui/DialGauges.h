#pragma once

#include "platform/ui/DrawContext.h"
#include "views/ui/PolyShape.h"

#include <QColor>
#include <QPoint>
#include <QString>

// The round instruments (compass rose, altimeter, speedometer, vertical speed). Each is given its
// values, three colours and a rectangle and draws itself into any drawing context; the gauge
// panel and the map's navigation window draw them into their own surfaces.
class CDialGauge {
public:
    CDialGauge();
    virtual ~CDialGauge() = default;

    // Indicator (needles, hands), text (outlines, ticks, text) and background (face).
    void SetColors(const QColor& indicator, const QColor& text, const QColor& background);
    // Recomputes the face square, centre and radius from the rectangle.
    void SetRect(const GdiRect& rect);
    // Lays out in `rect` and draws; fonts follow the vertical resolution `dpi`.
    void Draw(CDrawContext& dc, const GdiRect& rect, int dpi);

    const GdiRect& Face() const { return m_face; }
    double CenterX() const { return m_cx; }
    double CenterY() const { return m_cy; }
    double Radius() const { return m_radius; }
    // The point at angle `theta` (degrees clockwise from the top) and radius `r` in ninetieths of
    // the radius.
    QPoint PointAt(double theta, double r) const;

protected:
    virtual void DrawGauge(CDrawContext& dc) const = 0;

    int FaceWidth() const { return m_face.Width(); }
    QPoint Center() const { return PointAt(0, 0); }
    // A point font whose size in tenths of a point is `length` over the pixels per point.
    GdiFont PointFont(int length, bool bold = false) const;
    void DrawFace(CDrawContext& dc) const;
    // The 50 ticks of the altimeter and speedometer, long ones labelled by `label(i / 5)`.
    template <typename Label>
    void DrawFiftyTicks(CDrawContext& dc, const GdiFont& font, Label label) const;
    // The readout box 1.5 box heights below the centre, its text, and the caption above.
    void DrawReadout(CDrawContext& dc, const QString& text, const QString& unit, bool centred,
                     const QString& caption) const;
    // The needle of the speedometer and vertical speed: a quadrilateral to radius 65 and a spoke.
    void DrawNeedle(CDrawContext& dc, double theta, bool hubLast) const;
    void DrawHub(CDrawContext& dc, int radius) const;
    void DrawTick(CDrawContext& dc, double theta, double from, double to) const;
    // `text` with its centre at `point`.
    static void DrawCentredAt(CDrawContext& dc, const QString& text, QPoint point);

    QColor m_text, m_background, m_indicator;
    GdiRect m_rect;
    GdiRect m_face;
    double m_cx = 0, m_cy = 0, m_radius = 0;
    int m_dpi = 96;
};

class CCompassWnd : public CDialGauge {
public:
    CCompassWnd();
    // Heading and bearing in whole degrees; the label and distance are written below the hub.
    void SetCompass(int heading, int bearing, const QString& label, double distance,
                    const QString& distanceUnit);

protected:
    void DrawGauge(CDrawContext& dc) const override;

private:
    int m_heading = 0, m_bearing = 0;
    QString m_label;
    double m_distance = 0;
    QString m_distanceUnit;
    CPolyShape m_lubber;
    CPolyShape m_needle;
};

class CAltimeterWnd : public CDialGauge {
public:
    void SetValue(double value, const QString& unit);

protected:
    void DrawGauge(CDrawContext& dc) const override;

private:
    double m_value = 0;
    QString m_unit;
};

class CSpeedometerWnd : public CDialGauge {
public:
    void SetValue(double value, const QString& unit);
    // Values of 0 or less (or not a number) are refused: the needle divides by the full scale.
    void SetFullScale(double fullScale);
    double FullScale() const { return m_fullScale; }

protected:
    void DrawGauge(CDrawContext& dc) const override;

private:
    double m_value = 0;
    QString m_unit;
    double m_fullScale = 150;
};

class CVerticalSpeedWnd : public CDialGauge {
public:
    void SetValue(double value, const QString& unit);
    void SetFullScale(double fullScale) { m_fullScale = fullScale; }
    // The needle angle (degrees clockwise from the top) for `value`, pinned at the full scale.
    double NeedleAngle(double value) const;

protected:
    void DrawGauge(CDrawContext& dc) const override;

private:
    double m_value = 0;
    QString m_unit = QStringLiteral("ft");
    double m_fullScale = 2000;
};
