#pragma once

#include "gps/GnssSystems.h"

// "GNSS Talkers" in section "Settings": 1 (the default) decodes every GNSS talker, any other
// value the GPS talker only.
GnssTalkers ReadGnssTalkersSetting();
void WriteGnssTalkersSetting(GnssTalkers talkers);
