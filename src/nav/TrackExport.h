#pragma once

#include <QByteArray>
#include <QString>

class CTrackLog;

enum class TrackExportFormat { CSV, KML, GPX };

// The whole track, oldest point first, as text for other programs: comma-separated values, a
// KML 2.0 document of one line placemark per segment, a GPX 1.0 track of one segment per
// segment. Each returns 1 when the file was written (it replaces any old file only once
// complete), 0 when it could not be.
int ExportCSV(const CTrackLog& track, const QString& path);
int ExportKML(const CTrackLog& track, const QString& path);
int ExportGPX(const CTrackLog& track, const QString& path);
// `error`, when given, says why a file could not be written.
int ExportTrackFile(const CTrackLog& track, TrackExportFormat format, const QString& path,
                    QString* error = nullptr);

// The text the export of `format` writes.
QByteArray TrackExportText(const CTrackLog& track, TrackExportFormat format);
