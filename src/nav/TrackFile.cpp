// The track file: a magic number followed by fixed-size little-endian point records.

#include "nav/TrackLog.h"
#include "platform/SafeFile.h"
#include "platform/UtcTime.h"

#include <QFile>
#include <QtEndian>

#include <bit>
#include <cmath>

namespace {

constexpr qint64 kCurrentRecordSize = 20;
constexpr qint64 kDatedRecordSize = 28;
constexpr qint64 kFirstVersionRecordSize = 16;
constexpr qint64 kRecordsPerRead = 512;

qint64 RecordSize(TrackFileLayout layout)
{
    switch (layout) {
    case TrackFileLayout::Current:
        return kCurrentRecordSize;
    case TrackFileLayout::Dated:
        return kDatedRecordSize;
    case TrackFileLayout::FirstVersion:
        break;
    }
    return kFirstVersionRecordSize;
}

TrackFileLayout LayoutOfMagic(uint32_t magic)
{
    if (magic == kTrackFileMagic)
        return TrackFileLayout::Current;
    if (magic == kDatedTrackFileMagic)
        return TrackFileLayout::Dated;
    return TrackFileLayout::FirstVersion;
}

// The time of a dated record; an impossible date counts as no time recorded.
uint32_t DatedRecordTime(const uchar* fields)
{
    const auto field = [fields](int i) { return qFromLittleEndian<quint16>(fields + 2 * i); };
    const UtcDateTime when{field(0), field(1), field(2), field(3), field(4), field(5)};
    uint32_t seconds = 0;
    return SecondsFromUtc(when, &seconds) ? seconds : 0;
}

TrackPoint DecodeRecord(const uchar* record, TrackFileLayout layout)
{
    TrackPoint point;
    point.position.latitude = qFromLittleEndian<qint32>(record);
    point.position.longitude = qFromLittleEndian<qint32>(record + 4);
    const float altitude = std::bit_cast<float>(qFromLittleEndian<quint32>(record + 8));
    // A damaged altitude would poison every sum and plot; it reads as "none known".
    point.position.altitude = std::isfinite(altitude) ? altitude : 0.0f;
    point.segmentStart = qFromLittleEndian<qint32>(record + 12) != 0 ? 1 : 0;
    if (layout == TrackFileLayout::Current)
        point.time = qFromLittleEndian<quint32>(record + 16);
    else if (layout == TrackFileLayout::Dated)
        point.time = DatedRecordTime(record + 16);
    return point;
}

void EncodeRecord(const TrackPoint& point, uchar* record)
{
    qToLittleEndian<qint32>(point.position.latitude, record);
    qToLittleEndian<qint32>(point.position.longitude, record + 4);
    qToLittleEndian<quint32>(std::bit_cast<quint32>(point.position.altitude), record + 8);
    qToLittleEndian<qint32>(point.segmentStart, record + 12);
    qToLittleEndian<quint32>(point.time, record + 16);
}

} // namespace

int CTrackLog::LoadFile(const QString& path, TrackFileLayout* layout)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    uchar magic[4];
    const TrackFileLayout found = file.read(reinterpret_cast<char*>(magic), 4) == 4
                                      ? LayoutOfMagic(qFromLittleEndian<quint32>(magic))
                                      : TrackFileLayout::FirstVersion;
    if (found == TrackFileLayout::FirstVersion && !file.seek(0))
        return 0;

    // Read into a second ring so that a read error leaves the track as it was.
    CTrackLog loaded(m_capacity);
    const qint64 recordSize = RecordSize(found);
    QByteArray buffer(recordSize * kRecordsPerRead, Qt::Uninitialized);
    qint64 pending = 0; // bytes of an incomplete record carried to the next read
    for (;;) {
        const qint64 got = file.read(buffer.data() + pending, buffer.size() - pending);
        if (got < 0)
            return 0;
        if (got == 0)
            break; // a trailing incomplete record is dropped
        const qint64 available = pending + got;
        const auto* bytes = reinterpret_cast<const uchar*>(buffer.constData());
        qint64 offset = 0;
        for (; offset + recordSize <= available; offset += recordSize) {
            const TrackPoint point = DecodeRecord(bytes + offset, found);
            // Latitude and longitude both 0 is how a receiver reports no position.
            if (point.position.latitude != 0 || point.position.longitude != 0)
                loaded.Append(point);
        }
        pending = available - offset;
        std::copy(buffer.cbegin() + offset, buffer.cbegin() + available, buffer.begin());
    }
    TakePointsFrom(loaded);
    if (layout)
        *layout = found;
    return 1;
}

int CTrackLog::SaveFile(const QString& path, QString* error) const
{
    QByteArray data(4 + kCurrentRecordSize * m_count, Qt::Uninitialized);
    auto* bytes = reinterpret_cast<uchar*>(data.data());
    qToLittleEndian<quint32>(kTrackFileMagic, bytes);
    for (int i = 0; i < m_count; ++i)
        EncodeRecord(PointAt(i), bytes + 4 + kCurrentRecordSize * i);
    return WriteFileSafely(path, data, error) ? 1 : 0;
}
