#include "link/write_blocks.h"

#include <chrono>
#include <string>

#include "codec/freq_codec.h"
#include "link/serial_link.h"

namespace tarvex {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kWriteTimeout{2000};
constexpr std::size_t kDigitEchoLength = 2;
constexpr std::size_t kBlockEndReplyLength = 4;

struct AddressRange {
    std::int16_t first;
    std::int16_t last;
};

// Addresses the repeater keeps for itself.
constexpr AddressRange kReservedAddresses[] = {
    {6, 10}, {14, 14}, {32, 47}, {67, 74}, {85, 95}, {117, 125}, {127, 127},
};

// One paced exchange of the write. False, without the pause, when nothing at all came back.
bool SendPaced(RadioLink& link, std::string_view text, std::size_t count) {
    ExchangeWithRadio(link, text, count, kWriteTimeout);
    if (link.state.RxBuffer.empty()) {
        return false;
    }
    link.sleeper.Sleep(kCharacterPause);
    return true;
}

bool OpenBlock(RadioLink& link, std::int16_t address) {
    return SendCommand(link, "S" + ByteToHex(static_cast<std::uint8_t>(address)), kDigitEchoLength,
                       OnSilence::Stop);
}

bool CloseBlock(RadioLink& link) {
    return SendPaced(link, "\r", kBlockEndReplyLength);
}

// The byte at ProgAddr as two digits, high digit first.
bool WriteByte(RadioLink& link) {
    const std::string digits = ByteToHex(link.state.OutData[link.state.ProgAddr]);
    return SendPaced(link, digits.substr(0, 1), kDigitEchoLength) &&
           SendPaced(link, digits.substr(1, 1), kDigitEchoLength);
}

void ShowProgress(RadioLink& link) {
    link.screen.StatusBar.value = link.state.ProgAddr * 100 / (kProgramEndAddress + 5);
}

}  // namespace

bool IsWritableAddress(std::int16_t address, const RadioIdentity& identity) {
    if (identity.AddrMapCode != kMappedAddrMapCode || address < 0 ||
        address >= static_cast<std::int16_t>(kRepeaterMemorySize)) {
        return false;
    }
    for (const AddressRange& reserved : kReservedAddresses) {
        if (address >= reserved.first && address <= reserved.last) {
            return false;
        }
    }
    return true;
}

RepeaterAddresses WritableAddresses(const RadioIdentity& identity) {
    RepeaterAddresses addresses;
    for (std::size_t a = 0; a < kRepeaterMemorySize; ++a) {
        addresses[a] = IsWritableAddress(static_cast<std::int16_t>(a), identity);
    }
    return addresses;
}

std::vector<WriteBlock> WriteBlocks(const RadioIdentity& identity) {
    std::vector<WriteBlock> blocks;
    for (std::int16_t a = 0; a < kProgramEndAddress; ++a) {
        if (!IsWritableAddress(a, identity)) {
            continue;
        }
        if (blocks.empty() || blocks.back().last != a - 1) {
            blocks.push_back({a, a});
        } else {
            blocks.back().last = a;
        }
    }
    return blocks;
}

std::vector<WriteBlock> ChangedBlocks(const std::vector<WriteBlock>& blocks, const ImageBuffer& out,
                                      const RepeaterImage& held) {
    std::vector<WriteBlock> changed;
    for (const WriteBlock& block : blocks) {
        for (auto a = static_cast<std::size_t>(block.first);
             a <= static_cast<std::size_t>(block.last); ++a) {
            if (out[a] != held[a]) {
                changed.push_back(block);
                break;
            }
        }
    }
    return changed;
}

bool SendBlocks(RadioLink& link, const std::vector<WriteBlock>& blocks) {
    std::int16_t& ProgAddr = link.state.ProgAddr;
    for (const WriteBlock& block : blocks) {
        ProgAddr = block.first;
        if (!OpenBlock(link, block.first)) {
            return false;
        }
        ShowProgress(link);
        while (ProgAddr <= block.last) {
            if (!WriteByte(link)) {
                return false;
            }
            ++ProgAddr;
            ShowProgress(link);
        }
        if (!CloseBlock(link)) {
            return false;
        }
    }
    return true;
}

}  // namespace tarvex
