#pragma once

#include "nav/TrackExport.h"

#include <QString>

class CTrackLog;

// The map window's track commands: the track kept between runs in the file named by the
// "Track File" setting, the erase, open and new track-file commands and the track exports.
// File names are asked through the prompts seam.

// The track file in use: the "Track File" setting, with the handheld-style default mapped to
// the user data folder.
QString TrackFilePath();

// Loads the track file; on success with points the oldest begins a segment. The LoadFile result.
int LoadTrack(CTrackLog& track);
// Saves to the track file (creating its folder); the newest point is marked as a segment start
// first, so that the points of the next run do not join the line. The SaveFile result; a file
// that cannot be written (a full disk) is reported with the reason, the track in memory kept.
int SaveTrack(CTrackLog& track);
// The same two on the track file at `path` instead of the one the setting names.
int LoadTrack(CTrackLog& track, const QString& path);
int SaveTrack(CTrackLog& track, const QString& path);

// Erase current track.
void EraseTrack(CTrackLog& track);
// Open track file: saves the current track, then loads the chosen file and makes it the track
// file. False when the user cancelled (nothing changed).
bool OpenTrackFile(CTrackLog& track);
// New track file: saves the current track, then makes the chosen file the track file and
// writes the points in memory, which stay, to it. False when the user cancelled.
bool NewTrackFile(CTrackLog& track);

// Export track: asks for the file name and writes the export. 1 when written, 0 when the user
// cancelled or the file could not be written (which is reported with the reason).
int ExportTrack(const CTrackLog& track, TrackExportFormat format);
