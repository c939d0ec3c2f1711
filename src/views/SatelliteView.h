#pragma once

#include "gps/GnssSystems.h"
#include "views/ConstellationMarks.h"

#include <QPoint>
#include <QRect>

#include <vector>

class CNMEAParser;

// One satellite of the status view, as the fix state's satellite table holds it.
struct SignalRecord {
    int prn = 0, snr = 0, azimuth = 0, elevation = 0, used = 0;
    Constellation constellation = Constellation::GPS;
};

// The satellite table with the count of satellites in view. The count is kept within the table:
// a receiver reporting more satellites than the table holds would otherwise read past it.
struct SignalTable {
    std::vector<SignalRecord> records;
    int count = 0;
    // The number of bars and sky slots shown: the count, or 12 frames when it is 0.
    int ShownCount() const;
    // The constellations of the shown satellites (empty slots aside).
    CConstellationSet Constellations() const;
};
SignalTable ReadSignalTable(const CNMEAParser& fix);
// The records the signal bars show, in table order: the shown satellites (empty slots aside), or
// only those with a signal when there are more than `capacity` (the untracked would crowd out
// the rest).
std::vector<int> SignalBarRecords(const SignalTable& table, int capacity);

// The status view's three pages (position, precision, sky); a tap moves to the next.
class CStatusPages {
public:
    int Page() const { return m_page; }
    void Advance() { m_page = (m_page + 1) % 3; }

private:
    int m_page = 0;
};

// The sky view's square: the rectangle reduced to a centred square.
QRect SkySquare(const QRect& rect);
// A satellite's place in the square: zenith at the centre, horizon at the edge, north up,
// azimuth clockwise; both angles taken in whole degrees.
QPoint AzElToPoint(const QRect& square, double azimuth, double elevation);
