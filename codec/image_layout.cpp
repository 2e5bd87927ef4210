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
    if (bitNumber == kCustomToneBit) {
        return kRowSlotCustomMk;
    }
    if (bitNumber >= 1 && bitNumber <= kLastToneRow && bitNumber != kRowNonePlaceholder) {
        return bitNumber;
    }
    if (IsDmkRow(bitNumber - kDmkBitOffset)) {
        return bitNumber - kDmkBitOffset;
    }
    return std::nullopt;
}

bool IsSquelchBitSet(const ImageBuffer& image, int bitNumber) {
    const BitPosition position = SquelchBitPosition(bitNumber);
    return (image[position.byte] & position.mask) != 0;
}

std::array<int, 2> SlotSquelchBits(const ImageBuffer& image) {
    std::array<int, 2> found{};
    std::size_t count = 0;
    for (int n = 1; n <= kLastSquelchBit && count < found.size(); ++n) {
        if (IsSquelchBitSet(image, n) && SlotRowOfSquelchBit(n)) {
            found[count++] = n;
        }
    }
    return found;
}

namespace {
constexpr std::uint8_t kPttNone = 255;
constexpr std::uint8_t kPttCustomTone = 53;
constexpr int kPttDmkOffset = 76;
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
    if (value == kPttCustomTone) {
        return kRowPttCustomMk;
    }
    if (value <= kLastToneRow && value != kRowNonePlaceholder) {
        return value;
    }
    if (IsDmkRow(value - kPttDmkOffset)) {
        return value - kPttDmkOffset;
    }
    return kRowNone;
}

bool PttByteHasRow(std::uint8_t value) {
    return value == 0 || PttByteOfRow(PttRowOfByte(value)) == value;
}

}  // namespace tarvex::image
