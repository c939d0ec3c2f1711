#include "MapFixture.h"

#include "app/SettingsStore.h"
#include "platform/Messages.h"

#include <QDir>
#include <QFile>

CMapFixture::CMapFixture()
{
    sink.onPost = [this](uint32_t message) {
        if (message == WM_GPS_GGA)
            ++m_pendingGga;
    };
    context.map = &map;
    // The view alone fills the window, so pictures and probes have the sizes asked for.
    WriteIntSetting(QStringLiteral("Map"), QStringLiteral("View Navigation Window"), 0);
    map.ApplyViewSettings();
    // Shown (off screen) so that resizing lays the map window out at once.
    map.setAttribute(Qt::WA_DontShowOnScreen);
    map.show();
    map.Processor().Start();
}

void CMapFixture::Feed(const QByteArray& bytes)
{
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray withEnd = line + '\n';
        parser.ProcessBytes(reinterpret_cast<const uint8_t*>(withEnd.constData()),
                            size_t(withEnd.size()));
        for (; m_pendingGga > 0; --m_pendingGga)
            map.Processor().OnGpsGGA();
    }
}

void CMapFixture::FeedFile(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        Feed(file.readAll());
}

int CMapFixture::AddWaypoint(const QString& name, const GeoPosition& position, int icon)
{
    CWaypoint waypoint;
    waypoint.strName = name;
    waypoint.position = position;
    waypoint.icon = icon;
    return view.Store().AddByPosition(waypoint);
}

QImage CMapFixture::Render(int width, int height)
{
    map.resize(width, height);
    return view.Render();
}

void CMapFixture::Keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("WENDRIFT_PNG_DIR");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}
