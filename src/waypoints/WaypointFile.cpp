#include "waypoints/WaypointFile.h"

#include "platform/SafeFile.h"
#include "waypoints/HandheldText.h"
#include "waypoints/LegacyWaypointText.h"
#include "waypoints/WaypointDB.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace {

constexpr char kMagic[] = {'O', 'R', 'V', 'S', 'W', 'P'};
constexpr qsizetype kHeaderSize = sizeof kMagic + 1 + 4;
constexpr qsizetype kMaxStringUnits = 32767;

// ---- Writing -------------------------------------------------------------------------------

// Gathers the output in blocks of 102,400 bytes, so the file is written in few large pieces.
class CBlockWriter {
public:
    explicit CBlockWriter(CSafeFileWriter& file) : m_file(file) {}

    void Bytes(const void* data, size_t size) { std::memcpy(Space(size), data, size); }
    template <typename T> void Number(T value) { qToLittleEndian(value, Space(sizeof value)); }
    void U8(uint32_t value) { Number(static_cast<uint8_t>(value)); }
    void U16(uint32_t value) { Number(static_cast<uint16_t>(value)); }
    void U32(uint32_t value) { Number(value); }
    void F32(float value) { Number(std::bit_cast<uint32_t>(value)); }
    void F64(double value) { Number(std::bit_cast<uint64_t>(value)); }
    void Flag(bool value) { U8(value ? 1 : 0); }

    // A count of UTF-16 units and the units. Longer texts are cut to 32,767 units, one fewer
    // when the cut would split a surrogate pair.
    void String(const QString& text)
    {
        qsizetype units = std::min(text.size(), kMaxStringUnits);
        if (units < text.size() && text.at(units - 1).isHighSurrogate())
            --units;
        U16(static_cast<uint32_t>(units));
        qToLittleEndian<uint16_t>(text.constData(), units, Space(static_cast<size_t>(units) * 2));
    }

    bool Finish()
    {
        Flush();
        return m_ok;
    }

private:
    static constexpr size_t kBlockSize = 102400; // larger than any one piece (at most 65,536)

    // Room for `size` more bytes; the held bytes go to the file first when they would fill it.
    char* Space(size_t size)
    {
        if (m_held + size >= kBlockSize)
            Flush();
        char* at = m_block.get() + m_held;
        m_held += size;
        return at;
    }

    void Flush()
    {
        if (m_held > 0)
            m_ok = m_file.Write(m_block.get(), static_cast<qint64>(m_held)) && m_ok;
        m_held = 0;
    }

    CSafeFileWriter& m_file;
    std::unique_ptr<char[]> m_block = std::make_unique<char[]>(kBlockSize);
    size_t m_held = 0;
    bool m_ok = true;
};

void WriteRecord(CBlockWriter& out, const CWaypoint& wp)
{
    out.Number(wp.position.latitude);
    out.Number(wp.position.longitude);
    out.F32(wp.position.altitude);
    out.String(wp.strName);
    out.U16(static_cast<uint32_t>(wp.icon));
    out.Flag(wp.bActiveWaypoint);
    out.F64(wp.dActiveWPDistance);
    out.String(wp.strSoundFile);
    out.String(wp.strDescription);
    out.U16(static_cast<uint32_t>(wp.nType));
    out.U16(static_cast<uint32_t>(wp.nGeocacheState));
    out.U32(static_cast<uint32_t>(wp.timeGeochacheFound));
    out.Flag(wp.bUseGeocacheStateForIconID);
    out.String(wp.strURL);
    out.U32(static_cast<uint32_t>(wp.timeWaypoint));
    out.U16(static_cast<uint32_t>(wp.nActiveWaypointMessageType));
    out.String(wp.strFieldNotes);
    out.U32(0); // nReserved is always written as zero
    const GeocacheInfo& gc = wp.geocache;
    out.Flag(gc.bLongDescriptionHTML);
    out.String(gc.strLongDescription);
    out.Flag(gc.bShortDescriptionHTML);
    out.String(gc.strShortDescription);
    out.String(gc.strEncodedHints);
    out.Flag(gc.bAvailable);
    out.Flag(gc.bArchived);
    out.String(gc.strCacheName);
    out.String(gc.strContainer);
    out.String(gc.strCountry);
    out.String(gc.strState);
    out.String(gc.strPlacedBy);
    out.String(gc.strCacheType);
    out.U8(gc.nDifficulty);
    out.U8(gc.nTerrain);
    for (const GeocacheLog& log : gc.logs) {
        out.String(log.strLogText);
        out.U8(log.nLogType);
        out.Flag(log.bLogTextEncoded);
        out.U32(static_cast<uint32_t>(log.timeLogDate));
        out.String(log.strLogFinder);
    }
}

// ---- Reading -------------------------------------------------------------------------------

// Reads little-endian values from the file's bytes. Once a read would pass the end it fails
// for good and gives zeros and empty strings, so a cut-off record is recognised after the fact.
class CByteCursor {
public:
    CByteCursor(const QByteArray& bytes, qsizetype offset)
        : m_data(bytes.constData()), m_size(bytes.size()), m_offset(offset)
    {}

    bool Ok() const { return m_ok; }

    template <typename T> T Number()
    {
        const char* at = Take(sizeof(T));
        return at ? qFromLittleEndian<T>(at) : T{};
    }
    uint32_t U8() { return Number<uint8_t>(); }
    uint32_t U16() { return Number<uint16_t>(); }
    uint32_t U32() { return Number<uint32_t>(); }
    int32_t I32() { return Number<int32_t>(); }
    float F32() { return std::bit_cast<float>(Number<uint32_t>()); }
    double F64() { return std::bit_cast<double>(Number<uint64_t>()); }
    bool Flag() { return U8() != 0; }

    // Version 5: a count of UTF-16 units, then the units.
    QString WideString()
    {
        const qsizetype units = U16();
        const char* at = Take(units * 2);
        if (!at)
            return {};
        QString text(units, Qt::Uninitialized);
        qFromLittleEndian<uint16_t>(at, units, text.data());
        return text;
    }

    // Versions 2 to 4: a count of bytes, then 8-bit text of the handheld's code page.
    QString NarrowString()
    {
        const qsizetype bytes = U16();
        const char* at = Take(bytes);
        return at ? DecodeHandheldText(at, bytes) : QString();
    }

private:
    // The next `bytes` bytes, or nullptr (and failed from now on) when the file ends first.
    const char* Take(qsizetype bytes)
    {
        if (!m_ok || bytes > m_size - m_offset) {
            m_ok = false;
            return nullptr;
        }
        const char* at = m_data + m_offset;
        m_offset += bytes;
        return at;
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_offset;
    bool m_ok = true;
};

// Reads one record of `version` (2 to 5; 0 and 1 have the version 5 layout).
CWaypoint ReadRecord(CByteCursor& in, int version)
{
    const bool wide = version >= 5 || version < 2;
    const bool hasLogs = version >= 4 || version < 2;
    auto text = [&] { return wide ? in.WideString() : in.NarrowString(); };

    GeoPosition position;
    position.latitude = in.I32();
    position.longitude = in.I32();
    // Version 2 kept the altitude in hundredths of a metre.
    position.altitude = version == 2 ? static_cast<float>(in.I32()) * 0.01f : in.F32();
    // Function arguments have no order of evaluation: every field is read into its own name.
    const QString name = text();
    const auto icon = static_cast<int32_t>(in.U16());
    const bool active = in.Flag();
    const double radius = in.F64();
    const QString soundFile = text();
    const QString description = text();
    const auto type = static_cast<int32_t>(in.U16());
    const auto state = static_cast<int32_t>(in.U16());
    const auto foundTime = static_cast<int32_t>(in.U32());
    const bool iconFromState = in.Flag();
    const QString url = text();
    const auto time = static_cast<int32_t>(in.U32());
    const auto messageType = static_cast<int32_t>(in.U16());
    const QString fieldNotes = text();
    if (hasLogs)
        in.U32(); // nReserved: not kept

    GeocacheInfo gc;
    gc.bLongDescriptionHTML = in.Flag();
    gc.strLongDescription = text();
    gc.bShortDescriptionHTML = in.Flag();
    gc.strShortDescription = text();
    gc.strEncodedHints = text();
    gc.bAvailable = in.Flag();
    gc.bArchived = in.Flag();
    gc.strCacheName = text();
    gc.strContainer = text();
    gc.strCountry = text();
    gc.strState = text();
    gc.strPlacedBy = text();
    gc.strCacheType = text();
    gc.nDifficulty = static_cast<uint8_t>(in.U8());
    gc.nTerrain = static_cast<uint8_t>(in.U8());
    if (hasLogs) {
        for (GeocacheLog& log : gc.logs) {
            log.strLogText = text();
            log.nLogType = static_cast<uint8_t>(in.U8());
            log.bLogTextEncoded = in.Flag();
            log.timeLogDate = static_cast<int32_t>(in.U32());
            log.strLogFinder = text();
        }
    }
    return CWaypoint(position, name, icon, active, radius, soundFile, description, type, state,
                     foundTime, iconFromState, url, time, messageType, gc, fieldNotes);
}

void ReadBinaryRecords(const QByteArray& bytes, WaypointLoadResult& result,
                       const std::function<void(CWaypoint&&)>& sink)
{
    if (bytes.size() < kHeaderSize) {
        result.status = WaypointLoadStatus::Damaged;
        return;
    }
    CByteCursor in(bytes, sizeof kMagic + 1);
    result.statedCount = in.U32();
    for (uint32_t i = 0; i < result.statedCount; ++i) {
        CWaypoint wp = ReadRecord(in, result.version);
        if (!in.Ok()) {
            result.status = WaypointLoadStatus::Damaged;
            return;
        }
        ++result.recordsRead;
        sink(std::move(wp));
    }
    result.status = WaypointLoadStatus::Loaded;
}

} // namespace

WaypointLoadResult ReadWaypointFile(const QString& path,
                                    const std::function<void(CWaypoint&&)>& sink)
{
    WaypointLoadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return result;

    // A file cut off inside the magic is a damaged database, not text.
    if (!bytes.isEmpty() && bytes.size() < qsizetype(sizeof kMagic) &&
        std::memcmp(bytes.constData(), kMagic, static_cast<size_t>(bytes.size())) == 0) {
        result.status = WaypointLoadStatus::Damaged;
        return result;
    }
    if (bytes.size() < qsizetype(sizeof kMagic) ||
        std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0) {
        result.version = kLegacyWaypointFileVersion;
        result.olderFormat = true;
        result.recordsRead = ReadLegacyWaypointText(bytes, sink);
        result.statedCount = static_cast<uint32_t>(result.recordsRead);
        result.status = WaypointLoadStatus::Loaded;
        return result;
    }
    result.version = bytes.size() > qsizetype(sizeof kMagic)
                         ? static_cast<unsigned char>(bytes[sizeof kMagic])
                         : 0;
    if (result.version > kWaypointFileVersion) {
        result.status = WaypointLoadStatus::UnsupportedVersion;
        return result;
    }
    result.olderFormat = result.version >= 2 && result.version <= 4;
    ReadBinaryRecords(bytes, result, sink);
    return result;
}

bool WriteWaypointFile(const QString& path, const CWaypointDB& db)
{
    CSafeFileWriter file(path);
    if (!file.Open())
        return false;
    CBlockWriter out(file);
    out.Bytes(kMagic, sizeof kMagic);
    out.U8(kWaypointFileVersion);
    out.U32(static_cast<uint32_t>(db.GetCount()));
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell) {
        for (const CWaypoint& wp : db.CellWaypoints(cell))
            WriteRecord(out, wp);
    }
    if (!out.Finish()) {
        file.Discard();
        return false;
    }
    return file.Commit();
}
