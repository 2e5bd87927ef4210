#pragma once

#include <cstdint>
#include <vector>

#include "codec/program_state.h"
#include "editor/settings_comparison.h"
#include "link/identify.h"
#include "link/radio_link.h"

namespace tarvex {

inline constexpr std::int16_t kProgramEndAddress = 127;

// A run of writable addresses, sent as one block: "S" and its first address, two digits per byte,
// then a carriage return.
struct WriteBlock {
    std::int16_t first = 0;
    std::int16_t last = 0;
    friend bool operator==(const WriteBlock&, const WriteBlock&) = default;
};

// True for the addresses the repeater lets the program write: within 0 to 126, outside the
// ranges it keeps for itself, and only for a repeater whose memory map is known (status 170).
bool IsWritableAddress(std::int16_t address, const RadioIdentity& identity);

// Every writable address, as the repeater's addresses a read-back checks.
RepeaterAddresses WritableAddresses(const RadioIdentity& identity);

// The runs of writable addresses below the end address, in address order.
std::vector<WriteBlock> WriteBlocks(const RadioIdentity& identity);

// The blocks in which some address does not already hold its byte of out.
std::vector<WriteBlock> ChangedBlocks(const std::vector<WriteBlock>& blocks, const ImageBuffer& out,
                                      const RepeaterImage& held);

// Sends the blocks' bytes of OutData, each block opened by "S" and its address and closed by a
// carriage return, with the progress bar following ProgAddr. False as soon as the repeater stops
// answering.
bool SendBlocks(RadioLink& link, const std::vector<WriteBlock>& blocks);

}  // namespace tarvex
