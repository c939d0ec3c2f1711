#pragma once

#include "gps/FixTalker.h"
#include "gps/GnssSystems.h"
#include "gps/NmeaFields.h"
#include "gps/RawDataSink.h"
#include "gps/SatelliteTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class IMessageSink;

struct SatelliteEntry {
    uint16_t nPRN = 0;  // 0: empty slot
    uint16_t nSNR = 0;  // dB-Hz, 0 when not tracked; the best of the satellite's signals
    uint32_t bUsed = 0; // the satellite is among the satellites in use of the last GSA epoch
    uint16_t nAzimuth = 0;
    uint16_t nElevation = 0;
    Constellation constellation = Constellation::GPS;
};

struct GgaState {
    uint8_t hour = 0, minute = 0, second = 0;
    double seconds = 0; // second with fraction
    double latitude = 0, longitude = 0;
    uint8_t quality = 0;
    uint8_t satellitesUsed = 0;
    double hdop = 0;
    double altitude = 0;
    uint32_t count = 0;
    int32_t previousSecondOfHour = 0;
    double previousAltitude = 0;
    double verticalSpeed = 0; // metres per minute
};

struct GsaState {
    char mode = 'M';
    uint8_t fixType = 1; // 1 no fix, 2 2D, 3 3D
    // The union of the PRNs in use of one epoch's GSA sentences (one per constellation): the
    // first sentence's 12 fields as sent, the further ones' PRNs after them.
    std::array<uint16_t, 36> prnsInUse{};
    std::array<Constellation, 36> constellationsInUse{}; // of each PRN in use
    uint8_t inUseCount = 0;                              // entries of prnsInUse filled
    // Per constellation, bit (PRN mod 64) of its PRNs in use: most satellites in view are
    // known to be unused without a search.
    std::array<uint64_t, kConstellationCount> inUseBits{};
    double pdop = 0, hdop = 0, vdop = 0; // of the epoch's last GSA
    uint32_t count = 0;
};

// Whether satellite `prn` of `constellation` is among the satellites in use of `gsa`.
bool IsSatelliteInUse(const GsaState& gsa, Constellation constellation, uint16_t prn);

struct GsvState {
    uint16_t satellitesInView = 0; // over all constellations
    // The satellites in view of every constellation (see CSatelliteTable); a GPS receiver's
    // fill the first 36 entries four to a GSV message. Bounded by PRN 0, not by the count.
    std::array<SatelliteEntry, CSatelliteTable::kSize> satellites{};
    uint32_t count = 0;
};

struct RmbState {
    char status = 'V';
    double crossTrackError = 0; // nautical miles
    char steer = '?';
    char originId[32] = {};
    char destinationId[39] = {};
    double destinationLatitude = 0, destinationLongitude = 0;
    double range = 0;           // nautical miles
    double bearing = 0;         // degrees true
    double closingVelocity = 0; // knots
    char arrival = 'V';
    uint32_t count = 0;
};

struct RmcState {
    uint8_t hour = 0, minute = 0, second = 0;
    char status = 'V';
    double latitude = 0, longitude = 0;
    double speed = 0;  // knots
    double course = 0; // degrees true
    uint8_t day = 1, month = 1;
    uint16_t year = 2000;
    double magneticVariation = 0; // positive east
    uint32_t count = 0;
    double previousScaledSpeed = 0;
    int32_t previousSecondOfHour = 0;
    double acceleration = 0;
};

struct ZdaState {
    uint8_t hour = 0, minute = 0, second = 0;
    uint8_t day = 1, month = 1;
    uint16_t year = 2000;
    int8_t zoneHours = 0;
    uint8_t zoneMinutes = 0;
    uint32_t count = 0;
};

// The decoded sentence types.
enum class SentenceType : uint8_t { GGA, GSA, GSV, RMB, RMC, ZDA, None };

// What became of the sentence dispatched last.
struct DispatchedSentence {
    SentenceType type = SentenceType::None; // None: an address that calls no decoder
    Talker talker = Talker::None;
    // The decoder wrote the fix state. Not so for a fix sentence of a talker other than the
    // one chosen for its type (see CFixTalker), which is only counted, nor for an invalid GSV.
    bool decoded = false;
};

// The NMEA 0183 framer and the current fix state. Bytes come in through ProcessBytes; each
// accepted sentence updates the fix state and posts its notifications to the message sink.
// Everything runs on the thread that feeds it (the user-interface thread).
class CNMEAParser {
public:
    enum FramerState : uint32_t {
        Idle = 0,
        Address = 1,
        Data = 2,
        ChecksumHigh = 3,
        ChecksumLow = 4
    };

    // `messages` receives WM_GPS_* (not owned; may be null to post nothing).
    explicit CNMEAParser(IMessageSink* messages = nullptr);
    ~CNMEAParser();
    CNMEAParser(const CNMEAParser&) = delete;
    CNMEAParser& operator=(const CNMEAParser&) = delete;

    void SetMessageSink(IMessageSink* messages) { m_messages = messages; }
    // Every GNSS talker (the default) or the GPS talker only; resets the fix state.
    void SetGnssTalkers(GnssTalkers talkers);
    GnssTalkers GetGnssTalkers() const { return m_talkers; }

    int ProcessBytes(const uint8_t* bytes, size_t count);
    void ProcessByte(uint8_t byte);
    // Data longer than the framer's 255 characters is dropped as the framer would drop it: no
    // decoder, no count, no message.
    void DispatchSentence(const char* address, const char* data);
    void PostToMainWindow(uint32_t message);

    // The raw-data sink (owned while set). SetRawDataSink fails (0) while one is set.
    int SetRawDataSink(std::unique_ptr<IRawDataSink> sink);
    // Closes and drops the sink; 1 when one was set.
    int ClearRawDataSink();
    bool HasRawDataSink() const { return m_sink != nullptr; }
    uint32_t GetLoggedBytes() const { return m_loggedBytes; }

    void ResetFixState();

    // The decoders of the data part as a C string; one longer than the framer's 255 characters
    // is refused and changes nothing.
    void DecodeGGA(const char* data);
    void DecodeGSA(const char* data);
    void DecodeGSV(const char* data);
    void DecodeRMB(const char* data);
    void DecodeRMC(const char* data);
    void DecodeZDA(const char* data);

    // Copies field `index` (0 = first after the address) into `out` (at most size-1 chars).
    // 1 when the field is present and non-empty, else 0 with `out` empty (also for data longer
    // than the framer's 255 characters).
    static int GetField(const char* data, int index, char* out, int size);
    // Reads a decimal number whose fraction takes the sign of the whole ("-0.5" is -0.5).
    static double ParseDecimal(const char* text);
    // 1 when `prn` is non-zero and among the PRNs in use, of whatever constellation.
    int IsPrnInUse(uint16_t prn) const;

    // While a sentence is being dispatched (e.g. from the message sink): its address and data.
    const char* CurrentAddress() const { return m_address; }
    const char* CurrentData() const { return m_data; }
    const DispatchedSentence& LastSentence() const { return m_last; }
    // The satellite table entries the last GSV message wrote (-1: none), one per satellite.
    const std::array<int8_t, 4>& LastGsvSlots() const { return m_satelliteTable.LastSlots(); }

    uint32_t GetFramerState() const { return m_framerState; }
    uint32_t GetSentenceCount() const { return m_sentenceCount; }

    const GgaState& Gga() const { return m_gga; }
    const GsaState& Gsa() const { return m_gsa; }
    const GsvState& Gsv() const { return m_gsv; }
    const RmbState& Rmb() const { return m_rmb; }
    const RmcState& Rmc() const { return m_rmc; }
    const ZdaState& Zda() const { return m_zda; }

private:
    // Runs the Data state over bytes[at, count) up to the next byte it must act on; returns the
    // position of that byte (count when the chunk ended first).
    size_t CollectData(const uint8_t* bytes, size_t at, size_t count);
    // One step of the state machine; ProcessByte and the chunk loop share it.
    void Step(uint8_t byte);

    // Runs the decoder of `type` for `talker`; false when it wrote nothing.
    bool Decode(SentenceType type, Talker talker, const CNmeaFields& fields);
    // Fix sentences: decoded when `talker` is the one chosen for the type, else only counted.
    bool DecodeFix(SentenceType type, Talker talker, const CNmeaFields& fields);
    void DecodeGGA(const CNmeaFields& fields);
    // `talker`: whose satellites; the C-string entry points decode the GPS talker's.
    void DecodeGSA(const CNmeaFields& fields, Talker talker = Talker::GP);
    bool DecodeGSV(const CNmeaFields& fields, Talker talker = Talker::GP);
    void DecodeRMB(const CNmeaFields& fields);
    void DecodeRMC(const CNmeaFields& fields);
    void DecodeZDA(const CNmeaFields& fields);

    IMessageSink* m_messages;

    // Framer
    uint32_t m_framerState = Idle;
    uint8_t m_checksum = 0;
    uint8_t m_receivedChecksum = 0;
    uint16_t m_bufferIndex = 0;
    char m_address[8] = {};
    char m_data[256] = {};
    uint16_t m_fieldStarts[CNmeaFields::kMaxFields] = {}; // offsets of the fields in m_data
    int m_fieldCount = 1;
    std::unique_ptr<IRawDataSink> m_sink;
    uint32_t m_loggedBytes = 0;
    uint32_t m_sentenceCount = 0;
    GnssTalkers m_talkers = GnssTalkers::All;
    DispatchedSentence m_last;

    // Fix state
    GgaState m_gga;
    GsaState m_gsa;
    GsvState m_gsv;
    RmbState m_rmb;
    RmcState m_rmc;
    ZdaState m_zda;

    // Across sentences: the talker chosen per fix type (GGA, RMB, RMC, ZDA), the constellations
    // of the GSA epoch so far, and the satellite table's blocks.
    std::array<CFixTalker, static_cast<int>(SentenceType::None)> m_fixTalkers; // by type
    uint8_t m_gsaConstellations = 0; // bit per constellation
    CSatelliteTable m_satelliteTable;
};

// Status texts of the fix quality and the fix type.
const char* FixQualityText(int quality);
const char* FixTypeText(int fixType);
