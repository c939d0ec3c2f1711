#include "gps/NMEAParser.h"

#include "gps/NmeaFields.h"
#include "platform/MessageSink.h"
#include "platform/Messages.h"

#include <cstring>

namespace {

constexpr int kFieldSize = 25; // every field copy holds at most 24 characters
constexpr double kKnotsToMetresPerSecond = 0.277777777778;

double ReadLatitude(const char* text)
{
    return ParseDegreesMinutes(text, 2);
}
double ReadLongitude(const char* text)
{
    return ParseDegreesMinutes(text, 3);
}

} // namespace

CNMEAParser::CNMEAParser(IMessageSink* messages) : m_messages(messages)
{
    ResetFixState();
}

CNMEAParser::~CNMEAParser() = default;

void CNMEAParser::ResetFixState()
{
    m_gga = GgaState{};
    m_gsa = GsaState{};
    m_gsv = GsvState{};
    m_rmb = RmbState{};
    m_rmc = RmcState{};
    m_zda = ZdaState{};
}

int CNMEAParser::ProcessBytes(const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        ProcessByte(bytes[i]);
    if (m_sink) {
        m_sink->WriteChunk(bytes, count);
        m_loggedBytes += static_cast<uint32_t>(count);
    }
    return 1;
}

void CNMEAParser::ProcessByte(uint8_t byte)
{
    switch (m_framerState) {
    case Idle:
        if (byte == '$') {
            m_checksum = 0;
            m_bufferIndex = 0;
            m_framerState = Address;
        }
        return;
    case Address:
        m_checksum ^= byte;
        if (byte == ',' || byte == '*') {
            // An asterisk right after the address is taken as a delimiter, checksum included.
            m_address[m_bufferIndex] = '\0';
            m_bufferIndex = 0;
            m_framerState = Data;
            return;
        }
        m_address[m_bufferIndex++] = static_cast<char>(byte);
        if (m_bufferIndex >= sizeof m_address)
            m_framerState = Idle;
        return;
    case Data:
        if (byte == '*') {
            m_data[m_bufferIndex] = '\0';
            m_framerState = ChecksumHigh;
            return;
        }
        if (byte == '\r') {
            // No checksum: accepted as it is.
            m_data[m_bufferIndex] = '\0';
            m_framerState = Idle;
            DispatchSentence(m_address, m_data);
            return;
        }
        m_checksum ^= byte;
        m_data[m_bufferIndex++] = static_cast<char>(byte);
        if (m_bufferIndex >= sizeof m_data)
            m_framerState = Idle;
        return;
    case ChecksumHigh: {
        const int b = byte;
        m_receivedChecksum = static_cast<uint8_t>(((b - 0x30 <= 9) ? b : b + 9) & 0x0F);
        m_framerState = ChecksumLow;
        return;
    }
    case ChecksumLow: {
        const int b = byte;
        const int low = (b - 0x30 <= 9) ? b - 0x30 : b - 0x37;
        const int received = (m_receivedChecksum << 4) | low;
        m_receivedChecksum = static_cast<uint8_t>(received);
        m_framerState = Idle;
        if (received == m_checksum)
            DispatchSentence(m_address, m_data);
        return;
    }
    default:
        m_framerState = Idle;
        return;
    }
}

void CNMEAParser::DispatchSentence(const char* address, const char* data)
{
    if (std::strcmp(address, "GPGGA") == 0)
        DecodeGGA(data);
    else if (std::strcmp(address, "GPGSA") == 0)
        DecodeGSA(data);
    else if (std::strcmp(address, "GPGSV") == 0)
        DecodeGSV(data);
    else if (std::strcmp(address, "GPRMB") == 0)
        DecodeRMB(data);
    else if (std::strcmp(address, "GPRMC") == 0)
        DecodeRMC(data);
    else if (std::strcmp(address, "GPZDA") == 0)
        DecodeZDA(data);
    ++m_sentenceCount;
    PostToMainWindow(WM_GPS_UPDATE);
}

void CNMEAParser::PostToMainWindow(uint32_t message)
{
    if (m_messages)
        m_messages->Post(message);
}

int CNMEAParser::SetRawDataSink(std::unique_ptr<IRawDataSink> sink)
{
    if (m_sink || !sink)
        return 0;
    m_sink = std::move(sink);
    m_loggedBytes = 0;
    return 1;
}

int CNMEAParser::ClearRawDataSink()
{
    if (!m_sink)
        return 0;
    m_sink.reset();
    return 1;
}

int CNMEAParser::GetField(const char* data, int index, char* out, int size)
{
    if (!data || !out || size < 1)
        return 0;
    return CNmeaFields(data).Get(index, out, size);
}

double CNMEAParser::ParseDecimal(const char* text)
{
    return ::ParseDecimal(text);
}

int CNMEAParser::IsPrnInUse(uint16_t prn) const
{
    if (prn == 0)
        return 0;
    for (int i = 0; i < 12; ++i)
        if (m_gsa.prnsInUse[i] == prn)
            return 1;
    return 0;
}

void CNMEAParser::DecodeGGA(const char* data)
{
    const CNmeaFields fields(data);
    char f[kFieldSize];
    if (fields.Get(0, f, sizeof f)) {
        m_gga.hour = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_gga.minute = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_gga.second = static_cast<uint8_t>(TwoCharacterNumber(f, 4));
        m_gga.seconds = ::ParseDecimal(std::strlen(f) > 4 ? f + 4 : "");
    }
    if (fields.Get(1, f, sizeof f))
        m_gga.latitude = ApplyHemisphere(ReadLatitude(f), fields, 2, 'S');
    if (fields.Get(3, f, sizeof f))
        m_gga.longitude = ApplyHemisphere(ReadLongitude(f), fields, 4, 'W');
    if (fields.Get(5, f, sizeof f))
        m_gga.quality = static_cast<uint8_t>(f[0] - '0');
    if (fields.Get(6, f, sizeof f))
        m_gga.satellitesUsed = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
    if (fields.Get(7, f, sizeof f))
        m_gga.hdop = ::ParseDecimal(f);
    if (fields.Get(8, f, sizeof f))
        m_gga.altitude = ::ParseDecimal(f);

    const int32_t t = m_gga.minute * 60 + m_gga.second;
    const int32_t p = m_gga.previousSecondOfHour;
    if (t > p)
        m_gga.verticalSpeed = (m_gga.altitude - m_gga.previousAltitude) / ((t - p) / 60.0);
    m_gga.previousSecondOfHour = t;
    m_gga.previousAltitude = m_gga.altitude;
    ++m_gga.count;
    PostToMainWindow(WM_GPS_GGA);
}

void CNMEAParser::DecodeGSA(const char* data)
{
    const CNmeaFields fields(data);
    char f[kFieldSize];
    if (fields.Get(0, f, sizeof f))
        m_gsa.mode = f[0];
    if (fields.Get(1, f, sizeof f))
        m_gsa.fixType = static_cast<uint8_t>(f[0] - '0');
    // The whole number: SBAS satellites 120-158 must not turn into GPS PRNs 12-15.
    for (int i = 0; i < 12; ++i)
        m_gsa.prnsInUse[i] =
            static_cast<uint16_t>(fields.Get(2 + i, f, sizeof f) ? IntegerValue(f) : 0);
    m_gsa.pdop = fields.Get(14, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_gsa.hdop = fields.Get(15, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_gsa.vdop = fields.Get(16, f, sizeof f) ? ::ParseDecimal(f) : 0;
    ++m_gsa.count;
    PostToMainWindow(WM_GPS_GSA);
}

void CNMEAParser::DecodeGSV(const char* data)
{
    const CNmeaFields fields(data);
    char total[kFieldSize];
    char number[kFieldSize];
    if (!fields.Get(0, total, sizeof total) || !fields.Get(1, number, sizeof number))
        return;
    const int totalMessages = IntegerValue(total);
    const int messageNumber = IntegerValue(number);
    if (totalMessages < 1 || totalMessages > 8 || messageNumber < 1 || messageNumber > 9)
        return;

    char f[kFieldSize];
    if (fields.Get(2, f, sizeof f))
        m_gsv.satellitesInView = static_cast<uint16_t>(IntegerValue(f));
    auto numberAt = [&](int index) {
        return static_cast<uint16_t>(fields.Get(index, f, sizeof f) ? IntegerValue(f) : 0);
    };
    for (int k = 0; k < 4; ++k) {
        SatelliteEntry& entry = m_gsv.satellites[4 * (messageNumber - 1) + k];
        entry.nPRN = numberAt(3 + 4 * k);
        entry.nElevation = numberAt(4 + 4 * k);
        entry.nAzimuth = numberAt(5 + 4 * k);
        entry.nSNR = numberAt(6 + 4 * k);
        entry.bUsed = static_cast<uint32_t>(IsPrnInUse(entry.nPRN));
    }
    ++m_gsv.count;
    if (messageNumber == totalMessages)
        PostToMainWindow(WM_GPS_GSV);
}

void CNMEAParser::DecodeRMB(const char* data)
{
    const CNmeaFields fields(data);
    char f[kFieldSize];
    m_rmb.status = fields.Get(0, f, sizeof f) ? f[0] : 'V';
    m_rmb.crossTrackError = fields.Get(1, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_rmb.steer = fields.Get(2, f, sizeof f) ? f[0] : '?';
    fields.Get(3, m_rmb.originId, kFieldSize);
    fields.Get(4, m_rmb.destinationId, kFieldSize);
    if (fields.Get(5, f, sizeof f))
        m_rmb.destinationLatitude = ApplyHemisphere(ReadLatitude(f), fields, 6, 'S');
    if (fields.Get(7, f, sizeof f))
        m_rmb.destinationLongitude = ApplyHemisphere(ReadLongitude(f), fields, 8, 'W');
    m_rmb.range = fields.Get(9, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_rmb.bearing = fields.Get(10, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_rmb.closingVelocity = fields.Get(11, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_rmb.arrival = fields.Get(12, f, sizeof f) ? f[0] : 'V';
    PostToMainWindow(WM_GPS_RMB);
    ++m_rmb.count;
}

void CNMEAParser::DecodeRMC(const char* data)
{
    const CNmeaFields fields(data);
    char f[kFieldSize];
    if (fields.Get(0, f, sizeof f)) {
        m_rmc.hour = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_rmc.minute = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_rmc.second = static_cast<uint8_t>(TwoCharacterNumber(f, 4));
    }
    m_rmc.status = fields.Get(1, f, sizeof f) ? f[0] : 'V';
    if (fields.Get(2, f, sizeof f))
        m_rmc.latitude = ApplyHemisphere(ReadLatitude(f), fields, 3, 'S');
    if (fields.Get(4, f, sizeof f))
        m_rmc.longitude = ApplyHemisphere(ReadLongitude(f), fields, 5, 'W');
    m_rmc.speed = fields.Get(6, f, sizeof f) ? ::ParseDecimal(f) : 0;
    m_rmc.course = fields.Get(7, f, sizeof f) ? ::ParseDecimal(f) : 0;
    if (fields.Get(8, f, sizeof f)) {
        m_rmc.day = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_rmc.month = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_rmc.year = static_cast<uint16_t>(2000 + TwoCharacterNumber(f, 4));
    }
    m_rmc.magneticVariation = fields.Get(9, f, sizeof f) ? ::ParseDecimal(f) : 0;
    if (fields.Get(10, f, sizeof f) && f[0] == 'W')
        m_rmc.magneticVariation = -m_rmc.magneticVariation;

    const int32_t t = m_rmc.minute * 60 + m_rmc.second;
    const int32_t p = m_rmc.previousSecondOfHour;
    if (t > p) {
        const double scaled = m_rmc.speed * kKnotsToMetresPerSecond;
        m_rmc.acceleration = (scaled - m_rmc.previousScaledSpeed) / (t - p);
        m_rmc.previousScaledSpeed = scaled;
    }
    m_rmc.previousSecondOfHour = t;
    PostToMainWindow(WM_GPS_RMC);
    ++m_rmc.count;
}

void CNMEAParser::DecodeZDA(const char* data)
{
    const CNmeaFields fields(data);
    char f[kFieldSize];
    if (fields.Get(0, f, sizeof f)) {
        m_zda.hour = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_zda.minute = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_zda.second = static_cast<uint8_t>(TwoCharacterNumber(f, 4));
    }
    m_zda.day = static_cast<uint8_t>(fields.Get(1, f, sizeof f) ? IntegerValue(f) : 1);
    m_zda.month = static_cast<uint8_t>(fields.Get(2, f, sizeof f) ? IntegerValue(f) : 1);
    m_zda.year = static_cast<uint16_t>(fields.Get(3, f, sizeof f) ? IntegerValue(f) : 1);
    m_zda.zoneHours = static_cast<int8_t>(fields.Get(4, f, sizeof f) ? IntegerValue(f) : 0);
    m_zda.zoneMinutes = static_cast<uint8_t>(fields.Get(5, f, sizeof f) ? IntegerValue(f) : 0);
    PostToMainWindow(WM_GPS_ZDA);
    ++m_zda.count;
}

const char* FixQualityText(int quality)
{
    static const char* const texts[] = {
        "Fix not available",       "GPS SPS Mode",        "Differential GPS",
        "GPS PPS Mode, fix valid", "Real Time Kinematic", "Float RTK",
        "Estimated (dead reck.)",  "Manual Input Mode",   "Simulator Mode"};
    return quality >= 0 && quality <= 8 ? texts[quality] : "GPS mode unknown";
}

const char* FixTypeText(int fixType)
{
    return fixType == 2 ? "2D" : fixType == 3 ? "3D" : "NA";
}
