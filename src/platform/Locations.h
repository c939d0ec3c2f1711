#pragma once

#include <QString>

// Where the program keeps its files on Linux.
namespace Locations {

// $XDG_DATA_HOME/Wendrift: the waypoint database and the track file by default.
QString UserDataDir();
// $XDG_CACHE_HOME/Wendrift: generated pages and other files that can be made again.
QString UserCacheDir();
// The installed, read-only share/wendrift folder (HTML templates, images, sounds). In a build
// tree it is the source tree's resources folder.
QString ShareDir();

// Turns a handheld-style default such as "\My Documents\Wendrift\track.trk" into its place on
// this system (the user data folder); "\HTML\..." goes to the cache folder. Any other path is
// returned as it is.
QString MapHandheldPath(const QString& path);

} // namespace Locations
