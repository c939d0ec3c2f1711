#pragma once

#include "gps/NmeaFields.h"
#include "gps/RawDataSink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class IMessageSink;

struct SatelliteEntry {
    uint16_t nPRN = 0;  // 0: empty slot
    uint16_t nSNR = 0;  // dB-Hz, 0 when not tracked
    uint32_t bUsed = 0; // PRN is among the first 12 PRNs in use of the last GSA
    uint16_t nAzimuth = 0;
    uint16_t nElevation = 0;
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
    uint8_t fixType = 1;                  // 1 no fix, 2 2D, 3 3D
    std::array<uint16_t, 36> prnsInUse{}; // only the first 12 are ever filled
    double pdop = 0, hdop = 0, vdop = 0;
    uint32_t count = 0;
};

struct GsvState {
    uint16_t satellitesInView = 0;
    std::array<SatelliteEntry, 36> satellites{};
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
    int IsPrnInUse(uint16_t prn) const;

    // While a sentence is being dispatched (e.g. from the message sink): its address and data.
    const char* CurrentAddress() const { return m_address; }
    const char* CurrentData() const { return m_data; }

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

    void DecodeGGA(const CNmeaFields& fields);
    void DecodeGSA(const CNmeaFields& fields);
    void DecodeGSV(const CNmeaFields& fields);
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

    // Fix state
    GgaState m_gga;
    GsaState m_gsa;
    GsvState m_gsv;
    RmbState m_rmb;
    RmcState m_rmc;
    ZdaState m_zda;
};

// Status texts of the fix quality and the fix type.
const char* FixQualityText(int quality);
const char* FixTypeText(int fixType);
