#include "gps/FixTalker.h"

#include <algorithm>
#include <cstring>

bool CFixTalker::Accept(Talker talker, std::string_view time)
{
    if (m_talker != Talker::None && talker != m_talker &&
        (time.empty() || time == std::string_view(m_time, m_timeLength))) {
        // An epoch already decoded. The combined talker still takes the type over from here.
        if (talker == Talker::GN)
            m_talker = talker;
        return false;
    }
    m_talker = talker;
    Remember(time);
    return true;
}

void CFixTalker::Remember(std::string_view time)
{
    m_timeLength = static_cast<uint8_t>(std::min(time.size(), sizeof m_time));
    if (m_timeLength > 0)
        std::memcpy(m_time, time.data(), m_timeLength);
}
