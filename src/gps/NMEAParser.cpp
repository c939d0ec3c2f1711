#include "gps/NMEAParser.h"

#include "gps/NmeaFields.h"
#include "platform/MessageSink.h"
#include "platform/Messages.h"

#include <bit>
#include <cstring>

namespace {

constexpr int kFieldSize = 25; // every field copy holds at most 24 characters
constexpr double kKnotsToMetresPerSecond = 0.277777777778;

// A sentence type as one number, so the known ones can be told apart in one switch.
constexpr uint32_t TypeCode(const char* type)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(type[0]) << 16 |
                                 static_cast<unsigned char>(type[1]) << 8 |
                                 static_cast<unsigned char>(type[2]));
}

// The type of a five-character address (a talker and a type); None for any other.
SentenceType TypeOf(const char* address)
{
    for (int i = 0; i < 5; ++i)
        if (address[i] == '\0')
            return SentenceType::None;
    if (address[5] != '\0')
        return SentenceType::None;
    switch (TypeCode(address + 2)) {
    case TypeCode("GGA"):
        return SentenceType::GGA;
    case TypeCode("GSA"):
        return SentenceType::GSA;
    case TypeCode("GSV"):
        return SentenceType::GSV;
    case TypeCode("RMB"):
        return SentenceType::RMB;
    case TypeCode("RMC"):
        return SentenceType::RMC;
    case TypeCode("ZDA"):
        return SentenceType::ZDA;
    default:
        return SentenceType::None;
    }
}

// The value of a one-character hexadecimal field (an NMEA 4.10 system or signal ID), or -1.
int HexDigit(std::string_view text)
{
    if (text.size() != 1)
        return -1;
    const char c = text[0];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The high bit of each byte of `word` that equals `value`, exactly (no false positives).
constexpr uint64_t ByteMask(uint64_t word, uint8_t value)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (0x0101010101010101ull * value);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The value of a field, or `fallback` when it is absent or empty.
int IntegerOr(const CNmeaFields& fields, int index, int fallback)
{
    std::string_view text;
    return fields.Field(index, text) ? IntegerValue(text) : fallback;
}

double DecimalOr(const CNmeaFields& fields, int index, double fallback)
{
    std::string_view text;
    return fields.Field(index, text) ? ParseDecimal(text) : fallback;
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
    for (CFixTalker& talker : m_fixTalkers)
        talker.Reset();
    m_gsaConstellations = 0;
    m_satelliteTable.Reset();
}

void CNMEAParser::SetGnssTalkers(GnssTalkers talkers)
{
    m_talkers = talkers;
    ResetFixState();
}

inline void CNMEAParser::Step(uint8_t byte)
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
            m_fieldCount = 1;
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
        if (byte == ',')
            m_fieldStarts[m_fieldCount++] = m_bufferIndex;
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

void CNMEAParser::ProcessByte(uint8_t byte)
{
    Step(byte);
}

int CNMEAParser::ProcessBytes(const uint8_t* bytes, size_t count)
{
    size_t i = 0;
    while (i < count) {
        if (m_framerState == Idle) {
            // Nothing but "$" matters between sentences.
            const void* dollar = std::memchr(bytes + i, '$', count - i);
            if (!dollar)
                break;
            i = static_cast<size_t>(static_cast<const uint8_t*>(dollar) - bytes);
        } else if (m_framerState == Data) {
            i = CollectData(bytes, i, count);
            if (i == count)
                break;
        }
        Step(bytes[i++]);
    }
    if (m_sink) {
        m_sink->WriteChunk(bytes, count);
        m_loggedBytes += static_cast<uint32_t>(count);
    }
    return 1;
}

size_t CNMEAParser::CollectData(const uint8_t* bytes, size_t at, size_t count)
{
    // The same steps as ProcessByte's Data state, with the running values kept in registers.
    uint8_t checksum = m_checksum;
    size_t index = m_bufferIndex;
    int fields = m_fieldCount;
    const size_t room = sizeof m_data - index; // data bytes that fit before the limit
    const size_t available = count - at;
    const size_t limit = available < room ? available : room;
    char* data = m_data + index;
    size_t k = 0;
    // Eight bytes at a time while none of them ends the data: the checksum of a word is the XOR
    // of its bytes, and the commas are found from a mask of the bytes that equal ",".
    uint64_t wordChecksum = 0;
    constexpr bool kLittleEndian = std::endian::native == std::endian::little;
    for (; kLittleEndian && k + 8 <= limit; k += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + at + k, 8);
        if (ByteMask(word, '*') | ByteMask(word, '\r'))
            break;
        wordChecksum ^= word;
        std::memcpy(data + k, &word, 8);
        for (uint64_t commas = ByteMask(word, ','); commas; commas &= commas - 1)
            m_fieldStarts[fields++] =
                static_cast<uint16_t>(index + k + std::countr_zero(commas) / 8 + 1);
    }
    wordChecksum ^= wordChecksum >> 32;
    wordChecksum ^= wordChecksum >> 16;
    wordChecksum ^= wordChecksum >> 8;
    checksum ^= static_cast<uint8_t>(wordChecksum);
    for (; k < limit; ++k) {
        const uint8_t byte = bytes[at + k];
        if ((byte == '*') | (byte == '\r'))
            break;
        checksum ^= byte;
        data[k] = static_cast<char>(byte);
        // Written every time, kept only after a comma: no branch on the commonest byte.
        m_fieldStarts[fields] = static_cast<uint16_t>(index + k + 1);
        fields += byte == ',';
    }
    m_checksum = checksum;
    m_bufferIndex = static_cast<uint16_t>(index + k);
    m_fieldCount = fields;
    if (k == room)
        m_framerState = Idle; // 256 data characters without an end: the sentence is dropped
    return at + k;
}

void CNMEAParser::DispatchSentence(const char* address, const char* data)
{
    // The framer's own sentence comes with its fields already found.
    const CNmeaFields fields = data == m_data
                                   ? CNmeaFields(data, m_bufferIndex, m_fieldStarts, m_fieldCount)
                                   : CNmeaFields(data);
    if (!fields.Accepted())
        return; // longer than the framer lets through: dropped as the framer would
    // An epoch's GSA sentences come in a row; any other sentence ends the epoch's union.
    if (m_last.type != SentenceType::GSA)
        m_gsaConstellations = 0;
    m_last = DispatchedSentence{TypeOf(address), Talker::None, false};
    if (m_last.type != SentenceType::None) {
        m_last.talker = TalkerOf(address);
        if (m_last.talker == Talker::GP ||
            (m_talkers == GnssTalkers::All && m_last.talker != Talker::None))
            m_last.decoded = Decode(m_last.type, m_last.talker, fields);
        else
            m_last.type = SentenceType::None;
    }
    ++m_sentenceCount;
    PostToMainWindow(WM_GPS_UPDATE);
}

bool CNMEAParser::Decode(SentenceType type, Talker talker, const CNmeaFields& fields)
{
    switch (type) {
    case SentenceType::GSA:
        DecodeGSA(fields, talker);
        return true;
    case SentenceType::GSV:
        return DecodeGSV(fields, talker);
    default:
        return DecodeFix(type, talker, fields);
    }
}

bool CNMEAParser::DecodeFix(SentenceType type, Talker talker, const CNmeaFields& fields)
{
    std::string_view time;
    if (type != SentenceType::RMB)
        fields.Field(0, time);
    const bool chosen = m_fixTalkers[static_cast<int>(type)].Accept(talker, time);
    switch (type) {
    case SentenceType::GGA:
        if (chosen)
            DecodeGGA(fields);
        else
            ++m_gga.count; // another talker's report of an epoch
        break;
    case SentenceType::RMB:
        if (chosen)
            DecodeRMB(fields);
        else
            ++m_rmb.count;
        break;
    case SentenceType::RMC:
        if (chosen)
            DecodeRMC(fields);
        else
            ++m_rmc.count;
        break;
    case SentenceType::ZDA:
        if (chosen)
            DecodeZDA(fields);
        else
            ++m_zda.count;
        break;
    default:
        break;
    }
    return chosen;
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
    for (int i = 0; i < m_gsa.inUseCount; ++i)
        if (m_gsa.prnsInUse[i] == prn)
            return 1;
    return 0;
}

bool IsSatelliteInUse(const GsaState& gsa, Constellation constellation, uint16_t prn)
{
    if (prn == 0 || (gsa.inUseBits[static_cast<int>(constellation)] >> (prn % 64) & 1) == 0)
        return false;
    for (int i = 0; i < gsa.inUseCount; ++i)
        if (gsa.prnsInUse[i] == prn && gsa.constellationsInUse[i] == constellation)
            return true;
    return false;
}

void CNMEAParser::DecodeGGA(const char* data)
{
    if (const CNmeaFields fields(data); fields.Accepted())
        DecodeGGA(fields);
}

void CNMEAParser::DecodeGSA(const char* data)
{
    if (const CNmeaFields fields(data); fields.Accepted())
        DecodeGSA(fields);
}

void CNMEAParser::DecodeGSV(const char* data)
{
    if (const CNmeaFields fields(data); fields.Accepted())
        DecodeGSV(fields);
}

void CNMEAParser::DecodeRMB(const char* data)
{
    if (const CNmeaFields fields(data); fields.Accepted())
        DecodeRMB(fields);
}

void CNMEAParser::DecodeRMC(const char* data)
{
    if (const CNmeaFields fields(data); fields.Accepted())
        DecodeRMC(fields);
}

void CNMEAParser::DecodeZDA(const char* data)
{
    if (const CNmeaFields fields(data); fields.Accepted())
        DecodeZDA(fields);
}

void CNMEAParser::DecodeGGA(const CNmeaFields& fields)
{
    std::string_view f;
    if (fields.Field(0, f)) {
        m_gga.hour = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_gga.minute = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_gga.second = static_cast<uint8_t>(TwoCharacterNumber(f, 4));
        m_gga.seconds = ::ParseDecimal(f.size() > 4 ? f.substr(4) : std::string_view());
    }
    if (fields.Field(1, f))
        m_gga.latitude = ApplyHemisphere(ParseDegreesMinutes(f, 2), fields, 2, 'S');
    if (fields.Field(3, f))
        m_gga.longitude = ApplyHemisphere(ParseDegreesMinutes(f, 3), fields, 4, 'W');
    if (fields.Field(5, f))
        m_gga.quality = static_cast<uint8_t>(f[0] - '0');
    if (fields.Field(6, f))
        m_gga.satellitesUsed = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
    if (fields.Field(7, f))
        m_gga.hdop = ::ParseDecimal(f);
    if (fields.Field(8, f))
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

void CNMEAParser::DecodeGSA(const CNmeaFields& fields, Talker talker)
{
    std::string_view f;
    if (fields.Field(0, f))
        m_gsa.mode = f[0];
    if (fields.Field(1, f))
        m_gsa.fixType = static_cast<uint8_t>(f[0] - '0');
    // The whole number: SBAS satellites 120-158 must not turn into GPS PRNs 12-15.
    std::array<uint16_t, 12> prns;
    uint16_t firstPrn = 0;
    for (int i = 0; i < 12; ++i) {
        prns[i] = static_cast<uint16_t>(IntegerOr(fields, 2 + i, 0));
        if (firstPrn == 0)
            firstPrn = prns[i];
    }
    // NMEA 4.10's system ID is one character (some receivers put a TDOP such as 3.3 there).
    std::string_view system;
    fields.Field(17, system);
    const int systemId = std::max(HexDigit(system), 0);
    const uint8_t constellationBit = static_cast<uint8_t>(
        1u << static_cast<int>(ConstellationOfGsa(systemId, talker, firstPrn)));
    const bool joinsEpoch = m_talkers == GnssTalkers::All && m_gsaConstellations != 0 &&
                            (m_gsaConstellations & constellationBit) == 0;
    int filled = m_gsa.inUseCount;
    const auto setInUse = [&](int at, uint16_t prn) {
        const Constellation constellation = ConstellationOf(systemId, talker, prn);
        m_gsa.prnsInUse[at] = prn;
        m_gsa.constellationsInUse[at] = constellation;
        m_gsa.inUseBits[static_cast<int>(constellation)] |= uint64_t{prn != 0} << (prn % 64);
    };
    if (joinsEpoch) {
        // Another constellation of the same epoch: its satellites join the union.
        for (const uint16_t prn : prns)
            if (prn != 0 && filled < static_cast<int>(m_gsa.prnsInUse.size()))
                setInUse(filled++, prn);
    } else {
        m_gsa.prnsInUse.fill(0);
        m_gsa.inUseBits.fill(0);
        m_gsaConstellations = 0;
        filled = 0;
        for (int i = 0; i < 12; ++i) {
            setInUse(i, prns[i]);
            if (prns[i] != 0)
                filled = i + 1;
        }
    }
    m_gsaConstellations |= constellationBit;
    m_gsa.inUseCount = static_cast<uint8_t>(filled);
    m_gsa.pdop = DecimalOr(fields, 14, 0);
    m_gsa.hdop = DecimalOr(fields, 15, 0);
    m_gsa.vdop = DecimalOr(fields, 16, 0);
    ++m_gsa.count;
    PostToMainWindow(WM_GPS_GSA);
}

bool CNMEAParser::DecodeGSV(const CNmeaFields& fields, Talker talker)
{
    std::string_view total;
    std::string_view number;
    if (!fields.Field(0, total) || !fields.Field(1, number))
        return false;
    GsvMessage message;
    message.total = IntegerValue(total);
    message.number = IntegerValue(number);
    if (message.total < 1 || message.total > 8 || message.number < 1 || message.number > 9)
        return false;

    std::string_view f;
    message.hasInView = fields.Field(2, f);
    if (message.hasInView)
        message.inView = static_cast<uint16_t>(IntegerValue(f));
    // NMEA 4.11 closes the sentence with a one-character signal ID after the satellites, where
    // a short last message would otherwise have its next PRN.
    int satelliteFields = fields.Count();
    if ((satelliteFields - 3) % 4 == 1) {
        fields.Field(satelliteFields - 1, f);
        const int signal = f.empty() ? 0 : HexDigit(f);
        if (signal >= 0) {
            message.signal = signal;
            --satelliteFields;
        }
    }
    const auto value = [&](int index) {
        return static_cast<uint16_t>(index < satelliteFields ? IntegerOr(fields, index, 0) : 0);
    };
    for (int k = 0; k < 4; ++k) {
        GsvMessage::Satellite& satellite = message.satellites[k];
        satellite.prn = value(3 + 4 * k);
        satellite.elevation = value(4 + 4 * k);
        satellite.azimuth = value(5 + 4 * k);
        satellite.snr = value(6 + 4 * k);
    }
    m_satelliteTable.Take(message, talker, m_gsa, m_gsv);
    ++m_gsv.count;
    if (message.number == message.total)
        PostToMainWindow(WM_GPS_GSV);
    return true;
}

void CNMEAParser::DecodeRMB(const CNmeaFields& fields)
{
    std::string_view f;
    m_rmb.status = fields.Field(0, f) ? f[0] : 'V';
    m_rmb.crossTrackError = DecimalOr(fields, 1, 0);
    m_rmb.steer = fields.Field(2, f) ? f[0] : '?';
    fields.Get(3, m_rmb.originId, kFieldSize);
    fields.Get(4, m_rmb.destinationId, kFieldSize);
    if (fields.Field(5, f))
        m_rmb.destinationLatitude = ApplyHemisphere(ParseDegreesMinutes(f, 2), fields, 6, 'S');
    if (fields.Field(7, f))
        m_rmb.destinationLongitude = ApplyHemisphere(ParseDegreesMinutes(f, 3), fields, 8, 'W');
    m_rmb.range = DecimalOr(fields, 9, 0);
    m_rmb.bearing = DecimalOr(fields, 10, 0);
    m_rmb.closingVelocity = DecimalOr(fields, 11, 0);
    m_rmb.arrival = fields.Field(12, f) ? f[0] : 'V';
    PostToMainWindow(WM_GPS_RMB);
    ++m_rmb.count;
}

void CNMEAParser::DecodeRMC(const CNmeaFields& fields)
{
    std::string_view f;
    if (fields.Field(0, f)) {
        m_rmc.hour = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_rmc.minute = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_rmc.second = static_cast<uint8_t>(TwoCharacterNumber(f, 4));
    }
    m_rmc.status = fields.Field(1, f) ? f[0] : 'V';
    if (fields.Field(2, f))
        m_rmc.latitude = ApplyHemisphere(ParseDegreesMinutes(f, 2), fields, 3, 'S');
    if (fields.Field(4, f))
        m_rmc.longitude = ApplyHemisphere(ParseDegreesMinutes(f, 3), fields, 5, 'W');
    m_rmc.speed = DecimalOr(fields, 6, 0);
    m_rmc.course = DecimalOr(fields, 7, 0);
    if (fields.Field(8, f)) {
        m_rmc.day = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_rmc.month = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_rmc.year = static_cast<uint16_t>(2000 + TwoCharacterNumber(f, 4));
    }
    m_rmc.magneticVariation = DecimalOr(fields, 9, 0);
    if (fields.Field(10, f) && f[0] == 'W')
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

void CNMEAParser::DecodeZDA(const CNmeaFields& fields)
{
    std::string_view f;
    if (fields.Field(0, f)) {
        m_zda.hour = static_cast<uint8_t>(TwoCharacterNumber(f, 0));
        m_zda.minute = static_cast<uint8_t>(TwoCharacterNumber(f, 2));
        m_zda.second = static_cast<uint8_t>(TwoCharacterNumber(f, 4));
    }
    m_zda.day = static_cast<uint8_t>(IntegerOr(fields, 1, 1));
    m_zda.month = static_cast<uint8_t>(IntegerOr(fields, 2, 1));
    m_zda.year = static_cast<uint16_t>(IntegerOr(fields, 3, 1));
    m_zda.zoneHours = static_cast<int8_t>(IntegerOr(fields, 4, 0));
    m_zda.zoneMinutes = static_cast<uint8_t>(IntegerOr(fields, 5, 0));
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
