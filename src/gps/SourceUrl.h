#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A network source given where a device is given: "gpsd://HOST[:PORT]" (the raw NMEA gpsd
// passes on from its devices; port 2947 when none is given) or "tcp://HOST:PORT" (a raw NMEA
// stream, as phone apps and network receivers serve).
struct SourceUrl {
    enum class Kind { Gpsd, Tcp };
    static constexpr uint16_t kGpsdPort = 2947;

    Kind kind = Kind::Tcp;
    QString host;
    uint16_t port = 0;
    QString text; // as given
};

// Whether `device` names a network source (its scheme is gpsd:// or tcp://), well formed or not.
bool IsSourceUrl(const QString& device);
// The source `device` names; nothing, with `problem` saying why, when it is not a well-formed
// network source.
std::optional<SourceUrl> ParseSourceUrl(const QString& device, QString* problem = nullptr);
