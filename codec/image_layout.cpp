#include "codec/image_layout.h"

#include <algorithm>

#include "codec/squelch_rows.h"

namespace tarvex::image {

BitPosition SquelchBitPosition(int bitNumber) {
    const int k = std::max(bitNumber, 1) - 1;
    const std::size_t byte =
        std::min(kSquelchBitmap + static_cast<std::size_t>(k / 8), kSquelchBitmapEnd - 1);
    return {byte, static_cast<std::uint8_t>(1u << (k % 8))};
}

std::optional<int> SquelchBitOfSlotRow(int row) {
    if (row == kRowSlotCustomMk) {
        return kCustomToneBit;
    }
    if (row == kRowNone || row == kRowNonePlaceholder) {
        return std::nullopt;
    }
    if (row >= 1 && row <= kLastToneRow) {
        return row;
    }
    if (IsDmkRow(row)) {
        return row + kDmkBitOffset;
    }
    return std::nullopt;
}

std::optional<int> SlotRowOfSquelchBit(int bitNumber) {
    if (bitNumber >= kFirstSkippedBit && bitNumber <= kLastSkippedBit) {
        return std::nullopt;
    }
    if (bitNumber == kCustomToneBit) {
        return kRowSlotCustomMk;
    }
    if (bitNumber > kLastSkippedBit) {
        return bitNumber - kDmkBitOffset;
    }
    return bitNumber;
}

namespace {
constexpr std::uint8_t kPttNone = 255;
constexpr std::uint8_t kPttCustomTone = 53;
constexpr int kPttDmkOffset = 76;
constexpr std::uint8_t kPttFirstDmkByte = 128;
}  // namespace

std::optional<std::uint8_t> PttByteOfRow(int row) {
    if (row == kRowNone || row == kRowNonePlaceholder) {
        return kPttNone;
    }
    if (row >= 1 && row <= kLastToneRow) {
        return static_cast<std::uint8_t>(row);
    }
    if (IsDmkRow(row)) {
        return static_cast<std::uint8_t>(row + kPttDmkOffset);
    }
    if (row == kRowPttCustomMk) {
        return kPttCustomTone;
    }
    return std::nullopt;
}

int PttRowOfByte(std::uint8_t value) {
    if (value == kPttNone) {
        return kRowNone;
    }
    if (value == kPttCustomTone) {
        return kRowPttCustomMk;
    }
    if (value >= kPttFirstDmkByte) {
        return value - kPttDmkOffset;
    }
    return value;
}

bool PttByteIsDmk(std::uint8_t value) {
    return value >= kPttFirstDmkByte && value != kPttNone;
}

}  // namespace tarvex::image
