#include "gps/GnssSystems.h"

namespace {

constexpr uint16_t Pair(char first, char second)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(first) << 8 |
                                 static_cast<unsigned char>(second));
}

} // namespace

Talker TalkerOf(const char* address)
{
    if (address[0] == '\0')
        return Talker::None;
    switch (Pair(address[0], address[1])) {
    case Pair('G', 'P'):
        return Talker::GP;
    case Pair('G', 'N'):
        return Talker::GN;
    case Pair('G', 'L'):
        return Talker::GL;
    case Pair('G', 'A'):
        return Talker::GA;
    case Pair('G', 'B'):
        return Talker::GB;
    case Pair('B', 'D'):
        return Talker::BD;
    case Pair('G', 'Q'):
        return Talker::GQ;
    case Pair('Q', 'Z'):
        return Talker::QZ;
    case Pair('G', 'I'):
        return Talker::GI;
    default:
        return Talker::None;
    }
}

Constellation ConstellationOf(int systemId, Talker talker, int prn)
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

Constellation ConstellationOfGsa(int systemId, Talker talker, int firstPrn)
{
    // The number 1 stands for any satellite of the system or talker that is not told by number.
    if (systemId >= 1 && systemId <= 6)
        return ConstellationOf(systemId, talker, 1);
    if (talker != Talker::GN)
        return ConstellationOf(talker, 1);
    const Constellation constellation = ConstellationByNumber(firstPrn);
    return constellation == Constellation::SBAS || constellation == Constellation::QZSS
               ? Constellation::GPS
               : constellation;
}
