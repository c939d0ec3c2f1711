#include "WaypointFileBytes.h"

#include <QFile>

#include <gtest/gtest.h>

#include <bit>

CFileBytes& CFileBytes::Raw(const QByteArray& bytes)
{
    m_bytes += bytes;
    return *this;
}

CFileBytes& CFileBytes::U8(uint8_t value)
{
    m_bytes += static_cast<char>(value);
    return *this;
}

CFileBytes& CFileBytes::U16(uint16_t value)
{
    return U8(static_cast<uint8_t>(value)).U8(static_cast<uint8_t>(value >> 8));
}

CFileBytes& CFileBytes::U32(uint32_t value)
{
    return U16(static_cast<uint16_t>(value)).U16(static_cast<uint16_t>(value >> 16));
}

CFileBytes& CFileBytes::F32(float value)
{
    return U32(std::bit_cast<uint32_t>(value));
}

CFileBytes& CFileBytes::F64(double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    return U32(static_cast<uint32_t>(bits)).U32(static_cast<uint32_t>(bits >> 32));
}

CFileBytes& CFileBytes::Wide(const QString& text)
{
    U16(static_cast<uint16_t>(text.size()));
    for (const QChar unit : text)
        U16(unit.unicode());
    return *this;
}

CFileBytes& CFileBytes::Narrow(const QByteArray& bytes)
{
    U16(static_cast<uint16_t>(bytes.size()));
    return Raw(bytes);
}

CFileBytes& CFileBytes::Header(uint8_t version, uint32_t count)
{
    return Raw("ORVSWP").U8(version).U32(count);
}

CFileBytes& CFileBytes::Record(const CWaypoint& wp, int version)
{
    auto text = [&](const QString& s) -> CFileBytes& {
        return version == 5 ? Wide(s) : Narrow(s.toLatin1());
    };
    I32(wp.position.latitude).I32(wp.position.longitude);
    if (version == 2)
        I32(static_cast<int32_t>(wp.position.altitude * 100.0f));
    else
        F32(wp.position.altitude);
    text(wp.strName);
    U16(static_cast<uint16_t>(wp.icon)).U8(wp.bActiveWaypoint).F64(wp.dActiveWPDistance);
    text(wp.strSoundFile);
    text(wp.strDescription);
    U16(static_cast<uint16_t>(wp.nType)).U16(static_cast<uint16_t>(wp.nGeocacheState));
    U32(static_cast<uint32_t>(wp.timeGeochacheFound)).U8(wp.bUseGeocacheStateForIconID);
    text(wp.strURL);
    U32(static_cast<uint32_t>(wp.timeWaypoint));
    U16(static_cast<uint16_t>(wp.nActiveWaypointMessageType));
    text(wp.strFieldNotes);
    if (version >= 4)
        U32(0);
    const GeocacheInfo& gc = wp.geocache;
    U8(gc.bLongDescriptionHTML);
    text(gc.strLongDescription);
    U8(gc.bShortDescriptionHTML);
    text(gc.strShortDescription);
    text(gc.strEncodedHints);
    U8(gc.bAvailable).U8(gc.bArchived);
    text(gc.strCacheName);
    text(gc.strContainer);
    text(gc.strCountry);
    text(gc.strState);
    text(gc.strPlacedBy);
    text(gc.strCacheType);
    U8(gc.nDifficulty).U8(gc.nTerrain);
    if (version >= 4) {
        for (const GeocacheLog& log : gc.logs) {
            text(log.strLogText);
            U8(log.nLogType).U8(log.bLogTextEncoded).U32(static_cast<uint32_t>(log.timeLogDate));
            text(log.strLogFinder);
        }
    }
    return *this;
}

CWaypoint FullWaypoint(int n)
{
    const QString tag = QString::number(n);
    GeocacheInfo gc;
    gc.strLongDescription = QStringLiteral("<p>Long ") + tag + QStringLiteral("</p>");
    gc.bLongDescriptionHTML = true;
    gc.strShortDescription = QStringLiteral("Short ") + tag;
    gc.bShortDescriptionHTML = true;
    gc.strCacheName = QStringLiteral("Cache ") + tag;
    gc.strPlacedBy = QStringLiteral("Placer ") + tag;
    gc.strCacheType = QStringLiteral("Traditional Cache");
    gc.nDifficulty = 15;
    gc.nTerrain = static_cast<uint8_t>(20 + n % 30);
    gc.strContainer = QStringLiteral("Micro");
    gc.strCountry = QStringLiteral("Korea");
    gc.strState = QStringLiteral("Seoul");
    gc.strEncodedHints = QStringLiteral("Haqre gur gerr");
    gc.bAvailable = false;
    gc.bArchived = true;
    for (int slot = 0; slot < kGeocacheLogSlots; ++slot) {
        GeocacheLog& log = gc.logs[static_cast<size_t>(slot)];
        log.strLogText = QStringLiteral("Log %1 of %2").arg(slot).arg(n);
        log.nLogType = static_cast<uint8_t>(slot + 1);
        log.bLogTextEncoded = slot % 2 == 0;
        log.timeLogDate = 1100000000 + slot * 86400 + n;
        log.strLogFinder = QStringLiteral("Finder %1").arg(slot);
    }
    GeoPosition position;
    position.latitude = 37566000 + n * 1111;
    position.longitude = 126978000 - n * 777;
    position.altitude = 38.25f + static_cast<float>(n);
    return CWaypoint(position, QStringLiteral("Point ") + tag, 24 + n % 100, true, 0.125 + n,
                     QStringLiteral("Alarm2.wav"), QStringLiteral("Description ") + tag, 1,
                     5 + n % 10, 1200000000 + n, true, QStringLiteral("https://example.org/") + tag,
                     1150000000 + n, 3 + n % 3, gc, QStringLiteral("Field notes ") + tag);
}

void WriteTestFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static bool SameLogs(const GeocacheInfo& a, const GeocacheInfo& b)
{
    for (size_t i = 0; i < a.logs.size(); ++i) {
        const GeocacheLog &x = a.logs[i], &y = b.logs[i];
        if (x.strLogText != y.strLogText || x.nLogType != y.nLogType ||
            x.bLogTextEncoded != y.bLogTextEncoded || x.timeLogDate != y.timeLogDate ||
            x.strLogFinder != y.strLogFinder)
            return false;
    }
    return true;
}

bool SameStoredFields(const CWaypoint& a, const CWaypoint& b)
{
    const GeocacheInfo &g = a.geocache, &h = b.geocache;
    return a.position.latitude == b.position.latitude &&
           a.position.longitude == b.position.longitude &&
           a.position.altitude == b.position.altitude && a.strName == b.strName &&
           a.icon == b.icon && a.bActiveWaypoint == b.bActiveWaypoint &&
           a.dActiveWPDistance == b.dActiveWPDistance && a.strDescription == b.strDescription &&
           a.strSoundFile == b.strSoundFile && a.nType == b.nType &&
           a.nGeocacheState == b.nGeocacheState && a.timeGeochacheFound == b.timeGeochacheFound &&
           a.bUseGeocacheStateForIconID == b.bUseGeocacheStateForIconID && a.strURL == b.strURL &&
           a.timeWaypoint == b.timeWaypoint &&
           a.nActiveWaypointMessageType == b.nActiveWaypointMessageType &&
           a.strFieldNotes == b.strFieldNotes && a.nReserved == b.nReserved &&
           g.strLongDescription == h.strLongDescription &&
           g.bLongDescriptionHTML == h.bLongDescriptionHTML &&
           g.strShortDescription == h.strShortDescription &&
           g.bShortDescriptionHTML == h.bShortDescriptionHTML && g.strCacheName == h.strCacheName &&
           g.strPlacedBy == h.strPlacedBy && g.strCacheType == h.strCacheType &&
           g.nDifficulty == h.nDifficulty && g.nTerrain == h.nTerrain &&
           g.strContainer == h.strContainer && g.strCountry == h.strCountry &&
           g.strState == h.strState && g.strEncodedHints == h.strEncodedHints &&
           g.bAvailable == h.bAvailable && g.bArchived == h.bArchived && SameLogs(g, h);
}
