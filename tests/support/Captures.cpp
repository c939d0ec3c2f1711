#include "support/Captures.h"

#include "support/TestData.h"

#include "gps/NMEAParser.h"

#include <QDir>
#include <QFile>

#include <algorithm>

QStringList CaptureNames()
{
    return QDir(TestDataPath(QStringLiteral("nmea")))
        .entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

QStringList MultiConstellationCaptureNames()
{
    return {QStringLiteral("beidou-bd.log"),         QStringLiteral("bu353-glonass.log"),
            QStringLiteral("ch-4711.log"),           QStringLiteral("gr8013-w.log"),
            QStringLiteral("neo-m8n.log"),           QStringLiteral("nl2008u.log"),
            QStringLiteral("sirfstarv-nmea.log"),    QStringLiteral("ublox-8.log"),
            QStringLiteral("ublox-zed-f9p-nmea.log")};
}

QByteArray ReadCapture(const QString& name)
{
    QFile file(TestDataPath(QStringLiteral("nmea/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FeedInChunks(CNMEAParser& parser, const QByteArray& bytes, qsizetype chunk)
{
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    for (qsizetype at = 0; at < bytes.size(); at += chunk)
        parser.ProcessBytes(data + at, static_cast<size_t>(std::min(chunk, bytes.size() - at)));
}
