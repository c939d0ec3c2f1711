#pragma once

#include "geo/GeoPosition.h"

#include <QPoint>

#include <array>
#include <optional>

// The map's zoom levels: the view scale (km from the centre to the north-east corner) by index.
class CMapZoom {
public:
    static constexpr std::array<double, 21> kScales = {
        0.01, 0.05, 0.1,  0.2,  0.3,  0.4,   0.5,   1.0,   2.0,   3.0,  4.0,
        5.0,  10.0, 20.0, 30.0, 50.0, 150.0, 200.0, 250.0, 300.0, 500.0};
    static constexpr int kStartIndex = 7;

    // Up zooms in, down zooms out; false at either end (nothing changes).
    bool Step(bool in);
    int Index() const { return m_index; }
    double Scale() const { return kScales[size_t(m_index)]; }

private:
    int m_index = kStartIndex;
};

// What the map is centred on: the current position, the averaging position, or a pan centre
// set by a drag or a command. Entering pan mode remembers the course of that moment.
class CMapCentre {
public:
    enum Mode { CurrentPosition = 0, Averaging = 1, Pan = 2 };

    Mode GetMode() const { return m_mode; }
    void SetMode(Mode mode) { m_mode = mode; }
    // Pan mode starting from the current position when not in it yet, then centred on `centre`.
    void PanTo(const GeoPosition& centre, const GeoPosition& current, double course);
    GeoPosition Centre(const GeoPosition& current, const GeoPosition& averaging) const;
    const GeoPosition& PanCentre() const { return m_panCentre; }
    double PanCourse() const { return m_panCourse; }

private:
    Mode m_mode = CurrentPosition;
    GeoPosition m_panCentre;
    double m_panCourse = 0.0;
};

// One stylus gesture on the map: the first four moves after the press do nothing; from the
// fifth on each move asks for the view centre to go opposite to the stylus's travel.
class CMapDrag {
public:
    static constexpr int kMovesBeforePan = 4;

    // `viewCentre` is the centre of the view's client rectangle.
    void Down(QPoint point, QPoint viewCentre);
    // The screen point to make the pan centre, when this move pans.
    std::optional<QPoint> Move(QPoint point);
    // True when the gesture was a tap (nothing panned); the gesture ends either way.
    bool Up();
    QPoint TapPoint() const { return m_tapPoint; }

private:
    QPoint m_tapPoint;
    QPoint m_tapCentre;
    int m_moveCount = 0;
    bool m_panned = false;
};
