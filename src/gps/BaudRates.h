#pragma once

#include <termios.h>

#include <cstdint>

// The termios speed constant of a baud rate, and back. Rates without a constant are not
// supported by the line discipline and give false / 0.
bool SpeedForBaud(uint32_t baud, speed_t* speed);
uint32_t BaudForSpeed(speed_t speed);
