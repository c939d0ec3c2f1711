#include "app/StatusPanes.h"

#include "gps/NMEAParser.h"

#include <QCoreApplication>

QString ConnectionPaneText(bool connecting, bool connectionLost, int fixQuality)
{
    if (connecting)
        return QCoreApplication::translate("StatusBar", "Conecting to GPS...");
    if (connectionLost)
        return QCoreApplication::translate("StatusBar", "GPS connection failed");
    return QCoreApplication::translate("StatusBar", FixQualityText(fixQuality));
}

int IndicatorImageRow(int fixQuality, bool connectionLost)
{
    if (connectionLost || fixQuality == 0)
        return 0;
    return fixQuality == 2 ? 3 : 1;
}
