#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "codec/program_state.h"

// The repeater's data image as far as the settings use it: every offset and bit that the decoder
// reads and the encoder writes, in one place. Bytes not named here are carried unchanged.
namespace tarvex::image {

inline constexpr std::size_t kTXFreq = 0;  // 0..2, packed BCD
inline constexpr std::size_t kRXFreq = 3;  // 3..5, packed BCD
inline constexpr std::size_t kFreqAreaEnd = 6;

// Times count 1/32 s. A pair holds 8-second units, then the 1/32-second remainder.
inline constexpr std::size_t kTimeOutHi = 11;
inline constexpr std::size_t kTimeOutLo = 12;
inline constexpr std::size_t kMonitorMode = 13;  // 0 = Override Tone, else Override Carrier
inline constexpr std::size_t kHangTime = 16;
inline constexpr std::size_t kTailMuteTime = 17;
inline constexpr std::size_t kCustomToneAux = 18;  // written, never read back
inline constexpr std::size_t kCustomToneDivA = 19;
inline constexpr std::size_t kCustomToneDivB = 20;
inline constexpr std::size_t kIdIntervalHi = 21;
inline constexpr std::size_t kIdIntervalLo = 22;
inline constexpr std::size_t kMorseId = 23;  // up to 8 codes, zero-ended when shorter
inline constexpr std::size_t kMorseIdLength = 8;
inline constexpr std::size_t kMorseIdClearEnd = 32;  // the encoder zeroes 23..31
inline constexpr std::size_t kCustId = 75;           // 10 codes, blank padded
inline constexpr std::size_t kCustIdLength = 10;
inline constexpr std::size_t kSquelchShadow = 48;  // 48..66, zeroed with the bitmap
inline constexpr std::size_t kSquelchShadowEnd = 67;
inline constexpr std::size_t kSquelchBitmap = 96;  // 96..114
inline constexpr std::size_t kSquelchBitmapEnd = 115;
inline constexpr std::size_t kPolarity = 115;
inline constexpr std::uint8_t kEncodePolarityInvert = 0x02;
inline constexpr std::uint8_t kDecodePolarityInvert = 0x01;
inline constexpr std::uint8_t kPolarityBitmapMarker = 3;  // written with the bitmap, then masked
inline constexpr std::size_t kOptions = 116;
inline constexpr std::uint8_t kOptionsKept = 0x0C;
inline constexpr std::uint8_t kOptionsFixed = 0x63;
inline constexpr std::uint8_t kNoToneWithId = 0x04;  // set: tone NOT encoded with the identifier
inline constexpr std::size_t kPttExtEnc = 126;

inline constexpr double kTicksPerSecond = 32.0;
inline constexpr std::uint8_t kTimerOff = 255;  // in both bytes of a pair
inline constexpr double kCustomToneClock = 500000.0 / 6.0;

// Coded-squelch bitmap: bit number n counts from 1 at bit 0 of byte 96 upwards.
inline constexpr int kCustomToneBit = 53;
inline constexpr int kDmkBitOffset = 5;      // a DMK row r is bit number r + 5
inline constexpr int kLastSquelchBit = 152;  // bit 7 of byte 114

struct BitPosition {
    std::size_t byte;
    std::uint8_t mask;
};

// Where bit number n lies; past the bitmap's end it is taken as its last byte.
BitPosition SquelchBitPosition(int bitNumber);

// The bit number a slot row sets, or nothing for rows that set no bit (None, Carrier SQ,
// Inactive and rows past the list).
std::optional<int> SquelchBitOfSlotRow(int row);

// The slot row that a set bit number selects, before the slot-2 "Inactive" rule; nothing for the
// bits that no row sets (44, 52, 54 to 56 and those past DMK 754), which the slots skip.
std::optional<int> SlotRowOfSquelchBit(int bitNumber);

// The bit numbers the two slots show, lowest first, 0 where fewer are set; bits without a row
// are skipped.
std::array<int, 2> SlotSquelchBits(const ImageBuffer& image);

bool IsSquelchBitSet(const ImageBuffer& image, int bitNumber);

// PTT/EXT byte for a row, or nothing when the row leaves the template's byte alone.
std::optional<std::uint8_t> PttByteOfRow(int row);

// PTT/EXT row for a byte; a byte that no row writes selects "00 None".
int PttRowOfByte(std::uint8_t value);

// True when a row of the PTT/EXT list writes this byte (0, which also means None, counts).
bool PttByteHasRow(std::uint8_t value);

}  // namespace tarvex::image
