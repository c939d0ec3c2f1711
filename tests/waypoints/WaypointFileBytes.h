#pragma once

#include "waypoints/Waypoint.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Builds database files byte by byte, independently of the program's writer, so that tests
// state the layout themselves.
class CFileBytes {
public:
    CFileBytes& Raw(const QByteArray& bytes);
    CFileBytes& U8(uint8_t value);
    CFileBytes& U16(uint16_t value);
    CFileBytes& U32(uint32_t value);
    CFileBytes& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
    CFileBytes& F32(float value);
    CFileBytes& F64(double value);
    CFileBytes& Wide(const QString& text);       // count of UTF-16 units, the units
    CFileBytes& Narrow(const QByteArray& bytes); // count of bytes, the bytes
    // "ORVSWP", the version byte and the record count.
    CFileBytes& Header(uint8_t version, uint32_t count);
    // One record of `version` with the fields of `wp`; 8-bit strings are taken as Latin-1.
    CFileBytes& Record(const CWaypoint& wp, int version = 5);

    const QByteArray& Bytes() const { return m_bytes; }
    qsizetype Size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

// A record with every stored field set to a value other than its default, `n` varying them.
CWaypoint FullWaypoint(int n);

// Writes `bytes` to `path`; fails the current test when that is not possible.
void WriteTestFile(const QString& path, const QByteArray& bytes);
QByteArray ReadTestFile(const QString& path);

// True when the stored fields (not the run-time ones) of both records are equal.
bool SameStoredFields(const CWaypoint& a, const CWaypoint& b);
