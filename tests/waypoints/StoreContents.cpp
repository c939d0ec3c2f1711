#include "StoreContents.h"

#include <QFile>

#include <gtest/gtest.h>

std::vector<CWaypoint> StoreWaypoints(const CWaypointDB& db)
{
    std::vector<CWaypoint> all;
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& wp : db.CellWaypoints(cell))
            all.push_back(wp);
    return all;
}

CWaypoint WaypointNamed(const CWaypointDB& db, const QString& name)
{
    for (const CWaypoint& wp : StoreWaypoints(db))
        if (wp.strName == name)
            return wp;
    ADD_FAILURE() << "no waypoint named " << name.toStdString();
    return CWaypoint();
}

QString WriteFileIn(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}
