#include "nav/TrackFileCommands.h"

#include "app/SettingsStore.h"
#include "nav/TrackLog.h"
#include "platform/Locations.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSettingsSection = QStringLiteral("Settings");
const QString kTrackFileKey = QStringLiteral("Track File");
const QString kDefaultTrackFile = QStringLiteral("\\My Documents\\Wendrift\\track.trk");
constexpr int kTrackNotSaved = 1301;
constexpr int kTrackNotExported = 1302;

// A file that could not be written: the user hears which and why (a full disk, say).
void TellNotWritten(int message, const QString& path, const QString& error)
{
    Prompts().Ask(LoadString(message).arg(QDir::toNativeSeparators(path), error), QString(),
                  PromptButtons::Ok, PromptIcon::Warning);
}

// The file dialogs start beside the track file in use.
QString BesideTrackFile(const QString& name)
{
    return QFileInfo(TrackFilePath()).dir().filePath(name);
}

QString AskTrackFileName(FileDialogKind kind, const QString& startPath)
{
    FileDialogRequest request;
    request.kind = kind;
    request.filter = QStringLiteral("Track Files (*.trk);;All Files (*)");
    request.defaultSuffix = QStringLiteral("trk");
    request.startPath = startPath;
    return Prompts().AskFileName(request);
}

struct ExportDialog {
    const char* filter;
    const char* suffix;
};

ExportDialog ExportDialogFor(TrackExportFormat format)
{
    switch (format) {
    case TrackExportFormat::CSV:
        return {"CSV File (*.csv);;All Files (*)", "CSV"};
    case TrackExportFormat::KML:
        return {"KML File (*.kml);;All Files (*)", "KML"};
    case TrackExportFormat::GPX:
        break;
    }
    return {"GPX File (*.gpx);;All Files (*)", "GPX"};
}

} // namespace

QString TrackFilePath()
{
    return Locations::MapHandheldPath(
        ReadTextSetting(kSettingsSection, kTrackFileKey, kDefaultTrackFile));
}

int LoadTrack(CTrackLog& track)
{
    return LoadTrack(track, TrackFilePath());
}

int LoadTrack(CTrackLog& track, const QString& path)
{
    const int loaded = track.LoadFile(path);
    if (loaded && track.GetCount() > 0)
        track.PointAt(0).segmentStart = 1;
    return loaded;
}

int SaveTrack(CTrackLog& track)
{
    return SaveTrack(track, TrackFilePath());
}

int SaveTrack(CTrackLog& track, const QString& path)
{
    if (track.GetCount() > 0)
        track.PointAt(track.GetCount() - 1).segmentStart = 1;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    const int saved = track.SaveFile(path, &error);
    if (!saved)
        TellNotWritten(kTrackNotSaved, path, error);
    return saved;
}

void EraseTrack(CTrackLog& track)
{
    track.Clear();
}

bool OpenTrackFile(CTrackLog& track)
{
    const QString chosen = AskTrackFileName(FileDialogKind::Open, BesideTrackFile(QString()));
    if (chosen.isEmpty())
        return false;
    SaveTrack(track);
    WriteTextSetting(kSettingsSection, kTrackFileKey, chosen);
    LoadTrack(track);
    return true;
}

bool NewTrackFile(CTrackLog& track)
{
    const QString chosen =
        AskTrackFileName(FileDialogKind::Save, BesideTrackFile(QStringLiteral("Untitled")));
    if (chosen.isEmpty())
        return false;
    SaveTrack(track);
    WriteTextSetting(kSettingsSection, kTrackFileKey, chosen);
    // The dialog asked before an existing file is replaced. Writing the points in memory to it
    // at once replaces it in one step, where deleting it first would leave neither old nor new
    // contents on disk until the next save.
    SaveTrack(track);
    return true;
}

int ExportTrack(const CTrackLog& track, TrackExportFormat format)
{
    const ExportDialog dialog = ExportDialogFor(format);
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.filter = QString::fromLatin1(dialog.filter);
    request.defaultSuffix = QString::fromLatin1(dialog.suffix);
    request.startPath = BesideTrackFile(QStringLiteral("Untitled"));
    request.confirmOverwrite = true;
    const QString chosen = Prompts().AskFileName(request);
    if (chosen.isEmpty())
        return 0;
    QString error;
    const int written = ExportTrackFile(track, format, chosen, &error);
    if (!written)
        TellNotWritten(kTrackNotExported, chosen, error);
    return written;
}
