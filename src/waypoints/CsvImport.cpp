#include "waypoints/CsvImport.h"

#include "platform/StringTable.h"
#include "waypoints/HandheldText.h"
#include "waypoints/ImportNumbers.h"
#include "waypoints/WaypointImportMerge.h"

#include <QByteArrayView>
#include <QFile>
#include <QStringDecoder>

#include <vector>

namespace {

constexpr qsizetype kMaxLineBytes = 1023;
constexpr qsizetype kMaxFieldBytes = 255;
constexpr int kProgressStep = 100;
constexpr int kOutOfRangeMessage = 220;

// The file as the lines a 1,024-byte line reader gets: each ends after its line feed or after
// 1,023 bytes.
std::vector<QByteArrayView> SplitLines(const QByteArray& bytes)
{
    std::vector<QByteArrayView> lines;
    QByteArrayView rest(bytes);
    while (!rest.isEmpty()) {
        const QByteArrayView window = rest.first(std::min(rest.size(), kMaxLineBytes));
        const qsizetype newline = window.indexOf('\n');
        const qsizetype length = newline < 0 ? window.size() : newline + 1;
        lines.push_back(rest.first(length));
        rest = rest.sliced(length);
    }
    return lines;
}

// Field n: after the n-th comma up to the next comma or the end of the line.
QByteArrayView Field(QByteArrayView line, int n)
{
    for (int i = 0; i < n; ++i) {
        const qsizetype comma = line.indexOf(',');
        if (comma < 0)
            return {};
        line = line.sliced(comma + 1);
    }
    const qsizetype comma = line.indexOf(',');
    if (comma >= 0)
        line = line.first(comma);
    return line.first(std::min(line.size(), kMaxFieldBytes));
}

QByteArrayView TrimBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// Files written today are UTF-8; older ones are in the handheld's Korean code page.
QString DecodeText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeHandheldText(bytes.data(), bytes.size());
}

// The name of a line: blanks around it dropped, and the quotes of a quoted text removed.
QString NameText(QByteArrayView field)
{
    QByteArrayView text = TrimBlanks(field);
    if (text.startsWith('"')) {
        text = text.sliced(1);
        if (text.endsWith('"'))
            text.chop(1);
    }
    return DecodeText(text);
}

} // namespace

WaypointImportResult ImportCSVFile(CWaypointDB& db, const QString& path,
                                   const CsvImportOptions& options, const ImportProgress& progress)
{
    CWaypointImportMerge merge(db, kImportKeepExisting);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ImportResultOf(merge, ImportStatus::CannotOpen);
    const QByteArray bytes = file.readAll();
    const std::vector<QByteArrayView> lines = SplitLines(bytes);
    const int range = static_cast<int>(lines.size());
    if (progress)
        progress(0, range);

    const bool latitudeFirst = options.format == kCsvLatitudeLongitude;
    for (size_t n = options.skipFirstLine ? 1 : 0; n < lines.size(); ++n) {
        QByteArrayView line = lines[n];
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView latitudeField = Field(line, latitudeFirst ? 0 : 1);
        const QByteArrayView longitudeField = Field(line, latitudeFirst ? 1 : 0);
        const double latitude = LeadingDecimal(latitudeField);
        const double longitude = LeadingDecimal(longitudeField);
        if (latitude < -90.0 || latitude > 90.0 || longitude < -180.0 || longitude > 180.0)
            return ImportResultOf(merge, ImportStatus::OutOfRange, LoadString(kOutOfRangeMessage));
        const QString name = NameText(Field(line, 2));
        if (!name.isEmpty()) {
            CWaypoint wp;
            wp.position.latitude = MicrodegreesFromText(latitudeField);
            wp.position.longitude = MicrodegreesFromText(longitudeField);
            wp.strName = name;
            wp.icon = options.iconID;
            wp.bActiveWaypoint = options.alarmOn;
            wp.dActiveWPDistance = options.alarmRadius;
            wp.nActiveWaypointMessageType = options.messageType;
            merge.Offer(std::move(wp));
        }
        if (progress && (n + 1) % kProgressStep == 0 && !progress(static_cast<int>(n + 1), range))
            return ImportResultOf(merge, ImportStatus::Cancelled);
    }
    if (progress)
        progress(range, range);
    return ImportResultOf(merge, ImportStatus::Completed);
}
