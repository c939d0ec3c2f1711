#pragma once

#include "gps/ByteSource.h"

#include <QString>

#include <cstdint>
#include <memory>

// Opens serial device `device` exclusively at `baud`: 8N1, raw, non-blocking reads, DTR and RTS
// up, no flow control. On failure returns nothing and sets `failure` to the text that says why.
std::unique_ptr<IByteSource> OpenSerialDevice(const QString& device, uint32_t baud,
                                              const char** failure);

// The text of a device that cannot be opened (held by another program, or missing).
inline constexpr char kOpenPortFailed[] =
    "Unable to open port. Please close the application accessing the communication port";
