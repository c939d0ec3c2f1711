#pragma once

#include "geo/GeoPosition.h"
#include "nav/MapHooks.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class CWaypoint;
class CWaypointDB;

// A running mean and deviation of one quantity.
struct RunningStatistic {
    double sum = 0.0;
    uint32_t count = 0;
    double mean = 0.0;
    double sumOfSquares = 0.0; // of the differences from the mean as it stood after each sample
    double deviation = 0.0;

    void Add(double x);
};

// Who shows the averaging: the status window and the map's marker with its deviation circle.
class IAveragingDisplay {
public:
    virtual ~IAveragingDisplay() = default;
    virtual void AveragingStarted() = 0;
    // The mean position, the deviation in kilometres and the number of samples taken.
    virtual void AveragingUpdated(const GeoPosition& mean, double deviationKm,
                                  uint32_t samples) = 0;
    virtual void AveragingStopped() = 0;
};

// Waypoint averaging: while it runs, each fix the map hands over is added to the statistics of
// latitude, longitude and altitude, except fixes whose HDOP is above the threshold.
class CWaypointAveraging : public IPositionAveraging {
public:
    CWaypointAveraging();

    // Displays told about the averaging (not owned).
    void AddDisplay(IAveragingDisplay* display);
    void RemoveDisplay(IAveragingDisplay* display);

    // Clears the statistics, reads the threshold settings and starts.
    void Start();
    // Stops; nothing is created.
    void Cancel();
    // Stops and gives the waypoint at the mean position, named with the store's next free
    // name; nothing when no fix was taken (there is no position to give).
    std::optional<CWaypoint> Finish(const CWaypointDB& db);

    bool IsAveraging() const override { return m_averaging; }
    void AddSample(double latitude, double longitude, double altitude, double hdop) override;
    void SetHdopThreshold(bool enabled, double hdop) override;

    const RunningStatistic& Latitude() const { return m_latitude; }
    const RunningStatistic& Longitude() const { return m_longitude; }
    const RunningStatistic& Altitude() const { return m_altitude; }
    GeoPosition MeanPosition() const;
    // The distance from the mean position to the mean plus one deviation in each coordinate.
    double DeviationKm() const;

private:
    void Stop();

    bool m_averaging = false;
    bool m_thresholdEnabled = true;
    double m_hdopThreshold = 5.0;
    RunningStatistic m_latitude, m_longitude, m_altitude;
    std::vector<IAveragingDisplay*> m_displays;
};

// The two text blocks of the averaging status window: the mean position and altitude in the
// user's formats, then the deviation in the user's distance unit and the sample count.
struct AveragingStatusText {
    QString position;  // "Avg Lat:\t...\nAvg Lon:\t...\nAvg Alt:\t..."
    QString deviation; // "Deviation:\t%.02f unit\nSamples:\t%d"
};
AveragingStatusText AveragingStatus(const GeoPosition& mean, double deviationKm, uint32_t samples);
