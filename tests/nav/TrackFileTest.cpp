#include "nav/TrackLog.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace {

// Builds file contents field by field, little-endian.
class CBytes {
public:
    CBytes& U32(uint32_t value) { return Put(value); }
    CBytes& I32(int32_t value) { return Put(value); }
    CBytes& F32(float value) { return Put(std::bit_cast<uint32_t>(value)); }
    CBytes& U16(uint16_t value) { return Put(value); }
    CBytes& Raw(const QByteArray& bytes)
    {
        m_data += bytes;
        return *this;
    }
    const QByteArray& Data() const { return m_data; }

private:
    template <typename T> CBytes& Put(T value)
    {
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        m_data.append(bytes, sizeof bytes);
        return *this;
    }
    QByteArray m_data;
};

CBytes& CurrentRecord(CBytes& bytes, int32_t lat, int32_t lon, float alt, int32_t segment,
                      uint32_t time)
{
    return bytes.I32(lat).I32(lon).F32(alt).I32(segment).U32(time);
}

class TrackFile : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& data) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return Path(name);
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

TEST_F(TrackFile, ReadsCurrentLayout)
{
    CBytes bytes;
    bytes.U32(0x55AA0002);
    CurrentRecord(bytes, 33800000, -117800000, 100.5f, 1, 1194179696);
    CurrentRecord(bytes, 33800010, -117800020, 101.0f, 0, 1194179697);
    CTrackLog track;
    TrackFileLayout layout = TrackFileLayout::FirstVersion;
    ASSERT_EQ(track.LoadFile(Write("current.trk", bytes.Data()), &layout), 1);
    EXPECT_EQ(layout, TrackFileLayout::Current);
    ASSERT_EQ(track.GetCount(), 2);
    const TrackPoint& second = track.PointAt(1);
    EXPECT_EQ(second.position.latitude, 33800010);
    EXPECT_EQ(second.position.longitude, -117800020);
    EXPECT_EQ(second.position.altitude, 101.0f);
    EXPECT_EQ(second.segmentStart, 0);
    EXPECT_EQ(second.time, 1194179697u);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
}

TEST_F(TrackFile, ReadsDatedLayoutConvertingTheDate)
{
    CBytes bytes;
    bytes.U32(0x55AA0001);
    bytes.I32(33800000).I32(-117800000).F32(12.5f).I32(1);
    bytes.U16(2007).U16(11).U16(4).U16(12).U16(34).U16(56);
    // An impossible date (month 13) keeps the point, without a time.
    bytes.I32(33800100).I32(-117800100).F32(13.0f).I32(0);
    bytes.U16(2007).U16(13).U16(4).U16(12).U16(34).U16(56);
    CTrackLog track;
    TrackFileLayout layout = TrackFileLayout::Current;
    ASSERT_EQ(track.LoadFile(Write("dated.trk", bytes.Data()), &layout), 1);
    EXPECT_EQ(layout, TrackFileLayout::Dated);
    ASSERT_EQ(track.GetCount(), 2);
    EXPECT_EQ(track.PointAt(0).time, 1194179696u);
    EXPECT_EQ(track.PointAt(0).position.altitude, 12.5f);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
    EXPECT_EQ(track.PointAt(1).time, 0u);
    EXPECT_EQ(track.PointAt(1).position.latitude, 33800100);
}

TEST_F(TrackFile, ReadsFirstVersionFromOffsetZeroWithoutTimes)
{
    CBytes bytes;
    bytes.I32(47000000).I32(8000000).F32(400.0f).I32(1);
    bytes.I32(47000100).I32(8000100).F32(401.0f).I32(0);
    CTrackLog track;
    TrackFileLayout layout = TrackFileLayout::Current;
    ASSERT_EQ(track.LoadFile(Write("first.trk", bytes.Data()), &layout), 1);
    EXPECT_EQ(layout, TrackFileLayout::FirstVersion);
    ASSERT_EQ(track.GetCount(), 2);
    EXPECT_EQ(track.PointAt(0).position.latitude, 47000000);
    EXPECT_EQ(track.PointAt(1).position.altitude, 401.0f);
    EXPECT_EQ(track.PointAt(0).time, 0u);
    EXPECT_EQ(track.PointAt(1).time, 0u);
}

TEST_F(TrackFile, KeepsSeaLevelAndAxisPointsButDropsNoPosition)
{
    CBytes bytes;
    bytes.U32(0x55AA0002);
    CurrentRecord(bytes, 51477000, -1000, 0.0f, 1, 10); // at sea level
    CurrentRecord(bytes, 51477000, 0, 0.0f, 0, 11);     // on the prime meridian
    CurrentRecord(bytes, 0, 0, 0.0f, 0, 12);            // no position
    CurrentRecord(bytes, 0, 9000000, 3.0f, 0, 13);      // on the equator
    CTrackLog track;
    ASSERT_EQ(track.LoadFile(Write("sea.trk", bytes.Data())), 1);
    ASSERT_EQ(track.GetCount(), 3);
    EXPECT_EQ(track.PointAt(0).time, 10u);
    EXPECT_EQ(track.PointAt(1).time, 11u);
    EXPECT_EQ(track.PointAt(2).time, 13u);
}

TEST_F(TrackFile, DropsOnlyTheIncompleteLastRecord)
{
    CBytes whole;
    whole.U32(0x55AA0002);
    CurrentRecord(whole, 33800000, -117800000, 0.0f, 1, 100);
    CurrentRecord(whole, 33800100, -117800100, 0.0f, 0, 101);
    for (int cut = 1; cut < 20; ++cut) {
        CTrackLog track;
        ASSERT_EQ(track.LoadFile(Write("cut.trk", whole.Data().chopped(cut))), 1);
        ASSERT_EQ(track.GetCount(), 1) << "cut " << cut;
        EXPECT_EQ(track.PointAt(0).time, 100u);
    }
    // Files shorter than the magic or than one record hold no points.
    for (const QByteArray& stub :
         {QByteArray(), QByteArray("\x02\x00", 2), QByteArray("\x02\x00\xAA\x55\x01", 5)}) {
        CTrackLog track;
        track.Append(TrackPoint{{1, 1, 1.0f}, 1, 1});
        ASSERT_EQ(track.LoadFile(Write("stub.trk", stub)), 1);
        EXPECT_EQ(track.GetCount(), 0);
    }
}

TEST_F(TrackFile, LongFileKeepsNewestPointsWithASegmentStartFirst)
{
    CBytes bytes;
    bytes.U32(0x55AA0002);
    for (int n = 0; n < 10005; ++n)
        CurrentRecord(bytes, 10000000 + n, 20000000, 1.0f, n == 0, static_cast<uint32_t>(n));
    CTrackLog track;
    ASSERT_EQ(track.LoadFile(Write("long.trk", bytes.Data())), 1);
    ASSERT_EQ(track.GetCount(), 10000);
    EXPECT_EQ(track.PointAt(0).time, 5u);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
    EXPECT_EQ(track.PointAt(9999).time, 10004u);
}

TEST_F(TrackFile, DamagedFieldsReadAsSoundValues)
{
    CBytes bytes;
    bytes.U32(0x55AA0002);
    CurrentRecord(bytes, 33800000, -117800000, std::nanf(""), 7, 5);
    CurrentRecord(bytes, 33800001, -117800001, -INFINITY, -1, 6);
    CTrackLog track;
    ASSERT_EQ(track.LoadFile(Write("damaged.trk", bytes.Data())), 1);
    ASSERT_EQ(track.GetCount(), 2);
    EXPECT_EQ(track.PointAt(0).position.altitude, 0.0f);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
    EXPECT_EQ(track.PointAt(1).position.altitude, 0.0f);
    EXPECT_EQ(track.PointAt(1).segmentStart, 1);
}

TEST_F(TrackFile, MissingFileLeavesTheTrackAsItWas)
{
    CTrackLog track;
    track.Append(TrackPoint{{5, 6, 7.0f}, 1, 8});
    EXPECT_EQ(track.LoadFile(Path("absent.trk")), 0);
    EXPECT_EQ(track.LoadFile(m_dir.path()), 0); // a folder, not a file
    ASSERT_EQ(track.GetCount(), 1);
    EXPECT_EQ(track.PointAt(0).time, 8u);
}

TEST_F(TrackFile, ReadOnlyFileLoads)
{
    CBytes bytes;
    bytes.U32(0x55AA0002);
    CurrentRecord(bytes, 33800000, -117800000, 5.0f, 1, 1);
    const QString path = Write("readonly.trk", bytes.Data());
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    CTrackLog track;
    EXPECT_EQ(track.LoadFile(path), 1);
    EXPECT_EQ(track.GetCount(), 1);
}

TEST_F(TrackFile, SavesMagicAndTwentyByteRecordsThatReadBack)
{
    CTrackLog track;
    track.Append(TrackPoint{{33800000, -117800000, 100.25f}, 1, 1194179696});
    track.Append(TrackPoint{{33800100, -117800100, 0.0f}, 0, 1194179697});
    track.Append(TrackPoint{{-33900000, 151200000, -4.5f}, 1, 0});
    const QString path = Path("saved.trk");
    ASSERT_EQ(track.SaveFile(path), 1);

    CBytes expected;
    expected.U32(0x55AA0002);
    CurrentRecord(expected, 33800000, -117800000, 100.25f, 1, 1194179696);
    CurrentRecord(expected, 33800100, -117800100, 0.0f, 0, 1194179697);
    CurrentRecord(expected, -33900000, 151200000, -4.5f, 1, 0);
    const QByteArray written = Read(path);
    EXPECT_EQ(written.size(), 64);
    EXPECT_EQ(written, expected.Data());

    CTrackLog reread;
    ASSERT_EQ(reread.LoadFile(path), 1);
    ASSERT_EQ(reread.GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reread.PointAt(i).position.latitude, track.PointAt(i).position.latitude);
        EXPECT_EQ(reread.PointAt(i).position.altitude, track.PointAt(i).position.altitude);
        EXPECT_EQ(reread.PointAt(i).segmentStart, track.PointAt(i).segmentStart);
        EXPECT_EQ(reread.PointAt(i).time, track.PointAt(i).time);
    }
}

TEST_F(TrackFile, FailedSaveLeavesTheOldFile)
{
    CBytes old;
    old.U32(0x55AA0002);
    CurrentRecord(old, 1, 2, 3.0f, 1, 4);
    const QString path = Write("kept.trk", old.Data());
    CTrackLog track;
    for (int n = 0; n < kTrackLogCapacity; ++n)
        track.Append(TrackPoint{{9, 9 + n, 9.0f}, n == 0, 9});
    {
        const CFileSizeLimit full(100000); // half of the full track
        EXPECT_EQ(track.SaveFile(path), 0);
    }
    EXPECT_EQ(Read(path), old.Data());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.trk"});
    EXPECT_EQ(track.SaveFile(Path("no/such/folder/x.trk")), 0);
}

TEST_F(TrackFile, PathsKeepTheirNonAsciiCharacters)
{
    CTrackLog track;
    track.Append(TrackPoint{{37500000, 127000000, 38.0f}, 1, 77});
    const QString path = Path(QStringLiteral("경로 기록 ü.trk"));
    ASSERT_EQ(track.SaveFile(path), 1);
    ASSERT_TRUE(QFile::exists(path));
    CTrackLog reread;
    ASSERT_EQ(reread.LoadFile(path), 1);
    ASSERT_EQ(reread.GetCount(), 1);
    EXPECT_EQ(reread.PointAt(0).time, 77u);
}

} // namespace
