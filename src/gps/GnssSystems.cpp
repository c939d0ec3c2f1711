#include "gps/GnssSystems.h"

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
