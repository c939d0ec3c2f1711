#pragma once

#include <QByteArray>
#include <QStringList>

class CNMEAParser;

// The receiver captures of the shared test data (nmea/*.log, with the other decoder's
// expectations in *.log.chk).

// The file names of every capture, sorted.
QStringList CaptureNames();
// The captures of receivers that report several constellations under several talkers.
QStringList MultiConstellationCaptureNames();
// The contents of nmea/<name> (empty when it cannot be read).
QByteArray ReadCapture(const QString& name);
// Feeds `bytes` to `parser` in chunks of `chunk` bytes.
void FeedInChunks(CNMEAParser& parser, const QByteArray& bytes, qsizetype chunk);
