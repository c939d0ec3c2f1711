#pragma once

#include "geo/GeoPosition.h"

#include <string>

class CNMEAParser;

// Receiver sentences for the per-fix tests, fed through the real decoder.

// "$<body>*hh\r\n".
std::string NmeaSentence(const std::string& body);

struct FixSentence {
    int secondOfDay = 0;
    double latitude = 0.0, longitude = 0.0; // degrees
    double altitude = 50.0;
    int quality = 1; // 0: no fix (empty position)
    double hdop = 1.0;
    double speed = 0.0;          // knots
    double course = 0.0;         // degrees
    const char* date = "180524"; // ddmmyy of the RMC
};

std::string GgaSentence(const FixSentence& fix);
std::string RmcSentence(const FixSentence& fix);
void Feed(CNMEAParser& parser, const std::string& bytes);

// A position `metres` north and east of `from`, on the sphere the distances are measured on.
GeoPosition Offset(const GeoPosition& from, double northMetres, double eastMetres);
double Latitude(const GeoPosition& position);
double Longitude(const GeoPosition& position);
