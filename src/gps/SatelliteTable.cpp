#include "gps/SatelliteTable.h"

#include "gps/NMEAParser.h"

#include <algorithm>
#include <cstring>

namespace {

void Clear(GsvState& gsv, int from, int to)
{
    std::fill(gsv.satellites.begin() + from, gsv.satellites.begin() + to, SatelliteEntry{});
}

} // namespace

int CSatelliteTable::End() const
{
    const Block& last = m_blocks[m_blockCount - 1];
    return last.start + last.length;
}

CSatelliteTable::Block& CSatelliteTable::BlockOf(Talker talker, GsvState& gsv)
{
    for (int i = 0; i < m_blockCount; ++i)
        if (m_blocks[i].talker == talker)
            return m_blocks[i];
    Block& block = m_blocks[m_blockCount];
    block = Block{};
    block.talker = talker;
    if (m_blockCount > 0) {
        // From the second talker on, nothing lies beyond the blocks: the first talker's old
        // entries there would show as satellites in view.
        block.start = static_cast<uint8_t>(End());
        Clear(gsv, block.start, kSize);
    }
    ++m_blockCount;
    return block;
}

void CSatelliteTable::Resize(int index, int length, GsvState& gsv)
{
    Block& block = m_blocks[index];
    length = std::min(length, kSize - block.start);
    if (m_blockCount == 1) {
        block.length = static_cast<uint8_t>(length);
        return;
    }
    const int end = End();
    const int blockEnd = block.start + block.length;
    const int delta = length - block.length;
    SatelliteEntry* entries = gsv.satellites.data();
    if (delta > 0) {
        const int moved = std::min(end, kSize - delta) - blockEnd;
        if (moved > 0)
            std::memmove(entries + blockEnd + delta, entries + blockEnd,
                         sizeof(SatelliteEntry) * static_cast<size_t>(moved));
        Clear(gsv, blockEnd, blockEnd + delta);
    } else if (delta < 0) {
        std::memmove(entries + blockEnd + delta, entries + blockEnd,
                     sizeof(SatelliteEntry) * static_cast<size_t>(end - blockEnd));
        Clear(gsv, end + delta, end);
    }
    block.length = static_cast<uint8_t>(length);
    for (int i = index + 1; i < m_blockCount; ++i) {
        Block& later = m_blocks[i];
        const int start = std::min(later.start + delta, kSize);
        later.start = static_cast<uint8_t>(start);
        later.length = static_cast<uint8_t>(std::min<int>(later.length, kSize - start));
    }
}

void CSatelliteTable::Take(const GsvMessage& message, Talker talker, const GsaState& gsa,
                           GsvState& gsv)
{
    Block& block = BlockOf(talker, gsv);
    const int index = static_cast<int>(&block - m_blocks.data());
    // Shared with other talkers, a block holds its satellites and no empty slots, so that the
    // first "satellites in view" entries are the satellites.
    const bool shared = m_blockCount > 1;
    const uint16_t signalBit = static_cast<uint16_t>(1u << message.signal);
    if (block.signals == 0 || (message.number == 1 && (block.signals & signalBit))) {
        // A new cycle of this talker: its first sequence lays the block out afresh.
        block.signals = signalBit;
        block.leadSignal = static_cast<uint8_t>(message.signal);
        int length = 4 * message.total;
        if (shared && message.hasInView)
            length = std::min<int>(length, message.inView);
        Resize(index, length, gsv);
    } else {
        block.signals |= signalBit;
    }
    const bool lead = message.signal == block.leadSignal;
    if (message.hasInView)
        block.inView = lead ? message.inView : std::max(block.inView, message.inView);

    for (int k = 0; k < 4; ++k) {
        const GsvMessage::Satellite& satellite = message.satellites[k];
        m_lastSlots[k] = -1;
        int slot = 4 * (message.number - 1) + k;
        if (!lead) {
            if (satellite.prn == 0)
                continue;
            const auto first = gsv.satellites.begin() + block.start;
            const auto found =
                std::find_if(first, first + block.length, [&](const SatelliteEntry& entry) {
                    return entry.nPRN == satellite.prn;
                });
            slot = static_cast<int>(found - first);
            if (slot < block.length) {
                found->nSNR = std::max(found->nSNR, satellite.snr);
                m_lastSlots[k] = static_cast<int8_t>(block.start + slot);
                continue;
            }
        }
        if (slot >= block.length) {
            if (shared && satellite.prn == 0)
                continue;
            Resize(index, slot + 1, gsv);
        }
        if (slot >= block.length)
            continue; // the table is full
        SatelliteEntry& entry = gsv.satellites[block.start + slot];
        entry.nPRN = satellite.prn;
        entry.nElevation = satellite.elevation;
        entry.nAzimuth = satellite.azimuth;
        entry.nSNR = satellite.snr;
        entry.constellation = ConstellationOf(talker, satellite.prn);
        entry.bUsed = IsSatelliteInUse(gsa, entry.constellation, satellite.prn) ? 1 : 0;
        m_lastSlots[k] = static_cast<int8_t>(block.start + slot);
    }

    uint16_t inView = 0;
    for (int i = 0; i < m_blockCount; ++i)
        inView = static_cast<uint16_t>(inView + m_blocks[i].inView);
    gsv.satellitesInView = inView;
}
