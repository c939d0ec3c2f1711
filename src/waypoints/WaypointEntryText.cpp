#include "waypoints/WaypointEntryText.h"

#include "geo/Units.h"
#include "waypoints/ImportNumbers.h"

QString AltitudeEntryText(float metres)
{
    return QString::asprintf("%.02f", AltitudeToDisplay(metres));
}

float AltitudeFromEntry(const QString& text)
{
    return static_cast<float>(AltitudeToMetres(LeadingDecimal(text.toLatin1())));
}

QString ApproachDistanceText(double km)
{
    return QString::asprintf("%.02f", MetresToShort(km * 1000.0));
}

double ApproachDistanceFromEntry(const QString& text)
{
    return ShortToMetres(LeadingDecimal(text.toLatin1())) * 0.001;
}
