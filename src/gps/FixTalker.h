#pragma once

#include "gps/GnssSystems.h"

#include <cstdint>
#include <string_view>

// Which talker's sentences of one fix type (GGA, RMC, ZDA or RMB) write the fix, so that each
// epoch is decoded once even when a receiver reports it under several talkers (vertical speed,
// acceleration and the track must see one fix per second). The combined talker GN is preferred;
// otherwise the first talker heard keeps the type. When the chosen talker misses an epoch that
// another one reports (receivers change talkers as they gain or lose a constellation), that
// talker takes over.
class CFixTalker {
public:
    void Reset() { *this = CFixTalker(); }
    // Whether the sentence of `talker` whose time field is `time` (empty when it has none) writes
    // the fix.
    bool Accept(Talker talker, std::string_view time);

private:
    void Remember(std::string_view time);

    Talker m_talker = Talker::None;
    uint8_t m_timeLength = 0;
    char m_time[24] = {}; // time field of the last sentence that wrote the fix
};
