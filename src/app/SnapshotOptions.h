#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// What `wendrift --snapshot` is asked to show.
struct SnapshotOptions {
    QString output;       // the view's client area as PNG
    QString windowOutput; // the whole main window as PNG, when asked
    int tab = -1;         // 0..4, or -1 for the first tab
    QSize size{480, 536}; // the shown view's client area
    int dpi = 96;
    QString feedPath;   // a log fed through the receiver's path first
    QStringList keys;   // key names, pressed in order
    QList<QPoint> taps; // view coordinates, tapped in order after the keys
    std::optional<qint64> now;
};

// The tab names as the tabs show them: GPS, Panel, Trip, Map, Analysis.
int SnapshotTabIndex(const QString& name);
// Reads the snapshot arguments of `arguments` (the program name first). Returns nothing and
// sets `error` to a one-line message when an argument is missing or malformed.
std::optional<SnapshotOptions> ParseSnapshotOptions(const QStringList& arguments, QString& error);
