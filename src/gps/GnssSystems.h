#pragma once

#include <cstdint>

// The talkers whose GGA, GSA, GSV, RMB, RMC and ZDA sentences are decoded: GPS, the combined
// talker of multi-constellation receivers, GLONASS, Galileo, BeiDou (new and old ID), QZSS (new
// and old ID) and NavIC.
enum class Talker : uint8_t { GP, GN, GL, GA, GB, BD, GQ, QZ, GI, None };
inline constexpr int kTalkerCount = static_cast<int>(Talker::None);

// Which talkers are decoded: the value of the setting "GNSS Talkers" (section "Settings").
enum class GnssTalkers : int { GpOnly = 0, All = 1 };

// The system a satellite belongs to; the sky view and the signal bars tell them apart by it.
enum class Constellation : uint8_t { GPS, SBAS, GLONASS, Galileo, BeiDou, QZSS, NavIC };
inline constexpr int kConstellationCount = 7;

// A two-character talker ID as one number.
constexpr uint16_t TalkerCode(char first, char second)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(first) << 8 |
                                 static_cast<unsigned char>(second));
}

// The talker of an address's first two characters; None for any other.
inline Talker TalkerOf(const char* address)
{
    if (address[0] == '\0')
        return Talker::None;
    switch (TalkerCode(address[0], address[1])) {
    case TalkerCode('G', 'P'):
        return Talker::GP;
    case TalkerCode('G', 'N'):
        return Talker::GN;
    case TalkerCode('G', 'L'):
        return Talker::GL;
    case TalkerCode('G', 'A'):
        return Talker::GA;
    case TalkerCode('G', 'B'):
        return Talker::GB;
    case TalkerCode('B', 'D'):
        return Talker::BD;
    case TalkerCode('G', 'Q'):
        return Talker::GQ;
    case TalkerCode('Q', 'Z'):
        return Talker::QZ;
    case TalkerCode('G', 'I'):
        return Talker::GI;
    default:
        return Talker::None;
    }
}

// The constellation of satellite `prn` in the NMEA numbering, in which the number tells the
// system: 33-64 and 120-158 SBAS, 65-96 GLONASS, 193-200 QZSS, 201-263 and 401-437 BeiDou,
// 301-336 Galileo, the rest GPS.
inline Constellation ConstellationByNumber(int prn)
{
    if (prn <= 32)
        return Constellation::GPS;
    if (prn <= 64 || (prn >= 120 && prn <= 158))
        return Constellation::SBAS;
    if (prn <= 96)
        return Constellation::GLONASS;
    if (prn >= 193 && prn <= 200)
        return Constellation::QZSS;
    if ((prn >= 201 && prn <= 263) || (prn >= 401 && prn <= 437))
        return Constellation::BeiDou;
    if (prn >= 301 && prn <= 336)
        return Constellation::Galileo;
    return Constellation::GPS;
}

// The constellation of satellite `prn` as `talker` reports it: a constellation's own talker
// speaks only of its satellites, while GP and GN use the NMEA numbering.
inline Constellation ConstellationOf(Talker talker, int prn)
{
    switch (talker) {
    case Talker::GL:
        return Constellation::GLONASS;
    case Talker::GA:
        return Constellation::Galileo;
    case Talker::GB:
    case Talker::BD:
        return Constellation::BeiDou;
    case Talker::GQ:
    case Talker::QZ:
        return Constellation::QZSS;
    case Talker::GI:
        return Constellation::NavIC;
    default:
        return ConstellationByNumber(prn);
    }
}
// The same for a sentence carrying the system ID of NMEA 4.10 (1 GPS, 2 GLONASS, 3 Galileo,
// 4 BeiDou, 5 QZSS, 6 NavIC); 0 or an unknown ID leaves it to the talker.
inline Constellation ConstellationOf(int systemId, Talker talker, int prn)
{
    switch (systemId) {
    case 1:
        return ConstellationByNumber(prn); // GPS with its SBAS and QZSS satellites
    case 2:
        return Constellation::GLONASS;
    case 3:
        return Constellation::Galileo;
    case 4:
        return Constellation::BeiDou;
    case 5:
        return Constellation::QZSS;
    case 6:
        return Constellation::NavIC;
    default:
        return ConstellationOf(talker, prn);
    }
}

// The constellation whose satellites a GSA sentence lists (its system ID; else its talker; for
// GN without an ID, that of its first PRN), so that an epoch's GSA sentences can be told apart.
// SBAS and QZSS satellites are reported with GPS.
Constellation ConstellationOfGsa(int systemId, Talker talker, int firstPrn);
