#pragma once

#include "gps/GnssSystems.h"

#include <array>
#include <cstdint>

struct GsaState;
struct GsvState;

// One GSV message as it was sent.
struct GsvMessage {
    struct Satellite {
        uint16_t prn = 0, elevation = 0, azimuth = 0, snr = 0;
    };
    int total = 0;          // messages in the group
    int number = 0;         // this message's place in it, from 1
    bool hasInView = false; // the satellites-in-view field is not empty
    uint16_t inView = 0;
    int signal = 0; // NMEA 4.11 signal ID, 0 when the sentence has none
    std::array<Satellite, 4> satellites;
};

// The satellites in view across constellations. Each talker's GSV sequences fill a block of the
// table of their own, in the order the talkers first appeared, so the table is the union of the
// constellations and "satellites in view" the sum of theirs. Within a block the sequence that
// began the talker's cycle lays its satellites out four to a message (entry 4 (n - 1) + k, as a
// GPS receiver's single sequence always has); sequences of further signals of the same
// satellites only raise their SNR or add the satellites the first did not report. A talker's
// next cycle replaces its block, which then holds no empty entries. While only one talker has
// reported, its block keeps the empty entries of a short last message, and its entries beyond
// the current sequence stay as they were, as they always have for a GPS receiver.
class CSatelliteTable {
public:
    static constexpr int kSize = 64;

    void Reset() { m_blockCount = 0; }
    // Writes `message` of `talker` into `gsv`; used flags from the satellites in use of `gsa`.
    void Take(const GsvMessage& message, Talker talker, const GsaState& gsa, GsvState& gsv);
    // The table entries the last message wrote or raised, one per satellite slot of the
    // message; -1 where it touched none.
    const std::array<int8_t, 4>& LastSlots() const { return m_lastSlots; }

private:
    struct Block {
        Talker talker = Talker::None;
        uint8_t start = 0;
        uint8_t length = 0;
        uint8_t leadSignal = 0; // the signal whose sequence lays out the block
        uint16_t signals = 0;   // bit per signal ID reported in this cycle
        uint16_t inView = 0;
    };

    Block& BlockOf(Talker talker, GsvState& gsv);
    // Gives block `index` `length` entries, moving the blocks after it.
    void Resize(int index, int length, GsvState& gsv);
    int End() const;

    std::array<Block, kTalkerCount> m_blocks{};
    int m_blockCount = 0;
    std::array<int8_t, 4> m_lastSlots{};
};
